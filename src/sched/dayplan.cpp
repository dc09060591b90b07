#include "sched/dayplan.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <algorithm>

namespace sched {

DayPlan::DayPlan(base::Run& run) : m_run(run), m_program(run), m_guidelines(restGuidelinesOf(run))
{
}

QList<int> DayPlan::days() const
{
    QList<int> result;
    for (const StationRow& r : m_program.all()) {
        if (r.time.isValid() && !result.contains(std::max(r.day, 1)))
            result.append(std::max(r.day, 1));
    }
    std::sort(result.begin(), result.end());
    return result;
}

QList<StationRow> DayPlan::rowsOf(int day) const
{
    QList<StationRow> rows;
    for (const StationRow& r : m_program.all()) {
        if (r.time.isValid() && std::max(r.day, 1) == day)
            rows.append(r);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const StationRow& a, const StationRow& b) { return a.time < b.time; });
    return rows;
}

QList<Entrant> DayPlan::entrants() const
{
    QList<Entrant> result;
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select A.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV, count(*) as N "
                       "from PARTICIPATE PA join ATHLETE A on A.ATHLETENO = PA.ATHLETENO "
                       "left join TEAM T on T.TEAMNO = A.TEAMNO where PA.MEETINGNO = ") +
        db::sqlInt(m_run.currentMeetingNo()) +
        QStringLiteral(" group by A.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV "
                       "order by A.SURNAME, A.FIRSTNAME, A.ATHLETENO"));
    for (q.first(); !q.eof(); q.next()) {
        Entrant e;
        e.athleteNo = q.integer("ATHLETENO");
        e.name = q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed();
        if (!q.text("TEAMABRV").trimmed().isEmpty())
            e.name += QStringLiteral(" (") + q.text("TEAMABRV").trimmed() + QLatin1Char(')');
        e.entries = int(q.integer("N"));
        result.append(e);
    }
    return result;
}

QSet<qint64> DayPlan::rowsOfAthlete(qint64 athleteNo) const
{
    QSet<qint64> rows;
    const QString meetingNo = db::sqlInt(m_run.currentMeetingNo());
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select P.PROGRAMNO from PROGRAM P join PARTICIPATE PA on PA.EVENTNO = "
                       "P.EVENTNO where P.ROUND = 'F' and P.MEETINGNO = ") +
        meetingNo + QStringLiteral(" and PA.ATHLETENO = ") + db::sqlInt(athleteNo) +
        QStringLiteral(" union select P.PROGRAMNO from PROGRAM P join HEATPART H on H.EVENTNO = "
                       "P.EVENTNO and H.ROUND = P.ROUND and H.HEATNO = P.HEATNO where "
                       "P.ROUND <> 'F' and P.MEETINGNO = ") +
        meetingNo + QStringLiteral(" and H.ATHLETENO = ") + db::sqlInt(athleteNo));
    for (q.first(); !q.eof(); q.next())
        rows.insert(q.integer("PROGRAMNO"));
    return rows;
}

QList<RestPair> DayPlan::restsOf(qint64 athleteNo) const
{
    if (!m_guidelines.emptyPairs().isEmpty())
        return {};
    const QSet<qint64> mine = rowsOfAthlete(athleteNo);
    QList<RestRow> rows;
    for (const StationRow& r : m_program.all()) {
        if (!mine.contains(r.programNo) || !r.start())
            continue;
        rows.append({athleteNo, r.programNo, r.itemCode, *r.start(), *r.start() + r.duration});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RestRow& a, const RestRow& b) { return a.start < b.start; });
    return restPairs(rows, m_program.durations(), m_guidelines, m_run.messages());
}

} // namespace sched
