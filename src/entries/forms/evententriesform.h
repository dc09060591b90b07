#pragma once

#include "entries/evententries.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace meeting {
class ItemTypes;
}
namespace base {
class Run;
}

namespace entries {

// "Participation per Item": the selected events of one kind (plain or relay) with their
// entries, and the swimmers of the highlighted event. From here swimmers are entered
// (existing or new), edited, removed from the event and given their best times.
class EventEntriesForm : public QDialog {
    Q_OBJECT
public:
    // `tooFew` marks events with too few heats in the "Check" column (none without it).
    EventEntriesForm(base::Run& run, QWidget* parent = nullptr, HeatShortfallCheck tooFew = {});
    ~EventEntriesForm() override;

    void setRelayMode(bool relays);
    void refresh();
    void selectEvent(int row);
    // "Seek Sequence": jumps to the event of the program row with this sequence.
    bool seek(int sequence);
    // Enters the highlighted swimmer of the candidates list, asking for the best time.
    void enterCandidate();
    void newSwimmer();
    void editSwimmer();
    void removeFromEvent();
    void editBest();

    QTableWidget* eventTable() const { return m_eventTable; }
    QTableWidget* entryTable() const { return m_entryTable; }
    QListWidget* candidateList() const { return m_candidates; }

private:
    qint64 currentEvent() const;
    const EventParticipant* currentParticipant() const;
    void showEntries();

    base::Run& m_run;
    EntrySettings m_settings;
    std::unique_ptr<meeting::ItemTypes> m_items;
    EventEntries m_events;
    HeatShortfallCheck m_tooFew;
    bool m_relays = false;
    QList<EventEntryRow> m_eventRows;
    QList<EventParticipant> m_entryRows;
    QList<AthleteRow> m_candidateRows;
    QComboBox* m_mode;
    QComboBox* m_order;
    QLineEdit* m_seek;
    QLabel* m_hidden;
    QTableWidget* m_eventTable;
    QTableWidget* m_entryTable;
    QListWidget* m_candidates;
    QPushButton* m_enterButton = nullptr;
    QPushButton* m_newButton = nullptr;
};

// Opens "Participation per Item" over the current meeting.
void openEventEntries(QWidget* parent, base::Run& run, const HeatShortfallCheck& tooFew = {});

} // namespace entries
