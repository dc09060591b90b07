// Absentees: the automatic tagging after a DNS or DNR, tagging by hand, absolving, and
// the queue of heats to redraw or recalculate.

#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "draw/drawround.h"
#include "results/absentees.h"
#include "results/awolqueue.h"
#include "results/places.h"
#include "results/qualifying.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int autoActions(cli::Context& ctx)
{
    const QString athleteText = ctx.takeOption(QStringLiteral("--athlete"));
    const QString fromText = ctx.takeOption(QStringLiteral("--from-seq"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    qint64 athleteNo = 0;
    if (!athleteText.isEmpty() &&
        (athleteNo = cli::DrawCli::number(ctx, athleteText, QStringLiteral("--athlete"))) == 0)
        return cli::WrongCommandLine;
    results::AwolOptions options = results::readAwolOptions(ctx.run().config());
    if (!fromText.isEmpty()) {
        const qint64 seq = cli::DrawCli::number(ctx, fromText, QStringLiteral("--from-seq"));
        if (seq == 0)
            return cli::WrongCommandLine;
        options.range = results::AwolRange::SpecifiedOnwards;
        options.specifiedSeq = int(seq);
    }
    if (!draw.ready())
        return cli::Failed;
    return results::AutoAwolActions(draw.database(), draw.items(), draw.meetingNo(), options,
                                    athleteNo)
               ? cli::Success
               : cli::Failed;
}

int absolveOrRevert(cli::Context& ctx, bool absolve)
{
    cli::DrawCli draw(ctx);
    const qint64 athleteNo = draw.numberArgument(ctx, 1, QStringLiteral("ATHLETENO"));
    if (athleteNo == 0)
        return draw.exitCode();
    return results::AbsolveDns(draw.database(), athleteNo, absolve) ? cli::Success : cli::Failed;
}

int absolve(cli::Context& ctx)
{
    return absolveOrRevert(ctx, true);
}

int revert(cli::Context& ctx)
{
    return absolveOrRevert(ctx, false);
}

int awol(cli::Context& ctx)
{
    const bool remove = ctx.takeFlag(QStringLiteral("--remove"));
    cli::DrawCli draw(ctx);
    const qint64 athleteNo = draw.numberArgument(ctx, 1, QStringLiteral("ATHLETENO"));
    if (athleteNo == 0)
        return draw.exitCode();
    const bool done =
        remove ? results::untagAthleteAwolByHand(draw.database(), draw.items(), athleteNo)
               : results::tagAthleteAwolByHand(draw.database(), athleteNo);
    return done ? cli::Success : cli::Failed;
}

int oia(cli::Context& ctx)
{
    const bool remove = ctx.takeFlag(QStringLiteral("--remove"));
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    const QString round = ctx.args[1].toUpper();
    const qint64 athleteNo = cli::DrawCli::number(ctx, ctx.args[2], QStringLiteral("ATHLETENO"));
    if (eventNo == 0 || athleteNo == 0)
        return cli::WrongCommandLine;
    if (round.size() != 1 || !QStringLiteral("FABC").contains(round))
        return ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
    if (!draw.ready())
        return cli::Failed;
    const std::optional<results::EntryRow> entry =
        results::findEntry(draw.database(), eventNo, round, athleteNo, heatText.toInt());
    if (!entry) {
        ctx.messages().warning(QStringLiteral("Athlete ") + QString::number(athleteNo) +
                               QStringLiteral(" has no entry in round ") + round +
                               QStringLiteral(" of event ") + QString::number(eventNo));
        return cli::Failed;
    }
    return results::TagItemOia(draw.database(), draw.items(), *entry, !remove) ? cli::Success
                                                                               : cli::Failed;
}

int queue(cli::Context& ctx)
{
    const bool process = ctx.takeFlag(QStringLiteral("--run"));
    const QString seedText = ctx.takeOption(QStringLiteral("--seed"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    std::optional<quint64> seed;
    if (!cli::DrawCli::seed(ctx, seedText, &seed))
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    int result = cli::Success;
    if (process) {
        results::Places places(
            draw.database(), draw.items(), draw.meeting(),
            results::meetingQualifyingTest(draw.database(), draw.items(), draw.meeting()));
        // A redraw asks as the draw menu does (--yes answers); the seed repeats a draw.
        draw::DrawRandom random(seed);
        draw::DrawEngine engine(draw.database(), draw.items(), draw.meeting(), random);
        draw::RoundDrawing drawing(engine);
        const results::AwolQueueRun run = results::processAwolQueue(
            draw.database(), draw.meetingNo(), places, results::roundRedrawBy(drawing));
        if (!ctx.json) {
            ctx.out << "Recalculated: " << run.recalculated << "\n"
                    << "Redrawn: " << run.redrawn << "\n";
            for (const QString& line : run.waiting)
                ctx.out << line << "\n";
        }
        if (!run.waiting.isEmpty())
            result = cli::Failed;
    }
    const QList<results::AwolQueueItem> items =
        results::awolQueue(draw.database(), draw.meetingNo());
    QJsonArray list;
    for (const results::AwolQueueItem& item : items) {
        if (ctx.json) {
            list.append(QJsonObject{{"queueno", item.queueNo},
                                    {"action", item.action},
                                    {"eventno", item.eventNo},
                                    {"item", draw.items().ItemDescription(item.itemCode, false)},
                                    {"round", item.round},
                                    {"heat", item.heatNo},
                                    {"athleteno", item.absentAthleteNo},
                                    {"athlete", item.athleteName},
                                    {"done", item.done},
                                    {"placed", item.placedCount},
                                    {"drawn", item.drawnCount}});
            continue;
        }
        ctx.out << item.action << "  " << draw.items().ItemDescription(item.itemCode, false)
                << " Round " << item.round << " Heat " << item.heatNo << "  " << item.athleteName
                << "  " << (item.done ? "Done" : "to do") << "  placed " << item.placedCount
                << ", drawn " << item.drawnCount << "\n";
    }
    if (ctx.json)
        ctx.printJson(list);
    return result;
}

const cli::Command autoCmd("absent auto", "[--athlete N] [--from-seq N] [--meeting N]",
                           &autoActions);
const cli::Command absolveCmd("absent absolve", "ATHLETENO [--meeting N]", &absolve);
const cli::Command revertCmd("absent revert", "ATHLETENO [--meeting N]", &revert);
const cli::Command awolCmd("absent awol", "ATHLETENO [--remove] [--meeting N]", &awol);
const cli::Command oiaCmd("absent oia", "EVENTNO ROUND ATHLETENO [--heat H] [--remove]", &oia);
const cli::Command queueCmd("absent queue", "[--run [--seed N]] [--meeting N]", &queue);

} // namespace
