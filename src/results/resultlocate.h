#pragma once

#include "results/captureathletes.h"
#include "results/captureprogram.h"

#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace results {

// Where a result typed outside the screens goes: the program row and the athlete's row
// in it, or why there is none.
struct ResultTarget {
    CaptureProgramRow row;
    CaptureAthleteRow athlete;
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// The athlete's row in the event's round; heat 0 finds the athlete's heat of the round.
ResultTarget locateAthlete(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                           qint64 eventNo, const QString& round, int heatNo, qint64 athleteNo);
// The athlete in a lane of a heat (of the final for round "F").
ResultTarget locateLane(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                        qint64 eventNo, const QString& round, int heatNo, int lane);

} // namespace results
