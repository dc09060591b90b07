#include "meetingfixture.h"

#include "meeting/datetext.h"
#include "meeting/meetingages.h"
#include "meeting/meetingdescription.h"
#include "meeting/meetingidentity.h"
#include "meeting/meetingupdate.h"
#include "meeting/runservices.h"
#include "meeting/translations.h"

using base::MessageKind;
using meeting::MeetingIdentity;

namespace {

class MeetingRecordTest : public meeting_testing::MeetingTest {};

TEST(MeetingDate, AWronglyWrittenDateIsReadAsItsRegionalFormMeant)
{
    using meeting::guessDateFromText;
    EXPECT_EQ(guessDateFromText("14.03.2025"), QDate(2025, 3, 14));
    EXPECT_EQ(guessDateFromText(" 2025-03-14 "), QDate(2025, 3, 14));
    EXPECT_EQ(guessDateFromText("2025.12.31"), QDate(2025, 12, 31));
    EXPECT_EQ(guessDateFromText("4/3/2025"), QDate(2025, 3, 4)); // day first
    EXPECT_EQ(guessDateFromText("1-2-2024"), QDate(2024, 2, 1));
    // Not a day, or nothing like a date: the editor starts from today.
    EXPECT_FALSE(guessDateFromText("31.02.2025").isValid());
    EXPECT_FALSE(guessDateFromText("").isValid());
    EXPECT_FALSE(guessDateFromText("next Friday").isValid());
    EXPECT_FALSE(guessDateFromText("2025/13/01").isValid());
}

TEST(MeetingDescription, RunsOverMonthAndYearEndsInBothLanguages)
{
    using meeting::describeMeeting;
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2025/03/14", 3, false, false),
              "2025/03/14 to 2025/03/16:   Gala at Pool");
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2025/01/30", 3, false, false),
              "2025/01/30 to 2025/02/01:   Gala at Pool");
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2024/12/30", 3, true, false),
              "2024/12/30 tot 2025/01/01:   Gala by Pool");
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2024/02/28", 3, false, true),
              "Gala\r2024/02/28 to 2024/03/01  at  Pool");
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2025/12/31", 2, true, true),
              "Gala\r2025/12/31 tot 2026/01/01  by  Pool");
    // One day, or no count at all, shows the first day only.
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2025/03/14", 1, false, false),
              "2025/03/14:   Gala at Pool");
    EXPECT_EQ(describeMeeting("Gala", "Pool", "2025/03/14", 0, false, false),
              "2025/03/14:   Gala at Pool");
}

TEST_F(MeetingRecordTest, NewMeetingGetsTheNewValuesAndEightPlacePoints)
{
    const int no = newMeeting(QStringLiteral("O'Brien Gala"));
    ASSERT_GT(no, 0);
    const QString where = QStringLiteral(" from MEETING where MEETINGNO=") + db::sqlInt(no);
    EXPECT_EQ(value("select DESCRIPTION" + where), "O'Brien Gala");
    EXPECT_EQ(value("select DAY_COUNT" + where), "1");
    EXPECT_EQ(value("select DRAW_METHOD" + where), "6");
    EXPECT_EQ(value("select HIDE_AUTO_ATH_NUM" + where), "1");
    EXPECT_EQ(value("select MAXPARTSPERATH" + where), "3");
    EXPECT_EQ(value("select ELECHAND" + where), "2");
    EXPECT_EQ(value("select OLDERSTARTAGE" + where), "16");
    EXPECT_EQ(value("select DOLVANE_LANE_COUNT" + where), "10");
    EXPECT_EQ(value("select TWITTER_USERNAME" + where), "@");
    EXPECT_EQ(value("select POINTBRONZE" + where), "3");
    EXPECT_EQ(value("select coalesce(PATTERN_LANE_COUNT, -1)" + where), "-1");

    db::Query q = database().openQuery(
        QStringLiteral("select PLACE, POINT, RELAY, LEAGUE from PLACEPOINT where MEETINGNO=") +
        db::sqlInt(no) + QStringLiteral(" order by PLACE"));
    ASSERT_EQ(q.recordCount(), 8);
    for (int place = 1; !q.eof(); q.next(), ++place) {
        EXPECT_EQ(q.integer("PLACE"), place);
        EXPECT_DOUBLE_EQ(q.value("POINT").toDouble(), 9 - place);
        EXPECT_DOUBLE_EQ(q.value("RELAY").toDouble(), 9 - place);
        EXPECT_EQ(q.integer("LEAGUE"), 0);
    }
}

