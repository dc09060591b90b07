#include "scoring/scorebands.h"

namespace scoring {

const QList<ScoreBand>& scoreBands()
{
    static const QList<ScoreBand> bands{
        {400, 500, QStringLiteral("400  ->  500")},
        {500, 600, QStringLiteral("500  ->  600  Interhouse")},
        {600, 700, QStringLiteral("600  ->  700  Friendlies")},
        {700, 800, QStringLiteral("700  ->  800  Inter High")},
        {800, 900, QStringLiteral("800  ->  900  Best Inter High")},
        {900, 1000, QStringLiteral("900  -> 1000  Provincial")},
        {1000, 1100, QStringLiteral("1000 -> 1100  SA-s,Top10,Top30")},
        {1100, 1200, QStringLiteral("1100 -> 1200  Worlds")},
    };
    return bands;
}

ScoreRange calculatorScoreRange(int set)
{
    // The two World Athletics row tables run from 10 to 1400 points.
    if (set == 32 || set == 37)
        return {10, 1400};
    return {100, 1000};
}

std::optional<int> bandScore(const ScoreBand& band, int set)
{
    if (!calculatorScoreRange(set).contains(band.from))
        return std::nullopt;
    return band.from;
}

} // namespace scoring
