#pragma once

#include <QStringList>
#include <QTableWidget>

namespace base {

// The list a screen's actions work on: read-only, one whole row selected at a time, no row
// numbers; the column `stretch` takes the spare width.
QTableWidget* rowList(QWidget* owner, const QStringList& headers, int stretch);

// The entry of `rows` (one a line of `table`) behind the current line; null when none is.
template <class Rows>
const typename Rows::value_type* currentEntry(const QTableWidget* table, const Rows& rows)
{
    const int row = table ? table->currentRow() : -1;
    return row >= 0 && row < int(rows.size()) ? &rows[row] : nullptr;
}

// Makes the first line of `table` whose entry of `rows` is `wanted` the current one; false
// when there is none.
template <class Rows, class Wanted>
bool selectEntry(QTableWidget* table, const Rows& rows, Wanted wanted)
{
    for (int row = 0; row < int(rows.size()); ++row) {
        if (wanted(rows[row])) {
            table->setCurrentCell(row, 0);
            return true;
        }
    }
    return false;
}

} // namespace base
