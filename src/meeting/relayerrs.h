#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace meeting {

// Item codes of an old relay form ("REL" codes with commas) in one table.
struct RelayCodeCount {
    QString table;
    int invalid = 0; // every old form
    int fixable = 0; // the known wrong form "REL8,4,2X2..."
};

// The tables that hold item codes of relays.
QStringList relayCodeTables();

// "Relay Errs" Check: the old forms per table.
QList<RelayCodeCount> checkRelayCodes(base::Run& run);
QString relayCheckText(const QList<RelayCodeCount>& counts);

// Rewrites "REL8,4,2X2..." to "REL8_4_2X2..." in every table; the rows changed.
int rewriteRelayCodes(base::Run& run);

// "Relay Errs" Fix: asks, rewrites and reports what remains.
void fixRelayCodes(base::Run& run);

} // namespace meeting
