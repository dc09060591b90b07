#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "sched/durations.h"
#include "sched/packing.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sched;

namespace {

double minutes(double days)
{
    return days * 1440.0;
}

class DurationsTest : public ::testing::Test {
protected:
    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_athletics{meeting::Edition::Athletics, m_messages};
    meeting::ItemTypes m_swimming{meeting::Edition::Swimming, m_messages};
    Durations m_fast{m_athletics, TimeParameters::preset(true)};
};

TEST_F(DurationsTest, AFieldFinalGivesTheSetTwoAthletesThreeMoreAttempts)
{
    EXPECT_EQ(m_fast.fieldAttempts("F", 8, 3), 33);
    EXPECT_EQ(m_fast.fieldAttempts("F", 8, 12), 48); // no more than the athletes there are
    EXPECT_EQ(m_fast.fieldAttempts("A", 8, 3), 24);
    // Shot put at 0:50 an attempt, the other throws at 1:20, long jump 0:50, high jump 1:20.
    EXPECT_NEAR(minutes(m_fast.rowDuration("THRShotputM19", "F", 8, 3)), 33 * 50 / 60.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.rowDuration("THRJavelinM19", "F", 8, 12)), 48 * 80 / 60.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.rowDuration("JMPLong___F15", "A", 10, 0)), 30 * 50 / 60.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.rowDuration("JMPHigh___F15", "A", 10, 0)), 30 * 80 / 60.0, 1e-9);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(DurationsTest, AFieldRoundBeforeRoundAIsReportedAndStillTimed)
{
    EXPECT_EQ(m_fast.fieldAttempts("B", 8, 3), 24);
    EXPECT_TRUE(m_sink.saw("only caters for one round and a final"));
}

TEST_F(DurationsTest, AFieldItemWithoutAnAthleteCountTakesAMinute)
{
    EXPECT_NEAR(minutes(m_fast.rowDuration("THRDiscus_M19", "F", 0, 0)), 1.0, 1e-9);
}

TEST_F(DurationsTest, RunningIsTimedPer1500mAndWalksCountDouble)
{
    EXPECT_NEAR(minutes(m_fast.rowDuration("LOD___1500M19", "F", 8, 0)), 8.0, 1e-9);
    const double run = m_fast.rowDuration("LOD___3000M19", "F", 8, 0);
    const double walk = m_fast.rowDuration("WLK___3000M19", "F", 8, 0);
    EXPECT_NEAR(minutes(run), 16.0, 1e-9);
    EXPECT_NEAR(walk, 2 * run, 1e-12);
    // Veterans and mixed ages are measured as the age-70 item.
    EXPECT_NEAR(minutes(m_fast.rowDuration("LOD___1500M99", "F", 8, 0)), 8.0, 1e-9);
}

TEST_F(DurationsTest, SwimmingSlowsDownBelowSeventeen)
{
    Durations swim(m_swimming, TimeParameters::preset(true));
    EXPECT_NEAR(swim.rowDuration("FRE____100M17W", "F", 8, 0) * 86400, 100.0, 1e-6);
    EXPECT_NEAR(swim.rowDuration("FRE____100M10W", "F", 8, 0) * 86400, 128.0, 1e-6);
    EXPECT_NEAR(swim.rowDuration("F_R4X50___F13W", "F", 8, 0) * 86400, 232.0, 1e-6);
    // Older and mixed ages swim at the adult rate instead of taking negative time.
    EXPECT_NEAR(swim.rowDuration("BRE_____50M99W", "F", 8, 0) * 86400, 50.0, 1e-6);
}

TEST_F(DurationsTest, TheChangeoverIsTheLargestOfStarterHurdlesAndGap)
{
    // 400 m apart: the start is at the same place, only the gap of 3:00 is left.
    EXPECT_NEAR(minutes(m_fast.changeover("SHD____100M19", "LOD____500M19")), 3.0, 1e-9);
    // The gap beats the starter's 2:00.
    EXPECT_NEAR(minutes(m_fast.changeover("SHD____100M19", "SHD____200M19")), 3.0, 1e-9);
    TimeParameters slowStarter = TimeParameters::preset(true);
    slowStarter.setText(TimeParam::MoveStarter, "4:30");
    Durations d(m_athletics, slowStarter);
    EXPECT_NEAR(minutes(d.changeover("SHD____100M19", "SHD____200M19")), 4.5, 1e-9);
    EXPECT_NEAR(minutes(d.changeover("SHD____100M19", "LOD____500M19")), 3.0, 1e-9);
    // Hurdles: short ones at 5:00, long ones at 10:00, the same race again needs no change.
    EXPECT_NEAR(minutes(m_fast.changeover("HDL____110M19", "HDL____100F19")), 5.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.changeover("HDL____100F19", "HDL____400M19")), 10.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.changeover("HDL____100F19", "HDL____100F19")), 3.0, 1e-9);
    EXPECT_NEAR(minutes(m_fast.changeover("HDL____100F17", "HDL____100F19")), 5.0, 1e-9);
    // A field station only waits the gap.
    EXPECT_NEAR(minutes(m_fast.changeover("JMPLong___M19", "JMPLong___F19")), 3.0, 1e-9);
}

