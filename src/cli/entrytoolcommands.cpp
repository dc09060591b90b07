// Tools over the entries of a whole team or meeting: splitting teams by gender, the case of
// athlete names and the table of athlete numbers.

#include "cli/cli.h"
#include "cli/entrytarget.h"

#include "entries/athletenumbers.h"
#include "entries/entrysettings.h"
#include "entries/namecase.h"
#include "entries/teamsplit.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int teamSplit(cli::Context& ctx)
{
    const bool all = ctx.takeFlag(QStringLiteral("--all"));
    const QString from = ctx.takeOption(QStringLiteral("--from"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(all ? 0 : 1))
        return cli::WrongCommandLine;
    if (!all && !from.isEmpty())
        return ctx.usageError(QStringLiteral("--from goes with --all"));
    if (!t.ok())
        return cli::Failed;
    const QString start = all ? from : ctx.args[0];
    if (!start.isEmpty() && !cli::teamByAbbreviation(ctx, t, start))
        return cli::Failed;
    entries::TeamSplit splitter(*t.database, t.meetingNo);
    if (!splitter.confirmStart())
        return cli::Failed;
    const QList<entries::TeamRow> teams = splitter.splittableTeams();
    int first = 0;
    if (!start.isEmpty()) {
        first = -1;
        for (int i = 0; i < teams.size(); ++i) {
            if (teams[i].abbreviation == start)
                first = i;
        }
        if (first < 0)
            return cli::Failed; // listed among the teams that cannot be split
    }
    const int wanted = all ? int(teams.size()) - first : 1;
    const int done = all ? splitter.splitFrom(teams, first)
                         : (teams.isEmpty() || splitter.split(teams[first]) == 0 ? 0 : 1);
    ctx.printFields({{QStringLiteral("split"), QString::number(done)}});
    return done == wanted && wanted > 0 ? cli::Success : cli::Failed;
}

int athleteFixCase(cli::Context& ctx)
{
    const QString teamOption = ctx.takeOption(QStringLiteral("--team"));
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    qint64 teamNo = 0;
    if (!teamOption.isEmpty()) {
        const auto team = cli::teamByAbbreviation(ctx, t, teamOption);
        if (!team)
            return cli::Failed;
        teamNo = team->teamNo;
    }
    const int corrected = entries::NameCase(*t.database, t.meetingNo).correct(teamNo);
    if (corrected < 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("corrected"), QString::number(corrected)}});
    return cli::Success;
}

QString rangeText(const entries::NumberRange& r)
{
    if (r.numbered == 0)
        return QStringLiteral("-");
    return QString::number(r.lowest) + QLatin1Char('-') + QString::number(r.highest);
}

QJsonObject rangeJson(const entries::NumberRange& r)
{
    return QJsonObject{{"lowest", r.lowest},
                       {"highest", r.highest},
                       {"numbered", r.numbered},
                       {"athletes", r.athletes}};
}

int athleteNumbers(cli::Context& ctx)
{
    const cli::EntryTarget t = cli::entryTarget(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!t.ok())
        return cli::Failed;
    if (!entries::AthleteNumbers::offered(ctx.messages(), t.settings))
        return cli::Failed;
    entries::AthleteNumbers numbers(*t.database, t.meetingNo);
    const entries::NumbersSummary summary = numbers.summary();
    if (ctx.json) {
        QJsonArray rows;
        for (const entries::TeamNumbers& team : summary.teams) {
            rows.append(QJsonObject{{"teamno", team.teamNo},
                                    {"abbreviation", team.abbreviation},
                                    {"name", team.name},
                                    {"all", rangeJson(team.all)},
                                    {"males", rangeJson(team.males)},
                                    {"females", rangeJson(team.females)}});
        }
        ctx.printJson(QJsonObject{{"teams", rows}, {"notIntegers", summary.notIntegers}});
        return cli::Success;
    }
    ctx.out << "team\tname\tathletes\tnumbers\tmales\tmale numbers\tfemales\tfemale numbers\n";
    for (const entries::TeamNumbers& team : summary.teams) {
        ctx.out << team.abbreviation << "\t" << team.name << "\t" << team.all.athletes << "\t"
                << rangeText(team.all) << "\t" << team.males.athletes << "\t"
                << rangeText(team.males) << "\t" << team.females.athletes << "\t"
                << rangeText(team.females) << "\n";
    }
    ctx.out.flush();
    numbers.reportNotIntegers(summary);
    return cli::Success;
}

const cli::Command teamSplitCmd("team split", "TEAMABRV | --all [--from TEAMABRV] [--meeting N]",
                                &teamSplit);
const cli::Command athleteFixCaseCmd("athlete fix-case", "[--team ABRV] [--meeting N]",
                                     &athleteFixCase);
const cli::Command athleteNumbersCmd("athlete numbers", "[--meeting N]", &athleteNumbers);

} // namespace
