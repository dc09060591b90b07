#pragma once

#include <QString>
#include <QStringList>

namespace base {
class Messages;
}

namespace draw {

// The balanced rotations of teams over the lanes of the bend races. For 5 to 9 lanes there
// is a fixed list of cycles; a cycle is as many patterns as there are lanes, separated by
// ","; a pattern gives, lane 1 first, the number (1 to L) of the team that runs in each lane.
// Within one cycle every team runs once in every lane.

inline constexpr int kFewestPatternLanes = 5;
inline constexpr int kMostPatternLanes = 9;

// The cycles for `lanes`; empty for a count outside 5 to 9.
QStringList patternCycles(int lanes);

// The pattern of heat `sequence` (1-based) of the pattern sequence. Sequences run through
// the cycles one pattern a heat and start again at the first cycle after the last. Lanes
// outside 5 to 9 or a sequence below 1 are internal errors and give the identity pattern.
QString patternForSequence(int sequence, int lanes, base::Messages& messages);

// What is wrong with a cycle for `lanes` lanes: wrong pattern count, a pattern that is no
// permutation of the team numbers, a team twice in one lane. Empty when it is sound.
QString cycleFault(const QString& cycle, int lanes);

} // namespace draw
