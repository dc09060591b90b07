#pragma once

namespace cli {

class Context;

// The meeting a command works on: "--meeting N", else the current meeting of the
// configuration store. 0 (with the reason on stderr) when there is none.
int meetingOption(Context& ctx);

} // namespace cli
