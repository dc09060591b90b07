#include "support/testdatabase.h"

#include "base/appglobals.h"
#include "meeting/currentmeeting.h"
#include "meeting/daycheck.h"
#include "shell/forms/mainscreen.h"
#include "shell/forms/selectmeetingform.h"
#include "shell/mainscreenstate.h"
#include "shell/meetingchoice.h"
#include "shellrows.h"
#include "support/editionrun.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace shell_test;

namespace {

class MainScreenTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::prepareMeetingRun(run());
        m_sink.clear();
    }
    // Makes a meeting current, as Select Meeting would.
    int currentMeeting(int dayCount = 1, int viewComplex = 0)
    {
        const int meetingNo = addMeeting(database(), "Winter Gala", dayCount, viewComplex);
        meeting::setCurrentMeeting(run(), meetingNo);
        return meetingNo;
    }
    // Openers that count what they were asked to open.
    base::ScreenOpeners countingOpeners()
    {
        base::ScreenOpeners o;
        auto count = [this](const QString& name) {
            return [this, name](QWidget*, base::Run&) { m_opened << name; };
        };
        o.openItems = count("items");
        o.openProgram = count("program");
        o.openTeams = count("teams");
        o.openAthletes = count("athletes");
        o.openSheets = count("sheets");
        o.openAfter = count("after");
        o.openCapture = [this](QWidget*, base::Run&, bool complex) {
            m_opened << (complex ? "capture complex" : "capture simplex");
        };
        return o;
    }
    QStringList m_opened;
};

TEST_F(MainScreenTest, ShowsCaptionMeetingAndConnection)
{
    shell::MainScreen screen(run(), {});
    EXPECT_EQ(screen.windowTitle(), "Dolvane 24.150 :  Main Menu Screen");
    EXPECT_EQ(screen.meetingText(), "Not Selected");
    EXPECT_EQ(screen.connectedText(), "Connected to: " + m_path);
    EXPECT_FALSE(screen.developerPanel()->isVisibleTo(&screen));

    const int meetingNo = currentMeeting(3);
    shell::MainScreen again(run(), {});
    EXPECT_EQ(run().currentMeetingNo(), meetingNo);
    // The meeting in one line, days, name and venue.
    EXPECT_EQ(again.meetingText(), "2026/03/14 to 2026/03/16:   Winter Gala at Town Pool");
}

TEST_F(MainScreenTest, ButtonsWithoutTheirScreenAreDisabledAndSayWhatTheyWillOpen)
{
    base::ScreenOpeners openers;
    openers.openTeams = [](QWidget*, base::Run&) {};
    shell::MainScreen screen(run(), openers);
    EXPECT_TRUE(screen.button("4. Teams   ")->isEnabled());
    QPushButton* items = screen.button("2. Items");
    ASSERT_NE(items, nullptr);
    EXPECT_FALSE(items->isEnabled());
    EXPECT_TRUE(items->toolTip().contains("the items screen"));
    EXPECT_FALSE(screen.button("Settings: Winners")->isEnabled());
    EXPECT_TRUE(screen.button("&Select Meeting")->isEnabled());
    for (const char* key :
         {"1.  &New Meeting", "Edit Meetings", "3. Program", "5. Athletes ", "6. Records",
          "7. Sheets ", "8. Capture", "9.  After     ", "Settings: Meeting General   ",
          "Settings: All", "&Manage data", "&General Utilities", "E&xit"})
        EXPECT_NE(screen.button(key), nullptr) << key;
    EXPECT_EQ(screen.button("5. Athletes ")->text(), "5. Swimmers ");
    // Menu entries of the other editions are hidden in this one.
    EXPECT_FALSE(screen.menuAction("Toggle Combine Buttons")->isVisible());
    EXPECT_TRUE(screen.menuAction("Check Dolvane Meeting")->isVisible());
}

TEST_F(MainScreenTest, SelectScoreTableIsOfferedInTheAthleticsEditionForTheCurrentMeeting)
{
    shell::MainScreen swimming(run(), {});
    EXPECT_FALSE(swimming.menuAction("Select Score Table")->isEnabled());
    EXPECT_TRUE(
        swimming.menuAction("Select Score Table")->toolTip().contains("has no Score tables"));

    testing_support::restartRunAs(m_run, m_sink, m_path, QString::fromLatin1(base::kAthleticsCode));
    shell::MainScreen athletics(run(), {});
    QAction* select = athletics.menuAction("Select Score Table");
    ASSERT_TRUE(select->isEnabled());
    // Without a current meeting there is nothing to choose for.
    m_sink.clear();
    select->trigger();
    EXPECT_TRUE(m_sink.saw("There is no current meeting selected!"));
}

