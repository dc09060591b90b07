#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// The meeting's settings that the entry operations read. To be replaced by the meeting
// settings record once the meeting area offers it; until then one query reads them.
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
    int maxPartsPerAthlete = 0; // 0: no limit

    bool grades() const { return ageDescType == 3; }
    // "Age", or "Grade" when the meeting works in school grades.
    QString ageName() const;

    static EntrySettings read(db::DmdCoreDbs& database, int meetingNo);
};

} // namespace entries
