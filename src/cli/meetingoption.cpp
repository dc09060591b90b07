#include "cli/meetingoption.h"

#include "cli/cli.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "shell/run.h"

namespace cli {

int meetingOption(Context& ctx)
{
    const QString option = ctx.takeOption(QStringLiteral("--meeting"));
    bool ok = true;
    const int meetingNo =
        option.isEmpty()
            ? ctx.run().config().readInt(QString::fromLatin1(meeting::kCurrentMeetingKey))
            : option.toInt(&ok);
    if (!ok || meetingNo <= 0) {
        ctx.err << "There is no current meeting selected!\n";
        ctx.err.flush();
        return 0;
    }
    return meetingNo;
}

int loadCommandMeeting(Context& ctx)
{
    const int meetingNo = meetingOption(ctx);
    if (meetingNo <= 0)
        return 0;
    db::DmdCoreDbs* database = ctx.database();
    if (!database)
        return 0;
    shell::Run& run = ctx.run();
    if (!run.meetingAges())
        run.createMeetingAges();
    const bool loaded = run.meeting().load(*database, meetingNo, run.meetingAges());
    run.setCurrentMeetingNo(run.meeting().meetingNo());
    if (!loaded) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(meetingNo));
        return 0;
    }
    return meetingNo;
}

} // namespace cli
