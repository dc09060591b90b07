#include "scoring/nathlontotals.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "meeting/perfdisplay.h"
#include "results/places.h"
#include "scoring/scoresets.h"

namespace scoring {

namespace {

// The component events of the n-athlon of total event `N`, joined with the final's row.
const char kComponentsOf[] = "from MYEVENT N join MYEVENT E on E.MEETINGNO = N.MEETINGNO and "
                             "E.N_ATHLON = N.N_ATHLON and E.C_GENDER = N.C_GENDER and "
                             "E.C_AGE = N.C_AGE and E.ITEMCODE not starting with 'NTH' "
                             "left join PROGRAM P on P.EVENTNO = E.EVENTNO and P.ROUND = 'F' "
                             "and P.HEATNO = 0 ";

} // namespace

NathlonTotals::NathlonTotals(base::Run& run, const ScoreData& data)
    : m_run(run), m_scores(run.items(), run.messages(), data),
      m_athletes(*run.database(), m_scores, TableScoreSettings::of(run.meeting()))
{
}

std::optional<NathlonTotals::TotalEvent> NathlonTotals::totalEvent(qint64 eventNo)
{
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select ITEMCODE, N_ATHLON, C_GENDER, C_AGE from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and MEETINGNO = ") +
        db::sqlInt(m_run.currentMeetingNo()));
    if (!q.isOpen())
        return std::nullopt;
    TotalEvent t;
    if (!q.isEmpty()) {
        t.eventNo = eventNo;
        t.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
        t.nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
        t.gender = q.text(QStringLiteral("C_GENDER"));
        t.age = q.text(QStringLiteral("C_AGE"));
    }
    if (t.nAthlon <= 0 || !t.itemCode.startsWith(QLatin1String("NTH"))) {
        m_run.messages().warning(QStringLiteral("This is only applicable to n-Athlon results."));
        return std::nullopt;
    }
    return t;
}

QStringList NathlonTotals::incompleteComponents(qint64 eventNo)
{
    QStringList lines;
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, coalesce(P.NOT_CALCULATED_YET, 0) as NOT_CALC, "
                       "coalesce(P.PLACEDCOUNT, 0) as PLACED ") +
        QLatin1String(kComponentsOf) + QStringLiteral("where N.EVENTNO = ") + db::sqlInt(eventNo) +
        QStringLiteral(" order by E.C_SEQ, E.EVENTNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString item =
            m_run.items().ItemDescription(q.text(QStringLiteral("ITEMCODE")).trimmed(), false);
        if (q.integer(QStringLiteral("PLACED")) == 0)
            lines.append(item + QStringLiteral(" no athletes placed"));
        else if (q.integer(QStringLiteral("NOT_CALC")) == 1)
            lines.append(item + QStringLiteral(" not calculated"));
    }
    return lines;
}

QList<NathlonComponent> NathlonTotals::components(const TotalEvent& total)
{
    QList<NathlonComponent> list;
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select A.ATHLETENO, A.SURNAME, A.FIRSTNAME, E.EVENTNO, E.ITEMCODE, "
                       "R.PERFORMANCE, coalesce(R.DISQ_STATUS, 0) as DISQ, "
                       "coalesce(P.ELECHAND, 0) as TIMING ") +
        QLatin1String(kComponentsOf) +
        QStringLiteral("join PARTICIPATE R on R.EVENTNO = E.EVENTNO "
                       "join ATHLETE A on A.ATHLETENO = R.ATHLETENO "
                       "where N.EVENTNO = ") +
        db::sqlInt(total.eventNo) +
        QStringLiteral(" and R.PERFORMANCE is not null and R.PERFORMANCE <> '' "
                       "order by A.SURNAME, A.FIRSTNAME, A.ATHLETENO, E.C_SEQ, E.EVENTNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        NathlonComponent c;
        c.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        const QString firstName = q.text(QStringLiteral("FIRSTNAME")).trimmed();
        c.athleteName = q.text(QStringLiteral("SURNAME")).trimmed();
        if (!firstName.isEmpty())
            c.athleteName += QStringLiteral(", ") + firstName;
        c.eventNo = q.integer(QStringLiteral("EVENTNO"));
        c.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
        c.performance = q.text(QStringLiteral("PERFORMANCE")).trimmed();
        c.disqStatus = int(q.integer(QStringLiteral("DISQ")));
        c.timingCode = int(q.integer(QStringLiteral("TIMING")));
        if (meeting::ItemTypes::PerfIsBlank(c.performance))
            continue;
        list.append(c);
    }
    return list;
}

