#pragma once

#include <QStringList>

class QTableWidget;

namespace entries {

// A read-only table that selects whole rows, one at a time, with these column titles; the
// column `stretch` (the last when -1) fills the width.
QTableWidget* makeEntryTable(const QStringList& titles, int stretch = -1);
// A program sequence as a table shows it: empty until the program is numbered.
QString sequenceText(int sequence);
// Puts the texts into one row of the table.
void fillEntryRow(QTableWidget* table, int row, const QStringList& cells);
// Sets a relay team's row apart from the swimmers' rows: grey and in italics.
void markRelayTeamRow(QTableWidget* table, int row);

} // namespace entries
