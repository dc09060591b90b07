#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace shell {

// Choosing the current meeting from the main screen. Loading a meeting and storing its
// number is meeting::setCurrentMeeting; this is the part the shell adds around it.

struct MeetingRow {
    int meetingNo = 0;
    QString description;
    QString venue;
    QString date;
};

// The text of the current meeting on the main screen, or "Not Selected".
QString currentMeetingText(base::Run& run);

// The meetings to choose from, by number.
QList<MeetingRow> meetingList(base::Run& run);
int meetingCount(base::Run& run);

// The choice of the meeting list: stores and loads it, then checks that the store kept it.
void useAsCurrentMeeting(base::Run& run, int meetingNo);

// After the meeting editor: the meeting it returned becomes current (0 if none), with a
// word when the current one was deleted.
void afterEditMeetings(base::Run& run, int returnedMeetingNo);

} // namespace shell
