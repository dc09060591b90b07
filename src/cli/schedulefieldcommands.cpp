// schedule fields: every field station started at one day and time, its rows in a random
// order.

#include "base/messages.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "sched/packing.h"

#include <optional>

namespace {

int scheduleFields(cli::Context& ctx)
{
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    const QString time = ctx.takeOption(QStringLiteral("--time"));
    const QString seedText = ctx.takeOption(QStringLiteral("--seed"));
    const bool yes = ctx.takeFlag(QStringLiteral("--yes"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (dayText.isEmpty() || time.isEmpty())
        return ctx.usageError(QStringLiteral("--day and --time are needed"));
    bool dayOk = false;
    const int day = dayText.toInt(&dayOk);
    if (!dayOk || day < 0)
        return ctx.usageError(QStringLiteral("--day must be a day of the meeting"));
    std::optional<quint64> seed;
    if (!cli::DrawCli::seed(ctx, seedText, &seed))
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    return sched::Packing(ctx.run()).startFieldStationsRandomly(day, time, seed, !yes)
               ? cli::Success
               : cli::Failed;
}

const cli::Command fieldsCmd("schedule fields",
                             "--day D --time hh:nn [--seed N] [--yes] [--meeting N]",
                             &scheduleFields);

} // namespace
