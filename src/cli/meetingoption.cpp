#include "cli/meetingoption.h"

#include "cli/cli.h"
#include "cli/meetingrun.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingidentity.h"

namespace cli {

int meetingOption(Context& ctx)
{
    const QString option = ctx.takeOption(QStringLiteral("--meeting"));
    db::DmdCoreDbs* database = meetingRun(ctx);
    if (!database)
        return 0;
    if (option.isEmpty())
        return requireMeeting(ctx);
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
    if (meetingNo != ctx.run().currentMeetingNo())
        meeting::useMeeting(ctx.run(), meetingNo);
    return meetingNo;
}

} // namespace cli
