#pragma once

namespace base {
class Run;
}

namespace shell {

// The checks the main screen's buttons make before they open their screen. Each shows
// its Warning and returns false when the screen must not open.

// "Edit Meetings": there are meetings.
bool canEditMeetings(base::Run& run);
// "Select Meeting": there are meetings.
bool canSelectMeeting(base::Run& run);
// "5. Athletes": the current meeting has items.
bool canOpenAthletes(base::Run& run);
// "6. Records": the current meeting has selected items.
bool canOpenRecords(base::Run& run);
// "8. Capture" and "9. After": selected items and teams.
bool hasItemsAndTeams(base::Run& run);

// The capture-view choice of the current meeting: true for "Per Item (Complex)".
bool complexCaptureView(base::Run& run);
// Stores the choice at once in MEETING.VIEW_HEATS_COMPLEX.
void storeCaptureView(base::Run& run, bool complex);

} // namespace shell
