#pragma once

#include <QStringList>

class QTableWidget;

namespace entries {

// A read-only table that selects whole rows, one at a time, with these column titles; the
// last column fills the width.
QTableWidget* makeEntryTable(const QStringList& titles);
// Puts the texts into one row of the table.
void fillEntryRow(QTableWidget* table, int row, const QStringList& cells);
// Sets a relay team's row apart from the swimmers' rows: grey and in italics.
void markRelayTeamRow(QTableWidget* table, int row);

} // namespace entries
