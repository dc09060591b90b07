#include "results/fieldrunthrough.h"

#include <algorithm>

namespace results {

std::optional<RunThroughStep> nextAttempt(const QList<qint64>& laneOrder,
                                          const QHash<qint64, int>& attemptCounts,
                                          const QSet<qint64>& skipped, int maxAttempts)
{
    std::optional<RunThroughStep> next;
    int fewest = maxAttempts;
    for (const qint64 athlete : laneOrder) {
        const int count = attemptCounts.value(athlete);
        if (skipped.contains(athlete) || count >= fewest)
            continue;
        fewest = count;
        next = RunThroughStep{athlete, count + 1};
    }
    return next;
}

QList<qint64> finalRoundsOrder(const QList<qint64>& laneOrder,
                               const QHash<qint64, QList<double>>& marks)
{
    auto sortedMarks = [&marks](qint64 athlete) {
        QList<double> own = marks.value(athlete);
        std::sort(own.begin(), own.end(), std::greater<double>());
        return own;
    };
    // Better first; a longer list of marks beats its own beginning (a valid mark beats none).
    auto better = [&](qint64 a, qint64 b) {
        const QList<double> x = sortedMarks(a);
        const QList<double> y = sortedMarks(b);
        return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end());
    };
    QList<qint64> standing = laneOrder;
    std::stable_sort(standing.begin(), standing.end(), better);
    if (standing.size() > kFinalists) {
        qsizetype keep = kFinalists;
        // Those who tie with the eighth go on too.
        while (keep < standing.size() && !better(standing[kFinalists - 1], standing[keep]))
            ++keep;
        standing.resize(keep);
    }
    std::reverse(standing.begin(), standing.end());
    return standing;
}

bool eliminated(QList<HeightMarks> marks)
{
    std::sort(marks.begin(), marks.end(),
              [](const HeightMarks& a, const HeightMarks& b) { return a.heightSeq < b.heightSeq; });
    QString attempts;
    for (const HeightMarks& m : marks)
        attempts += m.marks;
    attempts.remove(QLatin1Char('-'));
    return attempts.endsWith(QLatin1String("XXX"));
}

std::optional<RunThroughStep> nextJump(const QList<qint64>& laneOrder,
                                       const QHash<qint64, QList<HeightMarks>>& marks,
                                       int heightSeq, const QSet<qint64>& skipped)
{
    std::optional<RunThroughStep> next;
    qsizetype fewest = 4;
    for (const qint64 athlete : laneOrder) {
        if (skipped.contains(athlete))
            continue;
        const QList<HeightMarks> own = marks.value(athlete);
        if (eliminated(own))
            continue;
        QString here;
        bool movedOn = false;
        for (const HeightMarks& m : own) {
            if (m.heightSeq == heightSeq)
                here = m.marks;
            else if (m.heightSeq > heightSeq && !m.marks.isEmpty())
                movedOn = true; // already jumping at a higher bar
        }
        if (movedOn || heightMarksComplete(here) || here.size() >= fewest)
            continue;
        fewest = here.size();
        next = RunThroughStep{athlete, heightSeq};
    }
    return next;
}

} // namespace results
