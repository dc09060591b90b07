#pragma once

#include <QString>

#include <functional>

namespace base {
class Run;
}

namespace backup {

// The free bytes of the drive that holds `folder`. Replaceable so that a full drive can
// be tried without filling one.
using FreeSpaceFn = std::function<qint64(const QString& folder)>;
qint64 diskFreeSpace(const QString& folder);

// The facilities work on a local file only: true, after the message, when the run's
// database is reached over the network (or none is connected).
bool refuseNetworkDatabase(base::Run& run);

// The file of the run's local database.
QString databaseFilePath(base::Run& run);

// Closes the run's connection while its file is read or replaced: the embedded engine
// writes pages while attached. resume() (or the destructor) connects again.
class DatabasePause {
public:
    explicit DatabasePause(base::Run& run);
    ~DatabasePause();
    DatabasePause(const DatabasePause&) = delete;
    DatabasePause& operator=(const DatabasePause&) = delete;

    const QString& path() const { return m_path; }
    // Connects again; `upgrade` brings a restored older file up to date.
    bool resume(bool upgrade = false);

private:
    base::Run& m_run;
    QString m_path;
    bool m_paused = false;
};

} // namespace backup
