#pragma once

#include <QString>

namespace base {
class Run;
class Messages;
} // namespace base

namespace db {

class DmdCoreDbs;

struct ConnectOptions {
    bool offerSelect = true; // ask for a file when nothing else connects
    bool upgrade = true;     // bring the schema up to date
    bool firstRun = true;    // false after a restart: a stored remote database is not asked for
    bool storeLocation = true;
};

// The keys of the location record in the configuration store.
inline constexpr const char* kUseRemoteDatabase = "USE_REMOTE_DATABASE";
inline constexpr const char* kRemoteIpAddress = "REMOTE_IP_ADDRESS";
inline constexpr const char* kRemoteDatabaseName = "REMOTE_DATABASENAME";
inline constexpr const char* kLocalDatabaseName = "LOCAL_DATABASENAME";

// Finds the database of the run from the stored location and the default, logs in and
// upgrades: the connect of every start. Creates the run's data module.
bool connectDatabase(base::Run& run, const ConnectOptions& options);

// Connects the run to one named database (a path or "host:path"): the file checks, the
// login, the check that it is a database of this system, the upgrade.
bool connectTo(base::Run& run, const QString& connectionText, const ConnectOptions& options);

// The checks of a file that is about to be opened; each failure is shown as a Warning.
bool checkDatabaseFile(base::Messages& messages, const QString& path);

// True when the connected database has the core tables of this system; otherwise the
// old-format Warning.
bool recogniseDatabase(DmdCoreDbs& database);

// "show current database": the lines of the Information.
QString currentDatabaseText(base::Run& run);

} // namespace db

namespace db {

enum class ChangeResult { Cancelled, Refused, EndProgram, Restart };

// "Connect" of data management: asks for a local file or a remote server and path, checks
// the choice, logs in to it and stores the location. A local change ends the program
// (the new database is used at the next start); a remote one restarts the run.
ChangeResult changeDatabase(base::Run& run);

} // namespace db
