#pragma once

#include "entries/athletenumbers.h"
#include "entries/athletes.h"
#include "entries/evententries.h"
#include "entries/participations.h"
#include "entries/teams.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// "Prepare Athletes" (swimmers in this edition): the teams, the selected team's swimmers
// and relay teams, and the selected swimmer's entries with best times. From here swimmers
// are added, edited and deleted, entered into events, renumbered and imported.
class AthletesForm : public QDialog {
    Q_OBJECT
public:
    // `tooFew` goes to "Participation per Item" (see EventEntriesForm).
    AthletesForm(base::Run& run, QWidget* parent = nullptr, HeatShortfallCheck tooFew = {});

    void refresh();
    void selectTeam(int row);
    void selectAthlete(int row);
    void addAthlete();
    void editAthlete();
    void deleteAthlete();
    void enterItem();
    void removeItem();
    // "Edit best": the best time of the highlighted entry, through the check of every
    // performance.
    void editBest();
    void showNumbers();
    void importFile();
    void perItem();
    void relays();
    // "Find highest number" over the meeting's numbers.
    void findHighestNumber();

    QComboBox* orderChoice() const { return m_order; }
    QCheckBox* autoNumberChoice() const { return m_autoNumber; }
    QTableWidget* athleteTable() const { return m_athleteTable; }
    QTableWidget* entryTable() const { return m_entryTable; }
    QListWidget* teamList() const { return m_teamList; }
    const AutoNumbering& autoNumbering() const { return m_autoNumbering; }

private:
    qint64 currentTeam() const;
    qint64 currentAthlete() const;

    base::Run& m_run;
    HeatShortfallCheck m_tooFew;
    EntrySettings m_settings;
    Teams m_teams;
    Athletes m_athletes;
    Participations m_entries;
    AthleteNumbers m_numbers;
    AutoNumbering m_autoNumbering;
    QList<TeamRow> m_teamRows;
    QList<AthleteRow> m_athleteRows;
    QList<EventRow> m_entryRows;
    QListWidget* m_teamList;
    QTableWidget* m_athleteTable;
    QTableWidget* m_entryTable;
    QComboBox* m_order;
    QCheckBox* m_autoNumber;
};

// The opener of the main screen's "5. Athletes" button.
// `openCheckLists` adds "Errors and Checklists" (an area above the entries).
void openAthletes(QWidget* parent, base::Run& run, const HeatShortfallCheck& tooFew = {},
                  const std::function<void(QWidget*, base::Run&)>& openCheckLists = {});

} // namespace entries
