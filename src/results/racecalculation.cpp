#include "results/racecalculation.h"

#include "results/raceplaces.h"

#include <QHash>

namespace results {

RaceOutcome calculateRace(const meeting::ItemTypes& items, const QString& itemCode,
                          const QList<RaceRow>& rows, bool byAge,
                          const QualifyingTest& failsStandard)
{
    RaceOutcome outcome;
    const RaceRenumbering race = renumberRace(items, itemCode, rows);
    // The rows as they stand after the race places are written; a race without any result
    // keeps what it has.
    QList<RaceRow> placed = race.ordered;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        if (race.anyResult) {
            placed[i].ePlace = race.newPlaces[i];
        } else {
            placed[i].tEmpty = placed[i].storedTEmpty;
        }
    }
    const auto fails = [&](const RaceRow& row) {
        return failsStandard && failsStandard(itemCode, row.performance);
    };
    QHash<qint64, LeaguePlace> leagues;
    for (const LeaguePlace& p : leaguePlaces(placed, byAge, fails))
        leagues.insert(p.key, p);
    outcome.consistent = checkRaceRows(items, itemCode, placed, &outcome.errors);
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const RaceRow& now = placed[i];
        const RaceRow& before = race.ordered[i];
        const LeaguePlace league = leagues.value(now.key);
        outcome.placedCount += league.place > 0 || now.status > 0 ? 1 : 0;
        if (now.ePlace == before.ePlace && now.tEmpty == before.storedTEmpty &&
            league.place == before.place && league.shares == before.shareCount)
            continue;
        outcome.changed.append({now.key, {now.ePlace, now.tEmpty, league.place, league.shares}});
    }
    return outcome;
}

} // namespace results
