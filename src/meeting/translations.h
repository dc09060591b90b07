#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace meeting {

class MeetingSettings;

// Where a program row sits: its event, round, heat and running number.
struct ProgramRowRef {
    int eventNo = 0;
    QString round;
    int heatNo = 0;
    int seq = 0;
};

// The id-to-text look-ups that screens and reports use to show a key: meetings, teams,
// athletes, events and program rows. One per run. A key without a row gives the empty
// text; keys that must exist are internal errors naming the key.
class Translations {
public:
    Translations(db::DmdCoreDbs& database, const MeetingSettings& settings);

    QString meetingDescription(int meetingNo, bool afrikaans = false, bool twoLines = false) const;

    QString teamName(int teamNo) const;
    QString teamAbbreviation(int teamNo) const;

    // "SURNAME, FIRSTNAME".
    QString athleteName(int athleteNo) const;
    QString athleteGender(int athleteNo) const;
    QString athleteAge(int athleteNo) const;
    QString athleteDisabilityClasses(int athleteNo) const;
    QString athleteCategory(int athleteNo) const;
    // Only when the current meeting records birth dates and the athlete is no relay team;
    // a date of blanks and separators is empty.
    QString athleteBirthDate(int athleteNo) const;

    QString eventItemCode(int eventNo) const;
    int eventNAthlon(int eventNo) const;
    QString eventCategory(int eventNo) const;

    ProgramRowRef programRow(int programNo) const;

private:
    QString athleteField(int athleteNo, const char* field) const;
    QString eventField(int eventNo, const char* field) const;
    QString oneValue(const QString& sql, const QString& field) const;

    db::DmdCoreDbs& m_database;
    const MeetingSettings& m_settings;
};

} // namespace meeting
