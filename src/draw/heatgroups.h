#pragma once

#include "entries/evententries.h"
#include "meeting/lanesettings.h"

#include <QString>

namespace meeting {
class ItemTypes;
}

namespace draw {

// The heat group of an item (1 to 13; 0 none) picks the default table of formats and the
// default athletes per heat; the meeting's lane settings give the capacity of one heat.
class HeatGroups {
public:
    HeatGroups(const meeting::ItemTypes& items, meeting::LaneSettings lanes)
        : m_items(items), m_lanes(lanes)
    {
    }

    const meeting::ItemTypes& items() const { return m_items; }
    const meeting::LaneSettings& lanes() const { return m_lanes; }

    // Items outside every group are internal errors unless `reportErrors` is false (the
    // listing of every item shows them as having no group).
    int heatGroupOf(const QString& itemCode, bool reportErrors = true) const;
    // Athletes that need no heats, and the default heat size, of a group (1 to 13).
    static int finalCapacity(int group);
    static int defaultAthletesPerHeat(int group);

    // The meeting's setting for the item's distance, before any default (0 when unset).
    int laneSetting(const QString& itemCode) const;
    // The capacity of one heat of the item.
    int athletesPerHeat(const QString& itemCode) const;
    int heatsNeeded(const QString& itemCode, int athletes) const;
    // Heats needed minus the first round's heats: above 0 too few, below 0 too many.
    int heatShortfall(const QString& itemCode, const QString& format, int athletes) const;

private:
    int athleticsGroup(const QString& itemCode, bool reportErrors) const;

    const meeting::ItemTypes& m_items;
    meeting::LaneSettings m_lanes;
};

// The check of the per-item entry listing: a running item whose first round holds fewer
// heats than its athletes need.
entries::HeatShortfallCheck tooFewHeatsCheck(const meeting::ItemTypes& items,
                                             const meeting::LaneSettings& lanes);

} // namespace draw
