#pragma once

#include <QString>

namespace shell {

class Run;

// The configuration key that switches the database event messages between programs.
inline constexpr const char* kGdbTriggersActive = "GDB_TRIGGERS_ACTIVE";

// 1 on, 0 off, -1 not set yet.
int gdbTriggersActive(Run& run);

// The question of "Disable Interbase Events" for a state.
QString eventSettingQuestion(int state);

// "Disable Interbase Events": shows the state and stores the answer (Cancel keeps it).
void disableInterbaseEvents(Run& run);

} // namespace shell
