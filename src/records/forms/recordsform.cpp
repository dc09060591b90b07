#include "records/forms/recordsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/rowlist.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "records/forms/recorddialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace records {

RecordsForm::RecordsForm(base::Run& run, RecordSetRow set, QWidget* parent)
    : QDialog(parent), m_run(run), m_set(std::move(set)), m_records(*run.database(), run.items())
{
    setWindowTitle(QStringLiteral("Records of ") + m_set.name);
    auto* layout = new QVBoxLayout(this);
    m_table =
        base::rowList(this,
                      {QStringLiteral("Item"), QStringLiteral("Code"), QStringLiteral("Holder"),
                       QStringLiteral("Record"), QStringLiteral("Surname"), QStringLiteral("Name"),
                       QStringLiteral("Team"), QStringLiteral("Date")},
                      0);
    // The columns fit their contents on every refresh; the item takes the spare width.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_table);
    base::onListKey(m_table, Qt::Key_Return, [this] { editRecord(); });
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&New Record"),
                          tr("Adds the record of an item to this set"), [this] { newRecord(); });
    base::addActionButton(buttons, QStringLiteral("&Co-holder"),
                          tr("Adds another holder of the selected record's time"),
                          [this] { addCoHolder(); });
    base::addActionButton(buttons, QStringLiteral("&Edit"),
                          tr("Changes the selected record (Enter)"), [this] { editRecord(); });
    base::addActionButton(buttons, QStringLiteral("&Delete"),
                          tr("Deletes the selected record, after asking"),
                          [this] { deleteRecord(); });
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("C&lose"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(900, 500));
    refresh();
}

void RecordsForm::refresh()
{
    m_rows = m_records.ofSet(m_set.recordSetNo);
    m_table->setRowCount(int(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i) {
        const RecordRow& r = m_rows[i];
        const QStringList cells{m_run.items().ItemDescription(r.itemCode, false),
                                r.itemCode,
                                r.holderTypeText(),
                                r.record,
                                r.holder.surname,
                                r.holder.firstName,
                                r.holder.team,
                                r.holder.date};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
}

std::optional<RecordRow> RecordsForm::selected() const
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows[row];
}

void RecordsForm::newRecord()
{
    RecordDialog dialog(RecordDialog::Mode::NewRecord,
                        QStringLiteral("New Record: ") + m_set.abbreviation, this);
    // A refused record opens the dialog again with what was typed.
    while (dialog.exec() == QDialog::Accepted) {
        if (m_records.NewRecord(m_set.recordSetNo, dialog.itemCode(), dialog.record(),
                                dialog.holder()) > 0) {
            refresh();
            return;
        }
    }
}

void RecordsForm::addCoHolder()
{
    const auto row = selected();
    if (!row) {
        m_run.messages().warning(
            QStringLiteral("The main holder must exist before you can go to \"EditCoHolders\"."));
        return;
    }
    RecordDialog dialog(
        RecordDialog::Mode::CoHolder,
        QStringLiteral("Co-holder: ") + row->itemCode + QStringLiteral("  ") + row->record, this);
    while (dialog.exec() == QDialog::Accepted) {
        if (m_records.addCoHolder(m_set.recordSetNo, row->itemCode, dialog.holder()) > 0) {
            refresh();
            return;
        }
    }
}

void RecordsForm::editRecord()
{
    const auto row = selected();
    if (!row)
        return;
    RecordDialog dialog(RecordDialog::Mode::EditRecord,
                        QStringLiteral("Edit Record: ") + row->itemCode, this);
    dialog.setRecord(row->record);
    dialog.setHolder(row->holder);
    while (dialog.exec() == QDialog::Accepted) {
        if (m_records.editRecord(row->recordNo, dialog.record(), dialog.holder())) {
            refresh();
            return;
        }
    }
}

void RecordsForm::deleteRecord()
{
    const auto row = selected();
    if (!row)
        return;
    if (m_run.messages().confirm(QStringLiteral("Delete the record of ") + row->holder.surname +
                                 QStringLiteral(" (") + row->record + QStringLiteral(")")) &&
        m_records.deleteRecord(row->recordNo))
        refresh();
}

} // namespace records