TEST_F(MainScreenTest, WorkflowButtonsNeedACurrentMeeting)
{
    shell::MainScreen screen(run(), countingOpeners());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_4);
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(m_sink.saw("There is no current meeting selected!"));
}

TEST_F(MainScreenTest, FiveWithoutItemsWarnsAndOpensNothing)
{
    const int meetingNo = currentMeeting();
    shell::MainScreen screen(run(), countingOpeners());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_5);
    EXPECT_TRUE(m_opened.isEmpty());
    ASSERT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_EQ(m_sink.ofKind(base::MessageKind::Warning)[0].text, "No Items selected yet");

    addEvent(database(), meetingNo, "");
    QTest::keyClick(&screen, Qt::Key_5);
    EXPECT_EQ(m_opened, QStringList{"athletes"});
    EXPECT_TRUE(screen.isVisible()); // back after the screen closed
}

TEST_F(MainScreenTest, TheDayCheckAsksOnlyWhenTheProgramRunsPastTheMeetingsDays)
{
    const int meetingNo = currentMeeting(2);
    const int eventNo = addEvent(database(), meetingNo);
    addHeat(database(), meetingNo, eventNo, 1);
    shell::MainScreen screen(run(), countingOpeners());
    screen.show();

    QTest::keyClick(&screen, Qt::Key_3); // day 1 of 2: no question
    EXPECT_EQ(m_opened, QStringList{"program"});
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);

    addHeat(database(), meetingNo, eventNo, 3);
    m_sink.answerNo();
    QTest::keyClick(&screen, Qt::Key_7);
    EXPECT_EQ(m_opened, QStringList{"program"});
    ASSERT_EQ(m_sink.count(base::MessageKind::Confirm), 1);
    EXPECT_EQ(m_sink.ofKind(base::MessageKind::Confirm)[0].text,
              "The last Event in this Meeting is on day 3.\rThis exceeds the setting:\r"
              "\"Settings: Determine Program\"  ->  \"Duration Days of Meeting\".\r"
              "This setting is currently 2.\rThis setting should be set to 3 before you "
              "continue.\r\rDo you want to continue anyway ?");

    m_sink.answerYes();
    QTest::keyClick(&screen, Qt::Key_3);
    EXPECT_EQ(m_opened, (QStringList{"program", "program"}));
}

TEST_F(MainScreenTest, TheDayCheckSaysNotSetWhenTheMeetingHasNoDays)
{
    const int meetingNo = currentMeeting(0);
    const int eventNo = addEvent(database(), meetingNo);
    addHeat(database(), meetingNo, eventNo, 3);
    EXPECT_TRUE(meeting::dayCheckText(meeting::programDays(run()))
                    .contains("This setting is currently not set."));
    EXPECT_FALSE(meeting::dayCheck(run()));
    // Heats of another meeting do not count.
    const int other = addMeeting(database(), "Other", 1);
    addHeat(database(), other, addEvent(database(), other), 9);
    EXPECT_EQ(meeting::programDays(run()).lastDay, 3);
}

TEST_F(MainScreenTest, CaptureNeedsSelectedItemsAndTeamsAndUsesTheChosenView)
{
    const int meetingNo = currentMeeting(1, 1);
    shell::MainScreen screen(run(), countingOpeners());
    screen.show();
    EXPECT_TRUE(screen.perItemButton()->isChecked());

    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_TRUE(m_sink.saw("There are no items selected for this meeting"));
    addEvent(database(), meetingNo);
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_TRUE(m_sink.saw("There are no teams entered for this meeting"));
    EXPECT_TRUE(m_opened.isEmpty());

    addTeam(database(), meetingNo);
    QTest::keyClick(&screen, Qt::Key_8);
    screen.perEventButton()->click();
    EXPECT_EQ(value("select VIEW_HEATS_COMPLEX from MEETING where MEETINGNO = " +
                    QString::number(meetingNo)),
              "0");
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_EQ(m_opened, (QStringList{"capture complex", "capture simplex"}));
    EXPECT_TRUE(m_sink.progressTexts().contains("During: Check for shortcommings in data"));
}

