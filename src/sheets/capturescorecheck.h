#pragma once

namespace base {
class Run;
}

namespace sheets {

// Before capture: the n-athlon components that the meeting's n-athlon score table cannot
// score (check 10), named in a question whether to capture anyway. True when there are none
// or the user goes on; false stops the capture.
bool confirmNathlonScores(base::Run& run);

} // namespace sheets
