// The entries of a meeting per event and per swimmer from the command line.

#include "cli/cli.h"
#include "cli/entrytarget.h"

#include "db/dmdcoredbs.h"
#include "draw/heatgroups.h"
#include "entries/evententries.h"
#include "entries/participations.h"
#include "entries/relayteams.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

meeting::ItemTypes itemsOf(cli::Context& ctx, const cli::EntryTarget& t)
{
    return meeting::ItemTypes(meeting::editionOf(t.database->applicationCode()), ctx.messages());
}

int entryEvents(cli::Context& ctx)
{
    const bool relays = ctx.takeFlag(QStringLiteral("--relays"));
    const QString order = ctx.takeOption(QStringLiteral("--order"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!order.isEmpty() && order != QLatin1String("seq") && order != QLatin1String("code"))
        return ctx.usageError(QStringLiteral("--order is seq or code"));
    if (!t.ok())
        return cli::Failed;
    const meeting::ItemTypes items = itemsOf(ctx, t);
    entries::EventEntries events(*t.database, t.settings, items);
    QJsonArray rows;
    for (const entries::EventEntryRow& e :
         events.events(relays,
                       order == QLatin1String("code") ? entries::EventEntries::Order::OrderCode
                                                      : entries::EventEntries::Order::Sequence,
                       draw::tooFewHeatsCheck(items, t.settings.lanes))) {
        const QString item = items.ItemDescription(e.event.itemCode, false);
        if (ctx.json) {
            rows.append(QJsonObject{{"eventno", e.event.eventNo},
                                    {"seq", e.event.sequence},
                                    {"item", item},
                                    {"athletes", e.athletes},
                                    {"heatformat", e.heatFormat},
                                    {"toofew", e.tooFew}});
        } else {
            ctx.out << e.event.eventNo << "\t" << e.event.sequence << "\t" << item << "\t"
                    << e.athletes << "\t" << e.heatFormat << "\t"
                    << (e.tooFew ? "too few heats" : "") << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int entryList(cli::Context& ctx)
{
    const QString event = ctx.takeOption(QStringLiteral("--event"));
    const QString athlete = ctx.takeOption(QStringLiteral("--athlete"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (event.isEmpty() == athlete.isEmpty())
        return ctx.usageError(QStringLiteral("Give either --event or --athlete"));
    if (!t.ok())
        return cli::Failed;
    const meeting::ItemTypes items = itemsOf(ctx, t);
    QJsonArray rows;
    if (!athlete.isEmpty()) {
        entries::Participations participations(*t.database, t.settings);
        for (const entries::AthleteEntry& e : participations.entriesOf(athlete.toLongLong())) {
            const QString item = items.ItemDescription(e.itemCode, false);
            if (ctx.json) {
                rows.append(QJsonObject{{"partno", e.partNo},
                                        {"eventno", e.eventNo},
                                        {"item", item},
                                        {"best", e.best}});
            } else {
                ctx.out << e.partNo << "\t" << e.eventNo << "\t" << item << "\t" << e.best << "\n";
            }
        }
    } else {
        entries::EventEntries events(*t.database, t.settings, items);
        for (const entries::EventParticipant& p : events.participants(event.toLongLong())) {
            const QString heat = p.round.isEmpty()
                                     ? QString()
                                     : p.round + QLatin1Char(' ') + QString::number(p.heat) +
                                           QStringLiteral(" lane ") + QString::number(p.lane);
            if (ctx.json) {
                rows.append(QJsonObject{{"partno", p.partNo},
                                        {"athleteno", p.athleteNo},
                                        {"name", p.name},
                                        {"team", p.team},
                                        {"best", p.best},
                                        {"number", p.number},
                                        {"round", p.round},
                                        {"heat", p.heat},
                                        {"lane", p.lane}});
            } else {
                ctx.out << p.partNo << "\t" << p.athleteNo << "\t" << p.name << "\t" << p.team
                        << "\t" << p.best << "\t" << p.number << "\t" << heat << "\n";
            }
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int entryRemove(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const entries::EntrySettings settings = t.settings;
    const qint64 athleteNo = ctx.args[0].toLongLong();
    const qint64 eventNo = ctx.args[1].toLongLong();
    const auto athlete = entries::Athletes(*t.database, settings).find(athleteNo);
    // A relay team leaves with its swimmers of that relay.
    const bool removed =
        athlete && athlete->isRelayTeam()
            ? entries::RelayTeams(*t.database, settings).remove(athleteNo, eventNo)
            : entries::Participations(*t.database, settings).remove(athleteNo, eventNo);
    return removed ? cli::Success : cli::Failed;
}

int entryBest(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    return entries::Participations(*t.database, t.settings)
                   .setBest(ctx.args[0].toLongLong(), ctx.args[1])
               ? cli::Success
               : cli::Failed;
}

const cli::Command entryEventsCmd("entry events", "[--relays] [--order seq|code] [--meeting N]",
                                  &entryEvents);
const cli::Command entryListCmd("entry list", "--event EVENTNO | --athlete ATHLETENO", &entryList);
const cli::Command entryRemoveCmd("entry remove", "ATHLETENO EVENTNO [--meeting N]", &entryRemove);
const cli::Command entryBestCmd("entry best", "PARTNO PERF [--meeting N]", &entryBest);

} // namespace
