#pragma once

#include <QString>

namespace meeting {
class ItemTypes;
}

namespace scoring {

// Seconds added to a hand time before scoring: 0.24 up to 200 m, 0.14 up to 400 m, none
// beyond and none for field items.
double handTimeCorrection(const meeting::ItemTypes& items, const QString& itemCode);

// Seconds added to a time run `altitude` metres above the sea; field items get none.
// Sprints gain in proportion to the height, longer races from 1000 m on by the 100 m bands
// of the altitude table, interpolated between bands; a relay sums the corrections of its legs.
double altitudeCorrection(const meeting::ItemTypes& items, const QString& itemCode,
                          double altitude);

// The correction of one race of `distance` metres, the building block of the above.
double altitudeCorrectionForDistance(int distance, double altitude);

} // namespace scoring
