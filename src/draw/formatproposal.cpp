#include "draw/formatproposal.h"

#include "base/messages.h"
#include "draw/heatformats.h"
#include "meeting/itemtypes.h"

#include <QStringList>

namespace draw {

namespace {

struct Range {
    int upTo;
    const char* format;
};

// Group 5: sprints; every format fills the next round's heats of eight exactly.
const Range kGroup5[] = {
    {8, ""},
    {16, "2,3,2"},
    {24, "3,2,2"},
    {32, "4,3,4/2,3,2"},
    {40, "5,4,4/3,2,2"},
    {48, "6,3,6/3,2,2"},
    {56, "7,3,3/3,2,2"},
    {64, "8,3,8/4,3,4/2,4,0"},
    {72, "9,3,5/4,3,4/2,4,0"},
    {80, "10,3,2/4,3,4/2,4,0"},
    {88, "11,3,7/5,3,1/2,4,0"},
    {96, "12,3,4/5,3,1/2,4,0"},
    {104, "13,3,9/6,3,6/3,2,2"},
    {112, "14,3,6/6,3,6/3,2,2"},
};

const Range kGroup6[] = {
    {15, ""},
    {16, "2,3,2"},
    {24, "3,2,2"},
    {32, "4,3,4/2,3,2"},
    {40, "5,4,4/3,2,2"},
    {48, "6,3,4/3,2,2"},
    {56, "7,3,3/3,2,2"},
    {64, "8,2,8/3,2,2"},
    {72, "9,3,5/4,3,4/3,2,2"},
    {80, "10,3,2/4,3,4/3,2,2"},
    {88, "11,3,7/5,3,1/3,2,2"},
    {96, "12,3,4/5,3,1/3,2,2"},
    {104, "13,3,9/6,2,4/3,2,2"},
    {112, "14,3,6/6,3,6/3,2,2"},
};

const Range kGroup7[] = {
    {15, ""}, {30, "2,4,4"}, {45, "3,6,6/2,5,2"}, {60, "4,5,4/2,5,2"}, {75, "5,4,4/2,5,2"},
};

const Range kGroup8[] = {
    {19, ""}, {40, "2,5,5"}, {60, "3,8,6/2,6,3"}, {80, "4,6,6/2,6,3"}, {100, "5,5,5/2,6,3"},
};

const Range kGroup9[] = {
    {27, ""},
    {54, "2,8,4"},
    {81, "3,5,5"},
    {108, "4,4,4"},
};

template <std::size_t N> QString lookUp(const Range (&table)[N], int athletes, bool* tooMany)
{
    for (const Range& r : table) {
        if (athletes <= r.upTo)
            return QString::fromLatin1(r.format);
    }
    *tooMany = true;
    return QString();
}

// Step 4 of the rewrite: the qualifying pair the rules accept.
bool acceptable(int places, int times, int heats)
{
    return (places >= 1 && times >= 4 && times - heats > 1) || (places >= 2 && times >= 3) ||
           (places >= 3 && times >= 1) || places >= 4;
}

} // namespace

QString FormatProposal::tableFormat(int group, int athletes, bool* tooMany)
{
    *tooMany = false;
    if (HeatGroups::finalCapacity(group) >= athletes)
        return QString();
    switch (group) {
    case 5:
        return lookUp(kGroup5, athletes, tooMany);
    case 6:
        return lookUp(kGroup6, athletes, tooMany);
    case 7:
        return lookUp(kGroup7, athletes, tooMany);
    case 8:
        return lookUp(kGroup8, athletes, tooMany);
    case 9:
        return lookUp(kGroup9, athletes, tooMany);
    case 10:
    case 11:
    case 12:
        return QStringLiteral("1,0,") + QString::number(HeatGroups::defaultAthletesPerHeat(group));
    default:
        return QString();
    }
}

QString FormatProposal::defaultFormat(const QString& itemCode, int athletes)
{
    const meeting::ItemTypes& items = m_groups.items();
    base::Messages& messages = items.messages();
    int group = m_groups.heatGroupOf(itemCode);
    if (group == 0) {
        messages.internalError(430301, QStringLiteral("Invalid heatgroup: ") + itemCode);
        return QString();
    }
    // Every swim follows the sprint table.
    if (items.isSwimming())
        group = 5;
    if (group == 13 || group < 5) {
        // Combined events need no heats for any field they can have.
        if (HeatGroups::finalCapacity(group) >= athletes)
            return QString();
        messages.internalError(430302, QStringLiteral("Invalid heatgroup"));
        return QString();
    }
    bool tooMany = false;
    const QString format = tableFormat(group, athletes, &tooMany);
    if (tooMany) {
        messages.warning(QStringLiteral("You entered too many athletes (") +
                         QString::number(athletes) + QStringLiteral(") for ") + itemCode);
    }
    return format;
}

QString FormatProposal::autoformat(const QString& itemCode, int athletes)
{
    return autoformat(itemCode, athletes, m_groups.athletesPerHeat(itemCode));
}

QString FormatProposal::autoformat(const QString& itemCode, int athletes, int lanes)
{
    if (lanes < 1)
        lanes = m_groups.athletesPerHeat(itemCode);
    const int heats = (athletes + lanes - 1) / lanes;
    const QString format = defaultFormat(itemCode, heats * 8);
    const meeting::ItemTypes& items = m_groups.items();
    if (items.IsTrackItem(itemCode) && items.TrackDistance(itemCode) <= 400 && lanes != 8)
        return rewriteForLanes(format, lanes, items.messages());
    return format;
}

QString FormatProposal::rewriteForLanes(const QString& format, int lanes, base::Messages& messages)
{
    const std::optional<QList<RoundGroup>> groups = HeatFormats::groups(format);
    if (!groups || groups->isEmpty())
        return format;
    QList<RoundGroup> written;
    int nextHeats = 1;
    for (auto it = groups->crbegin(); it != groups->crend(); ++it) {
        const int h = it->heats;
        if (h < 1)
            return format;
        const int capacity = nextHeats * lanes;
        int places = capacity / h;
        int times = capacity - places * h;
        if (times < 0) {
            messages.warning(QStringLiteral("nTimes<0"));
            if (lanes > 8)
                messages.internalError(
                    430303, QStringLiteral("How does more lanes in times being smaller"));
        }
        while (places > 0 && !acceptable(places, times, h)) {
            times += h;
            --places;
        }
        written.prepend(RoundGroup{h, places, times});
        nextHeats = h;
    }
    return HeatFormats::formatOf(written);
}

} // namespace draw
