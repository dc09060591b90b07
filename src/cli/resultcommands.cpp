// Results from the command line: capturing one result as the edit dialog does, listing
// the results of an event, importing a file of results.

#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/resultedit.h"
#include "results/resultimport.h"
#include "results/resultlocate.h"
#include "results/statuscodes.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int resultSet(cli::Context& ctx)
{
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    const QString digit = ctx.takeOption(QStringLiteral("--digit"));
    const QString place = ctx.takeOption(QStringLiteral("--place"));
    const QString wind = ctx.takeOption(QStringLiteral("--wind"));
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 4))
        return failed;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    const qint64 athleteNo = cli::DrawCli::number(ctx, ctx.args[2], QStringLiteral("ATHLETENO"));
    if (eventNo == 0 || athleteNo == 0)
        return cli::WrongCommandLine;
    int heat = 0;
    if (!heatText.isEmpty() &&
        (heat = int(cli::DrawCli::number(ctx, heatText, QStringLiteral("--heat")))) == 0)
        return cli::WrongCommandLine;
    const results::ResultTarget target =
        results::locateAthlete(draw.database(), draw.items(), draw.meetingNo(), eventNo,
                               ctx.args[1].toUpper(), heat, athleteNo);
    if (!target.ok()) {
        ctx.messages().warning(target.refusal);
        return cli::Failed;
    }
    // The dialog starts from the row as it is; what the command gives replaces it.
    results::ResultEntry entry = results::entryOf(target.athlete);
    entry.performance = ctx.args[3];
    if (!place.isEmpty())
        entry.place = place;
    if (!digit.isEmpty())
        entry.thirdDigit = digit;
    if (!wind.isEmpty())
        entry.wind = wind;
    results::ResultCapture capture(ctx.run());
    if (!capture.capture(target.row, target.athlete, entry))
        return cli::Failed;
    ctx.out << "Saved: " << target.athlete.name() << " " << target.row.heatText() << " "
            << entry.performance << "\n";
    return cli::Success;
}

int resultList(cli::Context& ctx)
{
    const QString round = ctx.takeOption(QStringLiteral("--round")).toUpper();
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    int heat = 0;
    if (!heatText.isEmpty() &&
        (heat = int(cli::DrawCli::number(ctx, heatText, QStringLiteral("--heat")))) == 0)
        return cli::WrongCommandLine;
    const QList<results::CaptureProgramRow> rows =
        results::eventProgramRows(draw.database(), draw.items(), eventNo);
    if (rows.isEmpty()) {
        ctx.messages().warning(QStringLiteral("Event ") + QString::number(eventNo) +
                               QStringLiteral(" has no program"));
        return cli::Failed;
    }
    QJsonArray out;
    for (const results::CaptureProgramRow& row : rows) {
        if ((!round.isEmpty() && row.round != round) || (heat > 0 && row.heatNo != heat))
            continue;
        for (const results::CaptureAthleteRow& a : results::captureAthletes(
                 draw.database(), draw.items(), row, draw::MemberOrder::Lane)) {
            const QString status =
                a.status > 0 ? results::DisqStatusAbbrev(ctx.messages(), a.status) : QString();
            if (ctx.json) {
                out.append(QJsonObject{{"athleteno", a.athleteNo},
                                       {"number", a.number},
                                       {"name", a.name()},
                                       {"team", a.teamName},
                                       {"age", a.age},
                                       {"round", row.round},
                                       {"heat", row.heatNo},
                                       {"lane", a.lane},
                                       {"performance", a.performance},
                                       {"thirddigit", a.thirdDigit},
                                       {"status", status},
                                       {"e_place", a.ePlace},
                                       {"place", a.place},
                                       {"placesharecount", a.shareCount}});
            } else {
                ctx.out << a.athleteNo << "\t" << a.name() << "\t" << a.teamName << "\t" << a.age
                        << "\t" << row.round << row.heatNo << "\t" << a.lane << "\t"
                        << a.performance << "\t" << a.thirdDigit << "\t" << status << "\t"
                        << a.ePlace << "\t" << a.place << "\t" << a.shareCount << "\n";
            }
        }
    }
    if (ctx.json)
        ctx.printJson(out);
    return cli::Success;
}

int resultImport(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    const results::ResultImportReport report = results::importResults(ctx.run(), ctx.args[0]);
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"ok", report.ok},
                                  {"lines", report.lines},
                                  {"written", report.written},
                                  {"errors", QJsonArray::fromStringList(report.errors)},
                                  {"notes", QJsonArray::fromStringList(report.notes)}});
    } else {
        (report.ok ? ctx.out : ctx.err) << report.text() << "\n";
    }
    return report.ok ? cli::Success : cli::Failed;
}

const cli::Command setCmd(
    "result set",
    "EVENTNO ROUND ATHLETENO PERF [--heat H] [--digit D] [--place P] [--wind W] [--meeting N]",
    &resultSet);
const cli::Command listCmd("result list", "EVENTNO [--round R] [--heat H] [--json] [--meeting N]",
                           &resultList);
const cli::Command importCmd("result import", "FILE [--meeting N]", &resultImport);

} // namespace
