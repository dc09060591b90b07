#include "cli/meetingoption.h"

#include "cli/cli.h"
#include "cli/meetingrun.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingidentity.h"

namespace cli {

int meetingOption(Context& ctx)
{
    const QString option = ctx.takeOption(QStringLiteral("--meeting"));
    if (option.isEmpty())
        return meetingRun(ctx) ? requireMeeting(ctx) : 0;
    // The named meeting is loaded instead of the stored current one, not after it.
    db::DmdCoreDbs* database = ctx.database();
    if (!database)
        return 0;
    meeting::createMeetingServices(ctx.run());
    bool isNumber = false;
    const int meetingNo = option.toInt(&isNumber);
    if (!isNumber || meetingNo <= 0) {
        ctx.usageError(QStringLiteral("--meeting must be a meeting number"));
        return 0;
    }
    if (!meeting::meetingExists(*database, meetingNo)) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + option);
        return 0;
    }
    meeting::useMeeting(ctx.run(), meetingNo);
    return meetingNo;
}

} // namespace cli
