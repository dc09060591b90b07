// Heat formats on their own: proposals by number of swimmers and what a format means.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"

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
    meeting::ItemTypes items(meeting::editionOf(ctx.run().globals().applicationCode()),
                             ctx.messages());
    draw::LaneSettings settings;
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
    shell::Messages& messages = ctx.messages();
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

const cli::Command proposeCmd("format propose", "ITEMCODE COUNT [--lanes N]", &formatPropose);
const cli::Command describeCmd("format describe", "FORMAT", &formatDescribe);

} // namespace
