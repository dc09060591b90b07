// Meetings as the user sets them up: create, make current, show, change and describe.

#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "cli/meetingrun.h"

#include "db/dmdcoredbs.h"
#include "meeting/currentmeeting.h"
#include "meeting/datetext.h"
#include "meeting/meetingages.h"
#include "meeting/meetingcolumns.h"
#include "meeting/meetingcreate.h"
#include "meeting/meetingdescription.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

namespace {

// A meeting number argument; 0 after the usage error.
int meetingArgument(cli::Context& ctx, const QString& text)
{
    bool isNumber = false;
    const int no = text.toInt(&isNumber);
    if (!isNumber || no <= 0) {
        ctx.usageError(QStringLiteral("N must be a meeting number"));
        return 0;
    }
    return no;
}

// The opening of the commands on [N]: the meeting named, else the current one, with the
// database connected. Success, else how the command ends.
int openMeetingArgument(cli::Context& ctx, db::DmdCoreDbs** database, int* no)
{
    if (ctx.args.size() > 1)
        return ctx.usageError();
    if (!ctx.expectArgs(int(ctx.args.size())))
        return cli::WrongCommandLine;
    *no = 0;
    if (!ctx.args.isEmpty() && (*no = meetingArgument(ctx, ctx.args[0])) == 0)
        return cli::WrongCommandLine;
    *database = cli::meetingRun(ctx);
    if (!*database)
        return cli::Failed;
    if (*no == 0 && (*no = cli::requireMeeting(ctx)) == 0)
        return cli::Failed;
    return cli::Success;
}

QString lines(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

int meetingNew(cli::Context& ctx)
{
    meeting::MeetingIdentity identity;
    identity.name = ctx.takeOption(QStringLiteral("--name"));
    identity.venue = ctx.takeOption(QStringLiteral("--venue"));
    identity.date = ctx.takeOption(QStringLiteral("--date"));
    if (identity.date.isEmpty())
        identity.date = meeting::dateText(QDate::currentDate());
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    db::DmdCoreDbs* database = cli::meetingRun(ctx);
    if (!database)
        return cli::Failed;
    if (!meeting::checkMeetingIdentity(*database, identity))
        return cli::Failed;
    const int no = meeting::createMeeting(*database, identity);
    if (no <= 0)
        return cli::Failed;
    meeting::setCurrentMeeting(ctx.run(), no);
    ctx.printFields({{QStringLiteral("meetingno"), QString::number(no)},
                     {QStringLiteral("description"), ctx.run().meeting().descriptionText()}});
    return cli::Success;
}

int meetingSelect(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const int no = meetingArgument(ctx, ctx.args[0]);
    if (no == 0)
        return cli::WrongCommandLine;
    db::DmdCoreDbs* database = cli::meetingRun(ctx);
    if (!database)
        return cli::Failed;
    if (!meeting::meetingExists(*database, no)) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(no));
        return cli::Failed;
    }
    const bool loaded = meeting::setCurrentMeeting(ctx.run(), no);
    ctx.printFields({{QStringLiteral("meetingno"), QString::number(no)},
                     {QStringLiteral("description"), ctx.run().meeting().descriptionText()}});
    return loaded ? cli::Success : cli::Failed;
}

int meetingShow(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    int no = 0;
    if (const int failed = openMeetingArgument(ctx, &database, &no))
        return failed;
    // Another meeting is loaded beside the current one, which stays as it is.
    meeting::MeetingSettings settings;
    meeting::MeetingAges ages;
    const bool loaded = settings.load(*database, no, &ages);
    if (settings.meetingNo() == 0) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(no));
        return cli::Failed;
    }
    QList<std::pair<QString, QString>> fields{
        {QStringLiteral("description_text"), settings.descriptionText()},
        {QStringLiteral("first_day"), meeting::dateText(settings.firstDay())},
        {QStringLiteral("draw_method_used"), QString::number(settings.drawMethod())},
        {QStringLiteral("best_befores_used"), settings.hasBestBefores() ? "1" : "0"},
        {QStringLiteral("record_sets"), settings.allSets()},
        {QStringLiteral("failed_columns"), settings.failedColumns().join(QLatin1Char(','))}};
    for (const meeting::MeetingColumn& column : meeting::meetingColumns()) {
        const QString name = QString::fromLatin1(column.name);
        if (!settings.failedColumns().contains(name))
            fields.append({name, settings.valueText(name)});
    }
    ctx.printFields(fields);
    return loaded ? cli::Success : cli::Failed;
}

int meetingSet(cli::Context& ctx)
{
    const int no = cli::meetingOption(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const QString column = ctx.args[0].toUpper();
    if (!meeting::findMeetingColumn(column))
        return ctx.usageError(QStringLiteral("MEETING has no setting ") + ctx.args[0]);
    if (no == 0)
        return cli::Failed;
    if (!meeting::updateMeeting(ctx.run(), {{column, ctx.args[1]}}))
        return cli::Failed;
    ctx.printFields({{column, ctx.run().meeting().valueText(column)}});
    return cli::Success;
}

int meetingDescribe(cli::Context& ctx)
{
    const bool afrikaans = ctx.takeFlag(QStringLiteral("--afrikaans"));
    const bool twoLines = ctx.takeFlag(QStringLiteral("--two-lines"));
    db::DmdCoreDbs* database = nullptr;
    int no = 0;
    if (const int failed = openMeetingArgument(ctx, &database, &no))
        return failed;
    const QString text = meeting::describeMeeting(*database, no, afrikaans, twoLines);
    if (text.isEmpty()) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(no));
        return cli::Failed;
    }
    if (ctx.json)
        ctx.printFields({{QStringLiteral("description"), text}});
    else
        ctx.out << lines(text) << "\n";
    return cli::Success;
}

const cli::Command newCmd("meeting new", "--name N --venue V [--date yyyy/MM/dd]", &meetingNew);
const cli::Command selectCmd("meeting select", "N", &meetingSelect);
const cli::Command showCmd("meeting show", "[N]", &meetingShow);
const cli::Command setCmd("meeting set", "COLUMN VALUE [--meeting N]", &meetingSet);
const cli::Command describeCmd("meeting describe", "[N] [--afrikaans] [--two-lines]",
                               &meetingDescribe);

} // namespace
