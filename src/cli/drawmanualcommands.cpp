// The draws made or corrected by hand: manual edits and swaps, late athletes, hot seats,
// alphabetical finals, the draw of selected athletes and the call room's draw, the checks
// and summaries of a draw, and the constant and pattern team lanes.

#include "base/messages.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "cli/printrows.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/alphabeticaldraw.h"
#include "draw/callroomdraw.h"
#include "draw/constantdraw.h"
#include "draw/drawcheck.h"
#include "draw/drawsummary.h"
#include "draw/hotseats.h"
#include "draw/latedraw.h"
#include "draw/manualdraw.h"
#include "draw/patterndraw.h"
#include "draw/patterntables.h"
#include "draw/teamlanes.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace {

// --seed N, or the clock's nanoseconds as the draw has always been seeded.
std::optional<quint32> seedOption(cli::Context& ctx)
{
    const QString text = ctx.takeOption(QStringLiteral("--seed"));
    if (text.isEmpty())
        return quint32(QDateTime::currentMSecsSinceEpoch() ^
                       (quint64(std::chrono::steady_clock::now().time_since_epoch().count())));
    bool ok = false;
    const quint32 seed = text.toUInt(&ok);
    if (!ok) {
        ctx.usageError(QStringLiteral("--seed must be a whole number"));
        return std::nullopt;
    }
    return seed;
}

// EVENTNO and ROUND from the first two words; 0 after a usage error.
qint64 eventAndRound(cli::Context& ctx, QString* round)
{
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    *round = ctx.args[1].toUpper();
    if (eventNo > 0 && (round->size() != 1 || !QStringLiteral("FABC").contains(*round))) {
        ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
        return 0;
    }
    return eventNo;
}

// The work-table row of an athlete; -1 with the message when he has no entry.
int rowOf(cli::Context& ctx, const draw::ManualDraw& manual, qint64 athleteNo)
{
    const int row = manual.indexOf(athleteNo);
    if (row < 0)
        ctx.messages().warning(QStringLiteral("The athlete ") + QString::number(athleteNo) +
                               QStringLiteral(" is not entered in this event"));
    return row;
}

// The start every command on the manual draw's work table shares: EVENTNO ROUND, the
// athlete numbers in words `first` to the end, the database ready, the round's work table
// open and the athletes' rows found. `failure` is Success when all went well.
struct OpenedManual {
    std::unique_ptr<draw::ManualDraw> manual;
    QList<int> rows;
    int failure = cli::Success;
};

OpenedManual openManual(cli::Context& ctx, cli::DrawCli& draw, int first)
{
    OpenedManual opened;
    QString round;
    const qint64 eventNo = eventAndRound(ctx, &round);
    QList<qint64> athletes;
    for (int i = first; eventNo > 0 && i < ctx.args.size(); ++i) {
        const qint64 athleteNo =
            cli::DrawCli::number(ctx, ctx.args[i], QStringLiteral("ATHLETENO"));
        if (athleteNo == 0)
            break;
        athletes.append(athleteNo);
    }
    if (eventNo == 0 || athletes.size() != ctx.args.size() - first) {
        opened.failure = cli::WrongCommandLine;
        return opened;
    }
    opened.failure = cli::Failed;
    if (!draw.ready())
        return opened;
    opened.manual =
        std::make_unique<draw::ManualDraw>(draw.database(), draw.items(), ctx.messages());
    if (!opened.manual->open(eventNo, round))
        return opened;
    for (const qint64 athleteNo : athletes) {
        const int row = rowOf(ctx, *opened.manual, athleteNo);
        if (row < 0)
            return opened;
        opened.rows.append(row);
    }
    opened.failure = cli::Success;
    return opened;
}

int set(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(5))
        return cli::WrongCommandLine;
    const QString heat = ctx.args.takeAt(3);
    const QString lane = ctx.args.takeAt(3);
    OpenedManual opened = openManual(ctx, draw, 2);
    if (opened.failure != cli::Success)
        return opened.failure;
    draw::ManualDraw& manual = *opened.manual;
    if (!manual.setHeatLane(opened.rows[0], heat, lane))
        return cli::Failed;
    if (manual.verifyErrors().isEmpty())
        manual.verify();
    return manual.accept() ? cli::Success : cli::Failed;
}

