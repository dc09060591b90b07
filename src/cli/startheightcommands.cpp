// The starting heights of vertical-jump events from the command line.

#include "cli/cli.h"
#include "cli/drawcli.h"

#include "results/startheights.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

void printHeights(cli::Context& ctx, const QList<results::StartHeight>& heights)
{
    QJsonArray rows;
    for (const results::StartHeight& h : heights) {
        if (ctx.json)
            rows.append(QJsonObject{{"eventno", QString::number(h.eventNo)},
                                    {"itemcode", h.itemCode},
                                    {"item", h.description},
                                    {"height", h.height}});
        else
            ctx.out << h.eventNo << "\t" << h.description << "\t" << h.height << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
}

// heights start: every vertical jump's starting height; with EVENTNO that event's, and with
// a HEIGHT too it is set.
int heightsStart(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() > 2)
        return ctx.usageError();
    if (!draw.ready())
        return cli::Failed;
    results::StartHeights heights(draw.database(), draw.items(), draw.meetingNo());
    if (ctx.args.isEmpty()) {
        results::purgeOrphanStartHeights(draw.database());
        printHeights(ctx, heights.list());
        return cli::Success;
    }
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    if (eventNo == 0)
        return cli::WrongCommandLine;
    if (ctx.args.size() == 2 && !heights.set(eventNo, ctx.args[1]))
        return cli::Failed;
    const std::optional<results::StartHeight> height = heights.of(eventNo);
    if (!height)
        return cli::Failed;
    printHeights(ctx, {*height});
    return cli::Success;
}

const cli::Command startCmd("heights start", "[EVENTNO [HEIGHT]] [--json] [--meeting N]",
                            &heightsStart);

} // namespace
