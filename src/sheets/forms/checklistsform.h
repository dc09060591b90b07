#pragma once

#include "sheets/checklists.h"

#include <QDialog>

class QPlainTextEdit;
class QTableWidget;

namespace base {
class Run;
}

namespace sheets {

// "List Errors, Hints and Checklists": tick checks, list their findings or print them as
// the report "Errors and Summaries".
class CheckListsForm : public QDialog {
    Q_OBJECT
public:
    explicit CheckListsForm(base::Run& run, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QPlainTextEdit* report() const { return m_report; }
    QList<int> ticked() const;
    void setTicked(int number, bool ticked);

    void selectAll(bool ticked);
    // Runs the ticked checks and shows their lines; the findings.
    QList<CheckFinding> list();
    // Runs them and prints the report (a preview to print from); "Nothing to print" when
    // they found nothing to say.
    void print();

private:
    bool tickable(int number) const;

    base::Run& m_run;
    QTableWidget* m_table = nullptr;
    QPlainTextEdit* m_report = nullptr;
};

void openCheckLists(QWidget* parent, base::Run& run);

} // namespace sheets
