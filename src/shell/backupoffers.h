#pragma once

#include <QDateTime>

namespace base {
class Run;
}

namespace shell {

// Before work: unless today's snapshot exists, offers one ("Later" / "Yes"). Local
// databases only. True when a snapshot was taken.
bool offerBackupBeforeWork(base::Run& run);

// After work: offers a snapshot of the database. Local databases only.
bool offerBackupAfterWork(base::Run& run);

// The main screen was open long enough to offer a backup at the end: 30 minutes or more.
bool workedLongEnough(const QDateTime& opened, const QDateTime& closed);

} // namespace shell
