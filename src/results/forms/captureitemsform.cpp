#include "results/forms/captureitemsform.h"

#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "results/forms/captureactions.h"
#include "results/forms/capturepanel.h"
#include "results/forms/programtable.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

CaptureItemsForm::CaptureItemsForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("During:  Capture  by Item ( Complex ) mode"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(captureTopBar(
        this, [this] { askFindItem(); }, [this] { goToFinal(); }));

    auto* across = new QSplitter(Qt::Horizontal, this);
    m_items = new QListWidget(across);
    auto* right = new QSplitter(Qt::Vertical, across);
    m_program = new QTableWidget(right);
    setUpProgramTable(m_program);
    m_panel = new CapturePanel(run, true, right);
    right->addWidget(m_program);
    right->addWidget(m_panel);
    across->addWidget(m_items);
    across->addWidget(right);
    across->setStretchFactor(1, 3);
    layout->addWidget(across, 1);
    finishCaptureScreen(this, layout, m_panel, {m_items, m_program});

    connect(m_items, &QListWidget::currentRowChanged, this, [this] { showItem(); });
    connect(m_program, &QTableWidget::currentCellChanged, this, [this] { showSelected(); });
    connect(m_panel, &CapturePanel::changed, this, [this] {
        const qint64 keep = currentProgramNo();
        m_rows = eventProgramRows(*m_run.database(), m_run.items(), currentEventNo());
        {
            const QSignalBlocker block(m_program);
            fillProgramTable(m_program, m_rows);
            selectProgramRow(keep);
        }
        followSelection();
    });
    base::resizeWithinDesktop(this, QSize(1250, 800));
    refresh();
    m_listener = new CaptureListener(
        run, [this] { refresh(); }, this);
}

CaptureItemsForm::~CaptureItemsForm() = default;

void CaptureItemsForm::fillItems()
{
    m_finals.clear();
    for (const CaptureProgramRow& row : captureProgramRows(
             *m_run.database(), m_run.items(), m_run.currentMeetingNo(), CaptureOrder::Sequence))
        if (row.isFinal())
            m_finals.append(row);
    const QSignalBlocker block(m_items);
    m_items->clear();
    for (const CaptureProgramRow& row : std::as_const(m_finals))
        m_items->addItem(row.seqAndItem());
}

void CaptureItemsForm::refresh()
{
    const qint64 event = currentEventNo();
    const qint64 program = currentProgramNo();
    fillItems();
    if (event <= 0 || !selectEvent(event)) {
        if (!m_finals.isEmpty())
            m_items->setCurrentRow(0);
    }
    if (event > 0 && currentEventNo() == event) {
        showItem();
        if (program > 0)
            selectProgramRow(program);
    }
    m_panel->refresh();
    followSelection();
}

qint64 CaptureItemsForm::currentEventNo() const
{
    const int r = m_items->currentRow();
    return r >= 0 && r < m_finals.size() ? m_finals[r].eventNo : 0;
}

qint64 CaptureItemsForm::currentProgramNo() const
{
    const int r = m_program->currentRow();
    return r >= 0 && r < m_rows.size() ? m_rows[r].programNo : 0;
}

bool CaptureItemsForm::selectEvent(qint64 eventNo)
{
    for (int r = 0; r < m_finals.size(); ++r) {
        if (m_finals[r].eventNo == eventNo) {
            m_items->setCurrentRow(r);
            return true;
        }
    }
    return false;
}

void CaptureItemsForm::selectProgramRow(qint64 programNo)
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].programNo == programNo) {
            if (m_program->currentRow() != r)
                m_program->selectRow(r);
            return;
        }
    }
}

void CaptureItemsForm::showItem()
{
    m_rows = eventProgramRows(*m_run.database(), m_run.items(), currentEventNo());
    {
        const QSignalBlocker block(m_program);
        fillProgramTable(m_program, m_rows);
        m_program->setCurrentCell(-1, -1);
    }
    if (!m_rows.isEmpty())
        m_program->selectRow(0);
    else
        showSelected();
}

void CaptureItemsForm::followSelection()
{
    const std::optional<CaptureProgramRow>& shown = m_panel->programRow();
    if ((shown ? shown->programNo : 0) != currentProgramNo())
        showSelected();
}

void CaptureItemsForm::showSelected()
{
    const int r = m_program->currentRow();
    if (r >= 0 && r < m_rows.size())
        m_panel->setProgramRow(m_rows[r]);
    else
        m_panel->setProgramRow(std::nullopt);
}

bool CaptureItemsForm::seekSequence(int seq)
{
    for (const CaptureProgramRow& row : std::as_const(m_finals))
        if (row.seq == seq)
            return selectEvent(row.eventNo);
    m_run.messages().warning(QStringLiteral("There is no Item with sequence ") +
                             QString::number(seq));
    return false;
}

void CaptureItemsForm::askFindItem()
{
    QStringList names;
    for (int r = 0; r < m_items->count(); ++r)
        names << m_items->item(r)->text();
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, QStringLiteral("Find Item"),
                                                 QStringLiteral("Item"), names, 0, false, &ok);
    if (ok && names.contains(chosen)) {
        m_items->setCurrentRow(int(names.indexOf(chosen)));
        goToFinal();
    }
}

bool CaptureItemsForm::goToFinal()
{
    for (const CaptureProgramRow& row : std::as_const(m_rows)) {
        if (row.isFinal()) {
            selectProgramRow(row.programNo);
            return true;
        }
    }
    return false;
}

void CaptureItemsForm::keyPressEvent(QKeyEvent* event)
{
    if (!handleCaptureKey(event, m_run, m_panel, [this](int seq) { return seekSequence(seq); }))
        QDialog::keyPressEvent(event);
}

} // namespace results
