#include "support/testdatabase.h"

#include "base/triggersetting.h"
#include "entries/assigncategory.h"
#include "meeting/competitions.h"
#include "meeting/currentmeeting.h"
#include "meeting/relayerrs.h"
#include "shell/eventsetting.h"
#include "shellrows.h"

#include <gtest/gtest.h>

using namespace shell_test;

namespace {

class UtilitiesTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::prepareMeetingRun(run());
        m_meetingNo = addMeeting(database(), "Winter Gala");
        meeting::setCurrentMeeting(run(), m_meetingNo);
        m_sink.clear();
    }
    int m_meetingNo = 0;
};

TEST_F(UtilitiesTest, TheEventSettingShowsItsStateAndStoresYesNoButNotCancel)
{
    EXPECT_EQ(base::gdbTriggersActive(run().config()), -1);
    m_sink.answerYes();
    shell::disableInterbaseEvents(run());
    EXPECT_TRUE(m_sink.shown()[0].text.startsWith(
        "The Firebird database messages is not set \"ON\" or \"OFF\" yet."));
    EXPECT_TRUE(
        m_sink.shown()[0].text.endsWith("(Yes=Switch on,  No=Switch off,  Cancel=Leave it as is"));
    EXPECT_EQ(run().config().readText("GDB_TRIGGERS_ACTIVE"), "1");

    m_sink.answerNo();
    shell::disableInterbaseEvents(run());
    EXPECT_TRUE(m_sink.shown()[1].text.startsWith(
        "The Firebird database messages is currently set \"ON\"."));
    EXPECT_EQ(base::gdbTriggersActive(run().config()), 0);

    m_sink.answerCancel();
    shell::disableInterbaseEvents(run());
    EXPECT_TRUE(m_sink.shown()[2].text.contains("currently set \"OFF\"."));
    EXPECT_EQ(run().config().readText("GDB_TRIGGERS_ACTIVE"), "0");
}

TEST_F(UtilitiesTest, CompetitionsListTheMeetingsWithMoreThanOneLeague)
{
    addTeam(database(), m_meetingNo, 1);
    addTeam(database(), m_meetingNo, 3);
    const int single = addMeeting(database(), "One league");
    addTeam(database(), single, 1);
    const int other = addMeeting(database(), "Schools");
    addTeam(database(), other, 2);
    const QList<meeting::Competition> list = meeting::competitions(run());
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].meetingNo, m_meetingNo);
    EXPECT_EQ(list[0].leagues, 3);
    EXPECT_EQ(list[0].description, "Winter Gala");
    EXPECT_EQ(list[1].meetingNo, other);
    EXPECT_TRUE(meeting::competitionsText(list).contains("Schools"));
    EXPECT_EQ(meeting::competitionsText({}), "No meeting has teams in more than one league.");
}

TEST_F(UtilitiesTest, AssignCategoryNeedsCategories)
{
    entries::assignCategoryToExisting(run());
    EXPECT_EQ(m_sink.shown().size(), 1);
    EXPECT_TRUE(m_sink.saw("You need Categories before you can Assign Categories\rto Athletes "
                           "and Items with no Category"));
}

TEST_F(UtilitiesTest, AssignCategoryRefusesAnEmptyOrUnknownCategory)
{
    addCategory(database(), m_meetingNo, "A");
    m_sink.answerYes();
    m_sink.answerText("  ");
    entries::assignCategoryToExisting(run());
    EXPECT_TRUE(m_sink.saw("The Category cannot be empty"));
    m_sink.answerYes();
    m_sink.answerText("B");
    entries::assignCategoryToExisting(run());
    EXPECT_TRUE(m_sink.saw("Thge Category is invalid:B"));
}

