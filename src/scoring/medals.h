#pragma once

#include "scoring/scoringsettings.h"

#include <QList>
#include <QString>

namespace base {
class Messages;
}

namespace scoring {

// The medal of one result: "Gold", "Silver", "Bronze" or empty. `value` is the place (or
// the medal place among the teams that are not left out) under a place basis, the table
// score under a score basis. A heat row (not the event's final) gets no medal by place.
QString medalOf(const ScoringSettings& settings, int value, bool eventExcluded,
                bool combinedComponent, bool heatRow = false);

// The medal places of an event's results, in place order, when some teams are left out of
// the medals: 0 for a left-out athlete or one past the medals, else 1, 2, 3 with ties
// sharing and the next athlete taking the next medal place.
QList<int> medalPlacesWithExclusions(const QList<std::pair<int, bool>>& placesAndExcluded);

// "Gold", "Silver", "Bronze" for medal places 1 to 3; above 3 the internal error "Medal place
// greater than 3!" and empty.
QString medalName(int medalPlace, base::Messages& messages);

} // namespace scoring
