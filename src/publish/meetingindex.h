#pragma once

#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace publish {

class WebSite;

// The first and last day of the program (finals that are not run left out); false with
// "Duration must always be > 0" when the program has no day.
bool programDays(base::Run& run, int* first, int* last, bool report = true);
// The same from the program lines the site holds for its run, when it holds them.
bool programDays(WebSite& site, int* first, int* last, bool report = true);

// The lines of MeetingIndex.html for the days 1 to `lastDay` and the ticked pages.
QStringList meetingIndexLines(WebSite& site, int lastDay);

// Creates MeetingIndex.html and the day folders with their (empty) indexes. An existing
// master index is rewritten only after "The Master Indexfile for the Meeting already
// exists:" is answered with "Rewrite".
bool writeMeetingIndex(WebSite& site);

} // namespace publish
