#pragma once

#include "entries/athletes.h"
#include "entries/participations.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace entries {

// One selected event as the per-item entry lists it.
struct EventEntryRow {
    EventRow event;
    QString heatFormat;
    QString heatCounts;
    bool finalNotRun = false;
    bool relay = false;
    int athletes = 0;
    bool tooFew = false; // more athletes than the first round's heats hold
};

// Whether an event's first round holds too few heats for its athletes: the program area
// knows heat groups and formats and hands this check to the listing.
using HeatShortfallCheck = std::function<bool(const EventEntryRow&)>;

// One participant of an event with its place in the first round.
struct EventParticipant {
    qint64 partNo = 0;
    qint64 athleteNo = 0;
    QString name; // "SURNAME, FIRSTNAME"; for a relay team "ABRV (A)"
    QString team;
    QString best;
    QString number;
    QString birthDate;
    QString callRoom; // "DNC" when the athlete did not report to the call room
    QString round;    // the first round's letter, empty when not drawn
    int heat = 0;     // 0 in a final
    int lane = 0;
};

// Entry per item: the meeting's selected events of one kind (plain or relay) with their
// entries, and the participants of one of them.
class EventEntries {
public:
    enum class Order { Sequence, OrderCode };

    EventEntries(db::DmdCoreDbs& database, const EntrySettings& settings,
                 const meeting::ItemTypes& items);

    // `tooFew` marks the events with too few heats; without it none is marked.
    QList<EventEntryRow> events(bool relays, Order order = Order::Sequence,
                                const HeatShortfallCheck& tooFew = {});
    QList<EventParticipant> participants(qint64 eventNo);

    // The event of the program row with this sequence number, refused (with its message)
    // when there is none or when it is of the other kind than `relays`.
    std::optional<qint64> seekSequence(int sequence, bool relays);
    // Refuses (with its message) an event of the other kind than `relays`.
    bool mayGoTo(const QString& itemCode, bool relays);

    // The meeting's athletes who may be entered into the event: its gender and age (its
    // category when the meeting has categories), of its n-athlon (plain athletes for a
    // plain event), not relay teams, not entered yet; by team and surname.
    QList<AthleteRow> candidates(qint64 eventNo);

private:
    db::DmdCoreDbs& m_db;
    EntrySettings m_settings;
    const meeting::ItemTypes& m_items;
};

} // namespace entries
