#include "cli/meetingoption.h"

#include "cli/cli.h"
#include "meeting/currentmeeting.h"

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

} // namespace cli
