#pragma once

namespace shell {

class Run;

// The checks the main screen's buttons make before they open their screen. Each shows
// its Warning and returns false when the screen must not open.

// "Edit Meetings": there are meetings.
bool canEditMeetings(Run& run);
// "Select Meeting": there are meetings.
bool canSelectMeeting(Run& run);
// "5. Athletes": the current meeting has items.
bool canOpenAthletes(Run& run);
// "6. Records": the current meeting has selected items.
bool canOpenRecords(Run& run);
// "8. Capture" and "9. After": selected items and teams.
bool hasItemsAndTeams(Run& run);

// The capture-view choice of the current meeting: true for "Per Item (Complex)".
bool complexCaptureView(Run& run);
// Stores the choice at once in MEETING.VIEW_HEATS_COMPLEX.
void storeCaptureView(Run& run, bool complex);

} // namespace shell
