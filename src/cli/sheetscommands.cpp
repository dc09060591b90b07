// The officials' sheets of a heat or round into a PDF file, the lane timesheets, and the
// sheet options of the meeting.

#include "base/messages.h"
#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "meeting/meetingsettings.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/lanetimesheets.h"
#include "sheets/resultprinting.h"
#include "sheets/sheetoptions.h"
#include "sheets/sheetprinting.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace {

// Reads "EVENTNO [--round R] [--heat H] [--ignore-distribution] --pdf FILE" into a request;
// the exit code of a wrong command line or of a meeting that cannot be used, else nothing.
// Without --round the sheets take the format's first round and the results the final.
std::optional<int> readRequest(cli::Context& ctx, cli::DrawCli& draw, const QString& defaultRound,
                               sheets::PrintRequest* request, QString* pdf)
{
    *pdf = ctx.takeOption(QStringLiteral("--pdf"));
    QString round = ctx.takeOption(QStringLiteral("--round")).trimmed().toUpper();
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    request->ignoreDistribution = ctx.takeFlag(QStringLiteral("--ignore-distribution"));
    if (pdf->isEmpty())
        return ctx.usageError(QStringLiteral("--pdf FILE is required"));
    if (!round.isEmpty() && (round.size() != 1 || !QStringLiteral("FABC").contains(round)))
        return ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
    request->heatNo = -1;
    if (!heatText.isEmpty()) {
        request->heatNo = int(cli::DrawCli::number(ctx, heatText, QStringLiteral("HEAT")));
        if (request->heatNo == 0)
            return cli::WrongCommandLine;
    }
    request->eventNo = draw.eventArgument(ctx, 1);
    if (request->eventNo == 0)
        return draw.exitCode();
    if (round.isEmpty() && defaultRound.isEmpty()) {
        round = draw::HeatFormats::firstRound(
            draw.database()
                .selectOneValue(QStringLiteral("HEATFORMAT"), QStringLiteral("MYEVENT"),
                                QStringLiteral("EVENTNO = ") + db::sqlInt(request->eventNo))
                .trimmed());
    }
    request->round = round.isEmpty() ? defaultRound : round;
    return std::nullopt;
}

void reportPrinted(cli::Context& ctx, const sheets::PdfSheetOutput& output, int heats,
                   const QString& pdf)
{
    if (ctx.json) {
        ctx.printJson(
            QJsonObject{{"sheets", output.sheetsWritten()}, {"heats", heats}, {"pdf", pdf}});
    } else {
        ctx.out << output.sheetsWritten() << " sheets of " << heats << " heats to " << pdf << "\n";
    }
}

int sheetsPrint(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    sheets::PrintRequest request;
    QString pdf;
    if (const auto refused = readRequest(ctx, draw, QString(), &request, &pdf))
        return *refused;
    sheets::PdfSheetOutput output(ctx.run(), pdf);
    const int marked = sheets::SheetPrinting(ctx.run()).print(request, output);
    if (marked == 0)
        return cli::Failed;
    reportPrinted(ctx, output, marked, pdf);
    return cli::Success;
}

int sheetsResults(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    sheets::PrintRequest request;
    QString pdf;
    if (const auto refused = readRequest(ctx, draw, QStringLiteral("F"), &request, &pdf))
        return *refused;
    sheets::PdfSheetOutput output(ctx.run(), pdf);
    const int printed = sheets::ResultPrinting(ctx.run()).print(request, output);
    if (printed == 0)
        return cli::Failed;
    reportPrinted(ctx, output, printed, pdf);
    return cli::Success;
}

int sheetsLanes(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const QString lanes = ctx.takeOption(QStringLiteral("--lanes"));
    const QString perPage = ctx.takeOption(QStringLiteral("--per-page"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (pdf.isEmpty())
        return ctx.usageError(QStringLiteral("--pdf FILE is required"));
    if (!draw.ready())
        return cli::Failed;
    sheets::LaneLimits limits = sheets::defaultLaneLimits(ctx.run());
    const QString problem = sheets::parseLaneLimits(
        lanes.isEmpty() ? QString::number(limits.lanes) : lanes,
        perPage.isEmpty() ? QString::number(limits.perPage) : perPage, &limits);
    if (!problem.isEmpty()) {
        ctx.messages().warning(problem);
        return cli::Failed;
    }
    const QList<sheets::LaneRow> rows = sheets::laneRows(ctx.run(), limits);
    if (rows.isEmpty())
        return cli::Failed;
    sheets::PdfSheetOutput output(ctx.run(), pdf);
    if (!output.write(sheets::lanePages(ctx.run(), rows, limits)))
        return cli::Failed;
    sheets::saveLaneLimits(ctx.run(), limits);
    if (ctx.json)
        ctx.printJson(QJsonObject{{"lanes", limits.lanes},
                                  {"per_page", limits.perPage},
                                  {"rows", int(rows.size())},
                                  {"pages", output.sheetsWritten()}});
    else
        ctx.out << limits.lanes << " lanes, " << rows.size() << " rows on "
                << output.sheetsWritten() << " pages to " << pdf << "\n";
    return cli::Success;
}

// Lists the boxes with their state, or sets one: "sheets options SHEETS_SKIP_LAP on".
int sheetsOptions(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() != 0 && ctx.args.size() != 2)
        return ctx.usageError();
    if (!draw.ready())
        return cli::Failed;
    if (ctx.args.size() == 2) {
        const sheets::SheetOptionBox* box = sheets::boxOfColumn(ctx.args[0]);
        const QString state = ctx.args[1].toLower();
        if (!box)
            return ctx.usageError(QStringLiteral("no sheet option ") + ctx.args[0]);
        if (state != QLatin1String("on") && state != QLatin1String("off"))
            return ctx.usageError(QStringLiteral("the state is on or off"));
        if (!sheets::setBox(ctx.run(), *box, state == QLatin1String("on")))
            return cli::Failed;
    }
    QJsonArray rows;
    for (const sheets::SheetOptionBox& box : sheets::sheetOptionBoxes()) {
        const bool ticked = sheets::boxTicked(ctx.run().meeting(), box);
        if (ctx.json)
            rows.append(
                QJsonObject{{"column", box.column}, {"caption", box.caption}, {"ticked", ticked}});
        else
            ctx.out << (ticked ? "[X] " : "[ ] ") << box.caption << "  (" << box.column << ")\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

const cli::Command
    printCmd("sheets print",
             "EVENTNO [--round R] [--heat H] [--ignore-distribution] --pdf FILE [--meeting N]",
             &sheetsPrint);
const cli::Command
    resultsCmd("sheets results",
               "EVENTNO [--round R] [--heat H] [--ignore-distribution] --pdf FILE [--meeting N]",
               &sheetsResults);
const cli::Command lanesCmd("sheets lanes", "[--lanes 1-N] [--per-page N] --pdf FILE [--meeting N]",
                            &sheetsLanes);
const cli::Command optionsCmd("sheets options", "[COLUMN on|off] [--json] [--meeting N]",
                              &sheetsOptions);

} // namespace
