#pragma once

#include <QString>

namespace testing_support {

// What Firebird's own validation (gfix -v -full) says of a database.
struct Validation {
    bool ran = false; // the tool ran and ended normally
    int exitCode = -1;
    QString report; // everything it printed: empty for a sound database

    bool passed() const { return ran && exitCode == 0 && report.isEmpty(); }
};

// Validates a local file through the embedded engine of this computer's programs (nobody
// else may have it open: validation needs the file to itself), or a "host:path" through
// that server.
Validation validateDatabase(const QString& connectionText);

} // namespace testing_support
