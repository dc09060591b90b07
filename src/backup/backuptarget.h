#pragma once

#include "backup/databasefile.h"

namespace backup {

// Space kept free on the target beyond the archive's size.
inline constexpr qint64 kSpaceMargin = 3000;

// Takes a snapshot and copies it to `target` (a folder, created when needed). While the
// target has too little room the user may retry. True when the copy was made.
bool backupTo(base::Run& run, const QString& target, const FreeSpaceFn& freeSpace = diskFreeSpace);

// Asks until `folder` has `required` bytes free or the user gives up; true when there is
// room.
bool waitForSpace(base::Run& run, const QString& folder, qint64 required,
                  const FreeSpaceFn& freeSpace);

} // namespace backup
