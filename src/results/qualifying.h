#pragma once

#include "results/finalplaces.h"

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace results {

// The meeting's qualifying test for the league places: athletes whose performance misses
// a failing standard of the meeting are left unplaced. Empty when the meeting has no
// failing-standard sets, or while no record comparison is available to make the test.
QualifyingTest meetingQualifyingTest(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                     const meeting::MeetingSettings& meeting);

} // namespace results
