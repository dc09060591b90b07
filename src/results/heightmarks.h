#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace results {

// The marks of one jumper at one bar height: up to three of "X" (failure), "-" (pass) and
// "O" (cleared), the "O" only once and last.
//
// The message for marks that are not valid; empty when they are.
QString heightMarksRefusal(const QString& marks);
// The same for marks typed one character at a time, where half a performance ("-", "X")
// may stand for now.
QString partialMarksRefusal(const QString& marks);
// True when the marks are finished: cleared, three failures, or passed.
bool heightMarksComplete(const QString& marks);

struct HeightMarks {
    int heightSeq = 0;
    double height = 0; // metres
    QString marks;
};

// The count-back key of one jumper: 1000 - the highest height cleared in centimetres, the
// failures at that height, then the failures below it (the current rule), or the failures
// height by height from high to low (the old rule), joined by ";" so that the keys sort as
// text best first. Empty when nothing was cleared.
std::optional<QString> countBackKey(QList<HeightMarks> marks, bool oldRule);
// The highest height cleared, 0 when none.
double highestCleared(const QList<HeightMarks>& marks);

// Places 1, 2, 2, 4 from keys sorted as text: equal keys share a place.
struct RankedKey {
    QString key;
    qint64 athleteNo = 0;
    int place = 0;
};
QList<RankedKey> rankByKeys(QList<RankedKey> keys);

// One attempt of a horizontal jump or throw: a mark, "X" for a foul or "-" for a pass.
struct Attempt {
    int seq = 0;
    QString performance;
    QString wind;
};
// The index of the best attempt (of equal marks the earlier one); empty when none is
// valid. `value` turns a mark into metres.
template <class Value> std::optional<int> bestAttempt(const QList<Attempt>& attempts, Value value)
{
    std::optional<int> best;
    double bestValue = 0;
    for (int i = 0; i < attempts.size(); ++i) {
        const QString& p = attempts[i].performance.trimmed();
        if (p == QLatin1String("X") || p == QLatin1String("-") || p.isEmpty())
            continue;
        const std::optional<double> v = value(p);
        if (v && *v > 0.1 && *v > bestValue) {
            best = i;
            bestValue = *v;
        }
    }
    return best;
}

} // namespace results
