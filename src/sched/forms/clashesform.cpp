#include "sched/forms/clashesform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "sched/clashcheck.h"
#include "sched/forms/reportpdf.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sched {

ClashesForm::ClashesForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Analyze Clashes"));
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(QStringLiteral("Check the rests of the swimmers or the intervals of the "
                                        "stations. The worst offenders are listed at the top."),
                         this);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_table = new QTableWidget(0, 0, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table, 1);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("Check &Athletes"),
                          tr("Lists the swimmers with too little rest between their items"),
                          [this] { check(ClashKind::Athletes); });
    base::addActionButton(
        buttons, QStringLiteral("Check S&tations"),
        tr("Lists the stations whose rows follow each other with too little time between"),
        [this] { check(ClashKind::Stations); });
    base::addActionButton(buttons, QStringLiteral("&Print..."), tr("Prints the report shown"),
                          [this] { print(); });
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(1150, 650));
}

bool ClashesForm::check(ClashKind kind)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ClashCheck checker(m_run);
    const bool done =
        kind == ClashKind::Athletes ? checker.checkAthletes() : checker.checkStations();
    QApplication::restoreOverrideCursor();
    if (!done)
        return false;
    showReport(clashReport(m_run, kind, readClashes(m_run, kind)));
    return true;
}

void ClashesForm::showReport(const ReportTable& report)
{
    m_report = report;
    m_title->setText(
        QStringLiteral("<b>") + report.title.toHtmlEscaped() + QStringLiteral("</b>  ") +
        QString::number(report.rows.size()) + QStringLiteral(" pairs, worst first") +
        (report.subtitle.isEmpty() ? QString()
                                   : QStringLiteral("<br>") + report.subtitle.toHtmlEscaped()));
    m_table->clear();
    m_table->setColumnCount(int(report.headers.size()));
    m_table->setHorizontalHeaderLabels(report.headers);
    m_table->setRowCount(int(report.rows.size()));
    const int factorColumn = int(report.headers.size()) - 1;
    for (int r = 0; r < report.rows.size(); ++r) {
        for (int c = 0; c < report.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(report.rows[r][c]);
            if (c >= 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
        // Below the guideline (athletes: under 100 %, stations: under 1) shows red.
        const double factor = report.rows[r].value(factorColumn).toDouble();
        const bool athletes = report.title.startsWith(QLatin1String("Athlete"));
        if (factor < (athletes ? 100.0 : 1.0) - 1e-9) {
            for (int c = 0; c < report.rows[r].size(); ++c)
                m_table->item(r, c)->setForeground(QColor(214, 39, 40));
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
}

bool ClashesForm::printTo(const QString& path)
{
    if (m_report.title.isEmpty()) {
        m_run.messages().warning(QStringLiteral("Check the athletes or the stations first."));
        return false;
    }
    QString error;
    if (!printReportPdf(m_report, path, &error)) {
        m_run.messages().warning(error);
        return false;
    }
    return true;
}

void ClashesForm::print()
{
    if (m_report.title.isEmpty()) {
        m_run.messages().warning(QStringLiteral("Check the athletes or the stations first."));
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Print ") + m_report.title,
        QDir::homePath() + QLatin1Char('/') + m_report.title + QStringLiteral(".pdf"),
        QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && printTo(path))
        m_run.messages().information(QStringLiteral("Printed to ") + path);
}

void openClashes(QWidget* parent, base::Run& run)
{
    ClashesForm form(run, parent);
    form.exec();
}

} // namespace sched
