#include "results/calcstate.h"

#include "results/places.h"
#include "results/qualifying.h"
#include "shell/run.h"

namespace results {

namespace {
Places placesOf(shell::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    return Places(database, run.items(), run.meeting(),
                  meetingQualifyingTest(database, run.items(), run.meeting()));
}
} // namespace

bool refreshCalculatedState(shell::Run& run, qint64 programNo)
{
    return placesOf(run).RefreshCalculatedFlag(programNo);
}

bool calculatePlaces(shell::Run& run, qint64 programNo)
{
    return placesOf(run).calcAndRefresh(programNo);
}

} // namespace results
