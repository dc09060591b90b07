#include "schedfixture.h"

#include "base/configstore.h"
#include "db/sqltext.h"
#include "meeting/meetingupdate.h"
#include "sched/packing.h"

using namespace sched;

namespace {

class PackingTest : public SchedFixture {
protected:
    void SetUp() override
    {
        SchedFixture::SetUp();
        // 100 s, 64 s, 232 s and 100 s in the water (the age rule: +4 % a year below 17).
        m_e1 = addEvent("FRE____100M17W");
        m_e2 = addEvent("BRE_____50F10W");
        m_e3 = addEvent("FRE____200M13W");
        m_e4 = addEvent("BCK____100F17W");
        setSlot(p(m_e1), 1, "09:00");
        setSlot(p(m_e2), 1, "09:10");
        setSlot(p(m_e3), 1, "09:20");
        setSlot(p(m_e4), 1, "09:30");
        useFastPresets();
        m_sink.clear();
    }
    qint64 p(qint64 eventNo) { return programNo(eventNo); }
    Station track() { return Station{QStringLiteral("Track__"), QString()}; }
    // Every row's slot, in the order of the events, to see that nothing else changed.
    QString slotList()
    {
        return value("select list(S, ', ') from (select DAY_SEQ || ' ' || substring(cast("
                     "THETIME as varchar(13)) from 1 for 8) as S from PROGRAM where MEETINGNO = " +
                     db::sqlInt(m_meetingNo) + " order by EVENTNO, HEATNO)");
    }

    qint64 m_e1 = 0, m_e2 = 0, m_e3 = 0, m_e4 = 0;
};

TEST_F(PackingTest, ADayPackedFromNineFollowsDurationsAndGaps)
{
    ASSERT_TRUE(Packing(run()).pack(track(), PackOrder::Time, p(m_e1), 1, "09:00", false));
    // 09:00:00 + 1:40 swim + 3:00 gap = 09:04:40; + 1:04 + 3:00 = 09:08:44;
    // + 3:52 + 3:00 = 09:15:36.
    EXPECT_EQ(slotOf(p(m_e1)), "1 09:00:00");
    EXPECT_EQ(slotOf(p(m_e2)), "1 09:04:40");
    EXPECT_EQ(slotOf(p(m_e3)), "1 09:08:44");
    EXPECT_EQ(slotOf(p(m_e4)), "1 09:15:36");
    EXPECT_EQ(value("select list(SEQ) from (select SEQ from PROGRAM where MEETINGNO = " +
                    db::sqlInt(m_meetingNo) + " order by EVENTNO)"),
              "1,2,3,4");
    EXPECT_EQ(run().config().readText("SCHED_START_TIME"), "09:00");
    EXPECT_EQ(run().config().readInt("SCHED_START_DAY"), 1);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(PackingTest, PackingFromALaterRowLeavesTheEarlierOnesAndAsksFirst)
{
    m_sink.answerYes();
    ASSERT_TRUE(Packing(run()).pack(track(), PackOrder::Time, p(m_e3), 1, "10:00"));
    EXPECT_TRUE(m_sink.saw("Pack the Station starting at Day 1 10:00"));
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:10:00, 1 10:00:00, 1 10:06:52");
    m_sink.answerNo();
    EXPECT_FALSE(Packing(run()).pack(track(), PackOrder::Time, p(m_e1), 1, "11:00"));
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:10:00, 1 10:00:00, 1 10:06:52");
}

TEST_F(PackingTest, PackingLateInTheEveningRollsOverToTheNextDay)
{
    ASSERT_TRUE(Packing(run()).pack(track(), PackOrder::Time, p(m_e1), 1, "23:59:30", false));
    // 23:59:30 + 1:40 is past midnight; the gap of 3:00 then starts the next on day 2.
    EXPECT_EQ(slotOf(p(m_e1)), "1 23:59:30");
    EXPECT_EQ(slotOf(p(m_e2)), "2 00:04:10");
    EXPECT_EQ(slotOf(p(m_e4)), "2 00:15:06");
}

TEST_F(PackingTest, HeatsOfOneRoundShareTheirFirstHeatsSlotWhenTheyShareANumber)
{
    ASSERT_TRUE(meeting::updateMeeting(run(), {{"ROUND_SEQ_SAME", "1"}}));
    const qint64 e5 = addEvent("FRE_____50M17W", "3,2,2");
    setSlot(programNo(e5, "A", 1), 1, "09:40");
    setSlot(programNo(e5, "A", 2), 1, "09:41");
    setSlot(programNo(e5, "A", 3), 1, "09:42");
    setSlot(programNo(e5, "F", 0), 1, "09:50");
    ASSERT_TRUE(
        Packing(run()).pack(track(), PackOrder::Time, programNo(e5, "A", 1), 1, "12:00", false));
    EXPECT_EQ(slotOf(programNo(e5, "A", 1)), "1 12:00:00");
    EXPECT_EQ(slotOf(programNo(e5, "A", 2)), "1 12:00:00");
    EXPECT_EQ(slotOf(programNo(e5, "A", 3)), "1 12:00:00");
    // The clock still ran through all three heats: 3 x (0:50 + 3:00).
    EXPECT_EQ(slotOf(programNo(e5, "F", 0)), "1 12:11:30");
}

TEST_F(PackingTest, BadStartsAndRowsOfAnotherStationWriteNothing)
{
    const QString before = slotList();
    Packing packing(run());
    EXPECT_FALSE(packing.pack(track(), PackOrder::Time, p(m_e1), 1, "25:00", false));
    EXPECT_TRUE(m_sink.saw("Enter a valid Starting Time"));
    EXPECT_FALSE(packing.pack(track(), PackOrder::Time, p(m_e1), 1, "00:00:20", false));
    EXPECT_FALSE(packing.pack(track(), PackOrder::Time, p(m_e1), 1, "9h", false));
    EXPECT_FALSE(packing.pack(track(), PackOrder::Time, p(m_e1), 1, " ", false));
    EXPECT_TRUE(m_sink.saw("The Starting Time is empty"));
    const qint64 jump = addFieldEvent("JMPLong___M19", "A", 12);
    m_sink.clear();
    EXPECT_FALSE(packing.pack(track(), PackOrder::Time, programNo(jump), 1, "10:00", false));
    EXPECT_TRUE(m_sink.saw("belongs to the station JMPLong___"));
    // This edition keeps no pits: the one on the jump is reported.
    EXPECT_TRUE(m_sink.saw("Dolvane did not expect a Pit"));
    EXPECT_EQ(slotList().left(before.size()), before);
    EXPECT_FALSE(run().config().exists("SCHED_START_TIME"));
}

TEST_F(PackingTest, ARowWithoutATimeIsListedFirstOfItsDayAndPackedWithTheRest)
{
    ASSERT_TRUE(database().execute("update PROGRAM set THETIME = null where PROGRAMNO = " +
                                   db::sqlInt(p(m_e3))));
    // The program's own time order: the untimed row before the timed rows of its day.
    const QList<StationRow> rows = StationRows(run()).of(track(), PackOrder::Time);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].programNo, p(m_e3));
    EXPECT_EQ(rows[1].programNo, p(m_e1));
    ASSERT_TRUE(Packing(run()).pack(track(), PackOrder::Time, p(m_e3), 1, "09:00", false));
    // 232 s + 3:00 after 09:00: the 100 m follows at 09:06:52.
    EXPECT_EQ(slotOf(p(m_e3)), "1 09:00:00");
    EXPECT_EQ(slotOf(p(m_e1)), "1 09:06:52");
}

