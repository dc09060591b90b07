#include "shell/mainscreenstate.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "meeting/currentmeeting.h"
#include "shell/meetingchoice.h"
#include "shell/workflowchecks.h"

namespace shell {

QString mainScreenCaption(const base::AppGlobals& globals)
{
    return globals.programTitle() + QStringLiteral(" :  Main Menu Screen");
}

MainScreenState prepareMainScreen(base::Run& run)
{
    MainScreenState state;
    meeting::restoreCurrentMeeting(run);
    state.developerPanels = run.messages().developerMode();
    state.meetingText = currentMeetingText(run);
    state.connectedText =
        QStringLiteral("Connected to: ") +
        (db::isConnected(run) ? run.database()->connectionText() : QStringLiteral("(none)"));
    state.caption = mainScreenCaption(run.globals());
    state.showEditMeetings = !(db::isConnected(run) && run.database()->isRemote());
    state.complexView = run.currentMeetingNo() > 0 && complexCaptureView(run);
    return state;
}

} // namespace shell