int swap(cli::Context& ctx)
{
    const bool sameTeam = ctx.takeFlag(QStringLiteral("--same-team"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(4))
        return cli::WrongCommandLine;
    OpenedManual opened = openManual(ctx, draw, 2);
    if (opened.failure != cli::Success)
        return opened.failure;
    return opened.manual->swapRows(opened.rows[0], opened.rows[1], sameTeam) ? cli::Success
                                                                             : cli::Failed;
}

int select(cli::Context& ctx)
{
    const std::optional<quint32> seed = seedOption(ctx);
    cli::DrawCli draw(ctx);
    if (!seed)
        return cli::WrongCommandLine;
    if (ctx.args.size() < 2)
        return ctx.usageError();
    OpenedManual opened = openManual(ctx, draw, 2);
    if (opened.failure != cli::Success)
        return opened.failure;
    draw::ManualDraw& manual = *opened.manual;
    if (opened.rows.isEmpty())
        manual.selectPlacesAndPerformances();
    for (const int row : std::as_const(opened.rows))
        manual.setSelected(row, true);
    return manual.drawSelected(*seed) ? cli::Success : cli::Failed;
}

int callRoom(cli::Context& ctx)
{
    const std::optional<quint32> seed = seedOption(ctx);
    cli::DrawCli draw(ctx);
    if (!seed || !ctx.expectArgs(2))
        return cli::WrongCommandLine;
    QString round;
    const qint64 eventNo = eventAndRound(ctx, &round);
    if (eventNo == 0)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    return draw::callRoomDraw(draw.database(), draw.items(), ctx.messages(), eventNo, round, *seed)
               ? cli::Success
               : cli::Failed;
}

int addLate(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(4))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    const qint64 athleteNo =
        eventNo > 0 ? cli::DrawCli::number(ctx, ctx.args[1], QStringLiteral("ATHLETENO")) : 0;
    if (athleteNo == 0)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    draw::LateDraw late(draw.database(), ctx.messages(), eventNo);
    if (!late.open())
        return cli::Failed;
    bool ok = false;
    const int heat = ctx.args[2].toInt(&ok);
    if (!ok) {
        ctx.messages().warning(QStringLiteral("Select a Heat"));
        return cli::Failed;
    }
    if (!late.add(athleteNo, heat, ctx.args[3]))
        return cli::Failed;
    if (late.undrawn(false).isEmpty())
        ctx.messages().information(QStringLiteral("All Athletes taken care of. Exiting."));
    return cli::Success;
}

int undrawn(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    draw::LateDraw late(draw.database(), ctx.messages(), eventNo);
    if (!late.open())
        return cli::Failed;
    return cli::printRows(
        ctx, late.undrawn(!ctx.json),
        [](const draw::UndrawnAthlete& a) {
            return QJsonObject{{"athleteno", a.athleteNo},
                               {"surname", a.surname},
                               {"firstname", a.firstName},
                               {"team", a.teamAbrv}};
        },
        [](const draw::UndrawnAthlete& a) {
            return QString::number(a.athleteNo).rightJustified(8) + QStringLiteral("  ") +
                   (a.surname + QStringLiteral(", ") + a.firstName).leftJustified(32) +
                   QStringLiteral("  ") + a.teamAbrv;
        });
}

int alphabetical(cli::Context& ctx)
{
    const bool byTeam = ctx.takeFlag(QStringLiteral("--by-team"));
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    return draw::drawAlphabetically(draw.database(), ctx.messages(), eventNo, byTeam) >= 0
               ? cli::Success
               : cli::Failed;
}

