#include "draw/forms/heatsarefinalsform.h"

#include "base/forms/rowlist.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace draw {

HeatsAreFinalsForm::HeatsAreFinalsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_items(run.items()),
      m_events(*run.database(), m_items, run.currentMeetingNo()), m_finals(m_events)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Heats are finals"));
    m_events.collectSelection();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("When the heats are the finals, no final is run "
                                                "and the heat times are ranked together.\n"
                                                "Space or double-click changes the event."),
                                 this));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Heat format"),
                                        QStringLiteral("Sel"), QStringLiteral("Heats are finals")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Item, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { toggle(); });
    base::onListKey(m_table, Qt::Key_Space, [this] { toggle(); });
    layout->addWidget(m_table, 1);

    auto* bottom = new QHBoxLayout;
    m_showAll = new QCheckBox(QStringLiteral("Show items &without heats"), this);
    connect(m_showAll, &QCheckBox::toggled, this, [this](bool on) { showWithoutHeats(on); });
    bottom->addWidget(m_showAll);
    bottom->addStretch(1);
    auto* change = new QPushButton(QStringLiteral("&Heats are finals / Final is run"), this);
    change->setAutoDefault(false);
    change->setToolTip(tr("Switches the selected event between heats ranked as the final and "
                          "a final that is run"));
    connect(change, &QPushButton::clicked, this, [this] { toggle(); });
    bottom->addWidget(change);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    close->setToolTip(tr("Keeps the choices and closes this screen (Esc)"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    base::resizeWithinDesktop(this, QSize(640, 480));
    refresh();
    m_table->setFocus();
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(0, 0);
}

void HeatsAreFinalsForm::refresh()
{
    const qint64 keep = currentEvent();
    m_rows = m_finals.events(m_withoutHeats);
    m_table->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        const EventRow& e = m_rows[r];
        QString title = m_items.ItemDescription(e.itemCode, false);
        if (!e.description.isEmpty())
            title += QStringLiteral(" - ") + e.description;
        const QStringList values{title, e.formatEdit,
                                 e.selectedEdit ? QStringLiteral("X") : QString(),
                                 e.finalNotRun == 1 ? QStringLiteral("Yes") : QStringLiteral("No")};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(values[c]);
            if (c != Item)
                item->setTextAlignment(Qt::AlignCenter);
            if (!HeatsAreFinals::hasHeats(e))
                item->setForeground(Qt::gray);
            m_table->setItem(r, c, item);
        }
        if (e.eventNo == keep)
            m_table->setCurrentCell(r, 0);
    }
}

qint64 HeatsAreFinalsForm::currentEvent() const
{
    const auto* row = base::currentEntry(m_table, m_rows);
    return row ? row->eventNo : 0;
}

bool HeatsAreFinalsForm::selectEvent(qint64 eventNo)
{
    return base::selectEntry(m_table, m_rows,
                             [eventNo](const auto& row) { return row.eventNo == eventNo; });
}

void HeatsAreFinalsForm::toggle()
{
    if (const qint64 e = currentEvent(); e != 0 && m_finals.toggle(e))
        refresh();
}

void HeatsAreFinalsForm::showWithoutHeats(bool show)
{
    if (show && !m_finals.askShowWithoutHeats())
        show = false;
    const QSignalBlocker block(m_showAll);
    m_showAll->setChecked(show);
    if (show != m_withoutHeats) {
        m_withoutHeats = show;
        refresh();
    }
}

void HeatsAreFinalsForm::done(int result)
{
    m_events.saveSelection();
    QDialog::done(result);
}

void openHeatsAreFinals(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    HeatsAreFinalsForm form(run, parent);
    form.exec();
}

} // namespace draw
