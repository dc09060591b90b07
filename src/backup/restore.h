#pragma once

#include "backup/databasefile.h"

namespace backup {

// Replaces the run's database file with the one in `archive`: a snapshot of the current
// data first, the archive unpacked into the temporary folder and checked, the current
// file hidden under its name with "_" appended (more until the name is free), the
// unpacked files copied into the database's folder, and the run connected again. True
// when the restored database is connected.
bool restoreFrom(base::Run& run, const QString& archive,
                 const FreeSpaceFn& freeSpace = diskFreeSpace);

// The name the current file is hidden under: the path with "_" appended until no file
// has that name.
QString hiddenName(const QString& path);

// True when the file is a database of this system (opened on a connection of its own).
bool isOurDatabase(const QString& path);

} // namespace backup
