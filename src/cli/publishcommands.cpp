// The web site from the command line: results, start lists, the program, team totals,
// the master index, the whole meeting at once, withdrawing a result and managing the published
// files. Every command takes --web-root DIR in place of the stored web root.

#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "cli/publishcli.h"
#include "publish/meetingindex.h"
#include "publish/publishsettings.h"
#include "publish/sitepublish.h"
#include "publish/webhistory.h"
#include "publish/webmanage.h"
#include "publish/webpages.h"
#include "publish/webresults.h"
#include "publish/website.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// --day D, else the current publishing day; -1 (after the usage error) for a bad word.
int dayOption(cli::Context& ctx, const QString& text, const publish::WebSite& site)
{
    if (text.isEmpty())
        return site.settings().publishDay;
    bool ok = false;
    const int day = text.toInt(&ok);
    if (!ok) {
        ctx.usageError(QStringLiteral("--day takes a number"));
        return -1;
    }
    return day;
}

// The site of a command: the meeting loaded and the root chosen; null after the message.
struct SiteCommand {
    explicit SiteCommand(cli::Context& ctx)
        : webRoot(ctx.takeOption(QStringLiteral("--web-root"))), draw(ctx)
    {
    }
    // Exactly `words` words left and the site ready: Success, else how the command ends.
    int open(cli::Context& ctx, int words)
    {
        if (const int failed = draw.open(ctx, words))
            return failed;
        site = std::make_unique<publish::WebSite>(ctx.run(), webRoot);
        return cli::Success;
    }
    // The same, and the day --day names (else the current publishing day) in `*day`.
    int open(cli::Context& ctx, int words, const QString& dayText, int* day)
    {
        if (const int failed = open(ctx, words))
            return failed;
        *day = dayOption(ctx, dayText, *site);
        return *day < 0 ? cli::WrongCommandLine : cli::Success;
    }
    QString webRoot;
    cli::DrawCli draw;
    std::unique_ptr<publish::WebSite> site;
};

int publishResults(cli::Context& ctx)
{
    const QString round = ctx.takeOption(QStringLiteral("--round")).toUpper();
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    const bool ask = ctx.takeFlag(QStringLiteral("--ask"));
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 1))
        return failed;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    int heat = 0;
    if (eventNo == 0 ||
        (!heatText.isEmpty() &&
         (heat = int(cli::DrawCli::number(ctx, heatText, QStringLiteral("--heat")))) == 0))
        return cli::WrongCommandLine;
    const QList<results::CaptureProgramRow> rows =
        cli::chosenProgramRows(ctx, eventNo, round, heat);
    if (rows.isEmpty())
        return cli::Failed;
    QJsonArray done;
    for (const results::CaptureProgramRow& row : rows) {
        if (!publish::publishResults(*c.site, row.programNo, ask))
            return cli::Failed;
        done.append(QJsonObject{{"programno", row.programNo}, {"heat", row.heatText()}});
        if (!ctx.json)
            ctx.out << "Published: " << row.item << " - " << row.heatText() << "\n";
    }
    if (ctx.json)
        ctx.printJson(done);
    return cli::Success;
}

int publishStarters(cli::Context& ctx)
{
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    const QString seqText = ctx.takeOption(QStringLiteral("--seq"));
    const bool saved = ctx.takeFlag(QStringLiteral("--saved"));
    SiteCommand c(ctx);
    int day = 0;
    if (const int failed = c.open(ctx, 0, dayText, &day))
        return failed;
    publish::SeqRange range;
    if (saved && !publish::savedStartersSelection(*c.site, &range))
        return cli::Failed;
    if (!seqText.isEmpty() && !publish::SeqRange::parse(seqText, &range))
        return ctx.usageError(QStringLiteral("--seq takes FROM-TO"));
    return publish::publishStarters(*c.site, day, range) ? cli::Success : cli::Failed;
}

int publishProgram(cli::Context& ctx)
{
    const QString dayText = ctx.takeOption(QStringLiteral("--day"));
    SiteCommand c(ctx);
    int day = 0;
    if (const int failed = c.open(ctx, 0, dayText, &day))
        return failed;
    return publish::publishProgram(*c.site, day) ? cli::Success : cli::Failed;
}

int publishTotals(cli::Context& ctx)
{
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 0))
        return failed;
    return publish::publishTeamTotals(*c.site) ? cli::Success : cli::Failed;
}

int publishAll(cli::Context& ctx)
{
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 0))
        return failed;
    return publish::publishMeeting(*c.site) ? cli::Success : cli::Failed;
}

