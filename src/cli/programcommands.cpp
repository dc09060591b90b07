// The program of the current meeting: listing, editing rows, renumbering and shifting.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/programbreaks.h"
#include "draw/programeditor.h"
#include "draw/programorder.h"
#include "draw/roundletter.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

bool programRowExists(cli::DrawCli& draw, qint64 programNo)
{
    return draw.database().ZSqlCount(QStringLiteral("PROGRAM"),
                                     QStringLiteral("PROGRAMNO = ") + db::sqlInt(programNo) +
                                         QStringLiteral(" and MEETINGNO = ") +
                                         db::sqlInt(draw.meetingNo())) > 0;
}

// The command's meeting ready and the program row in it; false once the reason was shown.
bool programRowReady(cli::Context& ctx, cli::DrawCli& draw, qint64 programNo)
{
    if (!draw.ready())
        return false;
    if (programRowExists(draw, programNo))
        return true;
    ctx.messages().warning(QStringLiteral("There is no program row ") + QString::number(programNo));
    return false;
}

int programList(cli::Context& ctx)
{
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    const QString orderText = ctx.takeOption(QStringLiteral("--order"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    int day = 0;
    if (!dayText.isEmpty() &&
        (day = int(cli::DrawCli::number(ctx, dayText, QStringLiteral("--day")))) == 0)
        return cli::WrongCommandLine;
    draw::ProgramOrder order = draw::ProgramOrder::Time;
    if (!orderText.isEmpty()) {
        order = draw::ProgramListing::orderFromName(orderText);
        if (order == draw::ProgramOrder::None)
            return ctx.usageError(QStringLiteral("--order is one of seq, time, age, item"));
    }
    if (!draw.ready())
        return cli::Failed;
    draw::ProgramListing listing(draw.database());
    QJsonArray rows;
    int shownDay = 0;
    for (const draw::ProgramLine& l : listing.lines(draw.meetingNo(), order, day)) {
        const QString time =
            l.time.isValid() ? l.time.toString(QStringLiteral("hh:mm")) : QStringLiteral("--:--");
        const QString item = draw.items().ItemDescription(l.itemCode, false);
        const QString heat = draw::heatName(l.format, l.round, l.heatNo);
        if (ctx.json) {
            rows.append(QJsonObject{{"programno", l.programNo},
                                    {"eventno", l.eventNo},
                                    {"seq", l.seq},
                                    {"day", l.day},
                                    {"time", time},
                                    {"round", l.round},
                                    {"heat", l.heatNo},
                                    {"heatname", heat},
                                    {"item", item},
                                    {"pit", l.pit}});
            continue;
        }
        if (order == draw::ProgramOrder::Time && l.day != shownDay) {
            ctx.out << (shownDay == 0 ? "" : "\n") << "Day " << l.day << "\n";
            shownDay = l.day;
        }
        ctx.out << QString::number(l.seq).rightJustified(4) << "  " << l.day << "  " << time << "  "
                << l.round << "  " << QString::number(l.heatNo).rightJustified(2) << "  "
                << item.leftJustified(34) << "  " << heat << "  [" << l.programNo << "]\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int programSet(cli::Context& ctx)
{
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    const QString timeText = ctx.takeOption(QStringLiteral("--time"));
    const QString seqText = ctx.takeOption(QStringLiteral("--seq"));
    const QString pitText = ctx.takeOption(QStringLiteral("--pit"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const qint64 programNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("PROGRAMNO"));
    if (programNo == 0)
        return cli::WrongCommandLine;
    if (dayText.isEmpty() && timeText.isEmpty() && seqText.isEmpty() && pitText.isEmpty())
        return ctx.usageError(QStringLiteral("give at least one of --day, --time, --seq, --pit"));
    if (!programRowReady(ctx, draw, programNo))
        return cli::Failed;
    draw::ProgramEditor editor(ctx.run());
    // Every value is checked before anything is written.
    draw::SlotEdit edit;
    if (!dayText.isEmpty() && !(edit.day = editor.parseDay(dayText)))
        return cli::Failed;
    if (!timeText.isEmpty() && !(edit.time = editor.parseTime(timeText)))
        return cli::Failed;
    if (!seqText.isEmpty() && !(edit.seq = editor.parseSeq(seqText)))
        return cli::Failed;
    if (!pitText.isEmpty())
        edit.pit = pitText;
    return editor.apply(programNo, edit) ? cli::Success : cli::Failed;
}

int programRenumber(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::ProgramEditor editor(ctx.run());
    return editor.renumber(true) ? cli::Success : cli::Failed;
}

int programShift(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    const QString what = ctx.args[0];
    if (what != QLatin1String("time") && what != QLatin1String("seq"))
        return ctx.usageError(QStringLiteral("shift time or seq"));
    const qint64 programNo = cli::DrawCli::number(ctx, ctx.args[1], QStringLiteral("PROGRAMNO"));
    bool ok = false;
    const int amount = ctx.args[2].toInt(&ok);
    if (programNo == 0 || !ok)
        return ctx.usageError(QStringLiteral("AMOUNT must be a whole number"));
    if (!programRowReady(ctx, draw, programNo))
        return cli::Failed;
    draw::ProgramEditor editor(ctx.run());
    const bool done = what == QLatin1String("time")
                          ? editor.shiftTimes(programNo, amount, draw::ProgramOrder::Time)
                          : editor.shiftSequence(programNo, amount, draw::ProgramOrder::Sequence);
    return done ? cli::Success : cli::Failed;
}

int programDays(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    draw::ProgramEditor editor(ctx.run());
    return editor.setDayCount(ctx.args[0]) ? cli::Success : cli::Failed;
}

int programBreak(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 programNo = draw.numberArgument(ctx, 2, QStringLiteral("PROGRAMNO"));
    if (programNo == 0)
        return draw.exitCode();
    if (!programRowExists(draw, programNo)) {
        ctx.messages().warning(QStringLiteral("Select the Event"));
        return cli::Failed;
    }
    draw::ProgramBreaks breaks(draw.database(), ctx.messages(), draw.meetingNo());
    return breaks.add(programNo, ctx.args[1]) > 0 ? cli::Success : cli::Failed;
}

const cli::Command listCmd("program list", "[--day D] [--order seq|time|age|item] [--meeting N]",
                           &programList);
const cli::Command setCmd("program set",
                          "PROGRAMNO [--day D] [--time hh:nn] [--seq N] [--pit P] [--meeting N]",
                          &programSet);
const cli::Command renumberCmd("program renumber", "[--meeting N]", &programRenumber);
const cli::Command shiftCmd("program shift", "time|seq PROGRAMNO AMOUNT [--meeting N]",
                            &programShift);
const cli::Command daysCmd("program days", "N [--meeting N]", &programDays);
const cli::Command breakCmd("program break", "PROGRAMNO DESCRIPTION [--meeting N]", &programBreak);

} // namespace
