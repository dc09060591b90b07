#pragma once

#include "results/race.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace results {

// True when a performance of the item misses the meeting's qualifying standard.
using QualifyingTest = std::function<bool(const QString& itemCode, const QString& performance)>;

// PLACE and PLACESHARECOUNT of one row as the league walk gives them.
struct LeaguePlace {
    qint64 key = 0;
    int place = 0;
    int shares = 0;
    bool failedStandard = false;
};

// The places within each league (and, with `byAge`, each age) in race order: rows with
// an E_PLACE above 0, equal E_PLACEs sharing a place (1, 2, 2, 4), every member of a
// shared place carrying the number of others that share it. Rows that fail `fails` are
// left unplaced. Rows without an E_PLACE are not listed.
QList<LeaguePlace> leaguePlaces(const QList<RaceRow>& rows, bool byAge,
                                const std::function<bool(const RaceRow&)>& fails);

enum class FinalPlacesMode { Renumber, Check };

struct FinalPlacesRequest {
    RaceScope scope;
    bool byAge = false;           // a mixed-age or veteran item
    bool combinedAsOne = false;   // the combined race is placed as one item
    QualifyingTest failsStandard; // empty when the qualifying option is off
};

// Renumber writes PLACE and PLACESHARECOUNT of every row of the scope (0 for unplaced
// rows); Check compares the stored values and lists each difference. True when the
// statements succeeded (Renumber) or nothing was listed (Check).
bool CalcFinalPlaces(db::DmdCoreDbs& database, const FinalPlacesRequest& request,
                     FinalPlacesMode mode, QStringList* errors = nullptr);

} // namespace results
