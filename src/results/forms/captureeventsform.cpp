#include "results/forms/captureeventsform.h"

#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "results/forms/captureactions.h"
#include "results/forms/captureitemsform.h"
#include "results/forms/capturepanel.h"
#include "results/forms/programtable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

CaptureEventsForm::CaptureEventsForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("During:  Capture by Event ( Simplex ) mode"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Order the program by:"), this));
    m_order = new QComboBox(this);
    m_order->addItem(QStringLiteral("Program Sequence"), int(CaptureOrder::Sequence));
    m_order->addItem(QStringLiteral("Item types"), int(CaptureOrder::ItemTypes));
    top->addWidget(m_order);
    top->addLayout(captureTopBar(
                       this, [this] { askFindItem(); }, [this] { goToFinal(); }),
                   1);
    layout->addLayout(top);

    auto* split = new QSplitter(Qt::Vertical, this);
    m_program = new QTableWidget(split);
    setUpProgramTable(m_program);
    m_panel = new CapturePanel(run, false, split);
    split->addWidget(m_program);
    split->addWidget(m_panel);
    layout->addWidget(split, 1);
    finishCaptureScreen(this, layout, m_panel, {m_order, m_program});

    connect(m_program, &QTableWidget::currentCellChanged, this, [this] { showSelected(); });
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_panel, &CapturePanel::changed, this, [this] {
        const qint64 keep = currentProgramNo();
        m_rows = captureProgramRows(*m_run.database(), m_run.items(), m_run.currentMeetingNo(),
                                    CaptureOrder(m_order->currentData().toInt()));
        fillProgram();
        selectProgramRow(keep);
        followSelection();
    });
    base::resizeWithinDesktop(this, QSize(1200, 800));
    refresh();
    m_listener = new CaptureListener(
        run, [this] { refresh(); }, this);
}

CaptureEventsForm::~CaptureEventsForm() = default;

bool CaptureEventsForm::isListening() const
{
    return m_listener && m_listener->isListening();
}

void CaptureEventsForm::refresh()
{
    const qint64 keep = currentProgramNo();
    m_rows = captureProgramRows(*m_run.database(), m_run.items(), m_run.currentMeetingNo(),
                                CaptureOrder(m_order->currentData().toInt()));
    fillProgram();
    if (keep > 0)
        selectProgramRow(keep);
    else if (!m_rows.isEmpty())
        m_program->selectRow(0);
    m_panel->refresh();
    followSelection();
}

void CaptureEventsForm::fillProgram()
{
    const QSignalBlocker block(m_program);
    fillProgramTable(m_program, m_rows);
}

qint64 CaptureEventsForm::currentProgramNo() const
{
    const int r = m_program->currentRow();
    return r >= 0 && r < m_rows.size() ? m_rows[r].programNo : 0;
}

void CaptureEventsForm::selectProgramRow(qint64 programNo)
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].programNo == programNo) {
            if (m_program->currentRow() != r)
                m_program->selectRow(r);
            return;
        }
    }
}

void CaptureEventsForm::followSelection()
{
    const std::optional<CaptureProgramRow>& shown = m_panel->programRow();
    if ((shown ? shown->programNo : 0) != currentProgramNo())
        showSelected();
}

void CaptureEventsForm::showSelected()
{
    const int r = m_program->currentRow();
    if (r >= 0 && r < m_rows.size())
        m_panel->setProgramRow(m_rows[r]);
    else
        m_panel->setProgramRow(std::nullopt);
}

bool CaptureEventsForm::seekSequence(int seq)
{
    for (const CaptureProgramRow& row : std::as_const(m_rows)) {
        if (row.seq == seq) {
            selectProgramRow(row.programNo);
            return true;
        }
    }
    m_run.messages().warning(QStringLiteral("There is no Item with sequence ") +
                             QString::number(seq));
    return false;
}

bool CaptureEventsForm::findItem(qint64 eventNo)
{
    for (const CaptureProgramRow& row : std::as_const(m_rows)) {
        if (row.eventNo == eventNo && row.isFinal()) {
            selectProgramRow(row.programNo);
            return true;
        }
    }
    return false;
}

void CaptureEventsForm::askFindItem()
{
    QStringList names;
    QList<qint64> events;
    for (const CaptureProgramRow& row : std::as_const(m_rows)) {
        if (row.isFinal()) {
            names << row.seqAndItem();
            events << row.eventNo;
        }
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, QStringLiteral("Find Item"),
                                                 QStringLiteral("Item"), names, 0, false, &ok);
    if (ok && names.contains(chosen))
        findItem(events[names.indexOf(chosen)]);
}

bool CaptureEventsForm::goToFinal()
{
    const int r = m_program->currentRow();
    if (r < 0 || r >= m_rows.size())
        return false;
    return findItem(m_rows[r].eventNo);
}

void CaptureEventsForm::keyPressEvent(QKeyEvent* event)
{
    if (!handleCaptureKey(event, m_run, m_panel, [this](int seq) { return seekSequence(seq); }))
        QDialog::keyPressEvent(event);
}

void openCapture(QWidget* parent, base::Run& run, bool complexView,
                 const std::function<void(QWidget*, base::Run&, qint64)>& publisher)
{
    if (complexView) {
        CaptureItemsForm form(run, parent);
        form.panel()->setPublisher(publisher);
        form.exec();
        return;
    }
    CaptureEventsForm form(run, parent);
    form.panel()->setPublisher(publisher);
    form.exec();
}

} // namespace results
