#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Run;
}

namespace meeting {

// A MEETING column and its new value as text; an empty value of an integer column
// stores null.
struct ColumnValue {
    QString column;
    QString value;
};
using ColumnValues = QList<ColumnValue>;

// "update MEETING set A=1, B='x' where MEETINGNO=n" for values already checked.
QString meetingUpdateSql(int meetingNo, const ColumnValues& values);

// Why a value cannot be stored in a column (unknown column, not a number, too long, not a
// date, an empty name); empty when it can.
QString checkMeetingValue(db::DmdCoreDbs& database, const QString& column, const QString& value);

// The save of a settings screen: checks every value, writes them to the current meeting
// with one update and loads the meeting again. Writes nothing when a value is refused
// (its message is shown) or there is no current meeting.
bool updateMeeting(base::Run& run, const ColumnValues& values);

} // namespace meeting
