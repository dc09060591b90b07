// Heat formats on their own: proposals by number of swimmers, what a format means, the
// checks of a meeting's formats and the listings of the rules.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "draw/events.h"
#include "draw/formatcheck.h"
#include "draw/formatlistings.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"
#include "meeting/lanesettings.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int formatPropose(cli::Context& ctx)
{
    const QString lanesText = ctx.takeOption(QStringLiteral("--lanes"));
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const qint64 count = cli::DrawCli::number(ctx, ctx.args[1], QStringLiteral("COUNT"));
    if (count == 0)
        return cli::WrongCommandLine;
    int lanes = 8;
    if (!lanesText.isEmpty()) {
        lanes = int(cli::DrawCli::number(ctx, lanesText, QStringLiteral("--lanes")));
        if (lanes == 0)
            return cli::WrongCommandLine;
    }
    const QString code = ctx.args[0].trimmed();
    if (code.size() < 13)
        return ctx.usageError(QStringLiteral("ITEMCODE is not an item code"));
    const meeting::ItemTypes& items = ctx.run().items();
    meeting::LaneSettings settings;
    settings.dolvaneLaneCount = lanes;
    settings.track110 = settings.track200 = settings.track400 = lanes;
    draw::HeatGroups groups(items, settings);
    const QString format = draw::FormatProposal(groups).autoformat(code, int(count), lanes);
    ctx.printFields({{QStringLiteral("item"), items.ItemDescription(code, false)},
                     {QStringLiteral("athletes"), QString::number(count)},
                     {QStringLiteral("lanes"), QString::number(groups.athletesPerHeat(code))},
                     {QStringLiteral("heatformat"), format},
                     {QStringLiteral("heatcounts"), draw::HeatFormats::heatCountsText(format)}});
    return cli::Success;
}

int formatDescribe(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QString format = ctx.args[0].trimmed();
    const QString error = draw::FormatCheck::textError(format);
    if (!error.isEmpty()) {
        ctx.messages().warning(error);
        return cli::Failed;
    }
    if (draw::HeatFormats::roundCount(format) > 3)
        return ctx.usageError(QStringLiteral("FORMAT has at most three rounds before the final"));
    base::Messages& messages = ctx.messages();
    draw::HeatFormats formats(messages);
    QJsonArray rounds;
    QString round = draw::HeatFormats::firstRound(format);
    while (!round.isEmpty()) {
        const draw::RoundParameters p = formats.roundParameters(format, round);
        const bool first = round == draw::HeatFormats::firstRound(format);
        const int athletes = first ? -1 : formats.athletesInRound(format, round);
        const QString athletesText = first ? QStringLiteral("all") : QString::number(athletes);
        if (ctx.json) {
            QJsonObject o{
                {"round", round},
                {"name", draw::roundName(format, round)},
                {"heats", p.heats},
                {"athletes", first ? QJsonValue(QStringLiteral("all")) : QJsonValue(athletes)}};
            if (!first) {
                o.insert("byPlace", p.entryPlaces);
                o.insert("byTime", p.entryTimes);
            }
            rounds.append(o);
        } else {
            ctx.out << "Round " << round << " (" << draw::roundName(format, round)
                    << "): " << p.heats << (p.heats == 1 ? " heat" : " heats") << ", athletes "
                    << athletesText;
            if (!first)
                ctx.out << " (first " << p.entryPlaces << " of each heat + " << p.entryTimes
                        << " fastest)";
            ctx.out << "\n";
        }
        if (round == QLatin1String("F"))
            break;
        round = draw::nextRound(format, round, messages);
    }
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"format", format},
                                  {"heatcounts", draw::HeatFormats::heatCountsText(format)},
                                  {"rounds", rounds}});
    } else {
        ctx.out << "Heat counts: " << draw::HeatFormats::heatCountsText(format) << "\n";
    }
    return cli::Success;
}

// Lines as the list windows show them: "\r" breaks become lines.
void printLines(cli::Context& ctx, const QStringList& lines)
{
    for (const QString& line : lines)
        ctx.out << QString(line).replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
    ctx.out.flush();
}

