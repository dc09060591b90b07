#pragma once

#include "results/race.h"

#include <QList>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace results {

// The place in the race (E_PLACE) from the performances. Rows are ordered by T_EMPTY (0
// a performance, 1 a place without one, 2 neither), the performance (best first), the
// third digit ("0" after "9") and the stored place; equal times share a place (1, 2, 2,
// 4) unless a stored place splits them, which is how photo-finish places survive.
struct RaceRenumbering {
    QList<RaceRow> ordered;  // with tEmpty set and ePlace the stored place
    QList<int> newPlaces;    // per ordered row
    QStringList differences; // " place 3 to 2" for each changed place
    bool anyResult = false;  // some row has a performance or a place
};
RaceRenumbering renumberRace(const meeting::ItemTypes& items, const QString& itemCode,
                             QList<RaceRow> rows);

// Writes E_PLACE and T_EMPTY of the race's rows. Vertical jumps are not rewritten: their
// places are entered by hand, and the differences are shown as "Errors in placings.".
// `changes` gets "Changed place 3 to 2" lines. False when a statement failed (nothing of
// the race was written).
bool RenumberRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                        const RaceScope& scope, bool showMessages, QStringList* changes = nullptr);

// True when the race's E_PLACE values agree with its performances; each disagreement is
// appended to `errors`.
bool checkRaceRows(const meeting::ItemTypes& items, const QString& itemCode,
                   const QList<RaceRow>& rows, QStringList* errors);
bool CheckRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                     const RaceScope& scope, QStringList* errors = nullptr);
bool CheckRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items, qint64 eventNo,
                     const QString& round, int heatNo, const QString& itemCode,
                     QStringList* errors = nullptr);

} // namespace results
