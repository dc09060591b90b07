#pragma once

#include <QString>
#include <QStringList>

namespace base {
class Messages;
}

namespace db {

// The statements of the empty database, in the order they run, read from the schema
// files built into the program.
QStringList schemaStatements();
// The statements of one of those files ("50_triggers.sql"); empty when there is none.
QStringList schemaFileStatements(const QString& fileName);

// Splits isql-style script text into statements: ";" ends a statement unless a
// "SET TERM" line chose another terminator; comment lines outside a statement are dropped.
QStringList splitScript(const QString& script);

// Creates the empty database at `path` at the current schema version. An existing file is
// refused and left untouched; a failure part-way removes what was made. The schema is
// written without forced writes (quick) and the flag is switched on at the end unless
// `forcedWrites` is false (scratch copies for tests).
bool createEmptyDatabase(base::Messages& messages, const QString& path, bool forcedWrites = true);

} // namespace db
