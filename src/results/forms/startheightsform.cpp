#include "results/forms/startheightsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

namespace {

constexpr int kHeightColumn = 2;

QTableWidgetItem* readOnly(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

StartHeightsForm::StartHeightsForm(base::Run& run, qint64 eventNo, QWidget* parent)
    : QDialog(parent), m_run(run),
      m_heights(*run.database(), run.items(), run.meeting().meetingNo())
{
    setWindowTitle(QStringLiteral("Starting Heights"));
    purgeOrphanStartHeights(*run.database());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("The first bar of each high jump and pole vault (0.00: not set yet). "
                       "Type the height in its cell."),
        this));
    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Event"), QStringLiteral("Item"), QStringLiteral("Starting Height")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked |
                             QAbstractItemView::AnyKeyPressed);
    layout->addWidget(m_table);
    base::onListKey(m_table, Qt::Key_Return, [this] {
        const int row = m_table->currentRow();
        if (row >= 0)
            m_table->editItem(m_table->item(row, kHeightColumn));
    });
    connect(m_table, &QTableWidget::cellChanged, this, &StartHeightsForm::heightEdited);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    reload();
    const int row = std::max(0, rowOf(eventNo));
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(row, kHeightColumn);
    if (m_rows.isEmpty())
        m_run.messages().information(
            QStringLiteral("There are no high jumps or pole vaults in this meeting."));
    base::resizeWithinDesktop(this, QSize(560, 380));
}

int StartHeightsForm::rowOf(qint64 eventNo) const
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].eventNo == eventNo)
            return r;
    }
    return -1;
}

void StartHeightsForm::reload()
{
    m_filling = true;
    m_rows = m_heights.list();
    m_table->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        m_table->setItem(r, 0, readOnly(QString::number(m_rows[r].eventNo)));
        m_table->setItem(r, 1, readOnly(m_rows[r].description));
        m_table->setItem(r, kHeightColumn, new QTableWidgetItem(m_rows[r].height));
    }
    // The height column keeps the rest of the width.
    m_table->resizeColumnToContents(0);
    m_table->resizeColumnToContents(1);
    m_filling = false;
}

void StartHeightsForm::heightEdited(int row, int column)
{
    if (m_filling || column != kHeightColumn || row < 0 || row >= m_rows.size())
        return;
    const QString typed = m_table->item(row, column)->text();
    if (typed.trimmed() != m_rows[row].height)
        m_heights.set(m_rows[row].eventNo, typed);
    // Stored or refused, the cell shows what is stored now.
    const int current = m_table->currentRow();
    reload();
    m_table->setCurrentCell(current, kHeightColumn);
}

void openStartHeights(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    StartHeightsForm form(run, 0, parent);
    form.exec();
}

} // namespace results
