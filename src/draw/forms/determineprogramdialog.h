#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace base {
class Run;
}

namespace draw {

// "Settings: Determine Program": the days of the meeting, the lanes of the pool and
// whether the heats of a round share one sequence number.
class DetermineProgramDialog : public QDialog {
    Q_OBJECT
public:
    DetermineProgramDialog(base::Run& run, QWidget* parent = nullptr);
    void accept() override;

private:
    base::Run& m_run;
    QLineEdit* m_days;
    QSpinBox* m_lanes;
    QCheckBox* m_roundSeqSame;
};

void openDetermineProgram(QWidget* parent, base::Run& run);

// "Settings: Describe Items": how items are grouped and described at this meeting.
void openDescribeItems(QWidget* parent, base::Run& run);

} // namespace draw