TEST_F(MeetingRecordTest, IdentityChecksRunInOrderAndWriteNothing)
{
    struct Case {
        MeetingIdentity identity;
        const char* message;
    };
    const Case cases[] = {
        {{"", "", "2025/03/14"}, "Enter a venue"},
        {{"", "Pool", "2025/03/14"}, "Enter a name"},
        {{"Gala", "Pool", "2025/02/30"}, "Invalid date"},
        {{"Gala", "Pool", ""}, "Invalid date"},
        {{QString(51, 'x'), "Pool", "2025/03/14"}, "The name may not be longer than 50"},
        {{"Gala", QString(51, 'v'), "2025/03/14"}, "The venue may not be longer than 50"},
    };
    for (const Case& c : cases) {
        m_sink.clear();
        EXPECT_FALSE(meeting::checkMeetingIdentity(database(), c.identity)) << c.message;
        ASSERT_EQ(warnings(), 1) << c.message;
        EXPECT_TRUE(m_sink.saw(QString::fromUtf8(c.message))) << c.message;
    }
    EXPECT_EQ(count("MEETING"), 0);
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala", "Pool", "2025/03/14"}));

    // Another date separator means the regional settings are wrong: the user is told how to
    // fix them and the accept goes on (the date is fixed when the meeting is loaded).
    m_sink.clear();
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala", "Pool", "2025-03-14"}));
    EXPECT_EQ(warnings(), 1);
    EXPECT_TRUE(m_sink.saw("the Date Separator must be \"/\" (slash).\rUnder Windows"));
}

TEST_F(MeetingRecordTest, SameNameVenueAndDateIsADuplicateUntilOneChanges)
{
    const int no = newMeeting("Gala", "Pool", "2025/03/14");
    EXPECT_FALSE(meeting::checkMeetingIdentity(database(), {"Gala", "Pool", "2025/03/14"}));
    EXPECT_TRUE(m_sink.saw("There is already a Meeting with this date, venue and description."));
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala 2", "Pool", "2025/03/14"}));
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala", "Dam", "2025/03/14"}));
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala", "Pool", "2025/03/15"}));
    // Editing a meeting does not collide with itself.
    EXPECT_TRUE(meeting::checkMeetingIdentity(database(), {"Gala", "Pool", "2025/03/14"}, no));
}

TEST_F(MeetingRecordTest, LoadReadsTheRowAndDescribesIt)
{
    const int no = newMeeting();
    exec("update MEETING set DAY_COUNT=3 where MEETINGNO=" + db::sqlInt(no));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), no));
    const meeting::MeetingSettings& s = run().meeting();
    EXPECT_EQ(s.meetingNo(), no);
    EXPECT_EQ(s.meetingNoText(), QString::number(no));
    EXPECT_EQ(s.firstDay(), QDate(2025, 3, 14));
    EXPECT_EQ(s.descriptionText(), "2025/03/14 to 2025/03/16:   Gala at Pool");
    EXPECT_EQ(s.descriptionText(true, true), "Gala\r2025/03/14 tot 2025/03/16  by  Pool");
    EXPECT_EQ(s.integer("MAXPARTSPERATH"), 3);
    EXPECT_EQ(s.integer("GRADE_NOT_AGE"), 0); // null reads as 0
    EXPECT_EQ(run().config().readInt("CURRENT_MEET_NO"), no);
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_EQ(meeting::describeMeeting(database(), no + 1000), QString());
}

TEST_F(MeetingRecordTest, DrawingMethodIsAdjustedInMemoryOnly)
{
    const int no = newMeeting();
    const struct {
        int stored, used;
        bool bestBefores;
    } cases[] = {{1, 3, false}, {2, 3, false}, {4, 3, true}, {3, 3, false}, {6, 6, false}};
    for (const auto& c : cases) {
        exec("update MEETING set DRAW_METHOD=" + db::sqlInt(c.stored) +
             " where MEETINGNO=" + db::sqlInt(no));
        ASSERT_TRUE(meeting::setCurrentMeeting(run(), no));
        EXPECT_EQ(run().meeting().drawMethod(), c.used) << c.stored;
        EXPECT_EQ(run().meeting().hasBestBefores(), c.bestBefores) << c.stored;
        EXPECT_EQ(value("select DRAW_METHOD from MEETING where MEETINGNO=" + db::sqlInt(no)),
                  QString::number(c.stored));
    }
}

