// Combined items from the command line: events that run together as one race.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "draw/combineditems.h"
#include "draw/events.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace {

// Every word an event number; nothing (after saying so) when one is not.
std::optional<QList<qint64>> eventNumbers(cli::Context& ctx)
{
    QList<qint64> numbers;
    for (const QString& word : ctx.args) {
        const qint64 n = cli::DrawCli::number(ctx, word, QStringLiteral("EVENTNO"));
        if (n == 0)
            return std::nullopt;
        numbers.append(n);
    }
    return numbers;
}

int combine(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const QString name = ctx.takeOption(QStringLiteral("--name"));
    if (ctx.args.isEmpty())
        return ctx.usageError();
    const auto numbers = eventNumbers(ctx);
    if (!numbers)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    draw::Events events = draw.events();
    draw::CombinedItems combined(events);
    const qint64 combinedNo = combined.combine(*numbers, name);
    if (combinedNo == 0)
        return cli::Failed;
    for (const draw::CombinedGroup& g : combined.groups())
        if (g.combinedNo == combinedNo)
            ctx.printFields({{QStringLiteral("combinedno"), QString::number(combinedNo)},
                             {QStringLiteral("name"), g.name},
                             {QStringLiteral("events"), QString::number(g.eventNos.size())}});
    return cli::Success;
}

int uncombine(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    draw::Events events = draw.events();
    return draw::CombinedItems(events).uncombine(eventNo) ? cli::Success : cli::Failed;
}

int deleteGroup(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 combinedNo = draw.numberArgument(ctx, 1, QStringLiteral("COMBINEDNO"));
    if (combinedNo == 0)
        return draw.exitCode();
    draw::Events events = draw.events();
    return draw::CombinedItems(events).deleteGroup(combinedNo) ? cli::Success : cli::Failed;
}

int groups(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::Events events = draw.events();
    const QList<draw::CombinedGroup> list = draw::CombinedItems(events).groups();
    if (ctx.json) {
        QJsonArray array;
        for (const draw::CombinedGroup& g : list) {
            QJsonArray members;
            for (qint64 e : g.eventNos)
                members.append(e);
            array.append(QJsonObject{{"combinedno", g.combinedNo},
                                     {"name", g.name},
                                     {"type", g.groupType},
                                     {"day", g.daySeq},
                                     {"seq", g.seq},
                                     {"time", g.time},
                                     {"pit", g.pit},
                                     {"events", members}});
        }
        ctx.printJson(array);
        return cli::Success;
    }
    for (const draw::CombinedGroup& g : list) {
        ctx.out << g.combinedNo << "  \"" << g.name << "\"  day " << g.daySeq << "  seq " << g.seq
                << "  " << (g.time.isEmpty() ? QStringLiteral("--:--") : g.time) << "\n";
        for (qint64 e : g.eventNos)
            ctx.out << "    " << e << "  " << events.eventTitle(e) << "\n";
        if (g.eventNos.isEmpty())
            ctx.out << "    (no items)\n";
    }
    return cli::Success;
}

const cli::Command kCombine("event combine", "EVENTNO EVENTNO... [--name N] [--meeting N]",
                            &combine);
const cli::Command kUncombine("event uncombine", "EVENTNO [--meeting N]", &uncombine);
const cli::Command kGroups("event groups", "[--meeting N] [--json]", &groups);
const cli::Command kDeleteGroup("event group-delete", "COMBINEDNO [--meeting N]", &deleteGroup);

} // namespace