TEST_F(MainScreenTest, SettingTheViewFromTheMeetingDoesNotWriteIt)
{
    const int meetingNo = currentMeeting(1, 1);
    database().execute("update MEETING set VIEW_HEATS_COMPLEX = 5 where MEETINGNO = " +
                       QString::number(meetingNo));
    shell::MainScreen screen(run(), {});
    EXPECT_TRUE(screen.perEventButton()->isChecked()); // any value but 1
    EXPECT_EQ(value("select VIEW_HEATS_COMPLEX from MEETING"), "5");
}

TEST_F(MainScreenTest, ManageDataThatChangedTheDatabaseEndsTheScreen)
{
    using Change = base::ScreenOpeners::DataChange;
    base::ScreenOpeners openers;
    Change change = Change::None;
    openers.openManageData = [&](QWidget*, base::Run&) { return change; };
    shell::MainScreen screen(run(), openers);
    screen.show();
    screen.button("&Manage data")->click();
    EXPECT_TRUE(screen.isVisible());
    change = Change::Restart;
    screen.button("&Manage data")->click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.result(), shell::kMainScreenRestart);

    shell::MainScreen other(run(), openers);
    other.show();
    change = Change::EndProgram;
    other.button("&Manage data")->click();
    EXPECT_EQ(other.result(), shell::kMainScreenExit);
}

TEST_F(MainScreenTest, ExitAsksAndYesClosesWithoutRestart)
{
    shell::MainScreen screen(run(), {});
    screen.show();
    m_sink.answerNo();
    screen.button("E&xit")->click();
    EXPECT_TRUE(screen.isVisible());
    m_sink.answerYes();
    screen.button("E&xit")->click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.result(), shell::kMainScreenExit);
    EXPECT_TRUE(m_sink.saw("Are you sure you want to exit ?"));
}

TEST_F(MainScreenTest, NewAndEditedMeetingsBecomeCurrent)
{
    base::ScreenOpeners openers;
    int created = 0;
    int edited = 0;
    openers.openNewMeeting = [&](QWidget*, base::Run&) {
        return created = addMeeting(database(), "Spring Sprint");
    };
    openers.openEditMeetings = [&](QWidget*, base::Run&) { return edited; };
    shell::MainScreen screen(run(), openers);
    screen.show();

    screen.button("Edit Meetings")->click();
    EXPECT_TRUE(m_sink.saw("There are no meetings to edit.\rUse \"New Meeting\" to add one."));

    QTest::keyClick(&screen, Qt::Key_1);
    EXPECT_EQ(run().currentMeetingNo(), created);
    EXPECT_EQ(run().config().readInt("CURRENT_MEET_NO"), created);
    EXPECT_TRUE(screen.meetingText().contains("Spring Sprint"));

    // The editor deleted the current meeting and returned none.
    database().execute("delete from MEETING");
    addMeeting(database(), "Left over");
    screen.button("Edit Meetings")->click();
    EXPECT_EQ(run().currentMeetingNo(), 0);
    EXPECT_TRUE(m_sink.saw("You deleted the current Meeting.\rSelect or create a new Meeting."));
    EXPECT_EQ(screen.meetingText(), "Not Selected");
}

TEST_F(MainScreenTest, SelectMeetingWithoutMeetingsWarns)
{
    shell::MainScreen screen(run(), {});
    screen.button("&Select Meeting")->click();
    EXPECT_TRUE(m_sink.saw("There are no meetings to select from.\rUse \"New (Edit) Meeting\" "
                           "to add one"));
}

