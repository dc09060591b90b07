// Which screen each button of the main screen opens. One line (or a few) per screen; a
// button without an opener here is shown disabled.

#include "app/screenwiring.h"

#include "backup/forms/managedataform.h"
#include "base/run.h"
#include "draw/forms/beforeform.h"
#include "draw/forms/determineprogramdialog.h"
#include "draw/forms/programform.h"
#include "draw/forms/selectitemsform.h"
#include "draw/heatgroups.h"
#include "entries/forms/athletesform.h"
#include "entries/forms/teamsform.h"
#include "meeting/forms/editmeetingsform.h"
#include "meeting/forms/meetingscreens.h"
#include "meeting/lanesettings.h"
#include "meeting/meetingsettings.h"
#include "meeting/perfformatrepair.h"
#include "publish/forms/publishlauncherform.h"
#include "records/forms/recordsetsform.h"
#include "records/swimitemcheck.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/startheightsform.h"
#include "sched/forms/schedulerform.h"
#include "scoring/forms/afterform.h"
#include "scoring/forms/scoresettingsform.h"
#include "scoring/forms/winnersform.h"
#include "sheets/capturescorecheck.h"
#include "sheets/forms/checklistsform.h"
#include "sheets/forms/printsheetsform.h"

base::ScreenOpeners screenOpeners()
{
    base::ScreenOpeners o;
    o.openManageData = &backup::openManageData;
    o.openItems = &draw::openItems;
    // The program screen offers the scheduler, an area above its own.
    o.openProgram = [](QWidget* parent, base::Run& run) {
        draw::openProgram(parent, run, &sched::openScheduler, &sheets::openCheckLists);
    };
    // "7. Sheets " opens the Before screen: the draws, then the printing of sheets.
    o.openSheets = [](QWidget* parent, base::Run& run) {
        QList<draw::BeforeForm::Option> options{
            {QStringLiteral("&Print Sheets"), &sheets::openPrintSheets,
             QObject::tr("Opens the printing of the heat and result sheets")}};
        // The vertical-jump sheets print the first bar, so it is set before them.
        if (!run.items().isSwimming())
            options.prepend({QStringLiteral("Starting &Heights"), &results::openStartHeights,
                             QObject::tr("Opens the first bar of each high jump and pole "
                                         "vault")});
        draw::openBefore(parent, run, options);
    };
    o.openSettings[QStringLiteral("Settings: Determine Program")] = &draw::openDetermineProgram;
    o.openSettings[QStringLiteral("Settings: Describe Items")] = &draw::openDescribeItems;
    // Capture opens the publish launcher from its panel.
    o.openCapture = [](QWidget* parent, base::Run& run, bool complexView) {
        results::openCapture(parent, run, complexView, &publish::openPublishLauncher);
    };
    // Capture first offers to stop at performances stored in another format than their
    // item's: its lists would sort and compare them wrongly.
    o.checkPerformances = [](base::Run& run) {
        return meeting::continueDespitePerformanceErrors(*run.database(), run.items());
    };
    // Items and capture warn of item codes without this edition's marks but open anyway:
    // the items screen is where such items are removed.
    o.checkItemFormat = [](base::Run& run) {
        if (run.globals().isSwimming())
            records::SwimItemCheck(*run.database(), run.items())
                .check(records::SwimItemTarget::Meeting, run.currentMeetingNo(), false);
        return true;
    };
    // Capture starts by naming the n-athlon components that no score table scores.
    o.checkScoreTables = &sheets::confirmNathlonScores;
    o.openTeams = &entries::openTeams;
    o.openAthletes = [](QWidget* parent, base::Run& run) {
        entries::openAthletes(
            parent, run,
            draw::tooFewHeatsCheck(run.items(), meeting::laneSettingsOf(run.meeting())),
            &sheets::openCheckLists);
    };
    o.openRecords = &records::openRecords;
    o.openAfter = [](QWidget* parent, base::Run& run) {
        scoring::openAfter(parent, run, &sheets::openCheckLists);
    };
    o.openSettings[QStringLiteral("Settings: Winners")] = &scoring::openWinners;
    o.openSettings[QStringLiteral("Settings: Scores and Points")] = &scoring::openScoresSettings;
    o.openNewMeeting = &meeting::openNewMeeting;
    o.openEditMeetings = &meeting::openEditMeetings;
    o.openSettings[QStringLiteral("Settings: Meeting General   ")] =
        &meeting::openSettingsMeetingGeneral;
    o.openSettings[QStringLiteral("Settings: Athletes")] = &meeting::openSettingsAthletes;
    o.openSettings[QStringLiteral("Settings: Capturing During")] =
        &meeting::openSettingsCaptureDuring;
    o.openSettings[QStringLiteral("Settings: Categories")] = &meeting::openSettingsCategories;
    // Reads the wiring when opened, so that it offers every settings screen wired here.
    o.openSettings[QStringLiteral("Settings: All")] = [](QWidget* parent, base::Run& run) {
        meeting::openSettingsAll(parent, run, screenOpeners().openSettings);
    };
    return o;
}