TEST_F(MeetingRecordTest, EmptyOrWrongDateIsFixedAsSoonAsTheMeetingBecomesCurrent)
{
    const int no = newMeeting();
    exec("update MEETING set THEDATE='' where MEETINGNO=" + db::sqlInt(no));
    m_sink.answerText("2025/13/01"); // refused, asked again
    m_sink.answerText("2025/05/01");
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), no));
    EXPECT_TRUE(m_sink.saw("The date of the Meeting is empty.\rThe program will now allow you "
                           "to fix it."));
    EXPECT_TRUE(m_sink.saw("or the values does not indicate a valid date: 2025/13/01."));
    EXPECT_EQ(value("select THEDATE from MEETING where MEETINGNO=" + db::sqlInt(no)), "2025/05/01");
    EXPECT_EQ(run().meeting().firstDay(), QDate(2025, 5, 1));

    // Cancelling the editor leaves the wrong date and no first day.
    exec("update MEETING set THEDATE='14.03.2025' where MEETINGNO=" + db::sqlInt(no));
    m_sink.clear();
    meeting::setCurrentMeeting(run(), no);
    EXPECT_TRUE(m_sink.saw("The date of the Meeting is incorrect (14.03.2025)."));
    EXPECT_FALSE(run().meeting().firstDay().isValid());
    EXPECT_EQ(value("select THEDATE from MEETING where MEETINGNO=" + db::sqlInt(no)), "14.03.2025");
}

TEST_F(MeetingRecordTest, AMissingColumnIsReportedAndTheLoadFails)
{
    const int no = newMeeting();
    exec("alter table MEETING drop HEIGHTABOVESEA");
    database().refreshReads();
    EXPECT_FALSE(run().meeting().load(database(), no, run().meetingAges()));
    ASSERT_EQ(internalErrors(), 1);
    const QString report = m_sink.ofKind(MessageKind::Error).first().text;
    EXPECT_TRUE(report.contains("Could not load all the meeting settings."));
    EXPECT_TRUE(report.contains("Loading the folowing fields failed:\rHEIGHTABOVESEA"));
    EXPECT_EQ(run().meeting().failedColumns(), QStringList{"HEIGHTABOVESEA"});
    // What was read remains.
    EXPECT_EQ(run().meeting().description(), "Gala");
    EXPECT_EQ(count("T_DEBUG_MARK", "SHORT_MSG like 'Could not load all%'"), 1);
}

TEST_F(MeetingRecordTest, AMeetingWithoutARowLeavesNoCurrentMeeting)
{
    const int no = newMeeting();
    meeting::setCurrentMeeting(run(), no);
    EXPECT_FALSE(meeting::setCurrentMeeting(run(), no + 500));
    EXPECT_EQ(run().currentMeetingNo(), 0);
    EXPECT_EQ(run().meeting().meetingNoText(), "0");
    EXPECT_EQ(run().config().readInt("CURRENT_MEET_NO"), 0);
    EXPECT_EQ(run().meeting().descriptionText(), QString());
}

TEST_F(MeetingRecordTest, StoredCurrentMeetingThatWasDeletedBecomesZero)
{
    const int no = newMeeting();
    run().config().writeInt("CURRENT_MEET_NO", no);
    EXPECT_EQ(meeting::restoreCurrentMeeting(run()), no);
    exec("delete from MEETING where MEETINGNO=" + db::sqlInt(no));
    run().config().writeInt("CURRENT_MEET_NO", no);
    EXPECT_EQ(meeting::restoreCurrentMeeting(run()), 0);
    EXPECT_EQ(run().config().readInt("CURRENT_MEET_NO"), 0);
}

