#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace meeting {

// A meeting whose teams use more than one league.
struct Competition {
    int meetingNo = 0;
    int leagues = 0; // the highest TEAM.LEAGUE of the meeting
    QString date;
    QString description;
    QString venue;
};

// "Show Competitions": the meetings with leagues above 1, by meeting.
QList<Competition> competitions(base::Run& run);
// The list as the lines of a message.
QString competitionsText(const QList<Competition>& list);

} // namespace meeting
