// Place points, team totals, medals and the team reports from the command line; every
// report prints as text, as JSON with --json, or to a PDF through the printing of the
// desktop program with --pdf FILE.

#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "cli/reportoutput.h"

#include "db/dmdcoredbs.h"
#include "meeting/meetingsettings.h"
#include "scoring/bestathletes.h"
#include "scoring/medalcount.h"
#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"
#include "scoring/teamrecordscore.h"
#include "scoring/teamtotals.h"
#include "scoring/topathletes.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// "league,gender" and the like as flags; -1 for an unknown word.
int flagsOf(const QString& list, const QList<std::pair<const char*, int>>& names)
{
    int flags = 0;
    for (const QString& word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        int found = -1;
        for (const auto& [name, flag] : names) {
            if (word.trimmed().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                found = flag;
        }
        if (found < 0)
            return -1;
        flags |= found;
    }
    return flags;
}

int pointsShow(cli::Context& ctx)
{
    const int meetingNo = cli::meetingOption(ctx);
    if (ctx.args.size() > 1)
        return ctx.usageError();
    if (meetingNo <= 0)
        return cli::Failed;
    scoring::PlacePointsTable table(*ctx.database(), meetingNo);
    const QList<int> leagues =
        ctx.args.isEmpty() ? table.leagues() : QList<int>{ctx.args[0].toInt()};
    QJsonArray rows;
    for (const int league : leagues) {
        for (const scoring::PlacePointRow& r : table.ofLeague(league)) {
            if (ctx.json)
                rows.append(QJsonObject{{"league", r.league},
                                        {"place", r.place},
                                        {"points", scoring::fromUnits(r.point)},
                                        {"relay", scoring::fromUnits(r.relay)}});
            else
                ctx.out << r.league << "\t" << r.place << "\t" << scoring::pointsText(r.point)
                        << "\t" << scoring::pointsText(r.relay) << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int pointsSet(cli::Context& ctx)
{
    const bool relay = ctx.takeFlag(QStringLiteral("--relay"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    bool leagueOk = false;
    bool placeOk = false;
    const int league = ctx.args[0].toInt(&leagueOk);
    const int place = ctx.args[1].toInt(&placeOk);
    if (!leagueOk || !placeOk || league < 0)
        return ctx.usageError(QStringLiteral("LEAGUE and PLACE are numbers"));
    scoring::PlacePointsTable table(*ctx.database(), meetingNo);
    return table.setChecked(league, place, ctx.args[2], relay,
                            scoring::placeLimit(ctx.run().config()))
               ? cli::Success
               : cli::Failed;
}

int pointsCheck(cli::Context& ctx)
{
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const QStringList errors =
        scoring::PlacePointsTable(*ctx.database(), meetingNo)
            .errors(scoring::ScoringSettings::of(ctx.run().meeting()).leaguesHaveOwnPoints);
    if (ctx.json)
        ctx.printJson(QJsonObject{{"errors", QJsonArray::fromStringList(errors)}});
    for (const QString& e : errors) {
        if (!ctx.json)
            ctx.out << e << "\n";
    }
    return errors.isEmpty() ? cli::Success : cli::Failed;
}

int teamTotals(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const int splits = flagsOf(ctx.takeOption(QStringLiteral("--split")),
                               {{"league", scoring::SplitLeague},
                                {"gender", scoring::SplitGender},
                                {"age", scoring::SplitAge},
                                {"seniority", scoring::SplitSeniority},
                                {"track-or-field", scoring::SplitTrackOrField}});
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (splits < 0)
        return ctx.usageError(QStringLiteral("--split takes league,gender,age,seniority,"
                                             "track-or-field"));
    if (meetingNo <= 0)
        return cli::Failed;
    if (scoring::ScoringSettings::of(ctx.run().meeting()).teamScoreBasis == 99) {
        ctx.messages().note(scoring::kTopAthletesSplitNote);
        const scoring::TopAthletes top =
            scoring::topAthletes(*ctx.database(), ctx.run().items(), ctx.run().meeting());
        return top.ok ? cli::printReport(ctx, top.totalsReport(true), pdf) : cli::Failed;
    }
    const scoring::TeamTotals totals =
        scoring::teamTotals(*ctx.database(), ctx.run().items(), ctx.run().meeting(), splits);
    if (!totals.ok)
        return cli::Failed;
    return cli::printReport(ctx, totals.report(), pdf);
}

int medals(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const bool byGender = ctx.takeFlag(QStringLiteral("--by-gender"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const scoring::MedalCount count =
        scoring::medalCount(*ctx.database(), ctx.run().items(), ctx.run().meeting(), byGender);
    if (!count.ok)
        return cli::Failed;
    return cli::printReport(ctx, count.report(), pdf);
}

int reportBestPerCategory(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const int groupings = flagsOf(ctx.takeOption(QStringLiteral("--group")),
                                  {{"team", scoring::GroupByTeam},
                                   {"gender", scoring::GroupByGender},
                                   {"junior-senior", scoring::GroupByJuniorSenior},
                                   {"age", scoring::GroupByAge},
                                   {"track-or-field", scoring::GroupByTrackOrField},
                                   {"itemgroup", scoring::GroupByItemGroup}});
    const QString perGroup = ctx.takeOption(QStringLiteral("--per-group"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (groupings < 0)
        return ctx.usageError(QStringLiteral("--group takes team,gender,junior-senior,age,"
                                             "track-or-field,itemgroup"));
    if (meetingNo <= 0)
        return cli::Failed;
    bool ok = false;
    const scoring::Report report =
        scoring::bestAthletes(*ctx.database(), ctx.run().items(), ctx.run().meeting(), groupings,
                              perGroup.isEmpty() ? 3 : perGroup.toInt(), &ok);
    return ok ? cli::printReport(ctx, report, pdf) : cli::Failed;
}

int reportTeamRecords(cli::Context& ctx)
{
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    scoring::TeamRecordScoreSettings settings;
    settings.load(ctx.run().config());
    const QString places = ctx.takeOption(QStringLiteral("--places"));
    const QString recordPoints = ctx.takeOption(QStringLiteral("--record-points"));
    if (!places.isEmpty())
        settings.placesCount = places.toInt();
    if (!recordPoints.isEmpty())
        settings.recordPoints = recordPoints.toInt();
    if (ctx.takeFlag(QStringLiteral("--only-firsts")))
        settings.onlyFirsts = true;
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const scoring::TeamRecordScore score =
        scoring::teamRecordScore(*ctx.database(), ctx.run().items(), ctx.run().meeting(), settings);
    if (!score.ok)
        return cli::Failed;
    settings.save(ctx.run().config());
    return cli::printReport(ctx, score.report(), pdf);
}

const cli::Command kPointsShow("points show", "[LEAGUE] [--json] [--meeting N]", pointsShow);
const cli::Command kPointsSet("points set", "LEAGUE PLACE POINTS [--relay] [--meeting N]",
                              pointsSet);
const cli::Command kPointsCheck("points check", "[--json] [--meeting N]", pointsCheck);
const cli::Command kTeamTotals("team totals",
                               "[--split league,gender,age,seniority,track-or-field] [--json] "
                               "[--pdf FILE] [--meeting N]",
                               teamTotals);
const cli::Command kMedals("medals", "[--by-gender] [--json] [--pdf FILE] [--meeting N]", medals);
const cli::Command kBestPerCategory("report best-per-category",
                                    "[--group team,gender,junior-senior,age,track-or-field,"
                                    "itemgroup] [--per-group N] [--json] [--pdf FILE] "
                                    "[--meeting N]",
                                    reportBestPerCategory);
const cli::Command kTeamRecords("report team-records",
                                "[--places N] [--record-points N] [--only-firsts] [--json] "
                                "[--pdf FILE] [--meeting N]",
                                reportTeamRecords);

} // namespace
