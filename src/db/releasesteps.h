#pragma once

#include "db/schemaversion.h"

namespace db {

// A text column that an older database declares wider than this release does.
struct NarrowedColumn {
    const char* table;
    const char* column;
    int width;
};

// Template item codes and pits, and the timing system's path of a meeting.
const std::vector<NarrowedColumn>& narrowedColumns();

// The steps this release adds after the first release's schema: the narrowed columns in
// three steps (a new column, the values copied, the old one replaced; the server applies a
// change of structure only when its transaction commits) and the event triggers.
UpgradeChain releaseSteps();

} // namespace db
