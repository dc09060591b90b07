#include "base/forms/rowlist.h"

#include <QHeaderView>
#include <QTableWidget>

namespace base {

QTableWidget* rowList(QWidget* owner, const QStringList& headers, int stretch)
{
    auto* table = new QTableWidget(0, int(headers.size()), owner);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
    return table;
}

} // namespace base
