#pragma once

#include <QStringList>

class QTableWidget;
class QWidget;

namespace base {

// The list a screen's actions work on: read-only, one whole row selected at a time, no row
// numbers; the column `stretch` takes the spare width.
QTableWidget* rowList(QWidget* owner, const QStringList& headers, int stretch);

} // namespace base
