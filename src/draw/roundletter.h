#pragma once

#include <QString>

namespace base {
class Messages;
}

namespace draw {

// Round letters: "F" the final (0), "A" the round before it (1), then "B" (2), "C" (3).
// Rounds run C, B, A, F.
QString roundLetter(int number, base::Messages& messages);
int roundNumber(const QString& round, base::Messages& messages);

// The round after `round` in `format`; an empty round gives the format's first round.
QString nextRound(const QString& format, const QString& round, base::Messages& messages);
// The round before `round` in `format`; empty for the first round.
QString previousRound(const QString& format, const QString& round, base::Messages& messages);

// Sorts rounds descending into running order: C, B, A, then the final as "9".
QString roundSortKey(const QString& round);

// "Final", "Heats", "Semi-Finals", "Quarter-Finals": how the program names a round.
QString roundName(const QString& format, const QString& round);
// "Final", "Heat 3", "Semi-Final 1", "Quarter-Final 2".
QString heatName(const QString& format, const QString& round, int heatNo);

} // namespace draw
