#pragma once

#include "entries/teams.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// "4. Teams": the meeting's teams with "X" under Boys and Girls, and their editing.
class TeamsForm : public QDialog {
    Q_OBJECT
public:
    TeamsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    void addTeam();
    void editTeam();
    void deleteTeam();
    void splitTeams();
    void fixNameCase();
    void showNumbers();
    QTableWidget* table() const { return m_table; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 selectedTeam() const;

    base::Run& m_run;
    Teams m_teams;
    QList<TeamRow> m_rows;
    QTableWidget* m_table;
};

// The opener of the main screen's "4. Teams" button.
void openTeams(QWidget* parent, base::Run& run);

} // namespace entries
