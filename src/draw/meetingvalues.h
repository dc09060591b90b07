#pragma once

#include "draw/lanesettings.h"

namespace db {
class DmdCoreDbs;
}

namespace draw {

// The MEETING columns that the entries area still reads on its own; the program and heat
// operations read the run's meeting settings.
// TODO: the entries area moves to meeting::MeetingSettings too, then this goes.
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

} // namespace draw
