#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}
namespace meeting {
class MeetingSettings;
}

namespace scoring {

// The least number of performances of one item group ("T" track, "F" field) that a team
// must count in one age.
struct TopAthleteMinimum {
    int age = 0;
    QString group;
    int parts = 0;
    bool operator==(const TopAthleteMinimum&) const = default;
};

// How a league's teams are scored when the team score is the sum of their top athletes'
// table scores (TOP_ATH_SETTINGS): the performances each age must give, the best of the
// rest, how many performances of one athlete may count, whether boys and girls are scored
// apart, and the minimum track and field performances per age.
struct TopAthleteSettings {
    int league = 0;
    // The performances counted of each age, youngest age first ("2,2,2").
    QString agesCounts;
    int restParts = 0;
    int maxPerfsPerAthlete = 1;
    bool splitGenders = false; // stored as GENDERS_COUNT 2
    QList<TopAthleteMinimum> minimums;
    bool validated = false;

    // The counts of `agesCounts`; nothing when a value is not a number that is 0 or more.
    std::optional<QList<int>> ageCounts() const;
    int minimum(int age, const QString& group) const;
    bool operator==(const TopAthleteSettings&) const = default;
};

// The ages the counts apply to: those of the meeting's chosen events, youngest first
// (mixed ages left out).
QList<int> topAthleteAges(db::DmdCoreDbs& database, int meetingNo);

// A league's stored settings; nothing when it has none.
std::optional<TopAthleteSettings> loadTopAthleteSettings(db::DmdCoreDbs& database, int meetingNo,
                                                         int league);

// What a league without settings starts from: the meeting's own TOP_ATH columns.
TopAthleteSettings defaultTopAthleteSettings(const meeting::MeetingSettings& meeting, int league);

// What is wrong with the settings for a meeting of these ages, one line each; empty when
// they can be used as they stand.
QStringList topAthleteSettingsProblems(const TopAthleteSettings& settings, const QList<int>& ages);

// Checks and stores one league's settings in one transaction (its earlier rows replaced).
// With problems the question "The settings are not correct.  Accept anyway" lists them:
// No stores nothing. False when nothing was stored.
bool acceptTopAthleteSettings(db::DmdCoreDbs& database, int meetingNo,
                              const TopAthleteSettings& settings);

// Why the league's settings cannot be used for the report (missing, or not validated);
// empty when they can.
QString topAthleteSettingsRefusal(const std::optional<TopAthleteSettings>& settings, int league);

} // namespace scoring
