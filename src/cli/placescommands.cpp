// Places of heats and finals: calculating them and checking them against the
// performances.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "results/places.h"
#include "results/qualifying.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

struct ProgramHeat {
    qint64 programNo = 0;
    QString round;
    int heatNo = 0;
};

// The program rows of an event, first round first; empty with a warning when the event
// is not one of the meeting's or has no such round or heat.
QList<ProgramHeat> eventHeats(cli::Context& ctx, cli::DrawCli& draw, qint64 eventNo,
                              const QString& round, int heatNo)
{
    QList<ProgramHeat> heats;
    if (draw.database().ZSqlCount(QStringLiteral("MYEVENT"),
                                  QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                                      QStringLiteral(" and MEETINGNO = ") +
                                      db::sqlInt(draw.meetingNo())) == 0) {
        ctx.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return heats;
    }
    QString where = QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo);
    if (!round.isEmpty())
        where += QStringLiteral(" and ROUND = ") + db::quoted(round);
    if (heatNo >= 0)
        where += QStringLiteral(" and HEATNO = ") + db::sqlInt(heatNo);
    db::Query q = draw.database().openQuery(
        QStringLiteral("select PROGRAMNO, ROUND, HEATNO from PROGRAM where ") + where +
        QStringLiteral(" order by case ROUND when 'C' then 1 when 'B' then 2 when 'A' then 3 "
                       "else 4 end, HEATNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        heats.append({q.integer("PROGRAMNO"), q.text("ROUND").trimmed(), int(q.integer("HEATNO"))});
    if (heats.isEmpty())
        ctx.messages().warning(QStringLiteral("There is no such heat in the program"));
    return heats;
}

QString heatName(const ProgramHeat& heat)
{
    return heat.round == QLatin1String("F")
               ? QStringLiteral("Final")
               : QStringLiteral("Round ") + heat.round + QStringLiteral(" Heat ") +
                     QString::number(heat.heatNo);
}

// ROUND and HEAT options: false after the usage error.
bool readHeatOptions(cli::Context& ctx, QString* round, int* heatNo)
{
    *round = ctx.takeOption(QStringLiteral("--round")).toUpper();
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    *heatNo = -1;
    if (!round->isEmpty() && (round->size() != 1 || !QStringLiteral("FABC").contains(*round))) {
        ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
        return false;
    }
    if (!heatText.isEmpty()) {
        bool ok = false;
        *heatNo = heatText.toInt(&ok);
        if (!ok || *heatNo < 0) {
            ctx.usageError(QStringLiteral("HEAT is a number"));
            return false;
        }
    }
    return true;
}

int calc(cli::Context& ctx)
{
    const bool all = ctx.takeFlag(QStringLiteral("--all"));
    QString round;
    int heatNo = -1;
    if (!readHeatOptions(ctx, &round, &heatNo))
        return cli::WrongCommandLine;
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(all ? 0 : 1))
        return cli::WrongCommandLine;
    if (all && (!round.isEmpty() || heatNo >= 0))
        return ctx.usageError(QStringLiteral("--all takes no --round or --heat"));
    qint64 eventNo = 0;
    if (!all && (eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"))) == 0)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    results::Places places(
        draw.database(), draw.items(), draw.meeting(),
        results::meetingQualifyingTest(draw.database(), draw.items(), draw.meeting()));
    if (all)
        return places.CalcAllPlaces(draw.meetingNo()) ? cli::Success : cli::Failed;
    const QList<ProgramHeat> heats = eventHeats(ctx, draw, eventNo, round, heatNo);
    if (heats.isEmpty())
        return cli::Failed;
    bool ok = true;
    QJsonArray list;
    for (const ProgramHeat& heat : heats) {
        QStringList changes;
        const bool done = places.calcAndRefresh(heat.programNo, &changes);
        ok = done && ok;
        if (ctx.json) {
            list.append(QJsonObject{{"programno", heat.programNo},
                                    {"round", heat.round},
                                    {"heat", heat.heatNo},
                                    {"calculated", done},
                                    {"changes", QJsonArray::fromStringList(changes)}});
            continue;
        }
        ctx.out << heatName(heat)
                << (done ? QStringLiteral(": calculated") : QStringLiteral(": not calculated"))
                << "\n";
        for (const QString& change : changes)
            ctx.out << "  " << change << "\n";
    }
    if (ctx.json)
        ctx.printJson(list);
    return ok ? cli::Success : cli::Failed;
}

int check(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    const QList<ProgramHeat> heats = eventHeats(ctx, draw, eventNo, QString(), -1);
    if (heats.isEmpty())
        return cli::Failed;
    results::Places places(
        draw.database(), draw.items(), draw.meeting(),
        results::meetingQualifyingTest(draw.database(), draw.items(), draw.meeting()));
    bool allOk = true;
    QJsonArray list;
    for (const ProgramHeat& heat : heats) {
        // The check writes the heat's "not calculated" flag, as after an edit.
        QStringList errors;
        bool ok = places.RefreshCalculatedFlag(heat.programNo, &errors);
        ok = places.CalcFinalPlaces(heat.programNo, results::FinalPlacesMode::Check, &errors) && ok;
        allOk = ok && allOk;
        if (ctx.json) {
            list.append(QJsonObject{{"programno", heat.programNo},
                                    {"round", heat.round},
                                    {"heat", heat.heatNo},
                                    {"ok", ok},
                                    {"errors", QJsonArray::fromStringList(errors)}});
            continue;
        }
        ctx.out << heatName(heat)
                << (ok ? QStringLiteral(": places agree")
                       : QStringLiteral(": places must be calculated or fixed"))
                << "\n";
        for (const QString& error : errors)
            ctx.out << "  " << error << "\n";
    }
    if (ctx.json)
        ctx.printJson(list);
    return allOk ? cli::Success : cli::Failed;
}

// "Calculate the final places for all Events": asks first (--yes answers).
int finals(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 0))
        return failed;
    results::Places places(
        draw.database(), draw.items(), draw.meeting(),
        results::meetingQualifyingTest(draw.database(), draw.items(), draw.meeting()));
    return places.calcMeetingFinalPlaces(draw.meetingNo()) ? cli::Success : cli::Failed;
}

const cli::Command calcCmd("places calc", "EVENTNO [--round R] [--heat H] | --all [--meeting N]",
                           &calc);
const cli::Command finalsCmd("places finals", "[--meeting N]", &finals);
const cli::Command checkCmd("places check", "EVENTNO [--meeting N]", &check);

} // namespace
