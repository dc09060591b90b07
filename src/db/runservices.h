#pragma once

namespace base {
class Run;
}

namespace db {

class DmdCoreDbs;

// The data module of a run: created once (a second creation is an internal error and
// returns the one there is), freed once, closed when it goes.
DmdCoreDbs& createDatabaseModule(base::Run& run);
void freeDatabaseModule(base::Run& run);

// Whether the run has a data module with an open connection.
bool isConnected(base::Run& run);

} // namespace db