int hotSeats(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() != 2 && ctx.args.size() != 4)
        return ctx.usageError();
    QString round;
    const qint64 eventNo = eventAndRound(ctx, &round);
    if (eventNo == 0)
        return cli::WrongCommandLine;
    qint64 drawnNo = 0;
    qint64 waitingNo = 0;
    if (ctx.args.size() == 4) {
        drawnNo = cli::DrawCli::number(ctx, ctx.args[2], QStringLiteral("ATHLETENO"));
        waitingNo =
            drawnNo > 0 ? cli::DrawCli::number(ctx, ctx.args[3], QStringLiteral("ATHLETENO")) : 0;
        if (waitingNo == 0)
            return cli::WrongCommandLine;
    }
    if (!draw.ready())
        return cli::Failed;
    draw::HotSeats seats(draw.database(), draw.items(), ctx.messages());
    if (!seats.open(eventNo, round))
        return cli::Failed;
    if (drawnNo > 0)
        return seats.replace(drawnNo, waitingNo) ? cli::Success : cli::Failed;
    return cli::printRows(
        ctx, seats.waiting(!ctx.json),
        [](const draw::HotSeat& s) {
            return QJsonObject{{"athleteno", s.athleteNo},
                               {"name", s.name},
                               {"team", s.teamAbrv},
                               {"place", s.place},
                               {"performance", s.performance}};
        },
        [](const draw::HotSeat& s) {
            return QString::number(s.athleteNo).rightJustified(8) + QStringLiteral("  ") +
                   s.name.leftJustified(32) + QStringLiteral("  ") + s.teamAbrv.leftJustified(8) +
                   QStringLiteral("  ") + QString::number(s.place).rightJustified(3) +
                   QStringLiteral("  ") + s.performance;
        });
}

int check(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    QString round;
    const qint64 eventNo = eventAndRound(ctx, &round);
    if (eventNo == 0)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    bool ok = false;
    const QList<draw::DrawCheckRow> rows =
        draw::drawCheck(draw.database(), draw.items(), ctx.messages(), eventNo, round, &ok);
    if (!ok)
        return cli::Failed;
    return cli::printRows(
        ctx, rows,
        [](const draw::DrawCheckRow& r) {
            return QJsonObject{{"athleteno", r.athleteNo},
                               {"name", r.name},
                               {"team", r.teamAbrv},
                               {"heatbefore", r.heatBefore},
                               {"place", r.place},
                               {"performance", r.performance},
                               {"status", r.status},
                               {"group", r.group},
                               {"drawn", r.drawn},
                               {"heat", r.heat},
                               {"lane", r.lane}};
        },
        [](const draw::DrawCheckRow& r) {
            return r.name.leftJustified(28) + QStringLiteral("  ") + r.teamAbrv.leftJustified(8) +
                   QStringLiteral("  H") + QString::number(r.heatBefore).leftJustified(3) +
                   QString::number(r.place).rightJustified(4) + QStringLiteral("  ") +
                   r.performance.leftJustified(11) + QString::number(r.status).rightJustified(3) +
                   QStringLiteral("  ") + r.group.leftJustified(6) + QStringLiteral("  ") +
                   (r.drawn ? QStringLiteral("heat ") + QString::number(r.heat) +
                                  QStringLiteral(" lane ") + QString::number(r.lane)
                            : QStringLiteral("-"));
        });
}

int summary(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    const draw::DrawSummary s = draw::drawSummary(draw.database(), ctx.messages(), eventNo);
    if (s.rounds.isEmpty())
        return cli::Failed;
    QJsonArray list;
    for (const draw::DrawSummaryRow& a : s.athletes) {
        QJsonObject rounds;
        QString line = a.name.leftJustified(28) + QStringLiteral("  ") +
                       a.teamAbrv.leftJustified(8) + QStringLiteral("  ") +
                       a.bestBefore.leftJustified(11);
        for (const QString& round : s.rounds) {
            const auto it = a.rounds.constFind(round);
            if (it == a.rounds.cend()) {
                line += QStringLiteral("  ") + round + QStringLiteral(": -").leftJustified(24);
                continue;
            }
            rounds.insert(round, QJsonObject{{"heat", it->heat},
                                             {"lane", it->lane},
                                             {"place", it->place},
                                             {"performance", it->performance},
                                             {"status", it->status}});
            line +=
                QStringLiteral("  ") + round + QStringLiteral(": ") +
                (QString::number(it->heat) + QLatin1Char('/') + QString::number(it->lane) +
                 QLatin1Char(' ') + QString::number(it->place) + QLatin1Char(' ') + it->performance)
                    .leftJustified(22);
        }
        if (ctx.json)
            list.append(QJsonObject{{"athleteno", a.athleteNo},
                                    {"name", a.name},
                                    {"team", a.teamAbrv},
                                    {"bestbefore", a.bestBefore},
                                    {"rounds", rounds}});
        else
            ctx.out << line.trimmed() << "\n";
    }
    if (ctx.json)
        ctx.printJson(list);
    return cli::Success;
}

