// The scheduler of the current meeting: time parameters, durations, packing, shifting and
// the resting guidelines.

#include "base/messages.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "meeting/meetingsettings.h"
#include "sched/packing.h"
#include "sched/restguidelines.h"
#include "sched/schedparams.h"
#include "sched/stationrows.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>
#include <optional>

namespace {

// "fast" or "slow"; empty after the usage error.
std::optional<bool> presetWord(cli::Context& ctx, const QString& word)
{
    if (word == QLatin1String("fast"))
        return true;
    if (word == QLatin1String("slow"))
        return false;
    ctx.usageError(QStringLiteral("the preset is fast or slow"));
    return std::nullopt;
}

bool confirmPreset(cli::Context& ctx, bool fast, bool yes)
{
    return yes || ctx.messages().confirm(sched::presetQuestion(fast));
}

// "preset fast|slow": asks before the edits go, then stores the chosen values.
int applyPreset(cli::Context& ctx, bool yes, const std::function<bool(bool fast)>& store)
{
    const std::optional<bool> fast = presetWord(ctx, ctx.args[1]);
    if (!fast)
        return cli::WrongCommandLine;
    if (!confirmPreset(ctx, *fast, yes))
        return cli::Failed;
    return store(*fast) ? cli::Success : cli::Failed;
}

// "show", "set NAME VALUE" or "preset fast|slow" with its words counted and the meeting
// open; empty, with the exit code in `status`, when either fails.
std::optional<QString> editSubcommand(cli::Context& ctx, cli::DrawCli& draw, int* status)
{
    if (ctx.args.isEmpty()) {
        *status = ctx.usageError();
        return std::nullopt;
    }
    const QString what = ctx.args[0];
    const int words = what == QLatin1String("show") ? 1 : what == QLatin1String("set") ? 3 : 2;
    if ((*status = draw.open(ctx, words)) != cli::Success)
        return std::nullopt;
    return what;
}

int scheduleParams(cli::Context& ctx)
{
    const bool yes = ctx.takeFlag(QStringLiteral("--yes"));
    cli::DrawCli draw(ctx);
    int status = cli::Success;
    const std::optional<QString> subcommand = editSubcommand(ctx, draw, &status);
    if (!subcommand)
        return status;
    const QString& what = *subcommand;
    const bool swimming = draw.items().isSwimming();
    sched::TimeParameters params = sched::TimeParameters::of(draw.meeting());
    if (what == QLatin1String("show")) {
        const QList<sched::TimeParam> shown = sched::TimeParameters::shown(swimming);
        QJsonArray rows;
        for (const sched::TimeParamSpec& s : sched::timeParamSpecs()) {
            if (!shown.contains(s.param))
                continue;
            if (ctx.json)
                rows.append(QJsonObject{{"name", QLatin1String(s.name)},
                                        {"position", int(s.param)},
                                        {"meaning", QLatin1String(s.meaning)},
                                        {"value", params.text(s.param)}});
            else
                ctx.out << QString::fromLatin1(s.name).leftJustified(18) << " "
                        << (params.text(s.param).isEmpty() ? QStringLiteral("(empty)")
                                                           : params.text(s.param))
                               .leftJustified(8)
                        << "  " << s.meaning << "\n";
        }
        if (ctx.json)
            ctx.printJson(rows);
        return cli::Success;
    }
    if (what == QLatin1String("preset")) {
        return applyPreset(ctx, yes, [&ctx](bool fast) {
            return sched::storeTimeParameters(ctx.run(), sched::TimeParameters::preset(fast));
        });
    }
    if (what != QLatin1String("set"))
        return ctx.usageError();
    const std::optional<sched::TimeParam> param = sched::timeParamByName(ctx.args[1]);
    if (!param || !sched::TimeParameters::shown(swimming).contains(*param)) {
        ctx.messages().warning(QStringLiteral("There is no time parameter ") + ctx.args[1] +
                               QStringLiteral(" in this edition; see schedule params show."));
        return cli::Failed;
    }
    params.setText(*param, ctx.args[2]);
    return sched::storeTimeParameters(ctx.run(), params) ? cli::Success : cli::Failed;
}

// The row named on the command line, with the reason when there is none.
const sched::StationRow* programRow(cli::Context& ctx, const sched::StationRows& rows,
                                    const QString& word)
{
    const qint64 programNo = cli::DrawCli::number(ctx, word, QStringLiteral("PROGRAMNO"));
    if (programNo == 0)
        return nullptr;
    const sched::StationRow* row = rows.find(programNo);
    if (!row)
        ctx.messages().warning(QStringLiteral("There is no program row ") + word +
                               QStringLiteral(" to schedule in this meeting."));
    return row;
}

int scheduleDuration(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    const sched::StationRows rows(ctx.run());
    const sched::StationRow* row = programRow(ctx, rows, ctx.args[0]);
    if (!row)
        return cli::Failed;
    ctx.printFields(
        {{QStringLiteral("programno"), QString::number(row->programNo)},
         {QStringLiteral("item"), draw.items().ItemDescription(row->itemCode, false)},
         {QStringLiteral("round"), row->round},
         {QStringLiteral("heat"), QString::number(row->heatNo)},
         {QStringLiteral("station"), row->station.name()},
         {QStringLiteral("athletes"), QString::number(row->athletes)},
         {QStringLiteral("duration"), sched::durationText(row->duration)},
         {QStringLiteral("seconds"), QString::number(row->duration * 86400.0, 'f', 1)}});
    return cli::Success;
}

int schedulePack(cli::Context& ctx)
{
    const QString from = ctx.takeOption(QStringLiteral("--from"));
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    const QString time = ctx.takeOption(QStringLiteral("--time"));
    const QString orderText = ctx.takeOption(QStringLiteral("--order"));
    const bool yes = ctx.takeFlag(QStringLiteral("--yes"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (from.isEmpty() || dayText.isEmpty() || time.isEmpty())
        return ctx.usageError(QStringLiteral("--from, --day and --time are needed"));
    bool dayOk = false;
    const int day = dayText.toInt(&dayOk);
    if (!dayOk || day < 0)
        return ctx.usageError(QStringLiteral("--day must be a day of the meeting"));
    const std::optional<sched::PackOrder> order =
        orderText.isEmpty() ? sched::PackOrder::Time : sched::packOrderFromName(orderText);
    if (!order)
        return ctx.usageError(QStringLiteral("--order is one of time, age, track, distance"));
    if (!draw.ready())
        return cli::Failed;
    const sched::StationRows rows(ctx.run());
    if (rows.all().isEmpty()) {
        ctx.messages().warning(QStringLiteral("No Items"));
        return cli::Failed;
    }
    const sched::StationRow* row = programRow(ctx, rows, from);
    if (!row)
        return cli::Failed;
    return sched::Packing(ctx.run()).pack(row->station, *order, row->programNo, day, time, !yes)
               ? cli::Success
               : cli::Failed;
}

int scheduleShift(cli::Context& ctx)
{
    const QString from = ctx.takeOption(QStringLiteral("--from"));
    const QString minutesText = ctx.takeOption(QStringLiteral("--minutes"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    bool ok = false;
    const int minutes = minutesText.toInt(&ok);
    if (from.isEmpty() || !ok)
        return ctx.usageError(QStringLiteral("--from PROGRAMNO and --minutes N (minus means "
                                             "earlier) are needed"));
    if (!draw.ready())
        return cli::Failed;
    const sched::StationRows rows(ctx.run());
    const sched::StationRow* row = programRow(ctx, rows, from);
    if (!row)
        return cli::Failed;
    return sched::Packing(ctx.run()).shift(row->station, sched::PackOrder::Time, row->programNo,
                                           minutes)
               ? cli::Success
               : cli::Failed;
}

int scheduleRest(cli::Context& ctx)
{
    const bool yes = ctx.takeFlag(QStringLiteral("--yes"));
    cli::DrawCli draw(ctx);
    int status = cli::Success;
    const std::optional<QString> subcommand = editSubcommand(ctx, draw, &status);
    if (!subcommand)
        return status;
    const QString& what = *subcommand;
    sched::RestGuidelines guidelines = sched::restGuidelinesOf(ctx.run());
    if (what == QLatin1String("show")) {
        QJsonArray rows;
        if (!ctx.json)
            ctx.out << "First \\ Second  Long  Short  Throw  Jump   (minutes)\n";
        for (int first = 0; first < sched::kRestClassCount; ++first) {
            if (!ctx.json)
                ctx.out << sched::restClassLabel(sched::RestClass(first)).leftJustified(15);
            for (int second = 0; second < sched::kRestClassCount; ++second) {
                const int i = first * sched::kRestClassCount + second;
                if (ctx.json)
                    rows.append(
                        QJsonObject{{"first", sched::restClassLabel(sched::RestClass(first))},
                                    {"second", sched::restClassLabel(sched::RestClass(second))},
                                    {"position", sched::kFirstGuidelinePosition + i},
                                    {"minutes", guidelines.text(i)}});
                else
                    ctx.out << " " << guidelines.text(i).rightJustified(5);
            }
            if (!ctx.json)
                ctx.out << "\n";
        }
        if (ctx.json)
            ctx.printJson(rows);
        return cli::Success;
    }
    if (what == QLatin1String("preset")) {
        return applyPreset(ctx, yes, [&ctx](bool fast) {
            return sched::storeRestGuidelines(ctx.run(), sched::RestGuidelines::preset(fast));
        });
    }
    if (what != QLatin1String("set"))
        return ctx.usageError();
    const std::optional<int> index = sched::guidelineIndexByName(ctx.args[1]);
    if (!index)
        return ctx.usageError(QStringLiteral("PAIR is two of Long, Short, Throw, Jump "
                                             "(\"Short,Long\") or a position 11 to 26"));
    guidelines.setText(*index, ctx.args[2]);
    return sched::storeRestGuidelines(ctx.run(), guidelines) ? cli::Success : cli::Failed;
}

const cli::Command paramsCmd("schedule params",
                             "show | set NAME m:ss | preset fast|slow [--yes] [--meeting N]",
                             &scheduleParams);
const cli::Command durationCmd("schedule duration", "PROGRAMNO [--meeting N]", &scheduleDuration);
const cli::Command
    packCmd("schedule pack",
            "--from PROGRAMNO --day D --time hh:nn [--order time|age|track|distance] "
            "[--yes] [--meeting N]",
            &schedulePack);
const cli::Command shiftCmd("schedule shift", "--from PROGRAMNO --minutes N [--meeting N]",
                            &scheduleShift);
const cli::Command restCmd("schedule rest",
                           "show | set PAIR MINUTES | preset fast|slow [--yes] [--meeting N]",
                           &scheduleRest);

} // namespace
