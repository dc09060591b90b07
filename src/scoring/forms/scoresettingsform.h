#pragma once

#include "scoring/scoresetchoice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace base {
class Run;
}

namespace scoring {

// "Settings: Scores and Points": the score table of the events and whether every event is
// scored, the score table of the n-athlon components, the height above sea and the timing.
class ScoresSettingsForm : public QDialog {
    Q_OBJECT
public:
    ScoresSettingsForm(base::Run& run, QWidget* parent = nullptr);

    // The choice as the screen shows it.
    ScoreSetChoice choice() const;
    // Checks and stores; true when stored (the screen then closes).
    bool save();

    QComboBox* scoreSet() const { return m_scoreSet; }
    QComboBox* nAthlonSet() const { return m_nAthlonSet; }
    QCheckBox* tableScore() const { return m_tableScore; }
    QLineEdit* height() const { return m_height; }
    QCheckBox* handTiming() const { return m_hand; }
    QCheckBox* mastersItems() const { return m_masters; }

private:
    base::Run& m_run;
    QComboBox* m_scoreSet;
    QCheckBox* m_tableScore;
    QComboBox* m_nAthlonSet;
    QLineEdit* m_height;
    QCheckBox* m_hand;
    QCheckBox* m_masters;
};

// The opener of "Settings: Scores and Points".
void openScoresSettings(QWidget* parent, base::Run& run);

} // namespace scoring