TEST_F(UtilitiesTest, AssignCategoryFillsOnlyTheEmptyOnesOfTheCurrentMeeting)
{
    addCategory(database(), m_meetingNo, "A");
    addCategory(database(), m_meetingNo, "B");
    const int team = addTeam(database(), m_meetingNo);
    addAthlete(database(), m_meetingNo, team);
    addAthlete(database(), m_meetingNo, team, "B");
    addEvent(database(), m_meetingNo);
    addEvent(database(), m_meetingNo, "X", "M100F", "B");
    const int other = addMeeting(database(), "Other");
    addAthlete(database(), other, addTeam(database(), other));

    m_sink.answerYes(); // explained
    m_sink.answerText("A");
    m_sink.answerNo(); // no stop for a backup
    const entries::AssignedCategory done = entries::assignCategoryToExisting(run());
    EXPECT_EQ(done.athletes, 1);
    EXPECT_EQ(done.items, 1);
    EXPECT_TRUE(m_sink.saw("Done: 1 Athletes and 1 Items were assigned to Category A"));
    EXPECT_EQ(count("ATHLETE", "CATEGORY = 'A'"), 1);
    EXPECT_EQ(count("ATHLETE", "CATEGORY = 'B'"), 1);
    EXPECT_EQ(count("ATHLETE", "CATEGORY is null"), 1); // the other meeting's
    EXPECT_EQ(count("MYEVENT", "CATEGORY = 'A'"), 1);
}

TEST_F(UtilitiesTest, AssignCategoryTakesOnlyThisMeetingsCategoriesAndStopsForABackup)
{
    const int other = addMeeting(database(), "Other");
    addCategory(database(), other, "C");
    addCategory(database(), m_meetingNo, "A");
    const int team = addTeam(database(), m_meetingNo);
    addAthlete(database(), m_meetingNo, team);
    database().execute("update ATHLETE set CATEGORY = ''");
    addEvent(database(), m_meetingNo);

    // A category of another meeting is not one of this meeting's.
    m_sink.answerYes();
    m_sink.answerText("C");
    EXPECT_FALSE(entries::assignCategoryToExisting(run()).done);
    EXPECT_TRUE(m_sink.saw("Thge Category is invalid:C"));

    // Stopping for a backup changes nothing.
    m_sink.answerYes();
    m_sink.answerText(" A ");
    m_sink.answerYes();
    EXPECT_FALSE(entries::assignCategoryToExisting(run()).done);
    EXPECT_EQ(count("ATHLETE", "CATEGORY = 'A'"), 0);
    EXPECT_EQ(count("MYEVENT", "CATEGORY = 'A'"), 0);

    // An empty text counts as no category, and the entry is trimmed.
    m_sink.answerYes();
    m_sink.answerText(" A ");
    m_sink.answerNo();
    const entries::AssignedCategory done = entries::assignCategoryToExisting(run());
    EXPECT_TRUE(done.done);
    EXPECT_EQ(count("ATHLETE", "CATEGORY = 'A'"), 1);
    EXPECT_EQ(count("MYEVENT", "CATEGORY = 'A'"), 1);
}

TEST_F(UtilitiesTest, RelayErrsRewriteTheKnownWrongFormAndCountTheRest)
{
    addEvent(database(), m_meetingNo, "X", "REL8,4,2X2F50");
    database().execute("insert into RECORD (RECORDNO, ITEMCODE) values (1, 'REL8,4,2X2M50')");
    database().execute("insert into TPLTITEM (ITEMNO, ITEMCODE) values (2, 'REL4,1X4F100')");
    database().execute("insert into TEMP_RECORD (RECORDNO, ITEMCODE) values (3, 'REL4X100F')");

    const QList<meeting::RelayCodeCount> before = meeting::checkRelayCodes(run());
    ASSERT_EQ(before.size(), 4);
    EXPECT_EQ(before[0].fixable, 1);
    EXPECT_EQ(before[1].fixable, 1);
    EXPECT_EQ(before[3].invalid, 1);
    EXPECT_EQ(before[3].fixable, 0);

    m_sink.answerYes();
    meeting::fixRelayCodes(run());
    EXPECT_TRUE(m_sink.saw("Do you want to fix the 2 invalid relays types ?"));
    EXPECT_EQ(value("select ITEMCODE from MYEVENT"), "REL8_4_2X2F50");
    EXPECT_EQ(value("select ITEMCODE from RECORD"), "REL8_4_2X2M50");
    EXPECT_EQ(value("select ITEMCODE from TPLTITEM"), "REL4,1X4F100");
    EXPECT_EQ(value("select ITEMCODE from TEMP_RECORD"), "REL4X100F");
    EXPECT_TRUE(m_sink.saw("Fixed: 2"));
    EXPECT_TRUE(m_sink.saw("TPLTITEM: 1 (0 can be fixed)"));

    database().execute("delete from TPLTITEM");
    EXPECT_EQ(meeting::relayCheckText(meeting::checkRelayCodes(run())),
              "No other errors of this type");
}

} // namespace
