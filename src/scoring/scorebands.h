#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace scoring {

// The guide of the score calculator's "select score": what level of competition a band of
// table scores stands for.
struct ScoreBand {
    int from = 0;
    int to = 0;
    QString text; // as the list shows it, "500  ->  600  Interhouse"
};

const QList<ScoreBand>& scoreBands();

// The scores the calculator admits for a set, lowest and highest.
struct ScoreRange {
    int lowest = 0;
    int highest = 0;
    bool contains(int score) const { return score >= lowest && score <= highest; }
};
ScoreRange calculatorScoreRange(int set);

// The score a band fills in: the lowest score of its level. Empty when the set does not
// admit it.
std::optional<int> bandScore(const ScoreBand& band, int set);

} // namespace scoring
