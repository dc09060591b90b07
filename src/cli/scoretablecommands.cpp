// Performance points from the command line: the list of score sets with what is loaded,
// a performance's points and the performance worth a number of points.

#include "cli/cli.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"
#include "scoring/athletetablescore.h"
#include "scoring/forms/reportprinter.h"
#include "scoring/perftoscore.h"
#include "scoring/scorecalculator.h"
#include "scoring/scorecorrections.h"
#include "scoring/scoredata.h"
#include "scoring/scoresets.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

namespace {

QString methodName(scoring::ScoreMethod method)
{
    using M = scoring::ScoreMethod;
    switch (method) {
    case M::None:
        return QStringLiteral("no score");
    case M::Retired:
        return QStringLiteral("retired, not scored");
    case M::Absa:
        return QStringLiteral("ABSA formula");
    case M::Power:
        return QStringLiteral("power formula");
    case M::Quadratic:
        return QStringLiteral("quadratic formula");
    case M::Ape:
        return QStringLiteral("APE 2005 formula");
    case M::Asa2007:
        return QStringLiteral("ASA 2007 formula");
    case M::DoubleExp:
        return QStringLiteral("double-exponential formula");
    case M::Rows:
        return QStringLiteral("row table");
    case M::WaRows:
        return QStringLiteral("141-row table");
    case M::AgeFactors:
        return QStringLiteral("masters age factors only");
    case M::Local:
        return QStringLiteral("local table, else ABSA 2007");
    case M::IdentifierOnly:
        return QStringLiteral("identifier only");
    }
    return {};
}

int scoresetsList(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    const scoring::ScoreData& data = scoring::ScoreData::builtIn();
    QJsonArray rows;
    for (const scoring::ScoreSetInfo& info : scoring::allScoreSets()) {
        const bool loaded = data.isLoaded(info.number);
        const scoring::ScoreSetData* set = data.set(info.number);
        const QString state = loaded ? QStringLiteral("loaded") : QStringLiteral("not loaded");
        // An age-factor set counts its item families.
        const int items =
            set ? int(set->items.size() + set->shapes.size() + set->ageFactors.size()) : 0;
        if (ctx.json) {
            QJsonObject row{{"number", info.number},
                            {"name", scoring::scoreSetDisplayName(info.number)},
                            {"identifier", scoring::scoreSetIdentifier(info.number)},
                            {"method", methodName(info.method)},
                            {"altitude", info.altitude},
                            {"state", state},
                            {"items", items},
                            {"source", set ? set->source : QString()}};
            // Only set 39 reads a file of the user's, which may be refused.
            if (info.method == scoring::ScoreMethod::Local && !data.problems().isEmpty())
                row.insert("problems", QJsonArray::fromStringList(data.problems()));
            rows.append(row);
        } else {
            ctx.out << info.number << "\t" << scoring::scoreSetDisplayName(info.number) << "\t"
                    << scoring::scoreSetIdentifier(info.number) << "\t" << methodName(info.method)
                    << "\t" << state;
            if (loaded)
                ctx.out << " (" << items << " items)";
            ctx.out << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    else {
        for (const QString& problem : data.problems())
            ctx.out << "Local table not loaded: " << problem << "\n";
    }
    return cli::Success;
}

// "--altitude M" as a whole number of metres; false after the usage text.
bool takeAltitude(cli::Context& ctx, int* altitude)
{
    const QString text = ctx.takeOption(QStringLiteral("--altitude"));
    bool ok = true;
    *altitude = text.isEmpty() ? 0 : text.toInt(&ok);
    if (!ok || *altitude < 0) {
        ctx.usageError(QStringLiteral("The height is not a number"));
        return false;
    }
    return true;
}

// What the score commands open with: "--hand", "--altitude M", then SETNO as the first of
// `words` words (of at least that many with `orMore`). The command takes its own options
// first; nothing, after the usage text, when the line is wrong.
struct ScoreArguments {
    int set = 0;
    bool hand = false;
    int altitude = 0;
};

std::optional<ScoreArguments> scoreArguments(cli::Context& ctx, int words, bool orMore = false)
{
    ScoreArguments a;
    a.hand = ctx.takeFlag(QStringLiteral("--hand"));
    if (!takeAltitude(ctx, &a.altitude))
        return std::nullopt;
    if (orMore && ctx.args.size() < words) {
        ctx.usageError();
        return std::nullopt;
    }
    if (!orMore && !ctx.expectArgs(words))
        return std::nullopt;
    bool ok = false;
    a.set = ctx.args[0].toInt(&ok);
    if (!ok) {
        ctx.usageError(QStringLiteral("SETNO is a score set number"));
        return std::nullopt;
    }
    return a;
}

int score(cli::Context& ctx)
{
    const QString ageText = ctx.takeOption(QStringLiteral("--age"));
    const bool masters = ctx.takeFlag(QStringLiteral("--masters-items"));
    const std::optional<ScoreArguments> opening = scoreArguments(ctx, 3);
    if (!opening)
        return cli::WrongCommandLine;
    const auto [set, hand, altitude] = *opening;
    bool ok = false;
    QString item = ctx.args[1];
    meeting::ItemTypes items(meeting::Edition::Athletics, ctx.messages());
    scoring::AgedItem aged{item, false, {}};
    int age = 0;
    if (!ageText.isEmpty()) {
        age = ageText.toInt(&ok);
        if (!ok || age <= 0)
            return ctx.usageError(QStringLiteral("--age is the athlete's age in years"));
        aged = scoring::itemForAge(item, age, masters);
        if (!aged.refusal.isEmpty()) {
            ctx.messages().warning(aged.refusal);
            return cli::Failed;
        }
    }
    if (!scoring::scorablePerformance(ctx.messages(), ctx.args[2]))
        return cli::Failed;
    scoring::TableScores scores(items, ctx.messages());
    // Masters are age-graded and scored on the World Athletics table, whatever SETNO says.
    const std::optional<int> points =
        aged.masters ? scoring::mastersTableScore(scores, ctx.messages(), item, ctx.args[2], age,
                                                  false, altitude, !hand)
                     : scores.PerfToScore(set, aged.itemCode, ctx.args[2], altitude, !hand);
    item = aged.itemCode;
    if (!points)
        return cli::Failed;
    if (!aged.masters && !scores.ZItemIsDefined(set, item)) {
        ctx.messages().warning(QStringLiteral("This item is not in the Score table"));
        return cli::Failed;
    }
    ctx.printFields(
        {{QStringLiteral("item"), item},
         {QStringLiteral("performance"), ctx.args[2]},
         {QStringLiteral("points"), QString::number(*points)},
         {QStringLiteral("hand correction"),
          QString::number(hand ? scoring::handTimeCorrection(items, item) : 0.0, 'f', 2)},
         {QStringLiteral("altitude correction"),
          QString::number(scoring::isNoAltitudeSet(set)
                              ? 0.0
                              : scoring::altitudeCorrection(items, item, altitude),
                          'f', 2)}});
    return cli::Success;
}

int scorePerf(cli::Context& ctx)
{
    const std::optional<ScoreArguments> opening = scoreArguments(ctx, 3);
    if (!opening)
        return cli::WrongCommandLine;
    const auto [set, hand, altitude] = *opening;
    meeting::ItemTypes items(meeting::Edition::Athletics, ctx.messages());
    scoring::ScoreCalculator calculator(items, ctx.messages());
    const scoring::CalculatorInput input{set, ctx.args[1], QString::number(altitude), hand};
    const std::optional<double> perf = calculator.performance(input, ctx.args[2]);
    if (!perf)
        return cli::Failed;
    ctx.printFields(
        {{QStringLiteral("item"), ctx.args[1]},
         {QStringLiteral("points"), ctx.args[2]},
         {QStringLiteral("performance"), items.PerfValueToText(ctx.args[1], *perf, false)},
         {QStringLiteral("value"), QString::number(*perf, 'f', 2)},
         {QStringLiteral("hand correction"), calculator.handCorrectionText(input)},
         {QStringLiteral("altitude correction"), calculator.altitudeCorrectionText(input)}});
    return cli::Success;
}

int scoreTable(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const int from = ctx.takeOption(QStringLiteral("--from")).toInt();
    const int to = ctx.takeOption(QStringLiteral("--to")).toInt();
    const int step = ctx.takeOption(QStringLiteral("--step")).toInt();
    const std::optional<ScoreArguments> opening = scoreArguments(ctx, 2, true);
    if (!opening)
        return cli::WrongCommandLine;
    const auto [set, hand, altitude] = *opening;
    meeting::ItemTypes items(meeting::Edition::Athletics, ctx.messages());
    scoring::ScoreCalculator calculator(items, ctx.messages());
    const std::optional<scoring::Report> report = calculator.scoreTable(
        {set, QString(), QString::number(altitude), hand}, ctx.args.mid(1), from, to, step);
    if (!report)
        return cli::Failed;
    if (!pdf.isEmpty()) {
        if (!scoring::printReportToPdf(*report, QString(), pdf)) {
            ctx.messages().warning(QStringLiteral("Could not write ") + pdf);
            return cli::Failed;
        }
        ctx.printFields({{QStringLiteral("pdf"), pdf}});
    } else if (ctx.json) {
        ctx.printJson(report->toJson());
    } else {
        ctx.out << report->toText();
    }
    return cli::Success;
}

const cli::Command listCmd("scoresets list", "[--json]", &scoresetsList);
const cli::Command
    scoreCmd("score", "SETNO ITEMCODE PERF [--hand] [--altitude M] [--age N] [--masters-items]",
             &score);
const cli::Command tableCmd("score table",
                            "SETNO ITEMCODE... --from N --to N --step N [--hand] [--altitude M] "
                            "[--pdf FILE] [--json]",
                            &scoreTable);
const cli::Command perfCmd("score perf", "SETNO ITEMCODE POINTS [--hand] [--altitude M]",
                           &scorePerf);

} // namespace
