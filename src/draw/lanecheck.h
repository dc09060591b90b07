#pragma once

#include <QString>

namespace draw {

class HeatGroups;

// Asked before athletes are drawn into heats: when the heats would hold more athletes
// than the item has lanes, the user decides whether to draw anyway. Field items and
// items without a lane setting always pass. True to go on with the draw.
bool laneCheckBeforeDraw(const HeatGroups& groups, const QString& itemCode, int athletes,
                         int heats);

} // namespace draw
