#pragma once

#include <QString>

namespace draw {

class Events;
class HeatGroups;

// The number of semi-final heats from which the best times go to the final: the simple
// way to give an event heats. Formats with places or more rounds are refused here.
class SimplexEditor {
public:
    SimplexEditor(Events& events, const HeatGroups& groups) : m_events(events), m_groups(groups) {}

    // Whether the event's working format may be edited as semis by times at all.
    bool canEdit(qint64 eventNo);
    // Sets "h,0,<athletes per heat>" for `heatsText` heats, or clears the heats for 0.
    // `checked`: the caller has already asked canEdit().
    bool setHeats(qint64 eventNo, const QString& heatsText, bool heatsAreFinals,
                  bool checked = false);

private:
    Events& m_events;
    const HeatGroups& m_groups;
};

} // namespace draw
