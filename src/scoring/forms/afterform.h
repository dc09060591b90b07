#pragma once

#include <QDialog>

#include <functional>

namespace base {
class Run;
}

namespace scoring {

// "9. After": the reports of the meeting's winners and the update of the record sets.
class AfterForm : public QDialog {
    Q_OBJECT
public:
    AfterForm(base::Run& run, QWidget* parent = nullptr);

    void teamTotals();
    void medals();
    void teamRecords();
    void bestAthletes();
    void topAthletes();
    // The totals, and the interim totals, of the meeting's n-athlon (asks which when there
    // are several).
    void nathlonTotals();
    void nathlonInterim();

private:
    // The total event of the n-athlon the user picks; 0 when none.
    qint64 chooseNathlon(const QString& title);
    base::Run& m_run;
};

// `openCheckLists` adds "Errors and Checklists" (an area above the scores).
void openAfter(QWidget* parent, base::Run& run,
               const std::function<void(QWidget*, base::Run&)>& openCheckLists = {});

} // namespace scoring
