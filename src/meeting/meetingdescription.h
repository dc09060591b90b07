#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace meeting {

// The text that names a meeting: its dates (first to last day when it runs several days),
// name and venue on one line, or the name above the dates and venue on two lines.
QString describeMeeting(const QString& description, const QString& venue, const QString& theDate,
                        int dayCount, bool afrikaans, bool twoLines);

// The same for a stored meeting; the empty text when there is no such meeting.
QString describeMeeting(db::DmdCoreDbs& database, int meetingNo, bool afrikaans = false,
                        bool twoLines = false);

} // namespace meeting
