#pragma once

#include "meeting/meetingupdate.h"

namespace base {
class Run;
}

// The saves of the meeting's settings screens: each checks the screen's rules, then
// writes its columns with one update and reloads the meeting. A value left empty is a
// choice the user has not made. On a refusal the message is shown and nothing is written.
namespace meeting {

// The columns each screen edits, in the order of its update.
const QStringList& generalSettingsColumns();
const QStringList& athleteSettingsColumns();
const QStringList& captureDuringColumns();

// The current values of a screen's columns, as the screen starts.
ColumnValues currentValues(base::Run& run, const QStringList& columns);
QString valueOf(const ColumnValues& values, const QString& column);

bool saveGeneralSettings(base::Run& run, const ColumnValues& values);
bool saveAthleteSettings(base::Run& run, const ColumnValues& values);
bool saveCaptureDuring(base::Run& run, const ColumnValues& values);

// The rules alone: the message of the first broken one, empty when all hold.
QString checkGeneralSettings(const ColumnValues& values);
QString checkAthleteSettings(const ColumnValues& values);
QString checkCaptureDuring(base::Run& run, const ColumnValues& values);

} // namespace meeting