std::optional<int> NathlonTotals::componentScore(const NathlonComponent& c, int nAthlon)
{
    if (c.disqStatus > 0)
        return 0;
    return m_athletes.AthleteTableScore(c.itemCode, c.performance, c.athleteNo, true, c.timingCode,
                                        nAthlon);
}

int NathlonTotals::computeTotals(qint64 eventNo)
{
    const std::optional<TotalEvent> total = totalEvent(eventNo);
    if (!total)
        return -1;
    base::Messages& messages = m_run.messages();
    if (const QStringList lines = incompleteComponents(eventNo); !lines.isEmpty()) {
        if (!messages.confirm(
                QStringLiteral("n-Athlon Results not Complete\r\rThis is the Results event for "
                               "an n-Athlon, and not all of its events are complete:\r") +
                lines.join(QLatin1Char('\r')) + QStringLiteral("\r\rCalculate anyway")))
            return -1;
    }
    QHash<qint64, int> sums;
    for (const NathlonComponent& c : components(*total)) {
        const std::optional<int> score = componentScore(c, total->nAthlon);
        if (!score)
            return -1; // the reason was shown; nothing is written
        sums[c.athleteNo] += *score;
    }
    db::DmdCoreDbs& database = *m_run.database();
    db::Query entrants = database.openQuery(
        QStringLiteral("select PARTNO, ATHLETENO from PARTICIPATE where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!entrants.isOpen())
        return -1;
    if (!database.startBatch())
        return -1;
    int written = 0;
    for (entrants.first(); !entrants.eof(); entrants.next()) {
        const int sum = sums.value(entrants.integer(QStringLiteral("ATHLETENO")));
        const QString perf = m_run.items().PerfValueToText(total->itemCode, sum, false);
        if (!database.batchExecute(QStringLiteral("update PARTICIPATE set PERFORMANCE = ") +
                                   db::quoted(perf) + QStringLiteral(" where PARTNO = ") +
                                   db::sqlInt(entrants.integer(QStringLiteral("PARTNO"))))) {
            database.rollbackBatch();
            return -1;
        }
        ++written;
    }
    if (!database.commitBatch())
        return -1;
    db::Query program =
        database.openQuery(QStringLiteral("select PROGRAMNO from PROGRAM where EVENTNO = ") +
                           db::sqlInt(eventNo) + QStringLiteral(" and ROUND = 'F' and HEATNO = 0"));
    if (program.isOpen() && !program.isEmpty()) {
        results::Places places(database, m_run.items(), m_run.meeting());
        // The user was asked about open components above.
        places.acceptIncompleteNathlon();
        if (!places.calcAndRefresh(program.integer(QStringLiteral("PROGRAMNO"))))
            return -1;
    }
    return written;
}

Report NathlonTotals::interimReport(qint64 eventNo)
{
    Report report;
    const std::optional<TotalEvent> total = totalEvent(eventNo);
    if (!total)
        return report;
    report.title = QStringLiteral("n-Athlon Intirim totals");
    // Named as the screens list it ("Decathlon 25 Male"), so the paper matches the choice.
    report.subtitle = m_run.items().ItemDescription(total->itemCode, false);
    report.headers = {QStringLiteral("Athlete"), QStringLiteral("Event"),
                      QStringLiteral("Performance"), QStringLiteral("Score"),
                      QStringLiteral("Total")};
    report.sectionColumn = 0;
    qint64 athlete = 0;
    int running = 0;
    for (const NathlonComponent& c : components(*total)) {
        if (c.athleteNo != athlete) {
            athlete = c.athleteNo;
            running = 0;
            report.sections.append({int(report.rows.size()), c.athleteName});
        }
        const std::optional<int> score = componentScore(c, total->nAthlon);
        if (!score)
            return Report{};
        running += *score;
        report.rows.append({c.athleteName, m_run.items().ItemDescription(c.itemCode, false),
                            meeting::performanceForDisplay(c.performance), QString::number(*score),
                            QString::number(running)});
    }
    if (report.rows.isEmpty()) {
        m_run.messages().warning(QStringLiteral("No athletes for this event"));
        return Report{};
    }
    report.notes.append(
        scoreHeaderLine(int(m_run.meeting().integer(QStringLiteral("NATHLON_SCORESET"))),
                        int(m_run.meeting().integer(QStringLiteral("ELECHAND"))),
                        int(m_run.meeting().integer(QStringLiteral("HEIGHTABOVESEA"))), false));
    return report;
}

} // namespace scoring
