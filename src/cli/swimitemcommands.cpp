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

// The check runs silently, as before the items screen: its listing speaks when something
// is wrong. The repair asks its two questions and says itself whether anything was wrong.
int checkOrRepair(cli::Context& ctx, bool repair)
{
    records::SwimItemTarget kind;
    const qint64 number = target(ctx, &kind);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (number <= 0)
        return cli::Failed;
    records::SwimItemFindings findings;
    records::SwimItemCheck check(*ctx.database(), ctx.run().items());
    const bool failed = repair ? check.fix(kind, number, true, &findings) || findings.stopped
                               : check.check(kind, number, false, &findings);
    printFindings(ctx, findings, !repair);
    return failed ? cli::Failed : cli::Success;
}

int checkSwimming(cli::Context& ctx)
{
    return checkOrRepair(ctx, false);
}

int repairSwimming(cli::Context& ctx)
{
    return checkOrRepair(ctx, true);
}

const cli::Command kCheck("item check-swimming", "[--recordset ABRV | --meeting N] [--json]",
                          checkSwimming);
const cli::Command kRepair("item repair-swimming", "[--recordset ABRV | --meeting N] [--json]",
                           repairSwimming);

} // namespace
