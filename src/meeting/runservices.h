#pragma once

#include <QString>

namespace base {
class Run;
}

namespace meeting {

// The meeting area's services of a run. The settings record and the item types exist for
// the whole run: whoever builds a run calls createRunSettings right after it.
void createRunSettings(base::Run& run);

// The translations (need the database module) and the meeting ages; a second creation or
// free is an internal error.
void createTranslations(base::Run& run);
void freeTranslations(base::Run& run);
void createMeetingAges(base::Run& run);
void freeMeetingAges(base::Run& run);

} // namespace meeting
