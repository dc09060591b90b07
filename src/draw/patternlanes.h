#pragma once

#include "draw/drawcandidates.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}

namespace draw {

// The pattern method's lanes: in a heat that has a place in the pattern sequence each
// athlete runs in his team's lane of the heat's pattern (its list of team lanes).

// Gives the candidates of one heat their team's lane in `teamLanes` (lane 1 first). The
// best ranked of a team takes its lane; an athlete whose team has no lane in the list, or
// whose team's lane is taken, gets the first free lane of the lane order table, so every
// athlete keeps a lane of his own.
void placeInTeamLanes(QList<DrawCandidate*>& heat, const QStringList& teamLanes,
                      const QHash<qint64, QString>& teamAbrvs, int lanesAvailable, bool straight);

// Applies the pattern to the drawn candidates of the event's round: the heats with a
// pattern sequence and a list of team lanes are placed by placeInTeamLanes; other heats
// keep their lanes. Reads the meeting's team abbreviations and the round's heats.
void placeByPattern(db::DmdCoreDbs& database, int meetingNo, qint64 eventNo, const QString& round,
                    CandidateList& candidates, int lanesAvailable, bool straight);

} // namespace draw
