#pragma once

#include "results/heightmarks.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <optional>

namespace results {

// Who jumps or throws next when the officials go through a field event in competition
// order: the athletes in lane order, each one's next attempt in turn.
struct RunThroughStep {
    qint64 athleteNo = 0;
    int seq = 0; // the attempt number, or the HEIGHT_SEQ of the bar
};

// Horizontal jumps and throws: every athlete takes attempt n before anyone takes n + 1, up to
// `maxAttempts`. `skipped` athletes are passed over in the round they were skipped in.
std::optional<RunThroughStep> nextAttempt(const QList<qint64>& laneOrder,
                                          const QHash<qint64, int>& attemptCounts,
                                          const QSet<qint64>& skipped, int maxAttempts);

// Vertical jumps: at the bar `heightSeq`, the athlete in lane order with the fewest attempts
// there whose marks at it are not finished and who is still in the competition (not three
// failures in a row, passes not counting). Empty when everyone is done at this height.
std::optional<RunThroughStep> nextJump(const QList<qint64>& laneOrder,
                                       const QHash<qint64, QList<HeightMarks>>& marks,
                                       int heightSeq, const QSet<qint64>& skipped);

// True when the athlete's last three attempts over all heights were failures.
bool eliminated(QList<HeightMarks> marks);

} // namespace results
