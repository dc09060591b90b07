#pragma once

#include "entries/teamsplit.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// "Split Team by Gender": the teams with boys and girls, each with the two teams it will
// become. The selected team, or every team from the selected one onwards, is split.
class TeamSplitForm : public QDialog {
    Q_OBJECT
public:
    TeamSplitForm(base::Run& run, const QList<TeamRow>& teams, QWidget* parent = nullptr);

    void splitSelected();
    void splitOnwards();
    QTableWidget* table() const { return m_table; }

private:
    void fill(const QList<TeamRow>& teams);
    void refresh();

    base::Run& m_run;
    TeamSplit m_split;
    QList<TeamRow> m_rows;
    QTableWidget* m_table;
};

// Asks first, then shows the teams that can be split; nothing when none can.
void openTeamSplit(QWidget* parent, base::Run& run);

} // namespace entries
