// Imports of competitor files into a meeting from the command line.

#include "cli/cli.h"
#include "cli/entrytarget.h"
#include "cli/meetingoption.h"

#include "base/run.h"
#include "entries/athleteimport.h"
#include "meeting/meetingsettings.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const char* kKinds[] = {"athlete error", "item error", "warning"};

int importAthletes(cli::Context& ctx)
{
    QStringList settings;
    for (QString s = ctx.takeOption(QStringLiteral("--setup")); !s.isEmpty();
         s = ctx.takeOption(QStringLiteral("--setup")))
        settings << s;
    const QString oneTeam = ctx.takeOption(QStringLiteral("--one-team"));
    const QString wipe = ctx.takeOption(QStringLiteral("--wipe"));
    const QString delimiter = ctx.takeOption(QStringLiteral("--delimiter"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (meetingNo == 0 || !ctx.database())
        return cli::Failed;

    entries::AthleteImport importer(ctx.run(), entries::EntrySettings::from(ctx.run().meeting()));
    entries::CsvSetup& setup = importer.setup();
    for (const QString& s : settings) {
        const qsizetype eq = s.indexOf(QLatin1Char('='));
        if (eq <= 0 || !setup.set(s.left(eq), s.mid(eq + 1)))
            return ctx.usageError(QStringLiteral("unknown setup ") + s);
    }
    if (!oneTeam.isEmpty()) {
        setup.oneTeam = true;
        setup.oneTeamAbbreviation = oneTeam;
    }
    if (wipe == QLatin1String("team"))
        setup.wipe = entries::WipeMode::TeamAthletes;
    else if (wipe == QLatin1String("all"))
        setup.wipe = entries::WipeMode::AllTeams;
    else if (wipe == QLatin1String("none"))
        setup.wipe = entries::WipeMode::Nothing;
    else if (!wipe.isEmpty())
        return ctx.usageError(QStringLiteral("--wipe takes none, team or all"));
    if (delimiter == QLatin1String("comma"))
        importer.forceDelimiter(entries::CsvDelimiter::Comma);
    else if (delimiter == QLatin1String("semicolon"))
        importer.forceDelimiter(entries::CsvDelimiter::Semicolon);
    else if (!delimiter.isEmpty())
        return ctx.usageError(QStringLiteral("--delimiter takes comma or semicolon"));

    const auto outcome = importer.run(ctx.args[0]);
    const entries::ImportCounts& c = importer.counts();
    const bool imported = outcome == entries::AthleteImport::Outcome::Imported;
    if (ctx.json) {
        QJsonArray findings;
        for (const entries::ImportFinding& f : importer.report().findings())
            findings.append(
                QJsonObject{{"line", f.line}, {"kind", kKinds[f.kind]}, {"text", f.text}});
        ctx.printJson(QJsonObject{{"imported", imported},
                                  {"findings", findings},
                                  {"teams", c.teamsAdded},
                                  {"athletes", c.athletesAdded},
                                  {"relayteams", c.relayTeamsAdded},
                                  {"participations", c.participationsAdded},
                                  {"bests", c.bestsImported},
                                  {"duplicates", c.duplicates},
                                  {"skipped", c.linesSkipped}});
    } else {
        if (!importer.report().isEmpty())
            ctx.out << importer.reportText() << "\n";
        if (imported)
            ctx.out << entries::ImportReport::countsText(c).replace(QLatin1Char('\r'), '\n')
                    << "\n";
    }
    ctx.out.flush();
    return imported ? cli::Success : cli::Failed;
}

const cli::Command
    importAthletesCmd("import athletes",
                      "FILE [--setup KEY=VALUE ...] [--one-team ABRV] [--wipe none|team|all] "
                      "[--delimiter comma|semicolon] [--meeting N]",
                      &importAthletes);

} // namespace
