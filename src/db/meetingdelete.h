#pragma once

#include <QString>
#include <QStringList>

namespace db {

class DmdCoreDbs;

// Deletes every row of a meeting, children through their parents first, one statement per
// child row. Asks first; returns false when the user said No or no meeting was given.
bool deleteMeeting(DmdCoreDbs& database, int meetingNo);

// The same without the question and the closing Information, for callers that asked.
void deleteMeetingRows(DmdCoreDbs& database, int meetingNo);

// Child rows that hang from a parent of the meeting but carry another MEETINGNO: one line
// per table with such rows ("PROGRAM: 3"); empty when there are none.
QStringList orphanCheck(DmdCoreDbs& database, int meetingNo);

} // namespace db
