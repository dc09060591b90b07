#include "shell/meetingchoice.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"

namespace shell {

QString currentMeetingText(base::Run& run)
{
    if (run.currentMeetingNo() < 1)
        return QStringLiteral("Not Selected");
    const QString text = run.meeting().descriptionText();
    return text.trimmed().isEmpty() ? QStringLiteral("Not Selected") : text;
}

QList<MeetingRow> meetingList(base::Run& run)
{
    QList<MeetingRow> rows;
    db::Query q = run.database()->openQuery(QStringLiteral(
        "select MEETINGNO, DESCRIPTION, VENUE, THEDATE from MEETING order by MEETINGNO"));
    for (q.first(); !q.eof(); q.next())
        rows.append({int(q.integer(QStringLiteral("MEETINGNO"))),
                     q.text(QStringLiteral("DESCRIPTION")), q.text(QStringLiteral("VENUE")),
                     q.text(QStringLiteral("THEDATE"))});
    return rows;
}

int meetingCount(base::Run& run)
{
    return run.database()->ZSqlCount(QStringLiteral("MEETING"), QStringLiteral("1=1"));
}

void useAsCurrentMeeting(base::Run& run, int meetingNo)
{
    if (meetingNo == run.currentMeetingNo())
        return;
    const QString key = QString::fromLatin1(meeting::kCurrentMeetingKey);
    run.config().writeInt(key, meetingNo);
    meeting::setCurrentMeeting(run, meetingNo);
    if (run.config().readInt(key) != meetingNo)
        run.messages().internalError(
            11301, QStringLiteral("The \"Current Meeting\" could not be saved properly.\rYou "
                                  "can select a \"Current Meeting\" under \"Select Meeting\"."));
}

void afterEditMeetings(base::Run& run, int returnedMeetingNo)
{
    const bool hadCurrent = run.currentMeetingNo() > 0;
    meeting::setCurrentMeeting(run, returnedMeetingNo);
    if (returnedMeetingNo < 1 && hadCurrent)
        run.messages().information(
            QStringLiteral("You deleted the current Meeting.\rSelect or create a new Meeting."));
}

} // namespace shell
