#pragma once

#include "entries/entrysettings.h"

#include <optional>

namespace base {
class Messages;
}
namespace db {
class DmdCoreDbs;
}

namespace entries {

// Athletes of a combined competition (`N_ATHLON` above 0) take part in all of its events
// or in none: they are entered and removed as a whole, never event by event.
class Nathlons {
public:
    Nathlons(db::DmdCoreDbs& database, const EntrySettings& settings);

    // Enters the athlete into every selected event of its combined competition (the
    // events with its `N_ATHLON`, gender and age, and category when the meeting has
    // categories) that it is not in yet. The number of participations added, -1 when a
    // statement failed.
    int enter(qint64 athleteNo);
    // Enters an athlete chosen or added for an event: one of a combined competition
    // (`nAthlon` above 0) into every event of it, any other into `eventNo` alone (none
    // when 0) with its best. The participations added, -1 when refused or failed.
    int enterFor(qint64 athleteNo, int nAthlon, qint64 eventNo, const QString& best = {});
    // Asks, then deletes the athlete's heat rows, participations and the athlete.
    bool removeAthlete(qint64 athleteNo);

private:
    db::DmdCoreDbs& m_db;
    EntrySettings m_settings;
};

// The number of events of an n-athlon as typed or imported: "8", "8-Athlon" or a name
// ("Octathlon", forgiving a dropped letter as in "Octahlon"); 0 for an empty text or "0". Counts
// run from 2 to 20; anything else is refused with the message and comes back empty.
std::optional<int> readNathlonCount(base::Messages& messages, const QString& text);
// The same check for a count already read: true for 0 and 2..20, else the message.
bool nathlonCountValid(base::Messages& messages, int events);

} // namespace entries
