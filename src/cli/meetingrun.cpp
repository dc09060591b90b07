#include "cli/meetingrun.h"

#include "cli/cli.h"
#include "meeting/currentmeeting.h"

namespace cli {

db::DmdCoreDbs* meetingRun(Context& ctx)
{
    db::DmdCoreDbs* database = ctx.database();
    if (database && !ctx.run().meetingAges())
        meeting::prepareMeetingRun(ctx.run());
    return database;
}

int requireMeeting(Context& ctx)
{
    return meeting::requireCurrentMeeting(ctx.run()) ? ctx.run().currentMeetingNo() : 0;
}

} // namespace cli
