// The check and repair of the swimming marks of a meeting's or a record set's item codes.

#include "cli/cli.h"
#include "cli/meetingoption.h"

#include "db/dmdcoredbs.h"
#include "records/recordsets.h"
#include "records/swimitemcheck.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// The target named by --recordset, else the meeting of --meeting or the current one; 0
// after the message when there is none.
qint64 target(cli::Context& ctx, records::SwimItemTarget* kind)
{
    const QString abbreviation = ctx.takeOption(QStringLiteral("--recordset"));
    if (abbreviation.isEmpty()) {
        *kind = records::SwimItemTarget::Meeting;
        return cli::meetingOption(ctx);
    }
    *kind = records::SwimItemTarget::RecordSet;
    db::DmdCoreDbs* database = ctx.database();
    if (!database)
        return 0;
    const auto set = records::RecordSets(*database).byAbbreviation(abbreviation);
    if (!set) {
        ctx.messages().warning(QStringLiteral("There is no recordset ") + abbreviation);
        return 0;
    }
    return set->recordSetNo;
}

void printFindings(cli::Context& ctx, const records::SwimItemFindings& findings, bool sayNone)
{
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"items", QJsonArray::fromStringList(findings.lines)}});
        return;
    }
    for (const QString& line : findings.lines)
        ctx.out << line << "\n";
    if (sayNone && findings.lines.isEmpty() && !findings.stopped)
        ctx.out << "No errors were found\n";
}

int checkSwimming(cli::Context& ctx)
{
    records::SwimItemTarget kind;
    const qint64 number = target(ctx, &kind);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (number <= 0)
        return cli::Failed;
    records::SwimItemFindings findings;
    // Silent, as before the items screen: the listing speaks when something is wrong.
    const bool invalid = records::SwimItemCheck(*ctx.database(), ctx.run().items())
                             .check(kind, number, false, &findings);
    printFindings(ctx, findings, true);
    return invalid ? cli::Failed : cli::Success;
}

int repairSwimming(cli::Context& ctx)
{
    records::SwimItemTarget kind;
    const qint64 number = target(ctx, &kind);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (number <= 0)
        return cli::Failed;
    records::SwimItemFindings findings;
    const bool refused = records::SwimItemCheck(*ctx.database(), ctx.run().items())
                             .fix(kind, number, true, &findings);
    // The repair's own messages have said whether anything was wrong.
    printFindings(ctx, findings, false);
    return refused || findings.stopped ? cli::Failed : cli::Success;
}

const cli::Command kCheck("item check-swimming", "[--recordset ABRV | --meeting N] [--json]",
                          checkSwimming);
const cli::Command kRepair("item repair-swimming", "[--recordset ABRV | --meeting N] [--json]",
                           repairSwimming);

} // namespace
