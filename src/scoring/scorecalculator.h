#pragma once

#include "scoring/perftoscore.h"
#include "scoring/report.h"

#include <optional>

namespace scoring {

// A performance typed to be scored: a time or a distance (a comma taken for the point), or a
// blank one ("0.00", "-") that scores nothing. False after the message for anything else.
bool scorablePerformance(base::Messages& messages, const QString& typed);

// What the score calculator and the printed score tables are asked: a set, an item, the
// height above the sea as typed, and hand or electronic timing.
struct CalculatorInput {
    int set = 0;
    QString itemCode;
    QString height; // metres as typed
    bool hand = false;
};

// The score calculator: a performance's table score (never clamped) or the performance worth
// a score, with the checks and messages of the screen; and the printed score tables.
class ScoreCalculator {
public:
    ScoreCalculator(const meeting::ItemTypes& items, base::Messages& messages,
                    const ScoreData& data = ScoreData::builtIn());

    std::optional<int> tableScore(const CalculatorInput& input, const QString& perf);
    std::optional<double> performance(const CalculatorInput& input, const QString& scoreText);
    // The corrections the screen shows beside the result ("0.00", "##0.00").
    QString handCorrectionText(const CalculatorInput& input) const;
    QString altitudeCorrectionText(const CalculatorInput& input) const;

    // Performances for the scores From to To in steps of Step, one column per item, boys'
    // items before girls'. Empty (after the message) when refused.
    std::optional<Report> scoreTable(const CalculatorInput& input, const QStringList& itemCodes,
                                     int from, int to, int step);

    // Most rows one printed table takes.
    static constexpr int kMaxRows = 150;

private:
    // The set, item and height checks shared by both directions; the height in metres.
    std::optional<int> checked(const CalculatorInput& input, bool needItem);
    bool scoreInRange(int set, int score);

    const meeting::ItemTypes& m_items;
    base::Messages& m_messages;
    TableScores m_scores;
};

} // namespace scoring
