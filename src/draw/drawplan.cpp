#include "draw/drawplan.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawround.h"
#include "draw/events.h"
#include "draw/heatformats.h"
#include "meeting/meetingsettings.h"

#include <QSet>

namespace draw {

FirstRoundPlan::FirstRoundPlan(DrawEngine& engine, bool combined) : m_engine(engine)
{
    m_revisions = engine.meeting().integer(QStringLiteral("RESULTS_HAS_REVISIONS")) == 1;
    readEvents(combined);
    readCounts();
    m_candidates = engine.firstRoundCandidates(m_events);
}

QString FirstRoundPlan::key(qint64 eventNo, const QString& round)
{
    return QString::number(eventNo) + QLatin1Char('/') + round;
}

void FirstRoundPlan::readEvents(bool combined)
{
    db::Query q = m_engine.database().openQuery(
        QStringLiteral("select E.EVENTNO, E.ITEMCODE, E.HEATFORMAT, E.COMBINEDNO, "
                       "D.EVENTNO as DESCRIBED, D.DESCRIPTION, D.PREFIX_WITH_ITEM from MYEVENT E "
                       "left join EVENTDSCR D on D.EVENTNO = E.EVENTNO where E.MEETINGNO = ") +
        db::sqlInt(m_engine.meetingNo()) + QStringLiteral(" and E.SELECTED = 'X' and ") +
        (combined ? QStringLiteral("coalesce(E.COMBINEDNO, 0) > 0")
                  : QStringLiteral("coalesce(E.COMBINEDNO, 0) = 0")) +
        QStringLiteral(" order by (select min(P.SEQ) from PROGRAM P where P.EVENTNO = "
                       "E.EVENTNO), E.COMBINEDNO, E.EVENTNO"));
    QSet<qint64> seen;
    for (q.first(); !q.eof(); q.next()) {
        DrawEvent e;
        e.eventNo = q.integer(QStringLiteral("EVENTNO"));
        // An event with two description rows is titled by the first, as a single event is.
        if (seen.contains(e.eventNo))
            continue;
        seen.insert(e.eventNo);
        e.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
        e.format = q.text(QStringLiteral("HEATFORMAT")).trimmed();
        e.combinedNo = q.integer(QStringLiteral("COMBINEDNO"));
        e.title =
            eventTitleOf(m_engine.items(), e.itemCode, q.integer(QStringLiteral("DESCRIBED")) > 0,
                         q.text(QStringLiteral("DESCRIPTION")),
                         int(q.integer(QStringLiteral("PREFIX_WITH_ITEM"))));
        m_events << e;
    }
}

void FirstRoundPlan::readCounts()
{
    db::DmdCoreDbs& database = m_engine.database();
    const QString meeting = QStringLiteral("MEETINGNO = ") + db::sqlInt(m_engine.meetingNo());
    db::Query program = database.openQuery(
        QStringLiteral("select EVENTNO, ROUND, count(*) as HEATS, sum(case when DRAW_RELEASED "
                       "= 1 then 1 else 0 end) as RELEASED from PROGRAM where ") +
        meeting + QStringLiteral(" group by EVENTNO, ROUND"));
    for (program.first(); !program.eof(); program.next()) {
        Counts& c = m_counts[key(program.integer(QStringLiteral("EVENTNO")),
                                 program.text(QStringLiteral("ROUND")).trimmed())];
        c.heats = int(program.integer(QStringLiteral("HEATS")));
        c.released = int(program.integer(QStringLiteral("RELEASED")));
    }
    db::Query heats = database.openQuery(
        QStringLiteral("select EVENTNO, ROUND, count(*) as RESULTS from HEATPART where ") +
        meeting + QStringLiteral(" and (") + kHeatResultEntered +
        QStringLiteral(") group by EVENTNO, ROUND"));
    for (heats.first(); !heats.eof(); heats.next()) {
        m_counts[key(heats.integer(QStringLiteral("EVENTNO")),
                     heats.text(QStringLiteral("ROUND")).trimmed())]
            .results = int(heats.integer(QStringLiteral("RESULTS")));
    }
    db::Query finals = database.openQuery(
        QStringLiteral("select EVENTNO, count(*) as RESULTS from PARTICIPATE where ") + meeting +
        QStringLiteral(" and (") + kFinalResultEntered + QStringLiteral(") group by EVENTNO"));
    for (finals.first(); !finals.eof(); finals.next()) {
        m_counts[key(finals.integer(QStringLiteral("EVENTNO")), QStringLiteral("F"))].results =
            int(finals.integer(QStringLiteral("RESULTS")));
    }
}

QString FirstRoundPlan::refusal(const DrawEvent& event, const QString& round) const
{
    const Counts counts = m_counts.value(key(event.eventNo, round));
    for (const QString& why :
         {eventRefusalText(event, event.eventNo, round, counts.heats),
          m_revisions ? releasedRefusalText(round, counts.released, counts.heats) : QString(),
          resultsRefusalText(round, counts.results)}) {
        if (!why.isEmpty())
            return QString(why).replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return QString();
}

int FirstRoundPlan::heatRows() const
{
    int rows = 0;
    for (const DrawEvent& e : m_events) {
        if (HeatFormats::firstRound(e.format) != QLatin1String("F"))
            rows += int(m_candidates.value(e.eventNo).size());
    }
    return rows;
}

} // namespace draw
