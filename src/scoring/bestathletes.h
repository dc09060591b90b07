#pragma once

#include "scoring/report.h"

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace scoring {

// The groupings of the best-athlete report.
enum BestAthleteGrouping {
    GroupByTeam = 1,
    GroupByGender = 2,
    GroupByJuniorSenior = 4,
    GroupByAge = 8,
    GroupByTrackOrField = 16,
    GroupByItemGroup = 32,
};

// The best athletes of each category (Victor and Victrix Ludorum): per athlete the sum of
// the place points of the meeting's ATHLETESCOREEVENTS best final places (or of the best
// unclamped table scores when ATHLETESCOREBASIS is 2), grouped as chosen,
// `perGroup` athletes with points per group, best first. Relays are not an athlete's own.
Report bestAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                    const meeting::MeetingSettings& meeting, int groupings, int perGroup,
                    bool* ok = nullptr);

} // namespace scoring
