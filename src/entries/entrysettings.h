#pragma once

#include "meeting/lanesettings.h"

#include <QString>

namespace meeting {
class MeetingSettings;
}

namespace entries {

// The meeting's settings as the entry operations see them, taken from the loaded meeting
// record of the run.
struct EntrySettings {
    int meetingNo = 0;
    int year = 0; // of the meeting's date; the current year when the date is empty
    bool hasNumbers = false;
    bool hasBirthDates = false;
    bool hasIdNumbers = false;
    bool hasDemographics = false;
    bool hasCategories = false;
    bool hasBestBefores = false;
    bool hasNathlons = false;
    bool showDisabled = false;
    bool doAgeDefaulting = false;
    int ageDescType = 0;
    int maxPartsPerAthlete = 0;  // 0: no limit
    meeting::LaneSettings lanes; // how many swim in one heat, for the heat checks

    bool grades() const { return ageDescType == 3; }
    // "Age", or "Grade" when the meeting works in school grades.
    QString ageName() const;

    static EntrySettings from(const meeting::MeetingSettings& meeting);
};

} // namespace entries
