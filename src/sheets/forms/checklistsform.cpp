#include "sheets/forms/checklistsform.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/reportprinter.h"
#include "scoring/report.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace sheets {

namespace {
const int kBusyCheck = 12; // disabled here: it takes long
}

CheckListsForm::CheckListsForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() +
                   QStringLiteral(" :  List Errors, Hints and Checklists"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_table = new QTableWidget(int(checkInfos().size()), 4, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Check"),
                                        QStringLiteral("Kind"), QStringLiteral("When to use")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (const CheckInfo& info : checkInfos()) {
        const int row = info.number - 1;
        auto* number = new QTableWidgetItem(QString::number(info.number));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                         (tickable(info.number) ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
        number->setCheckState(Qt::Unchecked);
        m_table->setItem(row, 0, number);
        m_table->setItem(row, 1, new QTableWidgetItem(info.caption));
        m_table->setItem(row, 2, new QTableWidgetItem(info.kindText));
        m_table->setItem(row, 3, new QTableWidgetItem(info.when));
    }
    m_table->resizeColumnsToContents();
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0 && item->row() + 1 == kBusyCheck &&
            item->checkState() == Qt::Checked) {
            m_run.messages().information(
                QStringLiteral("Check : Athletes of different Competitions participate\rin the "
                               "same Event\r\rThis check has been disabled here, because it "
                               "takes long."));
            item->setCheckState(Qt::Unchecked);
        }
    });
    base::onListKey(m_table, Qt::Key_Space, [this] {
        const int row = m_table->currentRow();
        if (row >= 0)
            setTicked(row + 1, m_table->item(row, 0)->checkState() != Qt::Checked);
    });
    left->addWidget(m_table, 1);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("Select All"), tr("Ticks every check"),
                          [this] { selectAll(true); });
    base::addActionButton(buttons, QStringLiteral("Unselect All"), tr("Unticks every check"),
                          [this] { selectAll(false); });
    base::addActionButton(buttons, QStringLiteral("&List"),
                          tr("Runs the ticked checks and lists what they find beside them"),
                          [this] { list(); });
    base::addActionButton(buttons, QStringLiteral("Print"),
                          tr("Runs the ticked checks and prints what they find"),
                          [this] { print(); });
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    left->addLayout(buttons);
    layout->addLayout(left, 3);
    m_report = new QPlainTextEdit(this);
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_report, 2);
    base::resizeWithinDesktop(this, QSize(1250, 640));
}

bool CheckListsForm::tickable(int number) const
{
    const CheckInfo* info = checkInfo(number);
    return info &&
           (!info->leaguesOnly || m_run.meeting().integer(QStringLiteral("HAS_LEAGUES")) == 1);
}

QList<int> CheckListsForm::ticked() const
{
    QList<int> numbers;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, 0)->checkState() == Qt::Checked)
            numbers << row + 1;
    }
    return numbers;
}

void CheckListsForm::setTicked(int number, bool ticked)
{
    if (!tickable(number) || number < 1 || number > m_table->rowCount())
        return;
    m_table->item(number - 1, 0)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void CheckListsForm::selectAll(bool ticked)
{
    const QSignalBlocker block(m_table);
    for (const CheckInfo& info : checkInfos()) {
        if (info.number != kBusyCheck || !ticked)
            setTicked(info.number, ticked);
    }
}

QList<CheckFinding> CheckListsForm::list()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<CheckFinding> findings = CheckLists(m_run).run(ticked());
    QApplication::restoreOverrideCursor();
    const QStringList lines = reportLines(findings);
    m_report->setPlainText(lines.isEmpty() ? QStringLiteral("Nothing to print")
                                           : QStringLiteral("Errors and Summaries\n\n") +
                                                 lines.join(QLatin1Char('\n')));
    return findings;
}

void CheckListsForm::print()
{
    const QList<CheckFinding> findings = list();
    if (reportLines(findings).isEmpty()) {
        m_run.messages().information(QStringLiteral("Nothing to print"));
        return;
    }
    const scoring::Report report = checksReport(findings);
    const QString meeting = m_run.meeting().description();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.title);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&](QPrinter* target) { scoring::printReport(report, meeting, *target); });
    preview.exec();
}

void openCheckLists(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    CheckListsForm form(run, parent);
    form.exec();
}

} // namespace sheets
