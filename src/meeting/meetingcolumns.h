#pragma once

#include <QList>
#include <QString>

// The columns of MEETING that the program reads and writes, with the value each gets in a
// new meeting. One list drives the insert of a new meeting, the load of the settings and
// the checks of a changed value.
namespace meeting {

enum class ColumnKind { Integer, Decimal, Text };

struct MeetingColumn {
    const char* name;
    ColumnKind kind;
    // The value of a new meeting as SQL text ("0", "'@'"); null for NULL. The identity
    // columns (key, name, venue, date) are filled from the entered values instead.
    const char* newValue;
};

const QList<MeetingColumn>& meetingColumns();
// The column of that name (upper case); null when MEETING has no such setting.
const MeetingColumn* findMeetingColumn(const QString& name);

} // namespace meeting
