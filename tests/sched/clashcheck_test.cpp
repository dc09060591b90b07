#include "schedfixture.h"

#include "base/messages.h"
#include "base/scriptedsink.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "sched/clashcheck.h"
#include "sched/clashreport.h"
#include "sched/restguidelines.h"

using namespace sched;

namespace {

// Five swimmers whose second event comes at a rest the guidelines judge differently.
class ClashCheckTest : public SchedFixture {
protected:
    void SetUp() override
    {
        SchedFixture::SetUp();
        useFastPresets();
        const qint64 free100 = addEvent("FRE____100M17W"); // 100 s: 10:03:20 to 10:05:00
        const qint64 free200 = addEvent("FRE____200M17W");
        const qint64 breast200 = addEvent("BRE____200M17W");
        const qint64 back100 = addEvent("BCK____100M17W");
        const qint64 free50 = addEvent("FRE_____50M17W");
        const qint64 fly50 = addEvent("BFL_____50M17W");
        const qint64 free800 = addEvent("FRE____800M17W", "2,4,0");
        setSlot(programNo(free100), 1, "10:03:20");
        setSlot(programNo(back100), 1, "10:04:10"); // the 100 m is half done
        setSlot(programNo(breast200), 1, "10:12");
        setSlot(programNo(free200), 1, "10:20");
        setSlot(programNo(free800, "A", 1), 1, "11:00");
        setSlot(programNo(free800, "A", 2), 1, "11:20");
        setSlot(programNo(free800, "F", 0), 1, "14:00");
        setSlot(programNo(free50), 1, "15:00");
        setSlot(programNo(fly50), 2, "09:00");
        m_full = addSwimmer("ADAMS");
        enter(m_full, free100);
        enter(m_full, free200);
        m_short = addSwimmer("BOTHA");
        enter(m_short, free100);
        enter(m_short, breast200);
        m_overlap = addSwimmer("COETZEE");
        enter(m_overlap, free100);
        enter(m_overlap, back100);
        m_overnight = addSwimmer("DU PLESSIS");
        enter(m_overnight, fly50);
        enter(m_overnight, free50);
        // Heat 2 of the 800 m then the 800 m final: a long swim after a long swim.
        m_heats = addSwimmer("ERASMUS");
        drawIntoHeat(m_heats, free800, "A", 2);
        enter(m_heats, free800);
        m_free100 = programNo(free100);
        m_back100 = programNo(back100);
        m_free50 = programNo(free50);
        m_fly50 = programNo(fly50);
        m_sink.clear();
    }
    double factorOf(qint64 athleteNo)
    {
        return value("select FACTOR from T_SCHED_CLASH where ATHLETENO = " + db::sqlInt(athleteNo))
            .toDouble();
    }
    double actualMinutes(qint64 athleteNo)
    {
        return value("select ACTUAL_REST from T_SCHED_CLASH where ATHLETENO = " +
                     db::sqlInt(athleteNo))
                   .toDouble() *
               1440.0;
    }

