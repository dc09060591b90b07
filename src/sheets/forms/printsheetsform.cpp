#include "sheets/forms/printsheetsform.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "meeting/meetingsettings.h"
#include "results/captureprogram.h"
#include "sheets/forms/distributionform.h"
#include "sheets/forms/lanetimesheetsdialog.h"
#include "sheets/forms/sheetoptionsdialog.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/lanetimesheets.h"
#include "sheets/resultprinting.h"
#include "sheets/sheetoptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sheets {

PrintSheetsForm::PrintSheetsForm(base::Run& run, OutputFactory output, QWidget* parent)
    : QDialog(parent), m_run(run), m_output(std::move(output))
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Print Sheets"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose a heat and print its sheets, or the "
                                                "sheets of its whole round."),
                                 this));
    m_table = new QTableWidget(0, 7, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Day"), QStringLiteral("Seq"),
                                        QStringLiteral("Time"), QStringLiteral("Event"),
                                        QStringLiteral("Heat"), QStringLiteral("Drawn"),
                                        QStringLiteral("Printed")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(m_table, 1);
    m_ignore =
        new QCheckBox(QStringLiteral("Ignore the distribution (one copy of each sheet)"), this);
    layout->addWidget(m_ignore);
    m_toPdf = new QCheckBox(QStringLiteral("Print to a PDF &file (asks for its name)"), this);
    layout->addWidget(m_toPdf);
    auto* grid = new QGridLayout;
    base::addActionButton(grid, 0, 0, QStringLiteral("Print &Heat"),
                          tr("Prints the sheets of the selected heat (Enter)"),
                          [this] { printHeat(); });
    base::addActionButton(grid, 0, 1, QStringLiteral("Print &Round"),
                          tr("Prints the sheets of every heat of the selected round"),
                          [this] { printRound(); });
    base::addActionButton(grid, 0, 2, QStringLiteral("&Lane Timesheets"),
                          tr("Prints a timesheet per lane for the timekeepers"),
                          [this] { printLaneTimesheets(); });
    base::addActionButton(grid, 1, 0, QStringLiteral("&Distribution..."),
                          tr("Opens the list of who gets a copy of each sheet"),
                          [this] { openDistribution(this, m_run); });
    base::addActionButton(grid, 1, 1, QStringLiteral("&Options..."),
                          tr("Opens the options of what the sheets show"), [this] {
                              SheetOptionsDialog options(m_run, QStringLiteral("Sheet options"),
                                                         this);
                              options.exec();
                          });
    base::addActionButton(grid, 0, 3, QStringLiteral("Res&ults"),
                          tr("Prints the result list of the selected heat"),
                          [this] { printResults(); });
    base::addActionButton(grid, 1, 2, QStringLiteral("Close"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(grid);
    base::onListKey(m_table, Qt::Key_Return, [this] { printHeat(); });
    reload();
    base::resizeWithinDesktop(this, QSize(820, 560));
}

void PrintSheetsForm::reload()
{
    const int keep = currentRow();
    const QList<results::CaptureProgramRow> rows =
        results::captureProgramRows(*m_run.database(), m_run.items(), m_run.meeting().meetingNo(),
                                    results::CaptureOrder::Sequence);
    m_rows.clear();
    m_table->setRowCount(0);
    for (const results::CaptureProgramRow& r : rows) {
        if (r.isCalculatedFinal())
            continue;
        const int at = m_table->rowCount();
        m_table->insertRow(at);
        const QStringList cells{QString::number(r.day),
                                QString::number(r.seq),
                                r.time,
                                r.item,
                                r.heatText(),
                                QString::number(r.drawn) + QStringLiteral(" of ") +
                                    QString::number(r.athletes),
                                r.sheetsPrinted ? QStringLiteral("X") : QString()};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(at, c, new QTableWidgetItem(cells[c]));
        m_rows.append({r.eventNo, r.round, r.heatNo});
    }
    m_table->resizeColumnsToContents();
    // Fitting the columns to their texts takes the event's stretch away.
    m_table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    if (!m_rows.isEmpty())
        m_table->selectRow(std::clamp(keep, 0, int(m_rows.size()) - 1));
}

int PrintSheetsForm::currentRow() const
{
    return m_table->currentRow();
}

bool PrintSheetsForm::selectHeat(qint64 eventNo, const QString& round, int heatNo)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].eventNo == eventNo && m_rows[i].round == round &&
            m_rows[i].heatNo == heatNo) {
            m_table->selectRow(i);
            return true;
        }
    }
    return false;
}

std::optional<PrintRequest> PrintSheetsForm::chosenRequest(bool wholeRound)
{
    const int row = currentRow();
    if (row < 0 || row >= m_rows.size()) {
        m_run.messages().warning(QStringLiteral("Choose a heat first."));
        return std::nullopt;
    }
    PrintRequest request;
    request.eventNo = m_rows[row].eventNo;
    request.round = m_rows[row].round;
    request.heatNo = wholeRound ? -1 : m_rows[row].heatNo;
    request.ignoreDistribution = m_ignore->isChecked();
    return request;
}

bool PrintSheetsForm::print(bool wholeRound)
{
    const std::optional<PrintRequest> request = chosenRequest(wholeRound);
    if (!request)
        return false;
    const std::unique_ptr<PageOutput> target = output();
    if (!target)
        return false;
    const int marked = SheetPrinting(m_run).print(*request, *target, [this](const QString& title) {
        SheetOptionsDialog options(m_run, title, this);
        return options.exec() == QDialog::Accepted;
    });
    reload();
    return marked > 0;
}

void PrintSheetsForm::printHeat()
{
    print(false);
}

void PrintSheetsForm::printRound()
{
    print(true);
}

void PrintSheetsForm::printResults()
{
    const std::optional<PrintRequest> request = chosenRequest(false);
    if (!request)
        return;
    if (const std::unique_ptr<PageOutput> target = output())
        ResultPrinting(m_run).print(*request, *target);
    reload();
}

void PrintSheetsForm::printLaneTimesheets()
{
    LaneTimesheetsDialog dialog(m_run, defaultLaneLimits(m_run), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const LaneLimits limits = dialog.limits();
    saveLaneLimits(m_run, limits);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<LaneRow> rows = laneRows(m_run, limits);
    const QList<SheetPage> pages = lanePages(m_run, rows, limits);
    QApplication::restoreOverrideCursor();
    if (pages.isEmpty())
        return;
    if (const std::unique_ptr<PageOutput> target = output())
        target->write(pages);
}

std::unique_ptr<PageOutput> PrintSheetsForm::output()
{
    if (!m_toPdf->isChecked())
        return m_output(this);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Print to a PDF file"),
        QDir::homePath() + QStringLiteral("/Sheets.pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return nullptr;
    return std::make_unique<PdfSheetOutput>(m_run, path);
}

PrintSheetsForm::OutputFactory screenOutput(base::Run& run)
{
    return [&run](QWidget* parent) -> std::unique_ptr<PageOutput> {
        const bool preview = !readSheetOptions(run.meeting()).skipPreview;
        return std::make_unique<ScreenSheetOutput>(run, parent, preview);
    };
}

void openPrintSheets(QWidget* parent, base::Run& run)
{
    PrintSheetsForm form(run, screenOutput(run), parent);
    form.exec();
}

} // namespace sheets
