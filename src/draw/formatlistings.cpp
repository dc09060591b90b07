#include "draw/formatlistings.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"
#include "meeting/itemvocabulary.h"

namespace draw {

QString heatGroupName(int group)
{
    static const char* const names[] = {
        "No group", "Swims to 25m", "Swims to 50m",  "Swims to 100m",   "Swims to 200m",
        "Sprints",  "Middle",       "Long to 3000m", "Long to 5000m",   "Long to 10000m",
        "Field",    "High jump",    "Road and walk", "Combined events",
    };
    return QString::fromLatin1(names[group >= 0 && group <= 13 ? group : 0]);
}

namespace formatlistings {

namespace {

// The items of the rules listing with the number of heat sizes shown for each. The
// athletics rules are listed whatever the edition of the run.
struct RuleItem {
    const char* code;
    int steps;
};
const RuleItem kRuleItems[] = {
    {"SHD____100M19", 14}, {"LOD____400M19", 14}, {"LOD___1500M19", 5}, {"LOD___3000M19", 5},
    {"LOD___5000M19", 5},  {"LOD__10000M19", 4},  {"JMPHigh___M19", 2}, {"THRShotputM19", 2},
};

// The item's name without its gender and age.
QString itemName(const meeting::ItemTypes& items, const QString& code)
{
    const QString description = items.ItemDescription(code, false);
    return description.left(description.size() - items.GenderAgeText(code, false).size()).trimmed();
}

QString threeDigits(int n)
{
    return QString::number(n).rightJustified(3, QLatin1Char('0'));
}

} // namespace

QStringList rulesFormats(base::Messages& messages, const meeting::LaneSettings& lanes)
{
    const meeting::ItemTypes items(meeting::Edition::Athletics, messages);
    const HeatGroups groups(items, lanes);
    FormatProposal proposal(groups);
    QStringList lines;
    for (const RuleItem& r : kRuleItems) {
        const QString code = QString::fromLatin1(r.code);
        const int perHeat = groups.athletesPerHeat(code);
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(itemName(items, code) + QStringLiteral(" (") + QString::number(perHeat) +
                     QStringLiteral(" per heat)"));
        for (int k = 1; k <= r.steps; ++k) {
            const int highest = k * perHeat;
            const QString format = proposal.autoformat(code, highest);
            lines.append(threeDigits((k - 1) * perHeat + 1) + QLatin1Char('-') +
                         threeDigits(highest) + QStringLiteral("   |    ") +
                         (format.isEmpty() ? QStringLiteral("final only") : format));
        }
    }
    return lines;
}

QStringList itemGroups(base::Messages& messages)
{
    const meeting::ItemTypes items(meeting::Edition::Athletics, messages);
    const HeatGroups groups(items, meeting::LaneSettings{});
    QStringList lines;
    for (const meeting::vocabulary::Group& g : meeting::vocabulary::groups(items.edition())) {
        const QList<meeting::vocabulary::Type>* types = meeting::vocabulary::typesOf(g.code);
        if (!types)
            continue;
        for (const meeting::vocabulary::Type& t : *types) {
            const QString code = QString::fromLatin1(g.code) + t.code + QStringLiteral("M19");
            const int group = groups.heatGroupOf(code, false);
            lines.append(itemName(items, code).leftJustified(24) +
                         QString::number(group).rightJustified(3) + QStringLiteral("  ") +
                         heatGroupName(group));
        }
    }
    return lines;
}

QStringList meetingTracks(db::DmdCoreDbs& database, const HeatGroups& groups, int meetingNo)
{
    const meeting::ItemTypes& items = groups.items();
    db::Query q = database.openQuery(
        QStringLiteral("select min(ITEMCODE) as ITEMCODE from MYEVENT where MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and SELECTED = 'X' group by substring(ITEMCODE from 1 for 10) "
                       "order by 1"));
    if (q.isEmpty()) {
        items.messages().information(QStringLiteral("No events for this Meeting"));
        return {};
    }
    QStringList lines;
    for (q.first(); !q.eof(); q.next()) {
        const QString code = q.text("ITEMCODE").trimmed();
        if (items.IsTrackItem(code)) {
            lines.append(itemName(items, code) + QStringLiteral(" = ") +
                         QString::number(groups.athletesPerHeat(code)));
        }
    }
    if (lines.isEmpty())
        items.messages().information(QStringLiteral("No track events for this meeting"));
    return lines;
}

QStringList formatErrors(db::DmdCoreDbs& database, const HeatGroups& groups, int meetingNo,
                         bool* cancelled)
{
    const meeting::ItemTypes& items = groups.items();
    base::Messages& messages = items.messages();
    *cancelled = !messages.confirm(
        QStringLiteral("This facility indicates errors based on the\rsaved formats of the "
                       "previous edit session.\rChanges made since the screens for items and "
                       "heats were\ropened are not seen until you leave them.\r\rDo you want "
                       "to continue"));
    if (*cancelled)
        return {};
    const FormatCheck check(groups);
    Events events(database, items, meetingNo);
    QStringList lines;
    for (const EventRow& e : events.list()) {
        if (!e.selected)
            continue;
        const int athletes = std::max(e.athletes, e.estimated);
        const QStringList found = check.check(e.itemCode, e.format, athletes);
        if (found.isEmpty())
            continue;
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(items.ItemDescription(e.itemCode, false) + QStringLiteral("  (") + e.format +
                     QStringLiteral(", ") + QString::number(athletes) +
                     QStringLiteral(" athletes)"));
        lines += found;
    }
    if (lines.isEmpty())
        messages.information(QStringLiteral("The saved formats have no errors"));
    return lines;
}

} // namespace formatlistings

} // namespace draw
