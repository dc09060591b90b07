// The heats of the program: who is in them, releasing their draw and results, and the
// placed counts.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatmembers.h"
#include "draw/programrelease.h"
#include "draw/programrows.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

bool programRowOfMeeting(cli::Context& ctx, cli::DrawCli& draw, qint64 programNo)
{
    if (draw.database().ZSqlCount(QStringLiteral("PROGRAM"),
                                  QStringLiteral("PROGRAMNO = ") + db::sqlInt(programNo) +
                                      QStringLiteral(" and MEETINGNO = ") +
                                      db::sqlInt(draw.meetingNo())) > 0)
        return true;
    ctx.messages().warning(QStringLiteral("There is no program row ") + QString::number(programNo));
    return false;
}

int members(cli::Context& ctx)
{
    const QString orderText = ctx.takeOption(QStringLiteral("--order"));
    cli::DrawCli draw(ctx);
    if (ctx.args.size() == 2)
        ctx.args.append(QStringLiteral("0")); // the final has no heat number
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    if (eventNo == 0)
        return cli::WrongCommandLine;
    const QString round = ctx.args[1].toUpper();
    bool ok = false;
    const int heatNo = ctx.args[2].toInt(&ok);
    if (round.size() != 1 || !QStringLiteral("FABC").contains(round) || !ok || heatNo < 0)
        return ctx.usageError(QStringLiteral("ROUND is F, A, B or C; HEAT a number"));
    static const QStringList orders{QStringLiteral("lane"), QStringLiteral("status"),
                                    QStringLiteral("surname")};
    const int order = orderText.isEmpty() ? 1 : int(orders.indexOf(orderText)) + 1;
    if (order == 0)
        return ctx.usageError(QStringLiteral("--order is one of lane, status, surname"));
    if (!draw.ready())
        return cli::Failed;
    bool listed = false;
    const QList<draw::HeatMember> heat =
        draw::heatMembers(draw.database(), ctx.messages(), eventNo, round, heatNo, order, &listed);
    if (!listed)
        return cli::Failed;
    QJsonArray rows;
    for (const draw::HeatMember& m : heat) {
        if (ctx.json) {
            rows.append(QJsonObject{{"partno", m.partNo},
                                    {"heatpartno", m.heatPartNo},
                                    {"athleteno", m.athleteNo},
                                    {"surname", m.surname},
                                    {"firstname", m.firstName},
                                    {"team", m.teamAbrv},
                                    {"lane", m.lane},
                                    {"place", m.place},
                                    {"eplace", m.ePlace},
                                    {"status", m.disqStatus},
                                    {"performance", m.performance}});
            continue;
        }
        ctx.out << QString::number(m.lane).rightJustified(3) << "  "
                << (m.surname + QStringLiteral(", ") + m.firstName).leftJustified(32) << "  "
                << m.teamAbrv.leftJustified(8) << "  " << m.performance.leftJustified(10) << "  "
                << (m.ePlace > 0 ? QString::number(m.ePlace) : QStringLiteral("-")) << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

// "draw" or "results", then the program row.
int publish(cli::Context& ctx, bool revise, bool release)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const QString what = ctx.args[0];
    if (what != QLatin1String("draw") && what != QLatin1String("results"))
        return ctx.usageError(QStringLiteral("say draw or results"));
    const qint64 programNo = cli::DrawCli::number(ctx, ctx.args[1], QStringLiteral("PROGRAMNO"));
    if (programNo == 0)
        return cli::WrongCommandLine;
    if (!draw.ready() || !programRowOfMeeting(ctx, draw, programNo))
        return cli::Failed;
    const draw::Publication publication =
        what == QLatin1String("draw") ? draw::Publication::Draw : draw::Publication::Results;
    draw::ProgramRelease releases(draw.database(), draw.items());
    const bool done = revise ? releases.incrementRevision(programNo, publication)
                             : releases.setReleased(programNo, publication, release);
    return done ? cli::Success : cli::Failed;
}

int release(cli::Context& ctx)
{
    return publish(ctx, false, true);
}

int retract(cli::Context& ctx)
{
    return publish(ctx, false, false);
}

int revise(cli::Context& ctx)
{
    return publish(ctx, true, false);
}

int placedCounts(cli::Context& ctx)
{
    const bool errorsOnly = ctx.takeFlag(QStringLiteral("--errors"));
    const bool update = ctx.takeFlag(QStringLiteral("--update"));
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::ProgramRows rows(draw.database(), ctx.messages());
    if (update && !rows.updatePlacedCounts(draw.meetingNo()))
        return cli::Failed;
    const QList<draw::PlacedCount> counts = rows.comparePlacedCounts(draw.meetingNo(), errorsOnly);
    if (ctx.json) {
        QJsonArray list;
        for (const draw::PlacedCount& c : counts)
            list.append(QJsonObject{{"programno", c.programNo},
                                    {"eventno", c.eventNo},
                                    {"round", c.round},
                                    {"heat", c.heatNo},
                                    {"stored", c.stored},
                                    {"counted", c.counted}});
        ctx.printJson(list);
    } else {
        ctx.out << draw::placedCountReport(draw.items(), counts, errorsOnly) << "\n";
    }
    return cli::Success;
}

const cli::Command membersCmd("program members",
                              "EVENTNO ROUND [HEAT] [--order lane|status|surname] [--meeting N]",
                              &members);
const cli::Command releaseCmd("program release", "draw|results PROGRAMNO [--meeting N]", &release);
const cli::Command retractCmd("program retract", "draw|results PROGRAMNO [--meeting N]", &retract);
const cli::Command reviseCmd("program revise", "draw|results PROGRAMNO [--meeting N]", &revise);
const cli::Command placedCmd("program placed-counts", "[--errors] [--update] [--meeting N]",
                             &placedCounts);

} // namespace
