#pragma once

#include <QtGlobal>

namespace db {

// How many selecting statements were opened and how many rows they handed over, in the
// whole process since the last reset: what a piece of work costs the engine, for the
// benches (kept atomically, as reads may run on more than one thread).
struct ReadCounts {
    qint64 statements = 0;
    qint64 rows = 0;
};
ReadCounts readCounts();
void resetReadCounts();

} // namespace db
