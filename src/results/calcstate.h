#pragma once

#include <QtGlobal>

namespace base {
class Run;
}

namespace results {

// After a result of the program row changed: the row's places checked, its
// NOT_CALCULATED_YET and PLACEDCOUNT written, with the run's meeting and items.
bool refreshCalculatedState(base::Run& run, qint64 programNo);
// "Calculate Places( F9 )": the row's places calculated and its state refreshed.
bool calculatePlaces(base::Run& run, qint64 programNo);

} // namespace results
