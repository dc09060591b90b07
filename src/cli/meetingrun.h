#pragma once

namespace db {
class DmdCoreDbs;
}

namespace cli {

class Context;

// The building blocks of meetingOption(), for the commands that name a meeting otherwise
// (as an argument, or by creating it).
// The database with the meeting services of the run and the stored current meeting
// restored, as the desktop program has them; null when no database could be connected.
db::DmdCoreDbs* meetingRun(Context& ctx);

// The current meeting of the run; 0 after the warning "There is no current meeting
// selected!".
int requireMeeting(Context& ctx);

} // namespace cli
