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

// Horizontal jumps and throws go three rounds in lane order; then the best eight of a larger
// field go on, and every remaining round runs in reverse order of the standing after three
// rounds (the leader last). `marks` holds each athlete's valid marks of the first three
// rounds in metres; the standing compares the best, then the second best, then the third.
// Athletes tied with the eighth go on as well; those without a valid mark stand last, in
// lane order.
inline constexpr int kRoundsBeforeTheCut = 3;
inline constexpr int kFinalists = 8;
QList<qint64> finalRoundsOrder(const QList<qint64>& laneOrder,
                               const QHash<qint64, QList<double>>& marks);

// Vertical jumps: at the bar `heightSeq`, the athlete in lane order with the fewest attempts
// there whose marks at it are not finished and who is still in the competition (not three
// failures in a row, passes not counting). Empty when everyone is done at this height.
std::optional<RunThroughStep> nextJump(const QList<qint64>& laneOrder,
                                       const QHash<qint64, QList<HeightMarks>>& marks,
                                       int heightSeq, const QSet<qint64>& skipped);

// True when the athlete's last three attempts over all heights were failures.
bool eliminated(QList<HeightMarks> marks);

} // namespace results
