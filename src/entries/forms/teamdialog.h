#pragma once

#include "entries/teams.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace entries {

// "Add Team" / "Edit Team": the name, the abbreviation and the genders. Accept runs the
// checks of Teams and hands the team back for the caller to save; a refusal keeps the
// dialog open on the field at fault.
class TeamDialog : public QDialog {
    Q_OBJECT
public:
    TeamDialog(Teams& teams, const TeamRow& team, QWidget* parent = nullptr);
    // The team as accepted: checked, not yet saved.
    const TeamRow& team() const { return m_team; }

    void accept() override;

private:
    Teams& m_teams;
    TeamRow m_team;
    QLineEdit* m_name;
    QLineEdit* m_abbreviation;
    QCheckBox* m_males;
    QCheckBox* m_females;
};

} // namespace entries
