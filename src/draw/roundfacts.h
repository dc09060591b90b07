#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// What the hand-made draws need to know about one round of an event.
struct RoundFacts {
    bool found = false;
    qint64 eventNo = 0;
    int meetingNo = 0;
    QString itemCode;
    QString format;
    QString round;         // "F", "A", "B" or "C"
    QString previousRound; // empty for the first round
    bool firstRound = false;
    bool finalNotRun = false;
    int heats = 0;       // heats of the round in the program (1 for the final)
    int entryPlaces = 0; // how athletes enter this round from the one before
    int entryTimes = 0;
    bool isFinal() const { return round == QLatin1String("F"); }
};

// The facts of `round` of the event; found is false (with the reason shown as a warning)
// for an unknown event or a round that is not in its format.
RoundFacts roundFacts(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                      const QString& round);

// How many athletes of the round have a place or a performance.
int resultsInRound(db::DmdCoreDbs& database, const RoundFacts& facts);

// The rows of the round: HEATPART rows of rounds A to C, PARTICIPATE rows of the final.
QString roundRowsWhere(const RoundFacts& facts);

// A new HEATPART row as the draw stores it: no results, no status. `teamLane` marks a lane
// taken from the heat's list of team lanes.
QString insertHeatPartSql(qint64 key, const RoundFacts& facts, int heatNo, qint64 athleteNo,
                          int lane, bool teamLane = false);

// "Round A" or "the Final"; "Final" with `bare`.
QString roundText(const QString& round, bool bare = false);

} // namespace draw

namespace draw {

// One round of an event of the meeting, as the draw screens offer them.
struct EventRound {
    qint64 eventNo = 0;
    QString itemCode;
    QString round;
    int heats = 0;
};

// Every round in the program of the meeting, in program order.
QList<EventRound> eventRounds(db::DmdCoreDbs& database, int meetingNo);
// The event and round of one program row; eventNo 0 when there is no such row.
EventRound roundOfProgramRow(db::DmdCoreDbs& database, qint64 programNo);

} // namespace draw
