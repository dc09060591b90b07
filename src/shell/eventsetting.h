#pragma once

#include <QString>

namespace base {
class Run;
}

namespace shell {

// The question of "Disable Interbase Events" for a state.
QString eventSettingQuestion(int state);

// "Disable Interbase Events": shows the state and stores the answer (Cancel keeps it).
void disableInterbaseEvents(base::Run& run);

} // namespace shell
