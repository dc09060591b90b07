#pragma once

namespace cli {

class Context;

// The meeting a command works on: "--meeting N", else the stored current meeting. Either
// way the database is connected, the meeting services of the run are created and the
// meeting's settings are loaded as the desktop program has them ("--meeting" does not
// change the stored current meeting). 0, after the message, when there is no such meeting.
int meetingOption(Context& ctx);

} // namespace cli
