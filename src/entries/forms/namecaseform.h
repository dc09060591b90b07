#pragma once

#include "entries/namecase.h"
#include "entries/teams.h"

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QRadioButton;

namespace base {
class Run;
}

namespace entries {

// Converting the case of names: "One Team at a time" (the chosen team) or "All Teams in one
// go". The names in the wrong case are listed as they stand; "Correct" asks and corrects.
class NameCaseForm : public QDialog {
    Q_OBJECT
public:
    NameCaseForm(base::Run& run, qint64 teamNo, QWidget* parent = nullptr);

    void showNames();
    void correct();
    void chooseAllTeams(bool all);
    void chooseTeam(int index);
    QString listing() const;

private:
    qint64 chosenTeam() const;

    base::Run& m_run;
    NameCase m_names;
    QList<TeamRow> m_teams;
    QRadioButton* m_oneTeam;
    QRadioButton* m_allTeams;
    QComboBox* m_team;
    QPlainTextEdit* m_list;
};

void openNameCase(QWidget* parent, base::Run& run, qint64 teamNo);

} // namespace entries
