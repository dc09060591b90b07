#include "shell/mainscreenstate.h"

#include "db/dmdcoredbs.h"
#include "meeting/currentmeeting.h"
#include "shell/currentmeeting.h"
#include "shell/run.h"
#include "shell/workflowchecks.h"

namespace shell {

QString mainScreenCaption(const AppGlobals& globals)
{
    return globals.programTitle() + QStringLiteral(" :  Main Menu Screen");
}

MainScreenState prepareMainScreen(Run& run)
{
    MainScreenState state;
    meeting::restoreCurrentMeeting(run);
    state.developerPanels = run.messages().developerMode();
    state.meetingText = currentMeetingText(run);
    state.connectedText =
        QStringLiteral("Connected to: ") +
        (run.isConnected() ? run.database()->connectionText() : QStringLiteral("(none)"));
    state.caption = mainScreenCaption(run.globals());
    state.showEditMeetings = !(run.isConnected() && run.database()->isRemote());
    state.complexView = run.currentMeetingNo() > 0 && complexCaptureView(run);
    return state;
}

} // namespace shell
