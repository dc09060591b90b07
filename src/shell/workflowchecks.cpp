#include "shell/workflowchecks.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "shell/meetingchoice.h"

namespace shell {

namespace {

QString ofMeeting(base::Run& run)
{
    return QStringLiteral("MEETINGNO = ") + db::sqlInt(run.currentMeetingNo());
}

int selectedItems(base::Run& run)
{
    return run.database()->ZSqlCount(QStringLiteral("MYEVENT"),
                                     ofMeeting(run) + QStringLiteral(" and SELECTED = 'X'"));
}

} // namespace

bool canEditMeetings(base::Run& run)
{
    if (meetingCount(run) > 0)
        return true;
    run.messages().warning(
        QStringLiteral("There are no meetings to edit.\rUse \"New Meeting\" to add one."));
    return false;
}

bool canSelectMeeting(base::Run& run)
{
    if (meetingCount(run) > 0)
        return true;
    run.messages().warning(QStringLiteral(
        "There are no meetings to select from.\rUse \"New (Edit) Meeting\" to add one"));
    return false;
}

bool canOpenAthletes(base::Run& run)
{
    if (run.database()->ZSqlCount(QStringLiteral("MYEVENT"), ofMeeting(run)) > 0)
        return true;
    run.messages().warning(QStringLiteral("No Items selected yet"));
    return false;
}

bool canOpenRecords(base::Run& run)
{
    if (selectedItems(run) > 0)
        return true;
    run.messages().warning(
        QStringLiteral("There are no Items selected for this meeting.\r\r"
                       "Editing records here shows only the records of the items of this "
                       "meeting.\rAll record sets can be edited under \"Manage Data\"."));
    return false;
}

bool hasItemsAndTeams(base::Run& run)
{
    if (selectedItems(run) < 1) {
        run.messages().warning(QStringLiteral("There are no items selected for this meeting"));
        return false;
    }
    if (run.database()->ZSqlCount(QStringLiteral("TEAM"), ofMeeting(run)) < 1) {
        run.messages().warning(QStringLiteral("There are no teams entered for this meeting"));
        return false;
    }
    return true;
}

bool complexCaptureView(base::Run& run)
{
    return run.database()
               ->selectOneValue(QStringLiteral("VIEW_HEATS_COMPLEX"), QStringLiteral("MEETING"),
                                ofMeeting(run))
               .toInt() == 1;
}

void storeCaptureView(base::Run& run, bool complex)
{
    run.database()->execute(QStringLiteral("update MEETING set VIEW_HEATS_COMPLEX = ") +
                            (complex ? QStringLiteral("1") : QStringLiteral("0")) +
                            QStringLiteral(" where ") + ofMeeting(run));
}

} // namespace shell