TEST_F(MainScreenTest, TheMeetingListPicksAMeetingThatIsStoredAndLoaded)
{
    const int first = addMeeting(database(), "Winter Gala");
    const int second = addMeeting(database(), "Spring Sprint");
    shell::SelectMeetingForm form(shell::meetingList(run()), first, "Dolvane 24.150");
    ASSERT_EQ(form.table()->rowCount(), 2);
    EXPECT_EQ(form.table()->item(1, 1)->text(), "Spring Sprint");
    EXPECT_EQ(form.table()->currentRow(), 0);
    ASSERT_TRUE(form.selectMeeting(second));
    form.useAsCurrent();
    EXPECT_EQ(form.chosenMeetingNo(), second);

    shell::useAsCurrentMeeting(run(), form.chosenMeetingNo());
    EXPECT_EQ(run().currentMeetingNo(), second);
    EXPECT_EQ(run().config().readInt("CURRENT_MEET_NO"), second);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(MainScreenTest, DeveloperModeShowsTheTestPanel)
{
    messages().setDeveloperMode(true);
    shell::MainScreen screen(run(), {});
    EXPECT_TRUE(screen.developerPanel()->isVisibleTo(&screen));
    EXPECT_TRUE(screen.button("Relay Errs Fix")->isEnabled());
    EXPECT_FALSE(screen.button("Try")->isEnabled());
}

TEST_F(MainScreenTest, EachDigitKeyPressesItsButtonAndOnlyThat)
{
    const int meetingNo = currentMeeting();
    addEvent(database(), meetingNo, "X");
    database().execute("update MYEVENT set C_GENDER = 'F', C_AGE = '12'");
    addTeam(database(), meetingNo);
    base::ScreenOpeners openers = countingOpeners();
    openers.openNewMeeting = [this](QWidget*, base::Run&) {
        m_opened << "new";
        return 0;
    };
    openers.openRecords = [this](QWidget*, base::Run&) { m_opened << "records"; };
    shell::MainScreen screen(run(), openers);
    screen.show();
    for (int key = Qt::Key_1; key <= Qt::Key_9; ++key)
        QTest::keyClick(&screen, Qt::Key(key));
    EXPECT_EQ(m_opened, (QStringList{"new", "items", "program", "teams", "athletes", "records",
                                     "sheets", "capture simplex", "after"}));
    for (const auto& shown : m_sink.shown())
        ADD_FAILURE() << shown.text.toStdString();
    // New Meeting that returned none keeps the current meeting.
    EXPECT_EQ(run().currentMeetingNo(), meetingNo);

    m_opened.clear();
    QTest::keyClick(&screen, Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(m_opened, QStringList{"teams"});
    m_opened.clear();
    QTest::keyClick(&screen, Qt::Key_4, Qt::ControlModifier);
    QTest::keyClick(&screen, Qt::Key_4, Qt::AltModifier);
    QTest::keyClick(&screen, Qt::Key_0);
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(MainScreenTest, ADigitOfADisabledButtonDoesNothing)
{
    currentMeeting();
    base::ScreenOpeners openers;
    int teams = 0;
    bool hiddenMeanwhile = false;
    openers.openTeams = [&](QWidget* parent, base::Run&) {
        ++teams;
        hiddenMeanwhile = !parent->isVisible();
    };
    shell::MainScreen screen(run(), openers);
    screen.show();
    QTest::keyClick(&screen, Qt::Key_3);
    QTest::keyClick(&screen, Qt::Key_5);
    QTest::keyClick(&screen, Qt::Key_4);
    EXPECT_EQ(teams, 1);
    EXPECT_TRUE(m_sink.shown().isEmpty());
    // The main screen steps aside while the other screen is open, and comes back.
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(MainScreenTest, RecordsAndAfterNeedSelectedItemsAndAfterNeedsTeams)
{
    const int meetingNo = currentMeeting();
    base::ScreenOpeners openers = countingOpeners();
    openers.openRecords = [this](QWidget*, base::Run&) { m_opened << "records"; };
    shell::MainScreen screen(run(), openers);
    screen.show();
    addEvent(database(), meetingNo, "");
    addTeam(database(), meetingNo);
    QTest::keyClick(&screen, Qt::Key_6);
    QTest::keyClick(&screen, Qt::Key_9);
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(m_sink.saw("There are no Items selected for this meeting.\r\r"));
    EXPECT_TRUE(m_sink.saw("There are no items selected for this meeting"));

    addEvent(database(), meetingNo, "X");
    QTest::keyClick(&screen, Qt::Key_6);
    QTest::keyClick(&screen, Qt::Key_9);
    EXPECT_EQ(m_opened, (QStringList{"records", "after"}));
}

TEST_F(MainScreenTest, TheMenuChecksAndFixesItemCodesWithoutTheSwimmingMark)
{
    const int meetingNo = currentMeeting();
    addEvent(database(), meetingNo, "X", "BRE_____50F11");
    shell::MainScreen screen(run(), countingOpeners());
    screen.show();
    m_sink.answerYes();
    screen.menuAction("Check Dolvane Meeting")->trigger();
    const auto warnings = m_sink.ofKind(base::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].title, "Invalid swim Items");
    EXPECT_TRUE(warnings[0].text.contains("11 Female 50m Breaststroke"));

    m_sink.answerYes();
    m_sink.answerYes();
    screen.menuAction("Fix Dolvane Meeting")->trigger();
    EXPECT_EQ(value("select ITEMCODE from MYEVENT"), "BRE_____50F11W");
    m_sink.clear();
    m_sink.answerYes();
    screen.menuAction("Check Dolvane Meeting")->trigger();
    EXPECT_TRUE(m_sink.saw("No errors were found"));
    screen.menuAction("Fix Dolvane Recordset")->trigger();
    EXPECT_TRUE(m_sink.saw("is found under the \"Manage Data\" -> \"RecordSets\"."));
}

TEST_F(MainScreenTest, TheChecksOfOtherAreasStopItemsAndCapture)
{
    const int meetingNo = currentMeeting();
    addEvent(database(), meetingNo, "X");
    addTeam(database(), meetingNo);
    base::ScreenOpeners openers = countingOpeners();
    QStringList checks;
    bool itemFormat = false;
    bool performances = false;
    bool scoreTables = false;
    openers.checkItemFormat = [&](base::Run&) {
        checks << "item format";
        return itemFormat;
    };
    openers.checkPerformances = [&](base::Run&) {
        checks << "performances";
        return performances;
    };
    openers.checkScoreTables = [&](base::Run&) {
        checks << "score tables";
        return scoreTables;
    };
    shell::MainScreen screen(run(), openers);
    screen.show();

    QTest::keyClick(&screen, Qt::Key_2);
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_EQ(checks, (QStringList{"item format", "performances"}));
    performances = true;
    checks.clear();
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_EQ(checks, (QStringList{"performances", "item format"}));
    itemFormat = true;
    checks.clear();
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_EQ(checks, (QStringList{"performances", "item format", "score tables"}));
    EXPECT_TRUE(m_opened.isEmpty());
    // The shortcomings of the data are looked for under their progress text.
    EXPECT_TRUE(m_sink.progressTexts().contains("During: Check for shortcommings in data"));

    scoreTables = true;
    QTest::keyClick(&screen, Qt::Key_2);
    QTest::keyClick(&screen, Qt::Key_8);
    EXPECT_EQ(m_opened, (QStringList{"items", "capture simplex"}));
    // The other workflow buttons do not run them.
    checks.clear();
    QTest::keyClick(&screen, Qt::Key_3);
    QTest::keyClick(&screen, Qt::Key_9);
    EXPECT_TRUE(checks.isEmpty());
}

TEST_F(MainScreenTest, GeneralUtilitiesThatLeaveAQueryOpenAreReported)
{
    db::DmdCoreDbs::resetCounters();
    base::ScreenOpeners openers;
    std::unique_ptr<db::Query> leaked;
    bool leak = false;
    openers.openGeneralUtilities = [&](QWidget*, base::Run& r) {
        db::Query closed = r.database()->openQuery("select MEETINGNO from MEETING");
        if (leak)
            leaked = std::make_unique<db::Query>(r.database()->openQuery("select 1 from CONFIG"));
    };
    shell::MainScreen screen(run(), openers);
    screen.show();
    screen.button("&General Utilities")->click();
    EXPECT_FALSE(m_sink.saw("Qry="));
    leak = true;
    screen.button("&General Utilities")->click();
    EXPECT_TRUE(m_sink.saw("Qry=1\rSql=0\rDst=0"));
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(MainScreenTest, SettingsAndManageDataRefreshTheMeetingText)
{
    const int meetingNo = currentMeeting();
    const int other = addMeeting(database(), "Spring Relays");
    base::ScreenOpeners openers;
    openers.openSettings["Settings: Meeting General   "] = [&](QWidget*, base::Run& r) {
        r.database()->execute("update MEETING set DESCRIPTION = 'Winter Gala II' where "
                              "MEETINGNO = " +
                              db::sqlInt(meetingNo));
        meeting::setCurrentMeeting(r, meetingNo);
    };
    openers.openManageData = [&](QWidget*, base::Run& r) {
        meeting::setCurrentMeeting(r, other);
        return base::ScreenOpeners::DataChange::None;
    };
    shell::MainScreen screen(run(), openers);
    screen.show();
    screen.button("Settings: Meeting General   ")->click();
    EXPECT_TRUE(screen.meetingText().contains("Winter Gala II"))
        << screen.meetingText().toStdString();
    screen.button("&Manage data")->click();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(screen.meetingText().contains("Spring Relays"))
        << screen.meetingText().toStdString();

    // Without a current meeting the settings do not open.
    meeting::setCurrentMeeting(run(), 0);
    m_sink.clear();
    screen.button("Settings: Meeting General   ")->click();
    EXPECT_TRUE(m_sink.saw("There is no current meeting selected!"));
}

} // namespace
