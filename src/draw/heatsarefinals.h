#pragma once

#include "draw/events.h"

namespace draw {

// "Heats are finals": events whose first-round heats are their final, the heat times
// ranked together. Works on the working copies like the other item screens.
class HeatsAreFinals {
public:
    explicit HeatsAreFinals(Events& events) : m_events(events) {}

    static bool hasHeats(const EventRow& event);

    // The events with heats (every event with `withoutHeats`); none is told.
    QList<EventRow> events(bool withoutHeats);
    // Whether the user wants the events without heats shown too.
    bool askShowWithoutHeats();
    bool toggle(qint64 eventNo);

private:
    Events& m_events;
};

} // namespace draw
