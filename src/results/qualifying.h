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
// a failing standard of the meeting are left unplaced (the record check's FailsStandard).
// Empty when the meeting has no failing-standard sets. The test keeps references to its
// arguments, which live as long as the run.
QualifyingTest meetingQualifyingTest(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                     const meeting::MeetingSettings& meeting);

} // namespace results
