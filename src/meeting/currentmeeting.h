#pragma once

namespace base {
class Run;
}

namespace meeting {

// The key of the configuration store that keeps the current meeting between runs.
inline constexpr const char* kCurrentMeetingKey = "CURRENT_MEET_NO";

// Makes a meeting the run's meeting without storing it as the current one (a command
// told which meeting to work on): loads its settings and the meeting ages. A number
// without a row leaves the run without a meeting. Returns whether the settings were
// loaded.
bool useMeeting(base::Run& run, int meetingNo);

// Makes a meeting current: loads its settings (and the meeting ages) and writes its
// number to the configuration store. A number without a row leaves no current meeting.
// Returns whether the settings were loaded.
bool setCurrentMeeting(base::Run& run, int meetingNo);

// The stored current meeting made current again at the start of a run: a stored number
// whose meeting no longer exists becomes 0, and that is written back.
int restoreCurrentMeeting(base::Run& run);

// Creates the meeting services of a run that lacks them (the CLI and tests): the
// translations and the meeting ages.
void createMeetingServices(base::Run& run);
// Creates the meeting services and restores the current meeting. Needs a connected
// database.
void prepareMeetingRun(base::Run& run);

// "There is no current meeting selected!" when there is none; false then.
bool requireCurrentMeeting(base::Run& run);

} // namespace meeting
