#pragma once

#include "sched/clashreport.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace base {
class Run;
}

namespace sched {

// "Analyze Clashes (optional)": runs the athlete or the station check and shows its report,
// worst first, ready to print.
class ClashesForm : public QDialog {
    Q_OBJECT
public:
    ClashesForm(base::Run& run, QWidget* parent = nullptr);

    // Runs the check; false when it was refused (the message was shown).
    bool check(ClashKind kind);
    // Prints the report shown to a PDF file.
    bool printTo(const QString& path);
    QTableWidget* table() const { return m_table; }
    const ReportTable& report() const { return m_report; }

private:
    void showReport(const ReportTable& report);
    void print();

    base::Run& m_run;
    ReportTable m_report;
    QLabel* m_title;
    QTableWidget* m_table;
};

void openClashes(QWidget* parent, base::Run& run);

} // namespace sched
