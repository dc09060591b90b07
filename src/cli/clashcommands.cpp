// The clash checks of the current meeting: competitors' rests and stations' intervals, worst
// first, as text, JSON or a printed PDF.

#include "base/messages.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "sched/clashcheck.h"
#include "sched/clashreport.h"
#include "sched/forms/reportpdf.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int scheduleClashes(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QString what = ctx.args[0];
    if (what != QLatin1String("athletes") && what != QLatin1String("stations"))
        return ctx.usageError(QStringLiteral("check athletes or stations"));
    if (!draw.ready())
        return cli::Failed;
    const bool athletes = what == QLatin1String("athletes");
    sched::ClashCheck check(ctx.run());
    if (!(athletes ? check.checkAthletes() : check.checkStations()))
        return cli::Failed;
    const sched::ClashKind kind =
        athletes ? sched::ClashKind::Athletes : sched::ClashKind::Stations;
    const QList<sched::ClashLine> lines = sched::readClashes(ctx.run(), kind);
    if (!pdf.isEmpty()) {
        QString error;
        if (!sched::printReportPdf(sched::clashReport(ctx.run(), kind, lines), pdf, &error)) {
            ctx.messages().warning(error);
            return cli::Failed;
        }
    }
    if (ctx.json) {
        QJsonArray rows;
        for (const sched::ClashLine& l : lines) {
            QJsonObject o{{"programno1", l.programNo1},
                          {"programno2", l.programNo2},
                          {"item1", l.item1},
                          {"item2", l.item2},
                          {"desired", l.desiredMinutes},
                          {"actual", l.actualMinutes},
                          {"factor", l.factor}};
            if (athletes) {
                o.insert(QStringLiteral("athleteno"), l.athleteNo);
                o.insert(QStringLiteral("athlete"), l.athlete);
            } else {
                o.insert(QStringLiteral("station"), l.station);
            }
            rows.append(o);
        }
        ctx.printJson(rows);
        return cli::Success;
    }
    const sched::ReportTable table = sched::clashReport(ctx.run(), kind, lines);
    ctx.out << table.title << "\n";
    for (const QStringList& row : table.rows)
        ctx.out << row.join(QStringLiteral("  |  ")) << "\n";
    if (table.rows.isEmpty())
        ctx.out << "No clashes\n";
    return cli::Success;
}

const cli::Command clashesCmd("schedule clashes",
                              "athletes|stations [--json] [--pdf FILE] [--meeting N]",
                              &scheduleClashes);

} // namespace
