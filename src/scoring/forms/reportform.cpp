#include "scoring/forms/reportform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/reportprinter.h"

#include <algorithm>

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace scoring {

ReportForm::ReportForm(base::Run& run, Report report, QWidget* parent)
    : QDialog(parent), m_run(run), m_report(std::move(report))
{
    setWindowTitle(m_report.title);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(
        QStringLiteral("<b>") + m_report.title.toHtmlEscaped() + QStringLiteral("</b>"), this);
    layout->addWidget(title);
    // What the report is of ("Decathlon 25 Male"), as the paper has it under the title.
    if (!m_report.subtitle.isEmpty())
        layout->addWidget(new QLabel(m_report.subtitle, this));
    m_table = new QTableWidget(0, m_report.shownColumnCount(), this);
    m_table->setHorizontalHeaderLabels(m_report.shownHeaders());
    // Sections with their own columns show their headings under their titles.
    if (!m_report.sectionHeaders.isEmpty())
        m_table->horizontalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The reports number their own places; row numbers would only repeat them.
    m_table->verticalHeader()->hide();
    int row = 0;
    for (qsizetype i = 0; i < m_report.rows.size(); ++i) {
        if (const std::optional<QString> section = m_report.sectionAt(i)) {
            m_table->insertRow(row);
            auto* heading = new QTableWidgetItem(*section);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            m_table->setItem(row, 0, heading);
            m_table->setSpan(row, 0, 1, m_table->columnCount());
            ++row;
        }
        if (const std::optional<QStringList> own = m_report.sectionHeadersAt(i)) {
            m_table->insertRow(row);
            for (int c = 0; c < own->size(); ++c) {
                auto* heading = new QTableWidgetItem(own->at(c));
                QFont bold = heading->font();
                bold.setBold(true);
                heading->setFont(bold);
                m_table->setItem(row, c, heading);
            }
            ++row;
        }
        m_table->insertRow(row);
        const QStringList cells = m_report.shownRow(i);
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
        ++row;
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    for (const QString& note : m_report.notes)
        layout->addWidget(new QLabel(note, this));
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Print"), tr("Prints this report"),
                          [this] { print(); });
    base::addActionButton(
        buttons, QStringLiteral("P&DF..."), tr("Saves this report as a PDF file you name"), [this] {
            const QString path =
                QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), QString(),
                                             QStringLiteral("PDF files (*.pdf)"));
            if (!path.isEmpty())
                savePdf(path);
        });
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("C&lose"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(buttons);
    // Tall enough for every row when the desktop has room: long reports are read, not paged.
    const int rowsHeight = m_table->verticalHeader()->length() +
                           m_table->horizontalHeader()->height() + 2 * m_table->frameWidth();
    base::resizeWithinDesktop(this, QSize(760, std::max(520, rowsHeight + 160)));
}

bool ReportForm::savePdf(const QString& path)
{
    if (printReportToPdf(m_report, m_run.meeting().descriptionText(), path))
        return true;
    m_run.messages().warning(QStringLiteral("Could not write ") + path);
    return false;
}

void ReportForm::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printReport(m_report, m_run.meeting().descriptionText(), printer);
}

} // namespace scoring