TEST_F(MeetingRecordTest, UnavailableScoreSetsAreWarnedAbout)
{
    const int no = newMeeting();
    exec("insert into SCORESET (SCORESETNO, DESCRIPTION) values (500, 'Tables 2025')");
    exec("update MEETING set HAS_TABLE_SCORE=1, SCORESETNO=500, NATHLON_SCORESET=77 "
         "where MEETINGNO=" +
         db::sqlInt(no));
    meeting::setCurrentMeeting(run(), no);
    EXPECT_EQ(run().meeting().scoreSetName(), "Tables 2025");
    ASSERT_EQ(warnings(), 1);
    EXPECT_TRUE(m_sink.saw("The n-Athlon Scoreset that is selected for this Meeting,77, is "
                           "currently not available."));
    EXPECT_TRUE(m_sink.saw("If you need to use that Scoreset, contact support."));

    // Without table scores the meeting's score set is not checked.
    exec("update MEETING set HAS_TABLE_SCORE=0, SCORESETNO=900, NATHLON_SCORESET=0 "
         "where MEETINGNO=" +
         db::sqlInt(no));
    m_sink.clear();
    meeting::setCurrentMeeting(run(), no);
    EXPECT_EQ(warnings(), 0);
}

TEST_F(MeetingRecordTest, RecordSetListsComeFromMeetingSet)
{
    const int no = newMeeting();
    const QString insert = "insert into MEETINGSET (MEETSETNO, MEETINGNO, SEQ_NO, RECORDSETNO, "
                           "IS_FAIL_STD, POINTS_TO_ADD) values (";
    exec(insert + "9001, " + db::sqlInt(no) + ", 1, 12, 0, 3)");
    exec(insert + "9002, " + db::sqlInt(no) + ", 2, 15, 0, 0)");
    exec(insert + "9003, " + db::sqlInt(no) + ", 3, 20, 1, 2)");
    meeting::setCurrentMeeting(run(), no);
    const meeting::MeetingSettings& s = run().meeting();
    EXPECT_EQ(s.allSets(), "N,12,3;N,15,0;F,20,2");
    EXPECT_EQ(s.recordSets(), "12;15");
    EXPECT_EQ(s.recordSetsWithPoints(), "12,3");
    EXPECT_EQ(s.failStandards(), "20");
    EXPECT_EQ(s.failStandardsWithPoints(), "20,2");
    EXPECT_TRUE(s.hasFailStandards());
}

TEST_F(MeetingRecordTest, MeetingAgesAreReloadedWithTheMeeting)
{
    const int no = newMeeting();
    addEvent(no, "M", "12");
    addEvent(no, "M", "10");
    addEvent(no, "M", "12", QString(), "OTHER");
    addEvent(no, "F", "11");
    meeting::setCurrentMeeting(run(), no);
    const meeting::MeetingAges& ages = *run().meetingAges();
    ASSERT_EQ(ages.pairs().size(), 3);
    EXPECT_EQ(ages.agesOf("M"), (QStringList{"10", "12"}));
    EXPECT_TRUE(
        m_sink.progressTexts().contains("Collecting the Gender-Ages for the Items of the Meeting"));

    base::Messages& m = messages();
    EXPECT_EQ(ages.defaultAge(m, "M", 10), 10);
    EXPECT_EQ(ages.defaultAge(m, "M", 11), 12); // the next age up
    EXPECT_EQ(ages.defaultAge(m, "M", 8), 10);  // two up
    EXPECT_EQ(ages.defaultAge(m, "M", 7), 7);   // too far below
    EXPECT_EQ(ages.defaultAge(m, "M", 13), 12); // one older than the oldest items
    EXPECT_EQ(ages.defaultAge(m, "M", 14), 14);
    EXPECT_EQ(ages.defaultAge(m, "T", 8), 8);
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_EQ(ages.defaultAge(m, "X", 8), 8);
    EXPECT_EQ(internalErrors(), 1);

    // An unknown gender stops the reading; what came before it remains.
    addEvent(no, "X", "13");
    m_sink.clear();
    meeting::setCurrentMeeting(run(), no);
    EXPECT_TRUE(m_sink.saw("Incorrect gender\rX"));
    EXPECT_EQ(run().meetingAges()->pairs().size(), 3);
}

TEST_F(MeetingRecordTest, ServicesAreCreatedOncePerRun)
{
    meeting::createTranslations(run());
    EXPECT_TRUE(m_sink.saw("dmdTamrokXlat already created"));
    meeting::createMeetingAges(run());
    EXPECT_TRUE(m_sink.saw("ZMeetingAgesCreate already called"));
    meeting::freeMeetingAges(run());
    meeting::freeMeetingAges(run());
    EXPECT_TRUE(m_sink.saw("ZMeetingAgesFree already called"));
    // Loading without the ages service is reported, and the load goes on.
    const int no = newMeeting();
    EXPECT_TRUE(run().meeting().load(database(), no, run().meetingAges()));
    EXPECT_TRUE(m_sink.saw("You must create oMeetingAges at startup"));
}

