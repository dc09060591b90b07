#pragma once

#include "entries/entrysettings.h"
#include "entries/teams.h"

#include <optional>

namespace db {
class DmdCoreDbs;
}

namespace cli {

class Context;

// The connected database and the meeting of an entry command, after its own words are
// taken.
struct EntryTarget {
    db::DmdCoreDbs* database = nullptr;
    int meetingNo = 0;
    // Of the meeting, as loaded into the run.
    entries::EntrySettings settings;
    bool ok() const { return database && meetingNo > 0; }
};

// "--meeting N" (else the current meeting), loaded into the run, and the database.
EntryTarget entryTarget(Context& ctx);
// The meeting's team with this abbreviation; says so when there is none.
std::optional<entries::TeamRow> teamByAbbreviation(Context& ctx, const EntryTarget& t,
                                                   const QString& abbreviation);

} // namespace cli
