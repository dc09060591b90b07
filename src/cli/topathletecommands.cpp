// The top-athletes team score from the command line: a league's settings (shown and set)
// and the report of the team totals or of every performance with how it counts.

#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "cli/reportoutput.h"

#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/topathletes.h"
#include "scoring/topathletesettings.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// "15:T:2" as a minimum; nothing when it is not AGE:T|F:COUNT.
std::optional<scoring::TopAthleteMinimum> minimumOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return std::nullopt;
    bool ageOk = false;
    bool countOk = false;
    const int age = parts[0].toInt(&ageOk);
    const int count = parts[2].toInt(&countOk);
    const QString group = parts[1].trimmed().toUpper();
    if (!ageOk || !countOk || (group != QLatin1String("T") && group != QLatin1String("F")))
        return std::nullopt;
    return scoring::TopAthleteMinimum{age, group, count};
}

// --league N, 0 when absent; -1 when not a number.
int leagueOption(cli::Context& ctx)
{
    const QString text = ctx.takeOption(QStringLiteral("--league"));
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int league = text.toInt(&ok);
    return ok && league >= 0 ? league : -1;
}

int settingsShow(cli::Context& ctx)
{
    const int league = leagueOption(ctx);
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (league < 0)
        return ctx.usageError(QStringLiteral("--league takes a number"));
    if (meetingNo <= 0)
        return cli::Failed;
    const std::optional<scoring::TopAthleteSettings> s =
        scoring::loadTopAthleteSettings(*ctx.database(), meetingNo, league);
    if (!s) {
        ctx.messages().warning(scoring::topAthleteSettingsRefusal(s, league));
        return cli::Failed;
    }
    QStringList minimums;
    QJsonArray minimumList;
    for (const scoring::TopAthleteMinimum& m : s->minimums) {
        minimums << QString::number(m.age) + QLatin1Char(':') + m.group + QLatin1Char(':') +
                        QString::number(m.parts);
        minimumList.append(QJsonObject{{"age", m.age}, {"group", m.group}, {"parts", m.parts}});
    }
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"league", league},
                                  {"agesCounts", s->agesCounts},
                                  {"restParts", s->restParts},
                                  {"maxPerfsPerAthlete", s->maxPerfsPerAthlete},
                                  {"splitGenders", s->splitGenders},
                                  {"validated", s->validated},
                                  {"minimums", minimumList}});
        return cli::Success;
    }
    ctx.printFields({{QStringLiteral("league"), QString::number(league)},
                     {QStringLiteral("ages counts"), s->agesCounts},
                     {QStringLiteral("rest"), QString::number(s->restParts)},
                     {QStringLiteral("max per athlete"), QString::number(s->maxPerfsPerAthlete)},
                     {QStringLiteral("genders"),
                      s->splitGenders ? QStringLiteral("apart") : QStringLiteral("together")},
                     {QStringLiteral("minimums"), minimums.join(QLatin1Char(' '))},
                     {QStringLiteral("validated"),
                      s->validated ? QStringLiteral("yes") : QStringLiteral("no")}});
    return cli::Success;
}

// Options not given keep the league's stored values (or the meeting's defaults).
int settingsSet(cli::Context& ctx)
{
    const int league = leagueOption(ctx);
    const QString agesCounts = ctx.takeOption(QStringLiteral("--ages-counts"));
    const QString rest = ctx.takeOption(QStringLiteral("--rest"));
    const QString maxPerAthlete = ctx.takeOption(QStringLiteral("--max-per-athlete"));
    const bool apart = ctx.takeFlag(QStringLiteral("--genders-apart"));
    const bool together = ctx.takeFlag(QStringLiteral("--genders-together"));
    QStringList minimumTexts;
    for (QString m = ctx.takeOption(QStringLiteral("--min")); !m.isEmpty();
         m = ctx.takeOption(QStringLiteral("--min")))
        minimumTexts << m;
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (league < 0)
        return ctx.usageError(QStringLiteral("--league takes a number"));
    if (apart && together)
        return ctx.usageError(QStringLiteral("either --genders-apart or --genders-together"));
    bool restOk = true;
    bool maxOk = true;
    if (!rest.isEmpty())
        rest.toInt(&restOk);
    if (!maxPerAthlete.isEmpty())
        maxPerAthlete.toInt(&maxOk);
    if (!restOk || !maxOk)
        return ctx.usageError(QStringLiteral("--rest and --max-per-athlete take numbers"));
    QList<scoring::TopAthleteMinimum> minimums;
    for (const QString& text : minimumTexts) {
        const std::optional<scoring::TopAthleteMinimum> m = minimumOf(text);
        if (!m)
            return ctx.usageError(QStringLiteral("--min takes AGE:T:COUNT or AGE:F:COUNT, not ") +
                                  text);
        minimums.append(*m);
    }
    if (meetingNo <= 0)
        return cli::Failed;
    scoring::TopAthleteSettings s =
        scoring::loadTopAthleteSettings(*ctx.database(), meetingNo, league)
            .value_or(scoring::defaultTopAthleteSettings(ctx.run().meeting(), league));
    if (!agesCounts.isEmpty())
        s.agesCounts = agesCounts == QLatin1String("none") ? QString() : agesCounts;
    if (!rest.isEmpty())
        s.restParts = rest.toInt();
    if (!maxPerAthlete.isEmpty())
        s.maxPerfsPerAthlete = maxPerAthlete.toInt();
    if (apart || together)
        s.splitGenders = apart;
    if (!minimumTexts.isEmpty())
        s.minimums = minimums;
    return scoring::acceptTopAthleteSettings(*ctx.database(), meetingNo, s) ? cli::Success
                                                                            : cli::Failed;
}

int reportTopAthletes(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const bool detail = ctx.takeFlag(QStringLiteral("--detail"));
    const bool summed = ctx.takeFlag(QStringLiteral("--sum-genders"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const scoring::TopAthletes top =
        scoring::topAthletes(*ctx.database(), ctx.run().items(), ctx.run().meeting());
    if (!top.ok)
        return cli::Failed;
    return cli::printReport(ctx, detail ? top.detailReport() : top.totalsReport(summed), pdf);
}

const cli::Command kShow("topathletes show", "[--league N] [--json] [--meeting N]", settingsShow);
const cli::Command kSet("topathletes set",
                        "[--league N] [--ages-counts 2,2,2|none] [--rest N] "
                        "[--max-per-athlete N] [--genders-apart|--genders-together] "
                        "[--min AGE:T|F:COUNT ...] [--yes] [--meeting N]",
                        settingsSet);
const cli::Command kReport("report top-athletes",
                           "[--detail] [--sum-genders] [--json] [--pdf FILE] [--meeting N]",
                           reportTopAthletes);

} // namespace
