// Events of the current meeting: add, list, select, and their heat formats.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/formataccept.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/indicateheats.h"
#include "draw/roundletter.h"
#include "meeting/itemcodecheck.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int eventAdd(cli::Context& ctx)
{
    const bool selected = ctx.takeFlag(QStringLiteral("--selected"));
    const QString category = ctx.takeOption(QStringLiteral("--category"));
    const QString description = ctx.takeOption(QStringLiteral("--description"));
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    const QString code = ctx.args[0].trimmed();
    if (const QString problem = meeting::itemCodeProblem(draw.items().edition(), code);
        !problem.isEmpty()) {
        ctx.messages().warning(QStringLiteral("Not an item code: ") + ctx.args[0] +
                               QStringLiteral(" (") + problem + QLatin1Char(')'));
        return cli::Failed;
    }
    // A description makes a described item, a category a categorised one.
    draw::NewEvent event;
    event.itemCode = code;
    event.selected = selected;
    event.category = category;
    event.description = description;
    const draw::Events::PickedAs kind = !description.isEmpty() ? draw::Events::PickedAs::Described
                                        : !category.isEmpty()  ? draw::Events::PickedAs::Categorised
                                                               : draw::Events::PickedAs::Plain;
    draw::Events events = draw.events();
    const qint64 eventNo = events.addOneItem(event, kind);
    if (eventNo == 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("eventno"), QString::number(eventNo)},
                     {QStringLiteral("item"), events.eventTitle(eventNo)}});
    return cli::Success;
}

int eventList(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::Events events = draw.events();
    QJsonArray rows;
    for (const draw::EventRow& e : events.list()) {
        const QString title = events.eventTitle(e.eventNo);
        if (ctx.json) {
            rows.append(QJsonObject{{"eventno", e.eventNo},
                                    {"itemcode", e.itemCode},
                                    {"item", title},
                                    {"selected", e.selected},
                                    {"heatformat", e.format},
                                    {"heatcounts", draw::HeatFormats::heatCountsText(e.format)},
                                    {"estimated", e.estimated},
                                    {"athletes", e.athletes}});
        } else {
            ctx.out << e.eventNo << "\t" << (e.selected ? "X" : " ") << "\t" << e.itemCode << "\t"
                    << title.leftJustified(32) << "\t"
                    << (e.format.isEmpty() ? QStringLiteral("-") : e.format) << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int eventSelection(cli::Context& ctx, bool selected)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    draw::Events events = draw.events();
    if (events.event(eventNo).eventNo == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return cli::Failed;
    }
    // The command stands for opening the item screen, choosing and leaving it.
    events.collectSelection();
    if (!events.setSelected(eventNo, selected))
        return cli::Failed;
    events.saveSelection();
    return cli::Success;
}

int eventSelect(cli::Context& ctx)
{
    return eventSelection(ctx, true);
}

int eventUnselect(cli::Context& ctx)
{
    return eventSelection(ctx, false);
}

int eventFormat(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() == 1)
        ctx.args.append(QString()); // an empty format: the final only
    const qint64 eventNo = draw.eventArgument(ctx, 2);
    if (eventNo == 0)
        return draw.exitCode();
    draw::Events events = draw.events();
    const draw::EventRow event = events.event(eventNo);
    if (event.eventNo == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return cli::Failed;
    }
    const QString format = ctx.args[1].trimmed();
    events.collectSelection();
    if (!draw::acceptFormat(draw.groups(), events.event(eventNo), format))
        return cli::Failed;
    if (!events.setFormatEdit(eventNo, format))
        return cli::Failed;
    events.saveSelection();
    ctx.printFields({{QStringLiteral("eventno"), QString::number(eventNo)},
                     {QStringLiteral("heatformat"), format},
                     {QStringLiteral("heatcounts"), draw::HeatFormats::heatCountsText(format)}});
    return cli::Success;
}

// One event's expected athletes, or every event's from its entries.
int eventEstimate(cli::Context& ctx)
{
    const bool actual = ctx.takeFlag(QStringLiteral("--actual"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(actual ? 0 : 2))
        return cli::WrongCommandLine;
    qint64 eventNo = 0;
    if (!actual) {
        eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
        if (eventNo == 0)
            return cli::WrongCommandLine;
    }
    if (!draw.ready())
        return cli::Failed;
    draw::Events events = draw.events();
    const draw::HeatGroups groups = draw.groups();
    draw::IndicateHeats heats(events, groups);
    if (actual)
        return heats.estimatesFromEntries() ? cli::Success : cli::Failed;
    if (events.event(eventNo).eventNo == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return cli::Failed;
    }
    return heats.setEstimate(eventNo, ctx.args[1]) ? cli::Success : cli::Failed;
}

// Whether the heats of the event are its final ("yes") or a final is run ("no").
int eventFinals(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    if (eventNo == 0)
        return cli::WrongCommandLine;
    const QString answer = ctx.args[1].toLower();
    if (answer != QLatin1String("yes") && answer != QLatin1String("no"))
        return ctx.usageError(QStringLiteral("Say yes or no"));
    if (!draw.ready())
        return cli::Failed;
    draw::Events events = draw.events();
    if (events.event(eventNo).eventNo == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return cli::Failed;
    }
    // As the heats-are-finals screen: collected on opening, saved on leaving.
    events.collectSelection();
    if (!events.setFinalNotRun(eventNo, answer == QLatin1String("yes")))
        return cli::Failed;
    events.saveSelection();
    return cli::Success;
}

// Proposes and stores formats for every selected event from its expected swimmers.
int eventAutoformat(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::Events events = draw.events();
    const draw::HeatGroups groups = draw.groups();
    draw::FormatProposal proposal(groups);
    events.collectSelection();
    for (const draw::EventRow& e : events.list(true)) {
        const int athletes = std::max(e.athletes, e.estimated);
        if (athletes > 0 && e.nAthlon == 0)
            events.setFormatEdit(e.eventNo, proposal.autoformat(e.itemCode, athletes));
    }
    events.saveSelection();
    return cli::Success;
}

const cli::Command addCmd("event add",
                          "CODE [--selected] [--category C] [--description TEXT] [--meeting N]",
                          &eventAdd);
const cli::Command listCmd("event list", "[--meeting N]", &eventList);
const cli::Command selectCmd("event select", "EVENTNO [--meeting N]", &eventSelect);
const cli::Command unselectCmd("event unselect", "EVENTNO [--meeting N]", &eventUnselect);
const cli::Command formatCmd("event format", "EVENTNO FORMAT [--meeting N]", &eventFormat);
const cli::Command estimateCmd("event estimate", "EVENTNO COUNT | --actual [--meeting N]",
                               &eventEstimate);
const cli::Command finalsCmd("event finals", "EVENTNO yes|no [--meeting N]", &eventFinals);
const cli::Command autoCmd("event autoformat", "[--meeting N]", &eventAutoformat);

} // namespace