int publishIndex(cli::Context& ctx)
{
    const bool rebuild = ctx.takeFlag(QStringLiteral("--rebuild"));
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 0))
        return failed;
    if (rebuild) {
        int first = 0, last = 0;
        if (!c.site->checkRoot() || !publish::programDays(*c.site, &first, &last))
            return cli::Failed;
        for (int d = 1; d <= last; ++d) {
            if (!c.site->rebuildDayIndexes(d))
                return cli::Failed;
        }
        return cli::Success;
    }
    return publish::writeMeetingIndex(*c.site) ? cli::Success : cli::Failed;
}

// The commands that take one PROGRAMNO: its check, the site ready, then `act`.
int onProgramRow(cli::Context& ctx, bool (*act)(publish::WebSite&, qint64))
{
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 1))
        return failed;
    const qint64 programNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("PROGRAMNO"));
    if (programNo == 0)
        return cli::WrongCommandLine;
    return act(*c.site, programNo) ? cli::Success : cli::Failed;
}

int publishWithdraw(cli::Context& ctx)
{
    return onProgramRow(ctx, &publish::withdrawResults);
}

int publishHistory(cli::Context& ctx)
{
    return onProgramRow(ctx, &publish::publishHistory);
}

int publishManage(cli::Context& ctx)
{
    const bool remove = ctx.takeFlag(QStringLiteral("--delete-orphans"));
    SiteCommand c(ctx);
    if (const int failed = c.open(ctx, 0))
        return failed;
    if (!c.site->checkRoot())
        return cli::Failed;
    const publish::SiteReport report = publish::inspectSite(*c.site);
    const QList<qint64> unpublished = publish::unpublishedResults(*c.site);
    if (ctx.json) {
        QJsonArray waiting;
        for (const qint64 p : unpublished)
            waiting.append(p);
        ctx.printJson(QJsonObject{
            {"filesNotInIndex", QJsonArray::fromStringList(report.filesNotInIndex)},
            {"indexesWithoutFile", QJsonArray::fromStringList(report.indexesWithoutFile)},
            {"notResultsFiles", QJsonArray::fromStringList(report.notResultsFiles)},
            {"notPublished", waiting}});
    } else {
        auto list = [&](const char* heading, const QStringList& items) {
            ctx.out << heading << ": " << (items.isEmpty() ? "none" : "") << "\n";
            for (const QString& i : items)
                ctx.out << "  " << i << "\n";
        };
        list("Files not in Index", report.filesNotInIndex);
        list("Indexes without a File", report.indexesWithoutFile);
        list("Not results files", report.notResultsFiles);
        if (unpublished.isEmpty())
            ctx.out << "All Results already Printed\n";
        else {
            ctx.out << "Results not printed to Web-files yet:";
            for (const qint64 p : unpublished)
                ctx.out << " " << p;
            ctx.out << "\n";
        }
    }
    if (remove && !publish::deleteOrphans(*c.site, report))
        return cli::Failed;
    return cli::Success;
}

// The day is the user's, checked against the meeting it is to publish.
int publishDay(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (const int failed = draw.open(ctx, 1))
        return failed;
    bool ok = false;
    const int day = ctx.args[0].toInt(&ok);
    if (!ok)
        return ctx.usageError(QStringLiteral("DAY is a number"));
    return publish::setPublishDay(ctx.run(), day) ? cli::Success : cli::Failed;
}

const cli::Command resultsCmd("publish results",
                              "EVENTNO [--round R] [--heat H] [--ask] [--web-root DIR] "
                              "[--meeting N]",
                              &publishResults);
const cli::Command startersCmd("publish starters",
                               "[--day D] [--seq FROM-TO | --saved] [--web-root DIR] [--meeting N]",
                               &publishStarters);
const cli::Command programCmd("publish program", "[--day D] [--web-root DIR] [--meeting N]",
                              &publishProgram);
const cli::Command totalsCmd("publish totals", "[--web-root DIR] [--meeting N]", &publishTotals);
const cli::Command allCmd("publish all", "[--web-root DIR] [--meeting N]", &publishAll);
const cli::Command indexCmd("publish index", "[--rebuild] [--web-root DIR] [--meeting N]",
                            &publishIndex);
const cli::Command withdrawCmd("publish withdraw", "PROGRAMNO [--web-root DIR] [--meeting N]",
                               &publishWithdraw);
const cli::Command historyCmd("publish history", "PROGRAMNO [--web-root DIR] [--meeting N]",
                              &publishHistory);
const cli::Command manageCmd("publish manage",
                             "[--delete-orphans] [--json] [--web-root DIR] [--meeting N]",
                             &publishManage);
const cli::Command dayCmd("publish day", "DAY [--meeting N]", &publishDay);

} // namespace
