#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;

namespace base {

class Run;

// The screens the main screen opens, filled in by the desktop program (src/app/
// screenwiring.cpp). A button whose opener is empty is shown disabled with a tooltip that
// names the screen it will open.
struct ScreenOpeners {
    using Opener = std::function<void(QWidget* parent, Run& run)>;
    // A screen that returns a meeting number (0 or less: none).
    using MeetingOpener = std::function<int(QWidget* parent, Run& run)>;
    // A check run before a screen opens; false stops the button.
    using Check = std::function<bool(Run& run)>;

    MeetingOpener openNewMeeting;   // "1.  &New Meeting"
    MeetingOpener openEditMeetings; // "Edit Meetings"
    Opener openItems;               // "2. Items"
    Opener openProgram;             // "3. Program"
    Opener openTeams;               // "4. Teams   "
    Opener openAthletes;            // "5. Athletes "
    Opener openRecords;             // "6. Records"
    Opener openSheets;              // "7. Sheets "
    // "8. Capture": per item (complex) or per event.
    std::function<void(QWidget* parent, Run& run, bool complexView)> openCapture;
    Opener openAfter; // "9.  After     "
    // "&Manage data": whether the database was changed, and how the run goes on.
    enum class DataChange { None, Restart, EndProgram };
    std::function<DataChange(QWidget* parent, Run& run)> openManageData;
    Opener openGeneralUtilities; // "&General Utilities"
    // The settings screens by button text ("Settings: Meeting General   " ...).
    std::map<QString, Opener> openSettings;

    // Checks of other areas: the edition's item format before "2. Items" and "8. Capture",
    // the performance formats and the n-athlon score tables before capture.
    Check checkItemFormat;
    Check checkPerformances;
    Check checkScoreTables;
};

} // namespace base
