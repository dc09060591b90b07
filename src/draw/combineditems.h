#pragma once

#include "draw/events.h"

#include <QList>
#include <QSet>
#include <QString>

namespace draw {

// One group of events that run together as one race (one item for several ages, or
// several classes), with the slot in the program its events share.
struct CombinedGroup {
    qint64 combinedNo = 0;
    QString name;
    QString groupType;
    int daySeq = 0;
    int seq = 0;
    QString time; // "HH:MM", empty when not set
    QString pit;
    QList<qint64> eventNos;
    QSet<qint64> drawnEventNos; // the events whose athletes have lanes in the group's race
    bool drawn() const { return !drawnEventNos.isEmpty(); }
};

// Creates and takes apart the meeting's combined items: `COMBINED` rows and the
// `MYEVENT.COMBINEDNO` of their events. Every change is one transaction; a refusal says
// why and writes nothing.
class CombinedItems {
public:
    explicit CombinedItems(Events& events);

    // The longest name a group can have.
    static constexpr int kMaxNameLength = 3;

    // A new group of `eventNos` (two or more), named `name` or, when empty, by the
    // lowest number no other group of the meeting uses. The group takes the day, time,
    // sequence and pit of the first event's final and gives them to every event's
    // program rows. Returns the new COMBINEDNO, 0 when refused.
    qint64 combine(const QList<qint64>& eventNos, const QString& name = QString());
    // The event leaves its group (COMBINEDNO back to 0); the group itself stays. Refused
    // while the event's athletes have lanes in the group's race: out of the group they
    // would keep lanes of a race they no longer swim in.
    bool uncombine(qint64 eventNo);
    // Deletes a group that has no events left.
    bool deleteGroup(qint64 combinedNo);

    QList<CombinedGroup> groups();
    // The events that may be put into a new group: selected, without heats, not an
    // n-Athlon's and not in a group yet.
    QList<EventRow> candidates();
    // Why the event cannot go into a new group (an n-Athlon's, with heats, in a group
    // already, or drawn on its own); empty when it can.
    QString refusal(const EventRow& event);
    // The lowest number no group of the meeting is named by.
    QString freeName();

private:
    QString groupTypeOf(const QList<EventRow>& events) const;
    qint64 groupOf(qint64 eventNo);
    QString groupName(qint64 combinedNo);
    // Lanes drawn for the events `where` (a condition on MYEVENT E) selects.
    int drawnLanes(const QString& where);

    Events& m_events;
};

} // namespace draw
