#include "results/forms/programtable.h"

#include "results/forms/capturecolours.h"
#include "results/forms/tagcelldelegate.h"

#include <QHeaderView>
#include <QTableWidget>

namespace results {

namespace {
enum Column {
    Seq,
    Time,
    Item,
    Heat,
    Athletes,
    Placed,
    Calculated,
    Sheets,
    Printed,
    Released,
    Draw,
    Queried,
    Progress,
    Notes,
    ColumnCount
};
} // namespace

int calculatedColumn()
{
    return Calculated;
}

void setUpProgramTable(QTableWidget* table)
{
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Seq"), QStringLiteral("Time"), QStringLiteral("Item"),
         QStringLiteral("Heat"), QStringLiteral("Athl"), QStringLiteral("Placed"),
         QStringLiteral("Calculated"), QStringLiteral("Sheets"), QStringLiteral("Res.Printed"),
         QStringLiteral("Res.Released"), QStringLiteral("Draw Rel."), QStringLiteral("Queried"),
         QStringLiteral("Progress"), QStringLiteral("Notes")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(Item, QHeaderView::Stretch);
    table->setItemDelegate(new TagCellDelegate(table));
}

void fillProgramTable(QTableWidget* table, const QList<CaptureProgramRow>& rows)
{
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const CaptureProgramRow& row = rows[r];
        const ProgramTags tags = programTags(row);
        QStringList notes;
        if (!row.combinedName.isEmpty())
            notes << row.combinedName;
        if (row.excludePoints)
            notes << QStringLiteral("Excluded From Team Points");
        if (row.isCalculatedFinal())
            notes << QStringLiteral("FinalNotRun");
        if (row.elecHand == 2)
            notes << QStringLiteral("Hand");
        else if (row.elecHand == 1)
            notes << QStringLiteral("Electronic");
        if (!row.wind.isEmpty())
            notes << QStringLiteral("Wind ") + row.wind;
        const QStringList cells{row.seqText(),
                                row.time,
                                row.item,
                                row.heatText(),
                                QString::number(row.athletes),
                                QString::number(row.placedCount),
                                tags.calculated,
                                tags.sheetsPrinted,
                                tags.resultsPrinted,
                                tags.resultsReleased,
                                tags.drawReleased,
                                tags.queried,
                                tags.raceStatus,
                                notes.join(QStringLiteral(", "))};
        const QList<std::pair<int, TagColour>> colours{{Item, tags.notRun},
                                                       {Calculated, tags.calculatedColour},
                                                       {Released, tags.resultsRelease},
                                                       {Draw, tags.drawRelease},
                                                       {Queried, tags.queriedColour},
                                                       {Progress, tags.progress}};
        for (int c = 0; c < ColumnCount; ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
        for (const auto& [column, colour] : colours)
            if (colour != TagColour::None)
                table->item(r, column)->setBackground(tagColour(colour));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(Item, QHeaderView::Stretch);
}

} // namespace results
