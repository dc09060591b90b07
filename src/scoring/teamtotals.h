#pragma once

#include "scoring/report.h"

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace scoring {

// The fields team totals can be split by.
enum TeamSplit {
    SplitNone = 0,
    SplitLeague = 1,
    SplitGender = 2,
    SplitAge = 4,
    SplitSeniority = 8,
    SplitTrackOrField = 16,
};

struct TeamTotalRow {
    int place = 0;
    qint64 teamNo = 0;
    QString abbreviation;
    QString name;
    int league = 0;
    QString gender;
    int age = 0;
    QString seniority;    // "Senior" / "Junior"
    QString trackOrField; // "T" / "F"
    qint64 units = 0;     // points in ten-thousandths
    int values = 0;       // the group totals summed into this row
};

struct TeamTotals {
    bool ok = false;
    QString title;
    QList<TeamTotalRow> rows;
    Report report() const;
};

// The team totals of the current meeting under its team score basis: each placed final's
// place points (basis 1), or its table score when placed within TEAMSCOREPLACES (basis 2),
// grouped by league, team, gender, age, seniority and track or field, then
// summed per team over the chosen `splits` and ranked within them by total, highest first.
// A disqualified result counts its deduction. Refusals are shown and give ok false.
TeamTotals teamTotals(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                      const meeting::MeetingSettings& meeting, int splits = SplitNone);

// The titles of the chosen splits ("CompNo", "Gender", "Age", "Seniority",
// "Track-or-Field").
QStringList splitTitles(int splits);

// The refusal of a team score basis a report needs, empty when it is 1 or 2 (or 99 when
// `topAthletesAllowed`).
QString teamScoreBasisRefusal(int basis, bool topAthletesAllowed);

} // namespace scoring
