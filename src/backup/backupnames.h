#pragma once

#include <QDateTime>
#include <QStringList>

namespace base {
class AppGlobals;
}

namespace backup {

// The base name of archives: the desktop program's file name, also when the CLI writes,
// so that one database's snapshots share one name, one mask and one "today" check.
inline constexpr const char* kProgramBaseName = "dolvane";

// Folders under the data root, each ending with a separator.
QString backupFolder(const base::AppGlobals& globals);
QString snapshotFolder(const base::AppGlobals& globals);

// "dolvane_20250213_14h05.zip" for a moment (to the minute).
QString snapshotName(const QDateTime& moment);
// "dolvane_20250213": every snapshot of that day starts with it.
QString todaysSnapshotPrefix(const QDate& day);
// The mask of snapshot archives: "dolvane_????????_??h??.ZIP" (any case).
QString snapshotMask();

// The snapshots in `folder` that match the mask, sorted: the newest is last.
QStringList snapshotNames(const QString& folder);
bool todaysSnapshotExists(const QString& folder, const QDate& day);

} // namespace backup
