#pragma once

#include "scoring/report.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace scoring {

// A report on screen, with printing to a printer or a PDF file.
class ReportForm : public QDialog {
    Q_OBJECT
public:
    ReportForm(base::Run& run, Report report, QWidget* parent = nullptr);

    // Prints to the PDF file; false (after the warning) when it cannot be written.
    bool savePdf(const QString& path);
    void print();
    QTableWidget* table() const { return m_table; }

private:
    base::Run& m_run;
    Report m_report;
    QTableWidget* m_table;
};

} // namespace scoring