TEST_F(PackingTest, DayZeroIsReportedAndPackedAsDayOne)
{
    ASSERT_TRUE(Packing(run()).pack(track(), PackOrder::Time, p(m_e4), 0, "08:00", false));
    EXPECT_TRUE(m_sink.saw("Why is the day 0?"));
    EXPECT_EQ(slotOf(p(m_e4)), "1 08:00:00");
}

TEST_F(PackingTest, EmptyTimeParametersAreListedAndStopPackingWhenNotAccepted)
{
    setConfigOther(";;;;;;;;;");
    m_sink.clear();
    m_sink.answerNo();
    EXPECT_FALSE(Packing(run()).pack(track(), PackOrder::Time, p(m_e1), 1, "10:00", false));
    EXPECT_TRUE(m_sink.saw("The Time Parameters listed below are empty."));
    EXPECT_TRUE(m_sink.saw("TimeGap"));
    EXPECT_TRUE(m_sink.saw("TimePer1500m"));
    EXPECT_FALSE(m_sink.saw("TimeShotput")); // not a parameter of this edition
    EXPECT_EQ(slotOf(p(m_e1)), "1 09:00:00");
}

TEST_F(PackingTest, ShiftingNeedsTimeOrderAndMovesTheRestOfTheStation)
{
    Packing packing(run());
    EXPECT_FALSE(packing.shift(track(), PackOrder::RoundAgeGender, p(m_e3), 30));
    EXPECT_TRUE(m_sink.saw("The Events must be ordered by Time\rbefore you can use this "
                           "facility."));
    ASSERT_TRUE(packing.shift(track(), PackOrder::Time, p(m_e3), 30));
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:10:00, 1 09:50:00, 1 10:00:00");
    ASSERT_TRUE(packing.shift(track(), PackOrder::Time, p(m_e4), 14 * 60 + 5));
    EXPECT_EQ(slotOf(p(m_e4)), "2 00:05:00");
    ASSERT_TRUE(packing.shift(track(), PackOrder::Time, p(m_e4), -10));
    EXPECT_EQ(slotOf(p(m_e4)), "1 23:55:00");
    // Before the first day of the meeting is refused, and nothing moves.
    EXPECT_FALSE(packing.shift(track(), PackOrder::Time, p(m_e1), -600));
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:10:00, 1 09:50:00, 1 23:55:00");
}

TEST_F(SchedFixture, AMeetingWithoutProgramRowsHasNothingToPack)
{
    useFastPresets();
    EXPECT_FALSE(
        Packing(run()).pack(Station{"Track__", ""}, PackOrder::Time, 12345, 1, "09:00", false));
    EXPECT_TRUE(m_sink.saw("No Items"));
}

} // namespace
