#pragma once

#include "scoring/scoringsettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace base {
class Run;
}

namespace scoring {

// "Settings: Winners": the team score basis, shared places and league tables, the
// deduction for a disqualification, the medals, and the place-points table.
class WinnersForm : public QDialog {
    Q_OBJECT
public:
    WinnersForm(base::Run& run, QWidget* parent = nullptr);

    // The settings as the screen shows them.
    ScoringSettings settings() const;
    // Checks and stores; true when stored (the screen then closes).
    bool save();
    void setMedalBasis(int basis);

    QComboBox* basis() const { return m_basis; }
    QComboBox* medalBasis() const { return m_medalBasis; }
    QLineEdit* deduction() const { return m_deduction; }
    QSpinBox* medalValue(int medal) const { return m_values[medal]; }
    QCheckBox* medalTick(int medal) const { return m_ticks[medal]; }
    QCheckBox* excludeTeams() const { return m_excludeTeams; }
    QPushButton* topAthletesButton() const { return m_topAthletes; }

private:
    base::Run& m_run;
    QComboBox* m_basis;
    QSpinBox* m_places;
    QCheckBox* m_share;
    QCheckBox* m_leagues;
    QLineEdit* m_deduction;
    QComboBox* m_medalBasis;
    QCheckBox* m_ticks[3];
    QSpinBox* m_values[3];
    QCheckBox* m_excludeTeams;
    QPushButton* m_topAthletes;
};

// The opener of "Settings: Winners".
void openWinners(QWidget* parent, base::Run& run);

} // namespace scoring
