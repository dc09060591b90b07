#pragma once

#include "publish/eventresults.h"

#include <functional>

namespace publish {

using RaceRows = QList<results::CaptureProgramRow>;

// The races of a start list, in the order of `rows`: every heat on its own, and the rows
// of one combined group together as one race, at the place of its first row. A race
// nobody is drawn in yet has no start list and is left out.
QList<RaceRows> startRaces(const RaceRows& rows);

// One race as the exports show it: the first row named after all the race's items
// ("100m Freestyle 13 Male / 100m Freestyle 14 Male"), the items' codes, and the athletes
// of every row together: starters in lane order, the placed in race order. `resultsOf`
// gives one row's results.
using ResultsOfRow = std::function<EventResults(const results::CaptureProgramRow&)>;
EventResults raceResults(const RaceRows& race, const ResultsOfRow& resultsOf);

// The start list of the race a program row runs in (for a combined item, the whole group's
// race); empty when there is no such row.
std::optional<EventResults> raceStartList(base::Run& run, qint64 programNo);

} // namespace publish
