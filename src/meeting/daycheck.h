#pragma once

#include <QString>

namespace base {
class Run;
}

namespace meeting {

// The last day of the current meeting's program (the largest DAY_SEQ of its PROGRAM rows)
// and the meeting's DAY_COUNT.
struct ProgramDays {
    int lastDay = 0;
    int dayCount = 0;
};
ProgramDays programDays(base::Run& run);

// The question when the program runs past the meeting's days; empty when it does not.
QString dayCheckText(const ProgramDays& days);

// Before "3. Program", "7. Sheets " and "8. Capture": true to go on.
bool dayCheck(base::Run& run);

} // namespace meeting
