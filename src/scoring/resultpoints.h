#pragma once

#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"

#include <QMap>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace records {
class RecordCheck;
}

namespace scoring {

// What the place points of one result depend on.
struct ResultForPoints {
    int league = 0;
    int place = 0;
    int shareCount = 0;
    int disqStatus = 0;
    QString performance;
    bool eventExcludesPoints = false;
    QString itemCode;
};

// The place points of results: the table of the meeting read once, the deduction for a
// disqualification, the points of a failed standard, shared places, relay points and the
// record bonuses of a winner.
class PlacePoints {
public:
    // `check` answers the standards and records of the meeting's sets; it may be null when
    // the meeting has neither.
    PlacePoints(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                const ScoringSettings& settings, int meetingNo, records::RecordCheck* check);

    qint64 units(const ResultForPoints& result) const;
    double points(const ResultForPoints& result) const { return fromUnits(units(result)); }

private:
    const meeting::ItemTypes& m_items;
    ScoringSettings m_settings;
    records::RecordCheck* m_check;
    QMap<std::pair<int, int>, PlacePointRow> m_table;
};

} // namespace scoring
