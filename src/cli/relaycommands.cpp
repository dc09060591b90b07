// Relay teams and their swimmers from the command line.

#include "cli/cli.h"
#include "cli/entrytarget.h"

#include "db/dmdcoredbs.h"
#include "entries/relaymembers.h"
#include "entries/relayteams.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int relayList(cli::Context& ctx)
{
    const bool byAge = ctx.takeFlag(QStringLiteral("--by-age"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const meeting::ItemTypes items(meeting::editionOf(t.database->applicationCode()),
                                   ctx.messages());
    QJsonArray rows;
    for (const entries::RelayEventRow& r :
         entries::RelayTeams(*t.database, t.settings).relayEvents(byAge)) {
        const QString item = items.ItemDescription(r.event.itemCode, false);
        if (ctx.json) {
            rows.append(QJsonObject{{"eventno", r.event.eventNo},
                                    {"item", item},
                                    {"count", int(r.teams.size())},
                                    {"teams", QJsonArray::fromStringList(r.teams)}});
        } else {
            ctx.out << r.event.eventNo << "\t" << item << "\t" << r.teams.size() << "\t"
                    << r.teams.join(QStringLiteral(", ")) << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int relayAdd(cli::Context& ctx)
{
    const bool force = ctx.takeFlag(QStringLiteral("--force"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const auto team = cli::teamByAbbreviation(ctx, t, ctx.args[0]);
    if (!team)
        return cli::Failed;
    entries::RelayTeams relays(*t.database, t.settings);
    const qint64 eventNo = ctx.args[1].toLongLong();
    const QStringList names =
        ctx.args[2].isEmpty() ? QStringList() : ctx.args[2].split(QLatin1Char(';'));
    if (!relays.setRelayTeams(team->teamNo, eventNo, names, force))
        return cli::Failed;
    for (const entries::RelayTeamRow& r : relays.ofTeam(team->teamNo, eventNo))
        ctx.out << r.athleteNo << "\t" << team->abbreviation << " (" << r.name << ")\n";
    return cli::Success;
}

int relayCreateAll(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const auto [teams, entered] = entries::RelayTeams(*t.database, t.settings).createForAll();
    ctx.printFields({{QStringLiteral("relayteams"), QString::number(teams)},
                     {QStringLiteral("participations"), QString::number(entered)}});
    return cli::Success;
}

// The members of the relay team in the event that the first two words name.
entries::RelayMembers membersOf(const cli::EntryTarget& t, const QString& relayTeam,
                                const QString& event)
{
    return entries::RelayMembers(*t.database, t.meetingNo, relayTeam.toLongLong(),
                                 event.toLongLong());
}

// The members of the relay team that a member row belongs to; empty when there is none.
std::optional<entries::RelayMembers> membersOfRow(cli::Context& ctx, const cli::EntryTarget& t,
                                                  qint64 relayAthleteNo)
{
    auto members = entries::RelayMembers::ofRow(*t.database, t.meetingNo, relayAthleteNo);
    if (!members)
        ctx.messages().warning(QStringLiteral("There is no relay swimmer ") +
                               QString::number(relayAthleteNo));
    return members;
}

QString nameOf(const cli::EntryTarget& t, qint64 athleteNo)
{
    const auto a = entries::Athletes(*t.database, t.settings).find(athleteNo);
    return a ? a->surname.trimmed() + QStringLiteral(", ") + a->firstName.trimmed() : QString();
}

int membersList(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    QJsonArray rows;
    for (const entries::RelayMemberRow& m : membersOf(t, ctx.args[0], ctx.args[1]).list()) {
        const QString name = nameOf(t, m.athleteNo);
        if (ctx.json) {
            rows.append(QJsonObject{{"relayathleteno", m.relayAthleteNo},
                                    {"athleteno", m.athleteNo},
                                    {"kind", m.kind},
                                    {"leg", m.leg},
                                    {"name", name}});
        } else {
            ctx.out << m.relayAthleteNo << "\t" << m.kind << "\t" << m.leg << "\t" << m.athleteNo
                    << "\t" << name << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int membersCandidates(cli::Context& ctx)
{
    const bool anyAge = ctx.takeFlag(QStringLiteral("--any-age"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const QList<entries::AthleteRow> rows =
        membersOf(t, ctx.args[0], ctx.args[1]).candidates(anyAge);
    if (rows.isEmpty()) {
        ctx.messages().information(QStringLiteral("No Athletes available."));
        return cli::Failed;
    }
    for (const entries::AthleteRow& a : rows)
        ctx.out << a.athleteNo << "\t" << a.surname << ", " << a.firstName << "\t" << a.gender
                << "\t" << a.age << "\n";
    return cli::Success;
}

int membersAdd(cli::Context& ctx)
{
    const bool reserve = ctx.takeFlag(QStringLiteral("--reserve"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const qint64 key =
        membersOf(t, ctx.args[0], ctx.args[1])
            .add(ctx.args[2].toLongLong(), reserve ? QStringLiteral("R") : QStringLiteral("F"));
    if (key == 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("relayathleteno"), QString::number(key)}});
    return cli::Success;
}

int membersLeg(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    bool ok = false;
    const int leg = ctx.args[1].toInt(&ok);
    if (!ok)
        return ctx.usageError(QStringLiteral("The leg must be a number"));
    const qint64 row = ctx.args[0].toLongLong();
    auto members = membersOfRow(ctx, t, row);
    return members && members->setLeg(row, leg) ? cli::Success : cli::Failed;
}

int membersSwap(cli::Context& ctx)
{
    const bool reserve = ctx.takeFlag(QStringLiteral("--reserve"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(4))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    return membersOf(t, ctx.args[0], ctx.args[1])
                   .swapLegs(reserve ? QStringLiteral("R") : QStringLiteral("F"),
                             ctx.args[2].toInt(), ctx.args[3].toInt())
               ? cli::Success
               : cli::Failed;
}

int membersRemove(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const qint64 row = ctx.args[0].toLongLong();
    auto members = membersOfRow(ctx, t, row);
    return members && members->remove(row) ? cli::Success : cli::Failed;
}

int relayCheck(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    const QStringList deleted = entries::RelayMembers::checkLinks(*t.database, t.meetingNo);
    for (const QString& line : deleted)
        ctx.out << line << "\n";
    return deleted.isEmpty() ? cli::Success : cli::Failed;
}

const cli::Command relayListCmd("relay list", "[--by-age] [--meeting N]", &relayList);
const cli::Command relayAddCmd("relay add", "TEAMABRV EVENTNO \"A;B\" [--force] [--meeting N]",
                               &relayAdd);
const cli::Command relayCreateAllCmd("relay create-all", "[--meeting N]", &relayCreateAll);
const cli::Command membersListCmd("relay members list", "RELAYTEAMNO EVENTNO", &membersList);
const cli::Command membersCandidatesCmd("relay members candidates",
                                        "RELAYTEAMNO EVENTNO [--any-age]", &membersCandidates);
const cli::Command membersAddCmd("relay members add", "RELAYTEAMNO EVENTNO ATHLETENO [--reserve]",
                                 &membersAdd);
const cli::Command membersLegCmd("relay members leg", "RELAYATHLETENO LEG", &membersLeg);
const cli::Command membersSwapCmd("relay members swap", "RELAYTEAMNO EVENTNO LEG LEG [--reserve]",
                                  &membersSwap);
const cli::Command membersRemoveCmd("relay members remove", "RELAYATHLETENO", &membersRemove);
const cli::Command relayCheckCmd("relay check", "[--meeting N]", &relayCheck);

} // namespace