    qint64 m_full = 0, m_short = 0, m_overlap = 0, m_overnight = 0, m_heats = 0;
    qint64 m_free100 = 0, m_back100 = 0, m_free50 = 0, m_fly50 = 0;
};

TEST_F(ClashCheckTest, RestsAreMeasuredAgainstTheGuidelineOfTheirPair)
{
    ASSERT_TRUE(ClashCheck(run()).checkAthletes());
    EXPECT_EQ(count("T_SCHED_CLASH"), 5);
    // Ends 10:05, next starts 10:20: the 15 minutes the fast guideline asks for.
    EXPECT_EQ(factorOf(m_full), 100);
    EXPECT_NEAR(actualMinutes(m_full), 15.0, 1e-6);
    EXPECT_NEAR(value("select DESIRED_REST * 1440 from T_SCHED_CLASH where ATHLETENO = " +
                      db::sqlInt(m_full))
                    .toDouble(),
                15, 1e-9);
    // 10:12: 7 of 15 minutes.
    EXPECT_EQ(factorOf(m_short), 47);
    // The back 100 starts before the free 100 ends.
    EXPECT_LT(actualMinutes(m_overlap), 0);
    EXPECT_EQ(factorOf(m_overlap), -6);
    // 15:00 on day 1, then 09:00 on day 2: checked in that order, about 18 hours apart.
    EXPECT_EQ(value("select PROGRAMNO_1 || ' ' || PROGRAMNO_2 from T_SCHED_CLASH where "
                    "ATHLETENO = " +
                    db::sqlInt(m_overnight)),
              QString::number(m_free50) + " " + QString::number(m_fly50));
    EXPECT_NEAR(actualMinutes(m_overnight), 18 * 60 - 50 / 60.0, 1e-6);
    EXPECT_EQ(factorOf(m_overnight), 7194);
    // The heat comes from the draw: heat 2 at 11:20 plus 13:20 swum leaves 2:26:40 before
    // the final at 14:00, against the hour an 800 m after an 800 m asks for.
    EXPECT_NEAR(actualMinutes(m_heats), 146 + 40 / 60.0, 1e-6);
    EXPECT_EQ(factorOf(m_heats), 244);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ClashCheckTest, TheReportListsTheWorstFirst)
{
    ASSERT_TRUE(ClashCheck(run()).checkAthletes());
    const QList<ClashLine> lines = readClashes(run(), ClashKind::Athletes);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].athleteNo, m_overlap);
    EXPECT_EQ(lines[0].athlete, "COETZEE, Ann");
    EXPECT_EQ(lines[1].athleteNo, m_short);
    EXPECT_EQ(lines[2].athleteNo, m_full);
    EXPECT_EQ(lines[4].athleteNo, m_overnight);
    EXPECT_EQ(lines[0].item1, "Day 1 10:03  100m Freestyle 17 Male - Final");
    EXPECT_NEAR(lines[1].actualMinutes, 7.0, 1e-6);
    const ReportTable table = clashReport(run(), ClashKind::Athletes, lines);
    EXPECT_EQ(table.title, "Athlete Clash Detector");
    EXPECT_EQ(table.headers.mid(0, 5),
              QStringList({"Athlete", "Item 1", "Item 2", "Desired", "Actual"}));
    EXPECT_EQ(table.rows[1].mid(3), QStringList({"15.0", "7.0", "47"}));
}

TEST_F(ClashCheckTest, AGuidelineOfNoMinutesGivesFactorOne)
{
    RestGuidelines g = RestGuidelines::preset(true);
    g.setText(guidelineIndex(RestClass::Short, RestClass::Short), "0");
    ASSERT_TRUE(storeRestGuidelines(run(), g));
    ASSERT_TRUE(ClashCheck(run()).checkAthletes());
    EXPECT_EQ(factorOf(m_short), 1);
    EXPECT_EQ(factorOf(m_overlap), 1);
    EXPECT_EQ(factorOf(m_heats), 244); // Long, Long keeps its hour
}

TEST_F(ClashCheckTest, TheStationCheckComparesStartsWithTheDurationBefore)
{
    ASSERT_TRUE(ClashCheck(run()).checkStations());
    // Every row of a swimming meeting is one station: 9 rows, 8 intervals.
    EXPECT_EQ(count("T_SCHED_CLASH"), 8);
    const QList<ClashLine> lines = readClashes(run(), ClashKind::Stations);
    ASSERT_EQ(lines.size(), 8);
    // The back 100 starts when the free 100 is half done.
    EXPECT_EQ(lines[0].programNo1, m_free100);
    EXPECT_EQ(lines[0].programNo2, m_back100);
    EXPECT_NEAR(lines[0].factor, 0.5, 1e-9);
    EXPECT_EQ(lines[0].station, "Track__");
    EXPECT_EQ(clashReport(run(), ClashKind::Stations, lines).subtitle.left(24),
              "Compares the interval be");
    EXPECT_TRUE(readClashes(run(), ClashKind::Athletes).isEmpty());
}

