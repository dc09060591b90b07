// Field attempts from the command line: each attempt of a horizontal jump or throw with its
// wind, the bar heights of a vertical jump with the athletes' marks, and "Calculate".

#include "cli/cli.h"
#include "cli/drawcli.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/meetingsettings.h"
#include "results/heightmarks.h"
#include "results/perfhistory.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

namespace {

// The race named by EVENTNO ROUND (and --heat N for a heat), after the meeting is loaded.
struct RaceArgs {
    cli::DrawCli draw;
    std::optional<results::FieldRace> race;
    std::unique_ptr<results::PerfHistory> history;

    explicit RaceArgs(cli::Context& ctx) : draw(ctx) {}

    // Takes --heat and the first two words (and as many more, one of them optional when
    // lastOptional); false after the reason was shown.
    bool open(cli::Context& ctx, int moreWords, bool lastOptional = false)
    {
        const int heat = ctx.takeOption(QStringLiteral("--heat")).toInt();
        const int words =
            lastOptional && ctx.args.size() == 3 + moreWords ? 3 + moreWords : 2 + moreWords;
        if (!ctx.expectArgs(words))
            return false;
        const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
        if (eventNo == 0 || !draw.ready())
            return false;
        history =
            std::make_unique<results::PerfHistory>(draw.database(), draw.items(), draw.meeting());
        race = history->race(eventNo, ctx.args[1], heat);
        return race.has_value();
    }
};

qint64 athleteArg(cli::Context& ctx, int index)
{
    return cli::DrawCli::number(ctx, ctx.args[index], QStringLiteral("ATHLETENO"));
}

int done(bool ok)
{
    return ok ? cli::Success : cli::Failed;
}

int attemptsSet(cli::Context& ctx)
{
    const QString wind = ctx.takeOption(QStringLiteral("--wind"));
    RaceArgs r(ctx);
    if (!r.open(ctx, 3))
        return cli::Failed;
    const qint64 athlete = athleteArg(ctx, 2);
    const int seq = ctx.args[3].toInt();
    return done(athlete > 0 && r.history->setAttempt(*r.race, athlete, seq, ctx.args[4], wind));
}

int attemptsDelete(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 2))
        return cli::Failed;
    const qint64 athlete = athleteArg(ctx, 2);
    return done(athlete > 0 && r.history->deleteAttempt(*r.race, athlete, ctx.args[3].toInt()));
}

int attemptsList(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 1))
        return cli::Failed;
    const qint64 athlete = athleteArg(ctx, 2);
    if (athlete == 0)
        return cli::WrongCommandLine;
    QJsonArray rows;
    for (const results::Attempt& a : r.history->attempts(*r.race, athlete)) {
        if (ctx.json)
            rows.append(
                QJsonObject{{"seq", a.seq}, {"performance", a.performance}, {"wind", a.wind}});
        else
            ctx.out << a.seq << "\t" << a.performance << "\t" << a.wind << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

// Prints the race's results after "Calculate".
int printResults(cli::Context& ctx, RaceArgs& r)
{
    QJsonArray rows;
    for (const results::FieldResult& f : r.history->results(*r.race)) {
        if (ctx.json)
            rows.append(QJsonObject{{"athleteno", QString::number(f.athleteNo)},
                                    {"performance", f.performance},
                                    {"wind", f.wind},
                                    {"place", f.place},
                                    {"status", f.status}});
        else
            ctx.out << f.place << "\t" << f.athleteNo << "\t" << f.performance << "\t" << f.wind
                    << "\t" << f.status << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int attemptsCalc(cli::Context& ctx)
{
    const bool oldRule = ctx.takeFlag(QStringLiteral("--old-rule"));
    RaceArgs r(ctx);
    if (!r.open(ctx, 0))
        return cli::Failed;
    if (!ctx.messages().confirm(QStringLiteral("Calculate performances\r(Disqualified Athletes "
                                               "will be skipped)")))
        return cli::Failed;
    if (!r.history->CalcFromHistory(*r.race, oldRule))
        return cli::Failed;
    return printResults(ctx, r);
}

int heightsAdd(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 1))
        return cli::Failed;
    return done(r.history->addHeight(*r.race, ctx.args[2]));
}

int heightsDelete(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 0))
        return cli::Failed;
    return done(r.history->deleteLastHeight(*r.race));
}

int heightsSet(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 3))
        return cli::Failed;
    const qint64 athlete = athleteArg(ctx, 2);
    return done(athlete > 0 &&
                r.history->setMarks(*r.race, athlete, ctx.args[3].toInt(), ctx.args[4]));
}

// The heights, and with an athlete the marks he or she has at each.
int heightsList(cli::Context& ctx)
{
    RaceArgs r(ctx);
    if (!r.open(ctx, 0, true))
        return cli::Failed;
    const qint64 athlete = ctx.args.size() > 2 ? athleteArg(ctx, 2) : 0;
    if (ctx.args.size() > 2 && athlete == 0)
        return cli::WrongCommandLine;
    QHash<int, QString> marks;
    if (athlete > 0) {
        for (const results::HeightMarks& m : r.history->marks(*r.race, athlete))
            marks.insert(m.heightSeq, m.marks);
    }
    QJsonArray rows;
    for (const results::BarHeight& h : r.history->heights(*r.race)) {
        if (ctx.json) {
            QJsonObject row{{"seq", h.heightSeq}, {"height", h.height}};
            if (athlete > 0)
                row.insert(QStringLiteral("marks"), marks.value(h.heightSeq));
            rows.append(row);
        } else {
            ctx.out << h.heightSeq << "\t" << h.height;
            if (athlete > 0)
                ctx.out << "\t" << marks.value(h.heightSeq);
            ctx.out << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

const cli::Command
    setCmd("attempts set",
           "EVENTNO ROUND ATHLETENO SEQ PERF|X|- [--wind W] [--heat N] [--meeting N]",
           &attemptsSet);
const cli::Command deleteCmd("attempts delete",
                             "EVENTNO ROUND ATHLETENO SEQ [--heat N] [--meeting N]",
                             &attemptsDelete);
const cli::Command listCmd("attempts list",
                           "EVENTNO ROUND ATHLETENO [--heat N] [--json] [--meeting N]",
                           &attemptsList);
const cli::Command calcCmd("attempts calc",
                           "EVENTNO ROUND [--heat N] [--old-rule] [--json] [--meeting N]",
                           &attemptsCalc);
const cli::Command heightAddCmd("heights add", "EVENTNO ROUND HEIGHT [--heat N] [--meeting N]",
                                &heightsAdd);
const cli::Command heightDeleteCmd("heights delete", "EVENTNO ROUND [--heat N] [--meeting N]",
                                   &heightsDelete);
const cli::Command heightSetCmd("heights set",
                                "EVENTNO ROUND ATHLETENO HEIGHTSEQ MARKS [--heat N] [--meeting N]",
                                &heightsSet);
const cli::Command heightListCmd("heights list",
                                 "EVENTNO ROUND [ATHLETENO] [--heat N] [--json] [--meeting N]",
                                 &heightsList);

} // namespace