int constant(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    const draw::ConstantDrawResult result =
        draw::constantFirstRoundDraw(draw.database(), draw.items(), ctx.messages(), eventNo);
    if (!result.stored)
        return cli::Failed;
    const QString itemCode =
        draw.database().selectOneValue(QStringLiteral("ITEMCODE"), QStringLiteral("MYEVENT"),
                                       QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
    ctx.out << QString::number(result.drawn) << " drawn\n"
            << draw::constantLeftoverReport(draw.items(), itemCode.trimmed(), result.leftovers)
            << "\n";
    return cli::Success;
}

QString genderArgument(cli::Context& ctx, const QString& word)
{
    const QString gender = word.toUpper();
    if (gender != QLatin1String("M") && gender != QLatin1String("F")) {
        ctx.usageError(QStringLiteral("GENDER is M or F"));
        return QString();
    }
    return gender;
}

QStringList teamsArgument(const QString& word)
{
    QStringList teams;
    for (const QString& team : word.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        teams.append(team.trimmed());
    return teams;
}

int teamLanesShow(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::ConstantTeamLanes lanes(draw.database(), ctx.messages(), draw.meetingNo());
    QJsonObject object;
    for (const QString& gender : {QStringLiteral("M"), QStringLiteral("F")}) {
        const QStringList list = lanes.lanes(gender);
        const QStringList missing = lanes.missingTeams(gender, list);
        object.insert(gender, QJsonObject{{"lanes", QJsonArray::fromStringList(list)},
                                          {"missing", QJsonArray::fromStringList(missing)}});
        if (ctx.json)
            continue;
        ctx.out << draw::genderWord(gender) << " team lanes:\n";
        for (int i = 0; i < list.size(); ++i)
            ctx.out << "  " << QString::number(i + 1).rightJustified(2) << "  " << list[i] << "\n";
        if (!missing.isEmpty())
            ctx.out << "  without a lane: " << missing.join(QStringLiteral(", ")) << "\n";
    }
    if (ctx.json)
        ctx.printJson(object);
    return cli::Success;
}

int teamLanesSet(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const QString gender = genderArgument(ctx, ctx.args[0]);
    if (gender.isEmpty())
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    draw::ConstantTeamLanes lanes(draw.database(), ctx.messages(), draw.meetingNo());
    return lanes.setLanes(gender, teamsArgument(ctx.args[1])) ? cli::Success : cli::Failed;
}

int teamLanesUsed(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    return cli::printRows(
        ctx, draw::lanesUsed(draw.database(), draw.meetingNo()),
        [](const draw::LaneUse& use) {
            return QJsonObject{{"lane", use.lane}, {"team", use.team}, {"athletes", use.athletes}};
        },
        [](const draw::LaneUse& use) {
            return QString::number(use.lane).rightJustified(3) + QStringLiteral("  ") +
                   use.team.leftJustified(8) + QString::number(use.athletes).rightJustified(5);
        });
}

int patternShow(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::PatternDraw pattern(draw.database(), draw.items(), ctx.messages(), draw.meetingNo());
    if (ctx.json) {
        const auto teams = [&](const QString& gender) {
            QJsonObject object;
            const draw::PatternTeams numbered = pattern.teams(gender);
            for (auto it = numbered.cbegin(); it != numbered.cend(); ++it)
                object.insert(QString::number(it.key()), it.value());
            return object;
        };
        ctx.printJson(QJsonObject{
            {"lanes", pattern.laneCount()},
            {"cycles", QJsonArray::fromStringList(draw::patternCycles(pattern.laneCount()))},
            {"male", teams(QStringLiteral("M"))},
            {"female", teams(QStringLiteral("F"))}});
        return cli::Success;
    }
    const QString report = pattern.report();
    if (report.isEmpty())
        return cli::Failed;
    ctx.out << report << "\n";
    return cli::Success;
}

int patternRenumber(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    draw::PatternDraw pattern(draw.database(), draw.items(), ctx.messages(), draw.meetingNo());
    const int numbered = pattern.renumber();
    if (numbered < 0)
        return cli::Failed;
    ctx.out << numbered << " heats numbered\n";
    return cli::Success;
}

int patternLanes(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    bool ok = false;
    const int lanes = ctx.args[0].toInt(&ok);
    if (!ok)
        return ctx.usageError(QStringLiteral("LANES must be a number"));
    if (!draw.ready())
        return cli::Failed;
    draw::PatternDraw pattern(draw.database(), draw.items(), ctx.messages(), draw.meetingNo());
    return pattern.setLaneCount(lanes) ? cli::Success : cli::Failed;
}

int patternTeams(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() == 1 && ctx.args[0] == QLatin1String("tag")) {
        if (!draw.ready())
            return cli::Failed;
        return draw::PatternDraw(draw.database(), draw.items(), ctx.messages(), draw.meetingNo())
                       .tagTeamsByGender()
                   ? cli::Success
                   : cli::Failed;
    }
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const QString gender = genderArgument(ctx, ctx.args[0]);
    if (gender.isEmpty())
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    draw::PatternDraw pattern(draw.database(), draw.items(), ctx.messages(), draw.meetingNo());
    if (!pattern.setTeams(gender, teamsArgument(ctx.args[1])))
        return cli::Failed;
    // Tell at once when the counts do not match the lanes yet.
    return pattern.configurationCorrect(false) ? cli::Success : cli::Failed;
}

const cli::Command setCmd("draw set", "EVENTNO ROUND ATHLETENO HEAT LANE [--meeting N]", &set);
const cli::Command swapCmd("draw swap",
                           "EVENTNO ROUND ATHLETENO ATHLETENO [--same-team] [--meeting N]", &swap);
const cli::Command selectCmd("draw select",
                             "EVENTNO ROUND [ATHLETENO ...] [--seed N] [--meeting N]", &select);
const cli::Command callRoomCmd("draw call-room", "EVENTNO ROUND [--seed N] [--meeting N]",
                               &callRoom);
const cli::Command addLateCmd("draw add-late", "EVENTNO ATHLETENO HEAT LANE [--meeting N]",
                              &addLate);
const cli::Command undrawnCmd("draw undrawn", "EVENTNO [--json] [--meeting N]", &undrawn);
const cli::Command alphabeticalCmd("draw alphabetical", "EVENTNO [--by-team] [--meeting N]",
                                   &alphabetical);
const cli::Command hotSeatsCmd("draw hot-seats",
                               "EVENTNO ROUND [DRAWN_ATHLETENO WAITING_ATHLETENO] [--json] "
                               "[--meeting N]",
                               &hotSeats);
const cli::Command checkCmd("draw check", "EVENTNO ROUND [--json] [--meeting N]", &check);
const cli::Command summaryCmd("draw summary", "EVENTNO [--json] [--meeting N]", &summary);
const cli::Command constantCmd("draw constant", "EVENTNO [--meeting N]", &constant);
const cli::Command teamLanesShowCmd("draw team-lanes show", "[--json] [--meeting N]",
                                    &teamLanesShow);
const cli::Command teamLanesSetCmd("draw team-lanes set", "M|F \"TEAM;TEAM;...\" [--meeting N]",
                                   &teamLanesSet);
const cli::Command teamLanesUsedCmd("draw team-lanes used", "[--json] [--meeting N]",
                                    &teamLanesUsed);
const cli::Command patternShowCmd("draw pattern show", "[--json] [--meeting N]", &patternShow);
const cli::Command patternRenumberCmd("draw pattern renumber", "[--meeting N]", &patternRenumber);
const cli::Command patternLanesCmd("draw pattern lanes", "LANES [--meeting N]", &patternLanes);
const cli::Command patternTeamsCmd("draw pattern teams",
                                   "tag | M|F \"TEAM;TEAM;...\" [--meeting N]", &patternTeams);

} // namespace
