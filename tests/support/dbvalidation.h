#pragma once

#include <QString>

namespace testing_support {

// What Firebird's own validation (gfix -v -full) says of a database.
struct Validation {
    bool ran = false; // the tool ran and ended normally
    int exitCode = -1;
    QString report; // everything it printed: empty for an untouched database
    int errors = 0; // damage: records, pages or indexes the engine cannot trust
    // Pages allocated and never used: after a process died mid-transaction the engine
    // leaks such pages; they hold nothing and cost only space.
    int warnings = 0;
    bool understood = true; // nothing printed beyond the summary lines

    bool passed() const { return ran && exitCode == 0 && errors == 0 && understood; }
};

// Validates a local file through the embedded engine of this computer's programs (nobody
// else may have it open: validation needs the file to itself), or a "host:path" through
// that server.
Validation validateDatabase(const QString& connectionText);

} // namespace testing_support
