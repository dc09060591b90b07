#include "entries/forms/entrytables.h"

#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QTableWidget>

namespace entries {

QTableWidget* makeEntryTable(const QStringList& titles, int stretch)
{
    auto* table = new QTableWidget;
    table->setColumnCount(int(titles.size()));
    table->setHorizontalHeaderLabels(titles);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // Columns fit their texts and one takes the rest of the width, however often the rows
    // are filled again.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(stretch < 0 ? int(titles.size()) - 1 : stretch,
                                                    QHeaderView::Stretch);
    return table;
}

QString sequenceText(int sequence)
{
    return sequence > 0 ? QString::number(sequence) : QString();
}

void fillEntryRow(QTableWidget* table, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
}

void markRelayTeamRow(QTableWidget* table, int row)
{
    for (int c = 0; c < table->columnCount(); ++c) {
        QTableWidgetItem* item = table->item(row, c);
        if (!item)
            continue;
        QFont font = item->font();
        font.setItalic(true);
        item->setFont(font);
        item->setForeground(QColor(Qt::darkGray));
        item->setToolTip(QObject::tr("A relay team, not a swimmer"));
    }
}

} // namespace entries
