#pragma once

#include <QDialog>

namespace shell {
class Run;
}

namespace scoring {

// "9. After": the reports of the meeting's winners and the update of the record sets.
class AfterForm : public QDialog {
    Q_OBJECT
public:
    AfterForm(shell::Run& run, QWidget* parent = nullptr);

    void teamTotals();
    void medals();
    void teamRecords();
    void bestAthletes();
    void topAthletes();

private:
    shell::Run& m_run;
};

void openAfter(QWidget* parent, shell::Run& run);

} // namespace scoring
