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

struct MedalCountRow {
    qint64 teamNo = 0;
    QString abbreviation;
    QString name;
    int league = 0;
    QString gender; // when split by gender
    int gold = 0;
    int silver = 0;
    int bronze = 0;
    int total() const { return gold + silver + bronze; }
};

struct MedalCount {
    bool ok = false;
    QList<MedalCountRow> rows;
    Report report() const;
};

// The medals of each team of the meeting (NCOUNT_1 .. NCOUNT_3), by league and then gold,
// silver and bronze, most first. Events left out of the medals and the parts of combined
// events count nothing. Under the meeting's medal settings a medal is decided as on the
// result lists (left-out teams give their medals to the next athletes); without medal
// settings places 1, 2 and 3 are counted. Under a table-score basis each result whose
// clamped table score reaches a medal's value earns it.
MedalCount medalCount(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                      const meeting::MeetingSettings& meeting, bool splitByGender = false);

} // namespace scoring
