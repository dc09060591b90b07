#include "drawfixture.h"

#include "db/sqltext.h"
#include "draw/formatcheck.h"
#include "draw/heatgroups.h"
#include "draw/meetingvalues.h"
#include "draw/programeditor.h"
#include "draw/programrows.h"
#include "draw/programsetup.h"

using namespace draw;

namespace {

// Checks and repairs over a whole meeting's program.
class ProgramChecksTest : public DrawFixture {
protected:
    void enter(qint64 eventNo, int swimmers, int placed)
    {
        for (int i = 0; i < swimmers; ++i) {
            ASSERT_TRUE(database().execute(
                "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, PLACE, DISQ_STATUS) "
                "values (" +
                db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
                db::sqlInt(eventNo) + ", " + db::sqlInt(i < placed ? i + 1 : 0) + ", 0)"));
        }
    }
};

TEST_F(ProgramChecksTest, AFormatThatLostItsProgramIsRewrittenFromThePrograms)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,2,2");
    // Another program removed a heat behind our back.
    ASSERT_TRUE(database().execute("delete from PROGRAM where ROUND = 'A' and HEATNO = 3"));
    ProgramRows rows(database(), messages());
    EXPECT_FALSE(rows.repairEvent(e));
    EXPECT_TRUE(m_sink.saw("lost sync."));
    EXPECT_EQ(value("select HEATCOUNTS from MYEVENT"), "2");
    EXPECT_TRUE(rows.repairEvent(e));
}

TEST_F(ProgramChecksTest, MeetingHeatCountCheckComparesHeatsWithEntries)
{
    const qint64 tooFew = addSelected("FRE____100M13W");
    const qint64 tooMany = addSelected("BRE____100M13W");
    const qint64 right = addSelected("BCK____100M13W");
    saveFormat(tooMany, "3,2,2");
    saveFormat(right, "2,3,2");
    enter(tooFew, 20, 0);
    enter(tooMany, 5, 0);
    enter(right, 14, 0);
    LaneSettings lanes;
    lanes.dolvaneLaneCount = 8;
    HeatGroups groups(*m_items, lanes);
    const FormatCheck::MeetingReport report =
        FormatCheck(groups).checkMeeting(database(), m_meetingNo);
    EXPECT_EQ(report.errors, 1);
    EXPECT_EQ(report.hints, 1);
    EXPECT_EQ(report.correct, 1);
    EXPECT_FALSE(report.passed());
    ASSERT_EQ(report.lines.size(), 2);
    EXPECT_TRUE(report.lines[0].startsWith("ERROR:   2 too few for 100m Freestyle 13 Male"));
    EXPECT_TRUE(report.lines[1].startsWith("Hint :   2 too many for 100m Breaststroke"));
    EXPECT_TRUE(report.text().contains("1 ERRORS : too little heats"));
}

TEST_F(ProgramChecksTest, PlacedCountsCountPlacedSwimmersOfTheFinal)
{
    const qint64 e = addSelected("FRE____100M13W");
    enter(e, 6, 4);
    ProgramRows rows(database(), messages());
    ASSERT_TRUE(rows.updatePlacedCounts(m_meetingNo));
    EXPECT_EQ(value("select PLACEDCOUNT from PROGRAM where EVENTNO = " + db::sqlInt(e)), "4");
}

TEST_F(ProgramChecksTest, HeatsAreFinalsTakeTheirLastHeatsSlot)
{
    ProgramEditor editor(database(), messages(), m_meetingNo);
    EXPECT_FALSE(editor.cascadeHeatsAreFinals());
    EXPECT_TRUE(m_sink.saw("This meeting has no Items where the final is not run"));
    const qint64 e = addSelected("FRE_____50M13W");
    saveFormat(e, "3,0,8");
    ASSERT_TRUE(m_events->setFinalNotRun(e, true));
    m_events->saveSelection();
    ASSERT_TRUE(database().execute("update PROGRAM set THETIME = '11:20', SEQ = 9, PIT = 'A' "
                                   "where ROUND = 'A' and HEATNO = 3"));
    ASSERT_TRUE(editor.cascadeHeatsAreFinals());
    EXPECT_EQ(value("select SEQ || PIT || THETIME from PROGRAM where ROUND = 'F'"),
              "9A11:20:00.0000");
}

TEST_F(ProgramChecksTest, LaneSettingsOfTheMeetingGiveTheHeatSize)
{
    ASSERT_TRUE(database().execute("update MEETING set DOLVANE_LANE_COUNT = 6, "
                                   "XCD_TRACKCOUNT_110M = 9, LONG_HEAT_ATHS_1500M = 14"));
    const MeetingValues values = readMeetingValues(database(), m_meetingNo);
    HeatGroups swim(*m_items, values.lanes);
    EXPECT_EQ(swim.athletesPerHeat("FRE___1500M13W"), 6);
    EXPECT_EQ(swim.heatsNeeded("FRE____100M13W", 13), 3);
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    HeatGroups track(athletics, values.lanes);
    EXPECT_EQ(track.athletesPerHeat("SHD____100M19"), 9);
    EXPECT_EQ(track.athletesPerHeat("LOD___1500M19"), 14);
    EXPECT_EQ(track.athletesPerHeat("JMPLong___M19"), 99);
    // Unset settings fall back to the heat group's size.
    EXPECT_EQ(track.athletesPerHeat("LOD___5000M19"), 19);
    EXPECT_EQ(track.heatShortfall("SHD____100M19", "2,3,2", 30), 2);
}

TEST_F(ProgramChecksTest, DeletingTheProgramLeavesOtherMeetingsAlone)
{
    addSelected("FRE_____50M13W");
    const int other = createMeeting(1, 8);
    Events otherEvents(database(), *m_items, other);
    NewEvent event;
    event.itemCode = "FRE_____50F13W";
    event.selected = true;
    ASSERT_GT(otherEvents.addEvent(event), 0);
    ASSERT_TRUE(ProgramSetup(*m_events).deleteProgram());
    EXPECT_EQ(count("MYEVENT", "MEETINGNO = " + db::sqlInt(m_meetingNo)), 0);
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(m_meetingNo)), 0);
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(other)), 1);
}

} // namespace
