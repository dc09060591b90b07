#pragma once

#include "scoring/report.h"

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting
namespace base {
class ConfigStore;
}

namespace scoring {

// The user's settings of the team score with places and records, kept in the
// configuration store (TEAMSCORE_PLACES_AND_RECS_...).
struct TeamRecordScoreSettings {
    int placesCount = 3;
    int recordPoints = 5;
    bool onlyFirsts = false;

    void load(const base::ConfigStore& store);
    void save(base::ConfigStore& store) const;
    // The message of a value that makes no sense, empty when they can be used.
    QString refusal() const;
};

struct TeamRecordScoreRow {
    qint64 teamNo = 0;
    QString abbreviation;
    QString name;
    qint64 placeUnits = 0;
    qint64 relayUnits = 0;
    int recordCount = 0;
    qint64 recordUnits = 0;
    qint64 total() const { return placeUnits + relayUnits + recordUnits; }
};

struct TeamRecordScore {
    bool ok = false;
    QList<TeamRecordScoreRow> rows;
    Report report() const;
};

// Per team: the table points of its best `placesCount` athletes of each event (or of its
// winners only), and the points of the records its swimmers broke or equalled in the
// meeting's watched sets; ordered by the grand total, highest first.
TeamRecordScore teamRecordScore(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                const meeting::MeetingSettings& meeting,
                                const TeamRecordScoreSettings& settings);

} // namespace scoring
