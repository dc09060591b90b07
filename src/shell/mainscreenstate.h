#pragma once

#include <QString>

namespace base {
class AppGlobals;
class Run;
} // namespace base

namespace shell {

// The dialog results of the main screen: 3 ends the program, 4 starts it over.
inline constexpr int kMainScreenExit = 3;
inline constexpr int kMainScreenRestart = 4;

// What the main screen shows when it opens.
struct MainScreenState {
    QString caption;
    QString meetingText;
    QString connectedText;
    bool developerPanels = false;
    bool showEditMeetings = true; // hidden for a database on a server
    bool complexView = false;     // "Per Item (Complex)"
};

// The caption: the program title and " :  Main Menu Screen".
QString mainScreenCaption(const base::AppGlobals& globals);

// Restores the current meeting (a stored number whose meeting is gone becomes 0 and is
// written back) and gathers the texts and choices of the main screen.
MainScreenState prepareMainScreen(base::Run& run);

} // namespace shell
