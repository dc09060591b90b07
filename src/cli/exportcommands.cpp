// Exports from the command line: CSV and XML files for scoreboards and broadcast, the
// clipboard text of a social-media post, team totals as text and the results archive.

#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "cli/publishcli.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/textexports.h"

namespace {

// EVENTNO with --round and --heat: one program row, 0 after the message.
qint64 oneProgramRow(cli::Context& ctx, const QString& eventWord, const QString& round,
                     const QString& heatText)
{
    const qint64 eventNo = cli::DrawCli::number(ctx, eventWord, QStringLiteral("EVENTNO"));
    int heat = 0;
    if (eventNo == 0 ||
        (!heatText.isEmpty() &&
         (heat = int(cli::DrawCli::number(ctx, heatText, QStringLiteral("--heat")))) == 0))
        return 0;
    const QList<results::CaptureProgramRow> rows =
        cli::chosenProgramRows(ctx, eventNo, round, heat);
    if (rows.size() > 1) {
        ctx.messages().warning(QStringLiteral("Name the heat with --round and --heat"));
        return 0;
    }
    return rows.isEmpty() ? 0 : rows.first().programNo;
}

int exportCsv(cli::Context& ctx)
{
    const QString out = ctx.takeOption(QStringLiteral("--out"));
    const QString round = ctx.takeOption(QStringLiteral("--round")).toUpper();
    const QString heat = ctx.takeOption(QStringLiteral("--heat"));
    const bool xml = ctx.takeFlag(QStringLiteral("--xml"));
    const bool timing = ctx.takeFlag(QStringLiteral("--timing"));
    const bool block = ctx.takeFlag(QStringLiteral("--block"));
    cli::DrawCli draw(ctx);
    if (ctx.args.isEmpty())
        return ctx.usageError();
    const QString what = ctx.args[0];
    const bool perEvent = what == QLatin1String("results") || what == QLatin1String("starters");
    if (perEvent ? ctx.args.size() > 2 : ctx.args.size() != 1)
        return ctx.usageError();
    if (!perEvent && out.isEmpty())
        return ctx.usageError(QStringLiteral("--out FILE is needed"));
    if ((timing || block) &&
        (what != QLatin1String("starters") || ctx.args.size() != 2 || xml || (timing && block)))
        return ctx.usageError(
            QStringLiteral("--timing or --block lays out the start list of one heat"));
    if (!draw.ready())
        return cli::Failed;
    bool ok = false;
    if (perEvent && ctx.args.size() == 2) {
        const qint64 programNo = oneProgramRow(ctx, ctx.args[1], round, heat);
        if (programNo == 0)
            return cli::Failed;
        const publish::ExportKind kind = what == QLatin1String("results")
                                             ? publish::ExportKind::Results
                                             : publish::ExportKind::Starters;
        if (timing || block)
            ok = publish::exportStartList(ctx.run(), programNo,
                                          timing ? publish::StartListLayout::TimingSystem
                                                 : publish::StartListLayout::Block,
                                          out);
        else
            ok = xml ? publish::exportEventXml(ctx.run(), programNo, kind, out)
                     : publish::exportEventCsv(ctx.run(), programNo, kind, out);
    } else if (what == QLatin1String("starters")) {
        ok = !out.isEmpty() ? publish::exportAllStarters(ctx.run(), out)
                            : (ctx.usageError(QStringLiteral("--out FILE is needed")), false);
    } else if (what == QLatin1String("program")) {
        ok = publish::exportProgramCsv(ctx.run(), out);
    } else if (what == QLatin1String("totals")) {
        ok = publish::exportTeamTotalsCsv(ctx.run(), out);
    } else {
        return ctx.usageError();
    }
    return ok ? cli::Success : cli::Failed;
}

int exportClipboard(cli::Context& ctx)
{
    const QString round = ctx.takeOption(QStringLiteral("--round")).toUpper();
    const QString heat = ctx.takeOption(QStringLiteral("--heat"));
    const bool starters = ctx.takeFlag(QStringLiteral("--starters"));
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    const qint64 programNo = oneProgramRow(ctx, ctx.args[0], round, heat);
    const std::optional<publish::EventResults> event =
        programNo > 0 ? publish::exportedEvent(ctx.run(), programNo,
                                               starters ? publish::ExportKind::Starters
                                                        : publish::ExportKind::Results)
                      : std::nullopt;
    if (!event)
        return cli::Failed;
    const QString text = publish::clipboardText(ctx.run(), *event, starters);
    if (ctx.json)
        ctx.printJson(QJsonObject{{"text", text}});
    else
        ctx.out << text << "\n";
    return cli::Success;
}

int exportTotalsText(cli::Context& ctx)
{
    const QString out = ctx.takeOption(QStringLiteral("--out"));
    const bool splitUp = ctx.takeFlag(QStringLiteral("--split-up"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (out.isEmpty())
        return ctx.usageError(QStringLiteral("--out FILE is needed"));
    if (!draw.ready())
        return cli::Failed;
    return publish::writeTeamTotalsText(ctx.run(), out, splitUp) ? cli::Success : cli::Failed;
}

int exportArchive(cli::Context& ctx)
{
    const QString out = ctx.takeOption(QStringLiteral("--out"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (out.isEmpty())
        return ctx.usageError(QStringLiteral("--out FILE.zip is needed"));
    if (!draw.ready())
        return cli::Failed;
    return publish::writeResultsArchive(ctx.run(), out) ? cli::Success : cli::Failed;
}

const cli::Command csvCmd(
    "export csv",
    "results|starters EVENTNO [--round R] [--heat H] [--xml | --timing | --block] [--out FILE] | "
    "starters|program|totals --out FILE [--meeting N]",
    &exportCsv);
const cli::Command clipCmd("export clipboard",
                           "EVENTNO [--round R] [--heat H] [--starters] [--meeting N]",
                           &exportClipboard);
const cli::Command totalsCmd("export totals-text", "--out FILE [--split-up] [--meeting N]",
                             &exportTotalsText);
const cli::Command archiveCmd("export archive", "--out FILE.zip [--meeting N]", &exportArchive);

} // namespace
