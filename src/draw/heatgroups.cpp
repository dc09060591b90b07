#include "draw/heatgroups.h"

#include "base/messages.h"
#include "draw/heatformats.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {

struct GroupConstants {
    int finalCapacity;
    int perHeat;
};

// Index 1 to 13; groups 1 to 4 are the short swims.
const GroupConstants kGroups[14] = {
    {0, 0},   {8, 8},   {8, 8},   {8, 8},      {8, 8},     {8, 8},      {15, 8},
    {15, 15}, {19, 19}, {27, 27}, {24, 10000}, {24, 1000}, {10000, 50}, {10000, 10000},
};

bool inList(const QString& list, const QString& group)
{
    return list.contains(QLatin1Char(';') + group + QLatin1Char(';'));
}

} // namespace

int HeatGroups::finalCapacity(int group)
{
    return group >= 1 && group <= 13 ? kGroups[group].finalCapacity : 0;
}

int HeatGroups::defaultAthletesPerHeat(int group)
{
    return group >= 1 && group <= 13 ? kGroups[group].perHeat : 0;
}

int HeatGroups::heatGroupOf(const QString& itemCode, bool reportErrors) const
{
    // Field and combined items have no distance; a swimming meeting that offers them (the
    // standard list of ages) takes their athletics groups.
    if (!m_items.isSwimming() || m_items.IsFieldItem(itemCode))
        return athleticsGroup(itemCode, reportErrors);
    const int d = m_items.TrackDistance(itemCode);
    if (d < 26)
        return 1;
    if (d < 51)
        return 2;
    if (d < 101)
        return 3;
    if (d <= 200)
        return 4;
    return 5;
}

int HeatGroups::athleticsGroup(const QString& itemCode, bool reportErrors) const
{
    auto noGroup = [&](qint64 number, const QString& text) {
        if (reportErrors)
            m_items.messages().internalError(number, text + itemCode);
        return 0;
    };
    const QString group = itemCode.left(3);
    if (group == QLatin1String("NTH"))
        return 13;
    if (itemCode.left(10) == QLatin1String("JMPHigh___"))
        return 11;
    if (inList(QStringLiteral(";JMP;THR;"), group))
        return 10;
    if (inList(QStringLiteral(";WLK;RDR;SLM;"), group))
        return 12;
    if (inList(QStringLiteral(";SHD;LOD;HDL;STP;SCT;KBK;PRM;"), group)) {
        const int d = m_items.TrackDistance(itemCode);
        if (d <= 400)
            return 5;
        if (d <= 800)
            return 6;
        if (d <= 3000)
            return 7;
        if (d <= 5000)
            return 8;
        if (d <= 10000)
            return 9;
        return noGroup(430201, QStringLiteral("Invalid dist:"));
    }
    if (group == QLatin1String("REL") || group == QLatin1String("SRL")) {
        const int d = m_items.TrackDistance(itemCode);
        if (d <= 1600)
            return 6;
        if (d <= 7040)
            return 7;
        return noGroup(430202, QStringLiteral("Invalid dist:"));
    }
    if (group == QLatin1String("XCN") || group == QLatin1String("BIA"))
        return 9;
    return noGroup(430203, QStringLiteral("Invalid group:"));
}

int HeatGroups::laneSetting(const QString& itemCode) const
{
    if (m_items.isSwimming())
        return m_lanes.dolvaneLaneCount;
    const int d = m_items.TrackDistance(itemCode);
    if (d < 111)
        return m_lanes.track110;
    if (d < 211)
        return m_lanes.track200;
    if (d < 411)
        return m_lanes.track400;
    if (d < 811)
        return m_lanes.long800;
    if (d < 1511)
        return m_lanes.long1500;
    if (d < 3011)
        return m_lanes.long3000;
    if (d < 5011)
        return m_lanes.long5000;
    if (m_items.IsRelayGroup(itemCode.left(3)) &&
        m_items.RelayLegs(itemCode).section(QLatin1Char('x'), 1).toInt() == 400)
        return m_lanes.track400;
    return 0;
}

int HeatGroups::athletesPerHeat(const QString& itemCode) const
{
    if (m_items.IsFieldItem(itemCode))
        return 99;
    const int setting = laneSetting(itemCode);
    if (setting >= 1)
        return setting;
    const int group = heatGroupOf(itemCode);
    if (group < 1) {
        m_items.messages().internalError(430204,
                                         QStringLiteral("HeatGroup not defined:") + itemCode);
        return 1000;
    }
    return defaultAthletesPerHeat(group);
}

int HeatGroups::heatsNeeded(const QString& itemCode, int athletes) const
{
    const int perHeat = athletesPerHeat(itemCode);
    return perHeat > 0 ? (athletes + perHeat - 1) / perHeat : 0;
}

int HeatGroups::heatShortfall(const QString& itemCode, const QString& format, int athletes) const
{
    if (m_items.IsFieldItem(itemCode))
        return 0;
    HeatFormats formats(m_items.messages());
    return heatsNeeded(itemCode, athletes) - formats.heatsOfFirstRound(format);
}

entries::HeatShortfallCheck tooFewHeatsCheck(const meeting::ItemTypes& items,
                                             const meeting::LaneSettings& lanes)
{
    return [groups = HeatGroups(items, lanes)](const entries::EventEntryRow& row) {
        return !groups.items().IsFieldItem(row.event.itemCode) &&
               groups.heatShortfall(row.event.itemCode, row.heatFormat, row.athletes) > 0;
    };
}

} // namespace draw
