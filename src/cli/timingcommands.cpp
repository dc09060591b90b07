// The timing system's race files from the command line: a race read and, once its heat is
// confirmed, kept in the meeting's race tables and written into the heat; the wipe of the
// races.

#include "base/messages.h"
#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "publish/eventresults.h"
#include "publish/liffile.h"
#include "publish/timingraces.h"

#include <QFileInfo>

namespace {

int timingRead(cli::Context& ctx)
{
    const QString matchText = ctx.takeOption(QStringLiteral("--match"));
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    qint64 programNo = 0;
    if (!matchText.isEmpty() &&
        (programNo = cli::DrawCli::number(ctx, matchText, QStringLiteral("--match"))) == 0)
        return cli::WrongCommandLine;
    const QString path = ctx.args[0];
    const publish::LifRead read = publish::readLifFile(path);
    if (!read.ok) {
        ctx.messages().warning(read.refusal);
        return cli::Failed;
    }
    const QString fileName = QFileInfo(path).fileName();
    if (programNo == 0)
        programNo = publish::proposedProgramRow(ctx.run(), read.race);
    if (programNo == 0) {
        ctx.messages().warning(QStringLiteral("No heat of the program has sequence ") +
                               QString::number(read.race.event) + QStringLiteral(" and heat ") +
                               QString::number(read.race.heat) +
                               QStringLiteral(": name it with --match PROGRAMNO"));
        return cli::Failed;
    }
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(draw.database(), draw.items(), programNo);
    if (!row) {
        ctx.messages().warning(QStringLiteral("There is no program row ") +
                               QString::number(programNo));
        return cli::Failed;
    }
    if (!ctx.messages().confirm(QStringLiteral("Write the times of ") + fileName +
                                QStringLiteral(" into ") + publish::eventTitle(*row)))
        return cli::Failed;
    // The race is kept only once the official says yes, as on the race file screen.
    const qint64 raceNo = publish::storeRaceOfFile(ctx.run(), path, read.race);
    if (raceNo == 0)
        return cli::Failed;
    const publish::RaceWrite written =
        publish::writeRaceIntoHeat(ctx.run(), raceNo, read.race, programNo);
    if (!written.ok) {
        ctx.messages().warning(written.text());
        return cli::Failed;
    }
    ctx.printFields({{QStringLiteral("race"), QString::number(raceNo)},
                     {QStringLiteral("heat"), publish::eventTitle(*row)},
                     {QStringLiteral("written"), QString::number(written.written)}});
    return cli::Success;
}

int timingWipe(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    if (!ctx.messages().confirm(
            QStringLiteral("Wipe all the TimeTronics Races and Ranks for this meeting")))
        return cli::Failed;
    int races = 0, ranks = 0;
    return publish::wipeRaces(ctx.run(), &races, &ranks) ? cli::Success : cli::Failed;
}

const cli::Command readCmd("timing read", "FILE.lif [--match PROGRAMNO] [--meeting N]",
                           &timingRead);
const cli::Command wipeCmd("timing wipe", "[--meeting N]", &timingWipe);

} // namespace
