#pragma once

#include "entries/relayteams.h"
#include "entries/teams.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QListWidget;
class QTableWidget;

namespace meeting {
class ItemTypes;
}
namespace base {
class Run;
}

namespace entries {

// "Relays": the selected relay events with the relay teams entered in them. A team's relay
// teams for the highlighted event are given as names ("A;B"); the swimmers of a relay team
// are chosen on the "Relay athletes" screen.
class RelayTeamsForm : public QDialog {
    Q_OBJECT
public:
    RelayTeamsForm(base::Run& run, QWidget* parent = nullptr);
    ~RelayTeamsForm() override;

    void refresh();
    // Asks for the highlighted team's relay-team names in the highlighted event.
    void editTeamRelays();
    void createForAll();
    void openMembers();
    void checkLinks();

    QTableWidget* eventTable() const { return m_eventTable; }
    QListWidget* teamList() const { return m_teamList; }

private:
    qint64 currentEvent() const;

    base::Run& m_run;
    EntrySettings m_settings;
    std::unique_ptr<meeting::ItemTypes> m_items;
    RelayTeams m_relays;
    QList<RelayEventRow> m_eventRows;
    QList<TeamRow> m_teamRows;
    QComboBox* m_order;
    QTableWidget* m_eventTable;
    QListWidget* m_teamList;
};

// The opener of the "Relays" button: says why when there is nothing to enter.
void openRelayTeams(QWidget* parent, base::Run& run);

} // namespace entries
