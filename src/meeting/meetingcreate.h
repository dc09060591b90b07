#pragma once

#include "meeting/meetingidentity.h"

#include <QString>

namespace meeting {

// The insert of a new meeting: every MEETING column with its value for a new meeting.
QString newMeetingSql(int meetingNo, const MeetingIdentity& identity);

// Stores a new meeting (already checked by checkMeetingIdentity) with its eight default
// place points, all or nothing. Returns the new number, 0 when it failed.
int createMeeting(db::DmdCoreDbs& database, const MeetingIdentity& identity);

} // namespace meeting