TEST_F(MeetingRecordTest, UpdateChecksEveryValueBeforeWritingAny)
{
    const int no = currentMeeting();
    using meeting::ColumnValues;
    const struct {
        ColumnValues values;
        const char* message;
    } refusals[] = {
        {{{"MAXPARTSPERATH", "5"}, {"DAY_COUNT", "two"}}, "DAY_COUNT must be a whole number"},
        {{{"MAXPARTSPERATH", "5"}, {"DESCRIPTION", QString(51, 'x')}},
         "DESCRIPTION may not be longer than 50 characters"},
        {{{"THEDATE", "2025/02/29"}}, "valid date: 2025/02/29."},
        {{{"DESCRIPTION", " "}}, "Enter a name"},
        {{{"NO_SUCH", "1"}}, "MEETING has no setting NO_SUCH"},
        {{{"MEETINGNO", "1"}}, "The key of a meeting cannot be changed"},
    };
    for (const auto& r : refusals) {
        m_sink.clear();
        EXPECT_FALSE(meeting::updateMeeting(run(), r.values)) << r.message;
        EXPECT_TRUE(m_sink.saw(QString::fromUtf8(r.message))) << r.message;
    }
    EXPECT_EQ(value("select MAXPARTSPERATH from MEETING where MEETINGNO=" + db::sqlInt(no)), "3");

    EXPECT_TRUE(meeting::updateMeeting(run(), {{"MAXPARTSPERATH", "5"},
                                               {"DAY_COUNT", "2"},
                                               {"CURRENT_ADD_CATEGORY", "it's"},
                                               {"PLACEPOINTS", "2.5"},
                                               {"HAS_DRAW_SUMMARIES", ""}}));
    EXPECT_EQ(run().meeting().integer("MAXPARTSPERATH"), 5);
    EXPECT_EQ(run().meeting().currentAddCategory(), "it's");
    EXPECT_EQ(run().meeting().descriptionText(), "2025/03/14 to 2025/03/15:   Gala at Pool");
    EXPECT_EQ(value("select coalesce(HAS_DRAW_SUMMARIES, -1) from MEETING"), "-1");
    EXPECT_EQ(meeting::meetingUpdateSql(7, {{"DAY_COUNT", "2"}, {"VENUE", "O'Kiep"}}),
              "update MEETING set DAY_COUNT=2, VENUE='O''Kiep' where MEETINGNO=7");
}

TEST_F(MeetingRecordTest, TranslationsShowKeysAsText)
{
    const int no = currentMeeting();
    const int athlete = addAthlete(no, "Smith");
    exec("insert into ATHLETE (ATHLETENO, MEETINGNO, SURNAME, BIRTHDATE) values (88001, " +
         db::sqlInt(no) + ", 'Jones', ' / - ')");
    const meeting::Translations& t = *run().translations();
    EXPECT_EQ(t.athleteName(athlete), "Smith, Ann");
    EXPECT_EQ(t.athleteGender(athlete), "F");
    EXPECT_EQ(t.athleteName(99999), QString());
    // Birth dates only when the meeting records them; separators alone are no date.
    EXPECT_EQ(t.athleteBirthDate(athlete), QString());
    ASSERT_TRUE(meeting::updateMeeting(run(), {{"ATH_HAS_BIRTHDATE", "1"}}));
    EXPECT_EQ(t.athleteBirthDate(athlete), "2013/02/03");
    EXPECT_EQ(t.athleteBirthDate(88001), QString());
    EXPECT_EQ(t.meetingDescription(no), "2025/03/14:   Gala at Pool");

    EXPECT_EQ(t.eventItemCode(0), QString());
    EXPECT_TRUE(m_sink.saw("Did not supply the Event."));
    EXPECT_EQ(t.eventItemCode(424242), QString());
    EXPECT_TRUE(m_sink.saw("Item not found: 424242"));
    t.programRow(5);
    EXPECT_TRUE(m_sink.saw("Expected exactly one record"));
}

} // namespace