// One event: the lane and athlete check of its saved format. Without an event: the
// meeting's heat counts against its entries.
int formatCheck(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() > 1)
        return ctx.usageError();
    qint64 eventNo = 0;
    if (ctx.args.size() == 1) {
        eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
        if (eventNo == 0)
            return cli::WrongCommandLine;
    }
    if (!draw.ready())
        return cli::Failed;
    const draw::HeatGroups groups = draw.groups();
    const draw::FormatCheck check(groups);
    if (eventNo == 0) {
        const draw::FormatCheck::MeetingReport report =
            check.checkMeeting(draw.database(), draw.meetingNo());
        if (ctx.json) {
            ctx.printJson(QJsonObject{{"errors", report.errors},
                                      {"hints", report.hints},
                                      {"correct", report.correct},
                                      {"lines", QJsonArray::fromStringList(report.lines)}});
        } else {
            ctx.out << "Heatcounts for Items\n\n";
            printLines(ctx, {report.text()});
        }
        return report.passed() ? cli::Success : cli::Failed;
    }
    draw::Events events = draw.events();
    const draw::EventRow e = events.event(eventNo);
    if (e.eventNo == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return cli::Failed;
    }
    const int athletes = std::max(e.athletes, e.estimated);
    const QStringList lines = check.check(e.itemCode, e.format, athletes);
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"eventno", e.eventNo},
                                  {"heatformat", e.format},
                                  {"athletes", athletes},
                                  {"perheat", groups.athletesPerHeat(e.itemCode)},
                                  {"lines", QJsonArray::fromStringList(lines)}});
    } else {
        ctx.out << events.eventTitle(eventNo) << ": "
                << (e.format.isEmpty() ? QStringLiteral("final only") : e.format) << ", "
                << athletes << " athletes, " << groups.athletesPerHeat(e.itemCode) << " per heat\n";
        printLines(ctx, lines.isEmpty() ? QStringList{QStringLiteral("No errors")} : lines);
    }
    return lines.isEmpty() ? cli::Success : cli::Failed;
}

int formatListing(cli::Context& ctx)
{
    if (ctx.args.value(0) == QLatin1String("groups")) {
        ctx.takeOption(QStringLiteral("--meeting"));
        if (!ctx.expectArgs(1))
            return cli::WrongCommandLine;
        ctx.out << draw::formatlistings::kGroupsTitle << "\n\n";
        printLines(ctx, draw::formatlistings::itemGroups(ctx.messages()));
        return cli::Success;
    }
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QString which = ctx.args[0];
    if (which != QLatin1String("rules") && which != QLatin1String("tracks") &&
        which != QLatin1String("errors"))
        return ctx.usageError(QStringLiteral("Which listing: rules, groups, tracks or errors"));
    if (!draw.ready())
        return cli::Failed;
    const draw::HeatGroups groups = draw.groups();
    namespace listings = draw::formatlistings;
    if (which == QLatin1String("rules")) {
        ctx.out << listings::kRulesTitle << "\n\n";
        printLines(ctx, listings::rulesFormats(ctx.messages(), groups.lanes()));
        return cli::Success;
    }
    if (which == QLatin1String("tracks")) {
        const QStringList lines =
            listings::meetingTracks(draw.database(), groups, draw.meetingNo());
        if (lines.isEmpty())
            return cli::Failed;
        ctx.out << listings::kTracksTitle << "\n" << listings::kTracksSubtitle << "\n\n";
        printLines(ctx, lines);
        return cli::Success;
    }
    bool cancelled = false;
    const QStringList lines =
        listings::formatErrors(draw.database(), groups, draw.meetingNo(), &cancelled);
    if (cancelled)
        return cli::Failed;
    if (!lines.isEmpty()) {
        ctx.out << listings::kErrorsTitle << "\n\n";
        printLines(ctx, lines);
    }
    return lines.isEmpty() ? cli::Success : cli::Failed;
}

const cli::Command proposeCmd("format propose", "ITEMCODE COUNT [--lanes N]", &formatPropose);
const cli::Command describeCmd("format describe", "FORMAT", &formatDescribe);
const cli::Command checkCmd("format check", "[EVENTNO] [--meeting N]", &formatCheck);
const cli::Command listingCmd("format listing", "rules|groups|tracks|errors [--meeting N]",
                              &formatListing);

} // namespace
