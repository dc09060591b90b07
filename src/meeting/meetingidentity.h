#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace meeting {

// What names a meeting: the values of the "Create a new meeting" dialog.
struct MeetingIdentity {
    QString name;
    QString venue;
    QString date; // "yyyy/MM/dd"
};

// The widths of the MEETING columns the dialog edits.
inline constexpr int kMeetingNameLength = 50;
inline constexpr int kVenueLength = 50;

// The checks of the dialog's accept, in their order: venue, name, date, then no other
// meeting (but `exceptMeetingNo`) with the same name, venue and date. Shows the message of
// the first that fails and returns false: the dialog stays open.
bool checkMeetingIdentity(db::DmdCoreDbs& database, const MeetingIdentity& identity,
                          int exceptMeetingNo = 0);
// The checks that need no database (venue, name, widths, date).
bool checkMeetingIdentityFields(base::Messages& messages, const MeetingIdentity& identity);
// The same checks on "Settings: Meeting General", whose date refusal names the format.
bool checkMeetingSettingsIdentity(base::Messages& messages, const MeetingIdentity& identity);
bool isDuplicateMeeting(db::DmdCoreDbs& database, const MeetingIdentity& identity,
                        int exceptMeetingNo = 0);

// Writes a new name, venue and date to a meeting (one row).
bool updateMeetingIdentity(db::DmdCoreDbs& database, int meetingNo,
                           const MeetingIdentity& identity);

// Asks the user for a valid date of a meeting and stores it; returns the new date, or
// the empty text when the user gave up.
QString editMeetingDate(db::DmdCoreDbs& database, int meetingNo, const QString& current);
// The message of a date that is not "yyyy/MM/dd"; empty when the date is valid.
QString meetingDateError(const QString& date);

struct MeetingRow {
    int meetingNo = 0;
    MeetingIdentity identity;
    QString oneLine; // the English one-line description
};
// Every meeting, the latest first.
QList<MeetingRow> listMeetings(db::DmdCoreDbs& database);
bool meetingExists(db::DmdCoreDbs& database, int meetingNo);

} // namespace meeting
