#include "db/runservices.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"

namespace db {

namespace {

void closeAndDelete(DmdCoreDbs* database)
{
    if (database->isConnected())
        database->close();
    delete database;
}

} // namespace

DmdCoreDbs& createDatabaseModule(base::Run& run)
{
    if (DmdCoreDbs* existing = run.database()) {
        run.messages().internalError(10101, QStringLiteral("dmdCoreDbs Already created"));
        return *existing;
    }
    DmdCoreDbs::resetCounters();
    run.setDatabase(base::ServicePtr<DmdCoreDbs>(
        new DmdCoreDbs(run.messages(), run.globals().applicationCode(), run.globals().version()),
        closeAndDelete));
    return *run.database();
}

void freeDatabaseModule(base::Run& run)
{
    if (!run.database()) {
        run.messages().internalError(10102, QStringLiteral("dmdCoreDbs Already nil"));
        return;
    }
    run.takeDatabase().reset();
}

bool isConnected(base::Run& run)
{
    return run.database() && run.database()->isConnected();
}

} // namespace db
