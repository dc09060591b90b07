#include "results/calcstate.h"

#include "base/run.h"
#include "results/places.h"
#include "results/qualifying.h"

namespace results {

namespace {
Places placesOf(base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    return Places(database, run.items(), run.meeting(),
                  meetingQualifyingTest(database, run.items(), run.meeting()));
}
} // namespace

bool refreshCalculatedState(base::Run& run, qint64 programNo)
{
    return placesOf(run).RefreshCalculatedFlag(programNo);
}

bool calculatePlaces(base::Run& run, qint64 programNo)
{
    return placesOf(run).calcAndRefresh(programNo);
}

} // namespace results