TEST_F(DurationsTest, StationsAndRestClassesFollowTheItem)
{
    EXPECT_EQ(m_fast.stationType("JMPLong___M19", 1), "JMPLong___");
    EXPECT_EQ(m_fast.stationType("SHD____100M19", 1), "Track__");
    EXPECT_EQ(m_fast.restClass("SHD____400M19"), RestClass::Short);
    EXPECT_EQ(m_fast.restClass("LOD____500M19"), RestClass::Short);
    EXPECT_EQ(m_fast.restClass("LOD____600M19"), RestClass::Long);
    EXPECT_EQ(m_fast.restClass("JMPTrippleM19"), RestClass::Jump);
    EXPECT_EQ(m_fast.restClass("THRHammer_M19"), RestClass::Throw);
    EXPECT_EQ(m_fast.trackType("HDL____400M19"), "HDL_LONG");
    EXPECT_EQ(m_fast.trackType("HDL____110M19"), "HDL_SHORT");
    Durations swim(m_swimming, TimeParameters::preset(true));
    EXPECT_EQ(swim.restClass("FRE____400M13W"), RestClass::Short);
    EXPECT_EQ(swim.restClass("FRE____800M13W"), RestClass::Long);
    EXPECT_EQ(swim.trackType("BFL_____50F11W"), "BFL");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    EXPECT_EQ(m_fast.stationType("NTH_____10M19", 1), "");
    EXPECT_TRUE(m_sink.saw("Test for n-Athlon before you get here"));
}

TEST(TimeTextTest, MinutesAndSecondsAreReadStrictly)
{
    EXPECT_NEAR(*parseMinSec("8:00"), 8.0, 1e-12);
    EXPECT_NEAR(*parseMinSec(" 0:50 "), 50 / 60.0, 1e-12);
    EXPECT_NEAR(*parseMinSec("12:05"), 12 + 5 / 60.0, 1e-12);
    for (const char* bad : {"5:7x", "-1:00", "1:75", "5", "5:7", ":30", "1:00:00", "a:bc"})
        EXPECT_FALSE(parseMinSec(bad)) << bad;
    EXPECT_TRUE(checkMinSec("TimeGap", "").isEmpty());
    EXPECT_TRUE(checkMinSec("TimeGap", "5:7x").contains("5:7x"));
}

TEST(TimeTextTest, TheListIsExtendedBeforeAPositionIsWritten)
{
    EXPECT_EQ(withConfigField("", 2, "3:00", 9), ";3:00;;;;;;;;");
    EXPECT_EQ(withConfigField("a;b", 1, "x", 9), "x;b;;;;;;;;");
    // Positions beyond the nine parameters stay as they were.
    const QString guidelines = ";;;;;;;;;;60;15";
    EXPECT_EQ(configField(withConfigField(guidelines, 1, "8:00", 9), 12), "15");
    EXPECT_EQ(configField("a;b", 5), "");
    TimeParameters p = TimeParameters::fromConfig("8:00;;2:00");
    EXPECT_EQ(p.emptyNames(true), QStringList{"TimeGap"});
    EXPECT_EQ(p.emptyNames(false).first(), "TimeGap");
    EXPECT_EQ(p.emptyNames(false).size(), 7);
    // The swimming edition saves only what it shows.
    p.setText(TimeParam::MoveStarter, "9:99");
    EXPECT_EQ(p.storedIn("x;y;z", true), "8:00;;z;;;;;;;");
}

TEST(GuidelineTextTest, GuidelinesReadAsWholeMinutes)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    EXPECT_EQ(guidelineMinutes(" 15 ", messages), 15);
    EXPECT_EQ(guidelineMinutes("20.", messages), 20);
    EXPECT_EQ(guidelineMinutes(".", messages), 0);
    EXPECT_EQ(guidelineMinutes("", messages), 0);
    EXPECT_EQ(sink.count(base::MessageKind::Error), 0);
    EXPECT_EQ(guidelineMinutes("ten", messages), 0);
    EXPECT_TRUE(sink.saw("Not integer:ten"));
    EXPECT_FALSE(checkGuideline(5, "1.5").isEmpty());
    EXPECT_TRUE(checkGuideline(5, "15.").isEmpty());
    EXPECT_EQ(guidelinePairName(0), "Long ,Long ");
    EXPECT_EQ(guidelinePairName(4), "Short,Long ");
    EXPECT_EQ(guidelinePairName(15), "Jump ,Jump ");
    EXPECT_EQ(guidelineIndexByName("short,short"), 5);
    EXPECT_EQ(guidelineIndexByName("Throw-Jump"), 11);
    EXPECT_EQ(guidelineIndexByName("26"), 15);
    EXPECT_FALSE(guidelineIndexByName("27"));
    EXPECT_FALSE(guidelineIndexByName("Short"));
    const QString stored = RestGuidelines::preset(false).storedIn("8:00;3:00");
    EXPECT_EQ(stored.count(';'), 26); // at least 26 separators, as the grid stores it
    EXPECT_EQ(configField(stored, 11), "120");
    EXPECT_EQ(configField(stored, 26), "20");
    EXPECT_EQ(configField(stored, 2), "3:00");
}

TEST(DayClockTest, PackingRollsOverMidnightAndShiftingKeepsWithinADay)
{
    DayClock clock{1, (23 * 3600 + 59 * 60 + 30) / 86400.0};
    clock.add(5 * kMinute);
    EXPECT_EQ(clock.day, 2);
    EXPECT_EQ(timeOfFraction(clock.time), QTime(0, 4, 30));
    DayClock back{2, 10 * kMinute - 30 * kMinute};
    back.normaliseShifted();
    EXPECT_EQ(back.day, 1);
    EXPECT_EQ(timeOfFraction(back.time), QTime(23, 40));
    // Within the margin of a second's rounding it stays on its day.
    DayClock edge{1, -0.0004};
    edge.normaliseShifted();
    EXPECT_EQ(edge.day, 1);
}

} // namespace
