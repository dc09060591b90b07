#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace draw {

// Lanes and heat sizes of a meeting, by distance.
struct LaneSettings {
    int dolvaneLaneCount = 10;
    int track110 = 8;
    int track200 = 8;
    int track400 = 8;
    int long800 = 8;
    int long1500 = 8;
    int long3000 = 8;
    int long5000 = 8;
};

// The MEETING columns that the program and heat operations read.
// TODO: replace by the meeting settings record once the run holds one.
struct MeetingValues {
    int meetingNo = 0;
    bool exists = false;
    int dayCount = 1;
    bool roundSeqSame = false;
    bool hasCategories = false;
    bool resultsHaveRevisions = false;
    int ageDescType = 0;
    LaneSettings lanes;
};

MeetingValues readMeetingValues(db::DmdCoreDbs& database, int meetingNo);

// Writes one integer column of the meeting's row.
bool writeMeetingInt(db::DmdCoreDbs& database, int meetingNo, const QString& column, int value);

} // namespace draw
