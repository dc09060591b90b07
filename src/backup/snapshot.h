#pragma once

#include <QString>

namespace base {
class Run;
}

namespace backup {

struct SnapshotResult {
    bool written = false;
    QString path;
};

// Zips the run's database file into the snapshot folder under the name of the current
// minute; at most one a minute. `interactive` asks first and reports success.
SnapshotResult takeSnapshot(base::Run& run, bool interactive);

// The newest snapshot's path, or empty after "No backup files found under".
QString latestSnapshot(base::Run& run);

} // namespace backup