TEST_F(ClashCheckTest, EmptyGuidelinesStopTheAthleteCheck)
{
    ASSERT_TRUE(ClashCheck(run()).checkAthletes());
    RestGuidelines g = RestGuidelines::preset(true);
    g.setText(guidelineIndex(RestClass::Short, RestClass::Long), "");
    g.setText(guidelineIndex(RestClass::Jump, RestClass::Jump), " ");
    ASSERT_TRUE(storeRestGuidelines(run(), g));
    m_sink.clear();
    EXPECT_FALSE(ClashCheck(run()).checkAthletes());
    EXPECT_TRUE(m_sink.saw("The followiing Resting Guidelines are empty."));
    EXPECT_TRUE(m_sink.saw("Short,Long \rJump ,Jump "));
    EXPECT_EQ(count("T_SCHED_CLASH"), 5); // the last result stays
}

TEST_F(ClashCheckTest, WithoutEntriesOrProgramNothingIsChecked)
{
    ASSERT_TRUE(ClashCheck(run()).checkAthletes());
    ASSERT_TRUE(database().execute("delete from PARTICIPATE"));
    EXPECT_FALSE(ClashCheck(run()).checkAthletes());
    EXPECT_TRUE(m_sink.saw("No participations to detect clashes for"));
    EXPECT_EQ(count("T_SCHED_CLASH"), 5);
    ASSERT_TRUE(database().execute("delete from PROGRAM"));
    EXPECT_FALSE(ClashCheck(run()).checkStations());
    EXPECT_TRUE(m_sink.saw("No program to detect clashes for"));
    EXPECT_EQ(count("T_SCHED_CLASH"), 5);
}

TEST_F(SchedFixture, AGuidelineThatIsNoNumberIsRefusedAndNothingIsWritten)
{
    useFastPresets();
    const QString before = configOther();
    RestGuidelines g = RestGuidelines::preset(true);
    g.setText(3, "ten");
    EXPECT_FALSE(storeRestGuidelines(run(), g));
    EXPECT_TRUE(m_sink.saw("must be a whole number of minutes"));
    TimeParameters p = TimeParameters::preset(false);
    p.setText(TimeParam::Gap, "-1:00");
    EXPECT_FALSE(storeTimeParameters(run(), p));
    EXPECT_EQ(configOther(), before);
}

TEST(RestPairsTest, OnlyConsecutiveEventsOfOneCompetitorArePaired)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    meeting::ItemTypes items(meeting::Edition::Swimming, messages);
    const Durations durations(items, TimeParameters::preset(true));
    const RestGuidelines fast = RestGuidelines::preset(true);
    const double m = kMinute;
    const QList<RestRow> rows{
        {1, 10, "FRE____100M13W", 1 + 600 * m, 1 + 602 * m},
        {1, 11, "FRE____800M13W", 1 + 640 * m, 1 + 652 * m},
        {1, 12, "FRE____400M13W", 1 + 660 * m, 1 + 666 * m},
        {2, 13, "FRE____100M13W", 1 + 700 * m, 1 + 702 * m},
    };
    const QList<RestPair> pairs = restPairs(rows, durations, fast, messages);
    ASSERT_EQ(pairs.size(), 2);
    EXPECT_EQ(pairs[0].programNo1, 10);
    EXPECT_NEAR(pairs[0].desired / m, 30, 1e-9); // Short then Long
    EXPECT_EQ(pairs[0].factor, 127);             // 38 of 30 minutes
    EXPECT_NEAR(pairs[1].desired / m, 15, 1e-9); // Long then Short
    EXPECT_EQ(pairs[1].factor, 53);              // 8 of 15
    EXPECT_EQ(athleteFactor(1000, 1 * m), 10000);
    EXPECT_EQ(athleteFactor(0.5 * m, 0.99 * m), 1);
    // Halves go to the even neighbour: 12.5 % to 12, 37.5 % to 38.
    EXPECT_EQ(athleteFactor(0.125 / 64, 1.0 / 64), 12);
    EXPECT_EQ(athleteFactor(0.375 / 64, 1.0 / 64), 38);
}

} // namespace
