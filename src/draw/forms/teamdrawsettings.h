#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;
class QSpinBox;

namespace base {
class Run;
}

namespace draw {

// "Constant Team Draw Menu": per gender the teams in lane order, lane 1 first.
class ConstantTeamDrawForm : public QDialog {
    Q_OBJECT
public:
    explicit ConstantTeamDrawForm(base::Run& run, QWidget* parent = nullptr);

    QListWidget* lanes() const { return m_lanes; }
    QComboBox* gender() const { return m_gender; }
    void refresh();
    // Asks a team of the gender for a new last lane.
    void addLane();
    void removeLane();
    // Moves the current lane's team one lane up (-1) or down (+1).
    void moveLane(int step);
    void checkLanesUsed();

private:
    QString genderCode() const;

    base::Run& m_run;
    QComboBox* m_gender;
    QListWidget* m_lanes;
};

// "Drawing Patterns": the lanes of the pattern and the teams' numbers per gender.
class PatternDrawForm : public QDialog {
    Q_OBJECT
public:
    explicit PatternDrawForm(base::Run& run, QWidget* parent = nullptr);

    QSpinBox* laneCount() const { return m_laneCount; }
    QListWidget* maleTeams() const { return m_male; }
    QListWidget* femaleTeams() const { return m_female; }
    void refresh();
    void tagTeams();
    // Moves the current team of the list one number up or down.
    void moveTeam(QListWidget* list, int step);
    void renumber();
    void showPattern();

public slots:
    // Closing checks the configuration; errors keep the screen open.
    void accept() override;

private:
    base::Run& m_run;
    QSpinBox* m_laneCount;
    QListWidget* m_male;
    QListWidget* m_female;
};

void openConstantTeamDraw(QWidget* parent, base::Run& run);
void openPatternDraw(QWidget* parent, base::Run& run);

} // namespace draw
