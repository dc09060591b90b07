#pragma once

#include "scoring/report.h"
#include "scoring/topathletesettings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace scoring {

// Said when team totals are asked of a meeting scored by its top athletes.
inline const QString kTopAthletesSplitNote =
    QStringLiteral("If the Team-score basis is a fixed number of points (TopAthletes), the only "
                   "sensible split is all genders, ages and items together: the totals of the "
                   "Top Athletes follow.");

// How a performance counts for its team.
enum TopAthleteUse {
    NotUsed = 0,
    UsedForAge = 1,  // among the best of its age
    UsedForRest = 2, // among the best of the rest
    SwoppedIn = 3,   // taken in to meet a track or field minimum
};

// One placed final result of an athlete with its table score, and where it ranks.
struct TopAthletePerformance {
    qint64 partNo = 0;
    qint64 athleteNo = 0;
    qint64 teamNo = 0;
    int league = 0;
    QString team;
    QString gender;
    QString unit; // the team, with the gender when genders are scored apart
    int age = 0;
    QString name;
    QString item;  // as the report shows it
    QString group; // "T" track or "F" field
    int score = 0;
    int perfRankForAth = 0; // 1 = the athlete's best score
    int allRank = 0;        // within the team (and gender); 0 when beyond the athlete's maximum
    int ageRank = 0;
    int groupRank = 0;
    int usedCode = NotUsed;
    bool swoppedOut = false; // given up for a performance of the other group
};

// What the tagging of one league had to say: the exchanges for the track and field
// minimums (with "==Shortage=" lines for a group with nothing to exchange), the teams
// that ran short of performances, and the exchanges that could not be made.
struct TopAthleteTagging {
    QStringList adjustments;
    QStringList shortages;
    QStringList errors;
};

// Ranks and tags the performances of one league under its settings: per team (and
// gender when they are scored apart) only each athlete's best `maxPerfsPerAthlete` take
// part; the best of each age are counted as the ages' counts ask, then the best of the rest
// up to `restParts`; then, while an age has fewer performances of a group than its minimum,
// its lowest counted performance of the other group is exchanged for its best free one of
// the needed group. `ages` are the meeting's ages the counts apply to, youngest first.
// The shortage lines are in Afrikaans when the meeting prints in Afrikaans.
TopAthleteTagging tagTopAthletes(QList<TopAthletePerformance>& rows,
                                 const TopAthleteSettings& settings, const QList<int>& ages,
                                 bool afrikaans = false);

struct TopAthleteTeamTotal {
    int place = 0;
    int league = 0;
    QString gender; // empty when the genders are scored together or summed
    qint64 teamNo = 0;
    QString abbreviation;
    QString name;
    int score = 0;
    int performances = 0;
};

struct TopAthletes {
    bool ok = false;
    QList<TopAthletePerformance> performances;
    QList<TopAthleteTeamTotal> totals; // per league, gender and team, best first
    QStringList adjustments;
    QStringList shortages;
    QStringList errors;
    QStringList unscored; // items whose performances the score table does not score

    // The team totals (the genders of each team summed when asked), with the adjustments
    // and shortages as notes.
    Report totalsReport(bool sumGenders = false) const;
    // Every performance that took part with its ranks and how it counts, per team.
    Report detailReport() const;
    // What both reports say under their rows.
    QStringList notes() const;
};

// The team score of a meeting whose team score basis is the top athletes (99): per league
// the placed final results of its teams' athletes scored from the meeting's score table,
// tagged under the league's settings and summed per team. Refusals are shown and give ok
// false: another basis, no usable score table, a league without validated settings, or no
// performances to collect.
TopAthletes topAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                        const meeting::MeetingSettings& meeting);

// Sums the teams' totals over their genders, best first.
QList<TopAthleteTeamTotal> sumGenders(const QList<TopAthleteTeamTotal>& totals);

} // namespace scoring
