// Work on the whole list of events: n-Athlons, veterans' age bands, selecting or
// unselecting everything and clearing out what is not selected.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "draw/events.h"
#include "draw/programsetup.h"

namespace {

int nathlonAdd(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.isEmpty())
        return ctx.usageError();
    const QString title = ctx.args.join(QLatin1Char(' '));
    if (!draw.ready())
        return cli::Failed;
    draw::Events events = draw.events();
    return draw::ProgramSetup(events).addStandardCombined(title) ? cli::Success : cli::Failed;
}

int veterans(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    draw::Events events = draw.events();
    const int added = draw::ProgramSetup(events).addStandardVeterans(ctx.args[0]);
    ctx.printFields({{QStringLiteral("added"), QString::number(added)}});
    return added > 0 ? cli::Success : cli::Failed;
}

// Stands for opening the item screen, pressing the button and leaving the screen.
int selectAll(cli::Context& ctx, bool selected)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::Events events = draw.events();
    if (!ctx.messages().confirm(QStringLiteral("Are you sure you want to ") +
                                (selected ? QStringLiteral("Select") : QStringLiteral("Unselect")) +
                                QStringLiteral(" all")))
        return cli::Failed;
    events.collectSelection();
    const int changed = events.selectAll(selected);
    if (!events.saveSelection())
        return cli::Failed;
    ctx.printFields({{selected ? QStringLiteral("selected") : QStringLiteral("unselected"),
                      QString::number(changed)}});
    return cli::Success;
}

int selectAllCommand(cli::Context& ctx)
{
    return selectAll(ctx, true);
}

int unselectAllCommand(cli::Context& ctx)
{
    return selectAll(ctx, false);
}

int removeUnselected(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    if (!ctx.messages().confirm(
            QStringLiteral("Remove all unselected Items from the selection list")))
        return cli::Failed;
    draw::Events events = draw.events();
    events.collectSelection();
    events.removeUnselected();
    return cli::Success;
}

const cli::Command nathlonAddCmd("event nathlon add", "GENDER AGE NAME [--meeting N]", &nathlonAdd);
const cli::Command veteransCmd("event veterans", "ITEMCODE [--meeting N]", &veterans);
const cli::Command selectAllCmd("event select-all", "[--meeting N]", &selectAllCommand);
const cli::Command unselectAllCmd("event unselect-all", "[--meeting N]", &unselectAllCommand);
const cli::Command removeCmd("event remove-unselected", "[--meeting N]", &removeUnselected);

} // namespace
