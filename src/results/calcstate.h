#pragma once

#include <QtGlobal>

namespace shell {
class Run;
}

namespace results {

// After a result of the program row changed: the row's places checked, its
// NOT_CALCULATED_YET and PLACEDCOUNT written, with the run's meeting and items.
bool refreshCalculatedState(shell::Run& run, qint64 programNo);
// "Calculate Places( F9 )": the row's places calculated and its state refreshed.
bool calculatePlaces(shell::Run& run, qint64 programNo);

} // namespace results
