// Drawing heats and lanes: a round of one event, all first rounds, clearing a round, and
// the listing of a drawn round.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "draw/drawall.h"
#include "draw/drawinformation.h"
#include "draw/drawround.h"
#include "draw/heatformats.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace {

// "--seed N" when given; false after the usage error.
bool takeSeed(cli::Context& ctx, std::optional<quint64>* seed)
{
    return cli::DrawCli::seed(ctx, ctx.takeOption(QStringLiteral("--seed")), seed);
}

// ROUND is one letter F, A, B or C; empty when not given. False after the usage error.
bool roundWord(cli::Context& ctx, const QString& word, QString* round)
{
    *round = word.trimmed().toUpper();
    if (round->isEmpty() || (round->size() == 1 && QStringLiteral("FABC").contains(*round)))
        return true;
    ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
    return false;
}

int exitCode(draw::DrawOutcome outcome)
{
    return outcome == draw::DrawOutcome::Drawn ? cli::Success : cli::Failed;
}

int drawRound(cli::Context& ctx)
{
    std::optional<quint64> seed;
    QString round;
    if (!takeSeed(ctx, &seed) || !roundWord(ctx, ctx.takeOption(QStringLiteral("--round")), &round))
        return cli::WrongCommandLine;
    cli::DrawCli cliDraw(ctx);
    const qint64 eventNo = cliDraw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return cliDraw.exitCode();
    draw::DrawRandom random(seed);
    draw::DrawEngine engine(cliDraw.database(), cliDraw.items(), cliDraw.meeting(), random);
    if (round.isEmpty()) {
        const auto event = engine.readEvent(eventNo);
        round = event ? draw::HeatFormats::firstRound(event->format) : QStringLiteral("F");
    }
    draw::RoundDrawing drawing(engine);
    return exitCode(drawing.drawRound(eventNo, round));
}

int drawAll(cli::Context& ctx)
{
    std::optional<quint64> seed;
    if (!takeSeed(ctx, &seed))
        return cli::WrongCommandLine;
    const bool combined = ctx.takeFlag(QStringLiteral("--combined"));
    cli::DrawCli cliDraw(ctx);
    if (const int failed = cliDraw.open(ctx, 0))
        return failed;
    draw::DrawRandom random(seed);
    draw::DrawEngine engine(cliDraw.database(), cliDraw.items(), cliDraw.meeting(), random);
    draw::DrawAll all(engine);
    const draw::DrawReport report = combined ? all.combinedItems() : all.firstRounds();
    if (report.cancelled)
        return cli::Failed;
    ctx.out << report.drawnEvents << " events drawn, " << report.drawnAthletes << " athletes\n";
    return report.notDrawn.isEmpty() ? cli::Success : cli::Failed;
}

int drawClear(cli::Context& ctx)
{
    cli::DrawCli cliDraw(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    QString round;
    if (eventNo == 0 || !roundWord(ctx, ctx.args[1], &round))
        return cli::WrongCommandLine;
    if (!cliDraw.ready())
        return cli::Failed;
    draw::DrawRandom random;
    draw::DrawEngine engine(cliDraw.database(), cliDraw.items(), cliDraw.meeting(), random);
    draw::RoundDrawing drawing(engine);
    return exitCode(drawing.clearRound(eventNo, round));
}

int drawList(cli::Context& ctx)
{
    QString round;
    if (!roundWord(ctx, ctx.takeOption(QStringLiteral("--round")), &round))
        return cli::WrongCommandLine;
    cli::DrawCli cliDraw(ctx);
    const qint64 eventNo = cliDraw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return cliDraw.exitCode();
    draw::DrawRandom random;
    draw::DrawEngine engine(cliDraw.database(), cliDraw.items(), cliDraw.meeting(), random);
    const auto event = engine.readEvent(eventNo);
    if (!event) {
        ctx.messages().warning(QStringLiteral("There is no Item with the number ") +
                               QString::number(eventNo) + QStringLiteral(" in this meeting."));
        return cli::Failed;
    }
    if (round.isEmpty())
        round = draw::HeatFormats::firstRound(event->format);
    const QList<draw::DrawnAthlete> athletes =
        draw::drawnAthletes(cliDraw.database(), cliDraw.meetingNo(), eventNo, round);
    if (ctx.json) {
        QJsonArray rows;
        for (const draw::DrawnAthlete& a : athletes) {
            rows.append(QJsonObject{{"round", a.round},
                                    {"heat", a.heat},
                                    {"lane", a.lane},
                                    {"athleteno", a.athleteNo},
                                    {"number", a.number},
                                    {"surname", a.surname},
                                    {"firstname", a.firstName},
                                    {"team", a.team},
                                    {"age", a.age},
                                    {"place", a.previousPlace},
                                    {"seed", a.seed}});
        }
        ctx.printJson(rows);
        return cli::Success;
    }
    for (const draw::DrawnAthlete& a : athletes) {
        ctx.out << QString::number(a.heat).rightJustified(4) << " "
                << QString::number(a.lane).rightJustified(4) << "  "
                << QString::number(a.athleteNo).rightJustified(8) << "  "
                << (a.surname + QStringLiteral(", ") + a.firstName).leftJustified(32) << "  "
                << a.team.leftJustified(8) << "  " << a.seed << "\n";
    }
    return cli::Success;
}

const cli::Command roundCmd("draw round", "EVENTNO [--round R] [--seed N] [--meeting N]",
                            &drawRound);
const cli::Command allCmd("draw all", "[--combined] [--seed N] [--meeting N]", &drawAll);
const cli::Command clearCmd("draw clear", "EVENTNO ROUND [--meeting N]", &drawClear);
const cli::Command listCmd("draw list", "EVENTNO [--round R] [--json] [--meeting N]", &drawList);

} // namespace
