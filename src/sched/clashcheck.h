#pragma once

#include "sched/durations.h"

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
class Run;
} // namespace base

namespace sched {

// One competitor in one timed program row, as the athlete check walks them.
struct RestRow {
    qint64 athleteNo = 0;
    qint64 programNo = 0;
    QString itemCode;
    double start = 0; // days since the start of day 1
    double stop = 0;
};

// The rest between two consecutive events of a competitor (or the interval between two
// consecutive starts of a station), measured against what it should be. Fractions of a
// day; the factor is a percentage for competitors, a plain ratio for stations.
struct RestPair {
    qint64 athleteNo = 0;
    qint64 programNo1 = 0; // the earlier row
    qint64 programNo2 = 0;
    double actual = 0;
    double desired = 0;
    double factor = 0;
};

// The percentage of the desired rest that a competitor gets, rounded half to even, at
// most 10000; 1 when no rest of a minute or more is asked for.
double athleteFactor(double actual, double desired);

// The consecutive pairs of each competitor in `rows`, which come ordered by competitor and
// start: the shared walk of the athlete check and the day view.
QList<RestPair> restPairs(const QList<RestRow>& rows, const Durations& durations,
                          const RestGuidelines& guidelines, base::Messages& messages);

// The two clash checks of the run's current meeting. Each empties and refills the work
// tables T_SCHED_PROGRAM, T_SCHED_PART and T_SCHED_CLASH; nothing in the program changes.
class ClashCheck {
public:
    explicit ClashCheck(base::Run& run);

    // T_SCHED_PROGRAM from the meeting's program rows.
    bool collectProgram();
    // T_SCHED_PART: the competitors of each collected row (PARTICIPATE for a final,
    // HEATPART for a heat).
    bool collectParticipations();

    // Refuses (with the message) on empty guidelines, empty time parameters that the user
    // does not accept, or a meeting without entries. False also when no competitor was in
    // any collected row.
    bool checkAthletes();
    // Refuses on a meeting without program rows.
    bool checkStations();

    // The work tables, made in a database that was created before them.
    static bool ensureWorkTables(db::DmdCoreDbs& database);

private:
    bool insertClashes(const QList<RestPair>& pairs, const QList<QString>& stations);

    base::Run& m_run;
};

} // namespace sched
