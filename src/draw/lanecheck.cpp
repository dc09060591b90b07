#include "draw/lanecheck.h"

#include "base/messages.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"

#include <algorithm>

namespace draw {

bool laneCheckBeforeDraw(const HeatGroups& groups, const QString& itemCode, int athletes, int heats)
{
    const meeting::ItemTypes& items = groups.items();
    if (items.IsFieldItem(itemCode))
        return true;
    const int lanes = groups.laneSetting(itemCode);
    const int perHeat = (athletes + std::max(heats, 1) - 1) / std::max(heats, 1);
    if (lanes < 1 || perHeat <= lanes)
        return true;
    return items.messages().confirm(
        QStringLiteral("The heats available for ") + items.ItemDescription(itemCode, false) +
        QStringLiteral(" is ") + QString::number(lanes) +
        QStringLiteral(",\rbut the number of Athletes require ") + QString::number(perHeat) +
        QStringLiteral(".\rDo you want to draw anyway"));
}

} // namespace draw
