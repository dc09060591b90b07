#pragma once

#include "sched/clashcheck.h"
#include "sched/stationrows.h"

#include <QList>
#include <QSet>
#include <QString>

namespace base {
class Run;
}

namespace sched {

// A competitor who is entered in at least one event of the meeting.
struct Entrant {
    qint64 athleteNo = 0;
    QString name; // "SURNAME, First (Team)"
    int entries = 0;
};

// What the day view draws: the timed rows of the meeting and, for one competitor, the rows
// they swim and the rest between each two of them, measured as the athlete check does.
class DayPlan {
public:
    explicit DayPlan(base::Run& run);

    const StationRows& program() const { return m_program; }
    // The days that have timed rows, ascending.
    QList<int> days() const;
    // The timed rows of a day in time order.
    QList<StationRow> rowsOf(int day) const;
    // Competitors with entries, by name.
    QList<Entrant> entrants() const;
    // The rows a competitor is in: finals by entry, heats by draw.
    QSet<qint64> rowsOfAthlete(qint64 athleteNo) const;
    // The guideline pairs that are empty ("Long ,Short"); while any is, rests are not
    // measured, as the athlete check refuses to.
    QStringList emptyGuidelines() const { return m_guidelines.emptyPairs(); }
    // The consecutive pairs of the competitor's timed rows, in time order; none while a
    // guideline is empty.
    QList<RestPair> restsOf(qint64 athleteNo) const;

private:
    base::Run& m_run;
    StationRows m_program;
    RestGuidelines m_guidelines;
};

} // namespace sched
