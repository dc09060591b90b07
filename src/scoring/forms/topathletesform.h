#pragma once

#include "scoring/topathletesettings.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace base {
class Run;
}

namespace scoring {

// The top-athletes settings of one league: the performances each age gives, the best of
// the rest, the performances one athlete may give, whether boys and girls are scored apart,
// and the track and field minimums of each age. It edits a copy; the caller stores it.
class TopAthletesForm : public QDialog {
    Q_OBJECT
public:
    TopAthletesForm(const TopAthleteSettings& settings, const QList<int>& ages,
                    QWidget* parent = nullptr);

    TopAthleteSettings settings() const;

    QLineEdit* agesCounts() const { return m_agesCounts; }
    QSpinBox* rest() const { return m_rest; }
    QSpinBox* maxPerAthlete() const { return m_maxPerAthlete; }
    QCheckBox* splitGenders() const { return m_splitGenders; }
    // The minimum of the age's track (0) or field (1) performances.
    QSpinBox* minimum(int age, int group) const;

private:
    TopAthleteSettings m_settings;
    QList<int> m_ages;
    QLineEdit* m_agesCounts;
    QSpinBox* m_rest;
    QSpinBox* m_maxPerAthlete;
    QCheckBox* m_splitGenders;
    QList<QSpinBox*> m_minimums; // track and field of each age in turn
};

// From "Settings: Winners": the league (asked when the meeting has several), its settings
// edited and stored, asked again while the user does not accept them as they are.
void openTopAthleteSettings(QWidget* parent, base::Run& run);

} // namespace scoring
