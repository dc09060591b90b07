#pragma once

#include "results/finalplaces.h"
#include "results/race.h"

#include <QList>
#include <QStringList>

namespace meeting {
class ItemTypes;
}

namespace results {

// What calculating one ordinary race gives, worked out in memory from its rows as read:
// the same race places, league places and check as RenumberRacePlaces, CalcFinalPlaces
// and RefreshCalculatedFlag give one after the other.
struct RaceOutcome {
    QList<RowValues> changed; // E_PLACE, T_EMPTY, PLACE, PLACESHARECOUNT of changed rows
    bool consistent = true;   // the check of the new places found nothing
    QStringList errors;
    int placedCount = 0; // rows with a place or a status
};
inline const QStringList kRaceOutcomeColumns{QStringLiteral("E_PLACE"), QStringLiteral("T_EMPTY"),
                                             QStringLiteral("PLACE"),
                                             QStringLiteral("PLACESHARECOUNT")};

RaceOutcome calculateRace(const meeting::ItemTypes& items, const QString& itemCode,
                          const QList<RaceRow>& rows, bool byAge,
                          const QualifyingTest& failsStandard);

} // namespace results
