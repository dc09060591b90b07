#pragma once

#include <QStringList>

class QTableWidget;

namespace entries {

// A read-only table that selects whole rows, one at a time, with these column titles.
QTableWidget* makeEntryTable(const QStringList& titles);
// Puts the texts into one row of the table.
void fillEntryRow(QTableWidget* table, int row, const QStringList& cells);

} // namespace entries
