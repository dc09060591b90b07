// The check lists of errors, hints and summaries over the current meeting.

#include "base/messages.h"
#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/reportprinter.h"
#include "scoring/report.h"
#include "sheets/checklists.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int checksList(cli::Context& ctx)
{
    ctx.takeOption(QStringLiteral("--meeting")); // the checks are the same for every meeting
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    QJsonArray rows;
    for (const sheets::CheckInfo& info : sheets::checkInfos()) {
        if (ctx.json) {
            rows.append(QJsonObject{{"number", info.number},
                                    {"caption", info.caption},
                                    {"kind", info.kindText},
                                    {"when", info.when},
                                    {"competitions_only", info.leaguesOnly}});
        } else {
            ctx.out << QString::number(info.number).rightJustified(3) << "  "
                    << info.caption.leftJustified(50) << "  " << info.kindText.leftJustified(10)
                    << "  " << info.when << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int checksRun(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const bool all = ctx.takeFlag(QStringLiteral("--all"));
    cli::DrawCli draw(ctx);
    QList<int> numbers;
    if (all == !ctx.args.isEmpty())
        return ctx.usageError(QStringLiteral("give --all or the numbers of the checks"));
    for (const QString& word : ctx.args) {
        bool ok = false;
        const int n = word.toInt(&ok);
        if (!ok || !sheets::checkInfo(n))
            return ctx.usageError(QStringLiteral("a check is a number from 1 to 20"));
        if (!numbers.contains(n))
            numbers << n;
    }
    if (all) {
        for (const sheets::CheckInfo& info : sheets::checkInfos())
            numbers << info.number;
    }
    std::sort(numbers.begin(), numbers.end());
    if (!draw.ready())
        return cli::Failed;
    const QList<sheets::CheckFinding> findings = sheets::CheckLists(ctx.run()).run(numbers);
    const QStringList lines = sheets::reportLines(findings);
    if (!pdf.isEmpty()) {
        if (lines.isEmpty()) {
            ctx.messages().information(QStringLiteral("Nothing to print"));
        } else if (!scoring::printReportToPdf(sheets::checksReport(findings),
                                              ctx.run().meeting().description(), pdf)) {
            ctx.messages().warning(QStringLiteral("Cannot write ") + pdf);
            return cli::Failed;
        }
    }
    if (ctx.json) {
        QJsonArray rows;
        for (const sheets::CheckFinding& f : findings) {
            rows.append(QJsonObject{{"number", f.number},
                                    {"kind", sheets::checkInfo(f.number)->kindText},
                                    {"rows", f.rows},
                                    {"lines", QJsonArray::fromStringList(f.lines)}});
        }
        ctx.printJson(rows);
    } else {
        ctx.out << "Errors and Summaries\n";
        for (const QString& line : lines)
            ctx.out << line << "\n";
    }
    return sheets::errorsFound(findings) ? cli::Failed : cli::Success;
}

const cli::Command listCmd("checks list", "[--json]", &checksList);
const cli::Command runCmd("checks run", "--all | N ... [--pdf FILE] [--json] [--meeting N]",
                          &checksRun);

} // namespace
