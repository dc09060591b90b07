#include "meeting/currentmeeting.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "meeting/meetingidentity.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"

namespace meeting {

namespace {

QString key()
{
    return QString::fromLatin1(kCurrentMeetingKey);
}

} // namespace

bool useMeeting(base::Run& run, int meetingNo)
{
    const bool loaded =
        run.database() &&
        run.meeting().load(*run.database(), std::max(meetingNo, 0), run.meetingAges());
    run.setCurrentMeetingNo(run.meeting().meetingNo());
    return loaded;
}

bool setCurrentMeeting(base::Run& run, int meetingNo)
{
    const bool loaded = useMeeting(run, meetingNo);
    run.config().writeInt(key(), run.currentMeetingNo());
    return loaded;
}

int restoreCurrentMeeting(base::Run& run)
{
    int meetingNo = run.config().readInt(key());
    if (meetingNo >= 1 && !(run.database() && meetingExists(*run.database(), meetingNo)))
        meetingNo = 0;
    setCurrentMeeting(run, meetingNo);
    return run.currentMeetingNo();
}

void createMeetingServices(base::Run& run)
{
    if (!run.translations())
        meeting::createTranslations(run);
    if (!run.meetingAges())
        meeting::createMeetingAges(run);
}

void prepareMeetingRun(base::Run& run)
{
    createMeetingServices(run);
    restoreCurrentMeeting(run);
}

bool requireCurrentMeeting(base::Run& run)
{
    if (run.currentMeetingNo() > 0)
        return true;
    run.messages().warning(QStringLiteral("There is no current meeting selected!"));
    return false;
}

} // namespace meeting
