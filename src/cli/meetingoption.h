#pragma once

namespace cli {

class Context;

// The meeting a command works on: "--meeting N", else the current meeting of the
// configuration store. 0 (with the reason on stderr) when there is none.
int meetingOption(Context& ctx);

// meetingOption's meeting loaded into the run as its current meeting, for this run only
// (the stored current meeting stays), so that ctx.run().meeting() holds its settings.
// 0 after the message when there is none or no database.
int loadCommandMeeting(Context& ctx);

} // namespace cli
