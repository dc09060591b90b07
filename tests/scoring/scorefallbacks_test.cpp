#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "scoring/perftoscore.h"
#include "scoring/scorecalculator.h"
#include "scoring/scoredata.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The sets that score an item on another set, a local table or a derived curve, each on
// made-up data of this test (our numbers, not published ones).

namespace {

using scoring::TableScores;

// Made-up ABSA 2003 constants: each item is worth exactly 1000 points at its reference.
const char kMadeUpAbsa2003[] = "set 4\nsource made-up\n"
                               "item SHD____100M25 T pref=10.00 klow=90 khigh=110 r=1.5\n"
                               "item HDL_____75F12 T pref=12.00 klow=90 khigh=110 r=1.5\n"
                               "item HDL____110M19 T pref=15.00 klow=90 khigh=110 r=1.5\n";

// A made-up 0..100 row table: `start` hundredths at row 0, `step` more per row.
QString madeUpRows(int start, int step)
{
    QStringList rows;
    for (int row = 0; row <= 100; ++row)
        rows << QString::number(start + step * row);
    return QStringLiteral("first=%1 middle=%2 last=%3 values=")
               .arg(start)
               .arg(start + 50 * step)
               .arg(start + 100 * step) +
           rows.join(QLatin1Char(','));
}

class ScoreFallbacksTest : public ::testing::Test {
protected:
    void load(const QString& text)
    {
        QString error;
        ASSERT_TRUE(m_data.loadText(text, "made-up", &error)) << error.toStdString();
    }
    std::optional<int> points(int set, const QString& item, const QString& perf)
    {
        return TableScores(m_items, m_messages, m_data).PerfToScore(set, item, perf, 0, true);
    }
    std::optional<double> perf(int set, const QString& item, double score)
    {
        return TableScores(m_items, m_messages, m_data).ScoreToPerf(set, item, score, 0, true);
    }
    bool defined(int set, const QString& item)
    {
        return TableScores(m_items, m_messages, m_data).ZItemIsDefined(set, item);
    }
    // Writes a local table file into a folder of this test and loads the folder.
    void loadLocal(const QString& text)
    {
        QFile file(m_local.filePath("set39.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        m_data.loadLocalTables(m_local.path());
    }

    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_items{meeting::Edition::Athletics, m_messages};
    scoring::ScoreData m_data;
    QTemporaryDir m_local;
};

TEST_F(ScoreFallbacksTest, Absa2006ScoresItsOwnHurdlesOnlyWithItsOwnConstants)
{
    load(kMadeUpAbsa2003);
    // Without set 14 at hand its 110 m hurdles are refused, not scored on the 2003
    // constants; its other items are the 2003 ones.
    EXPECT_FALSE(points(14, "HDL____110M19", "15.00").has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for ABSA 2006 is not available"));
    EXPECT_FALSE(defined(14, "HDL____110M19"));
    EXPECT_EQ(points(14, "SHD____100M25", "10.00"), 1000);
    m_sink.clear();
    load("set 14\nsource made-up\nitem HDL____110M19 T pref=14.02 klow=90 khigh=110 r=1.5\n");
    EXPECT_EQ(points(14, "HDL____110M19", "14.02"), 1000);
    EXPECT_EQ(points(15, "HDL____110M19", "14.02"), 1000);
    EXPECT_EQ(points(4, "HDL____110M19", "15.00"), 1000);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ScoreFallbacksTest, Absa2007SendsTurboJavelinsToTheirOptions)
{
    load(kMadeUpAbsa2003);
    EXPECT_FALSE(points(15, "THRTrbJavlM12", "30.00").has_value());
    EXPECT_TRUE(m_sink.saw("Go to the turbo-javelin options"));
    m_sink.clear();
    // Asking whether the set scores it says no without the message.
    EXPECT_FALSE(defined(15, "THRTrbJavlM12"));
    EXPECT_TRUE(m_sink.shown().isEmpty());
    // The 70 m hurdles of twelve-year-olds run as their 75 m.
    EXPECT_EQ(points(15, "HDL_____70F12", "12.00"), 1000);
}

TEST_F(ScoreFallbacksTest, LocalTablesComeFirstAndEverythingElseIsAbsa2007)
{
    load(kMadeUpAbsa2003);
    loadLocal("set 39\nsource our own club table (made-up)\n"
              "item THRTrbJavlM12 F " +
              madeUpRows(1000, 30) +
              "\n"
              "item SHD____100M25 T pref=11.00 klow=90 khigh=110 r=1.5\n");
    ASSERT_TRUE(m_data.problems().isEmpty()) << m_data.problems().join(" ").toStdString();
    // A turbo javelin of 25.00 m is row 50 of the local table: 500 points, and back.
    EXPECT_EQ(points(39, "THRTrbJavlM12", "25.00"), 500);
    EXPECT_DOUBLE_EQ(*perf(39, "THRTrbJavlM12", 600), 28.00);
    EXPECT_TRUE(defined(39, "THRTrbJavlM12"));
    // The local 100 m takes the place of ABSA 2003's; the 75 m hurdles are not local.
    EXPECT_EQ(points(39, "SHD____100M25", "11.00"), 1000);
    EXPECT_DOUBLE_EQ(*perf(39, "SHD____100M25", 1000), 11.00);
    EXPECT_EQ(points(39, "HDL_____70F12", "12.00"), 1000);
    EXPECT_TRUE(m_sink.shown().isEmpty());
    // ABSA 2007 itself knows nothing of the local table.
    EXPECT_EQ(points(15, "SHD____100M25", "10.00"), 1000);
}

TEST_F(ScoreFallbacksTest, ABadLocalFileIsKeptOutWithItsReasonAndSet39IsAbsa2007)
{
    load(kMadeUpAbsa2003);
    loadLocal("set 39\nsource ours\nitem THRTrbJavlM12 F first=1000\n");
    ASSERT_EQ(m_data.problems().size(), 1);
    EXPECT_EQ(m_data.problems().first(),
              m_local.filePath("set39.txt") +
                  " line 3: a local item needs its row values or its ABSA constants");
    EXPECT_FALSE(m_data.isLoaded(39));
    EXPECT_EQ(points(39, "SHD____100M25", "10.00"), 1000);
    EXPECT_FALSE(points(39, "THRTrbJavlM12", "25.00").has_value());
    EXPECT_TRUE(m_sink.saw("Go to the turbo-javelin options"));

    // A local file may not stand in for a published set.
    scoring::ScoreData other;
    QFile file(m_local.filePath("set39.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kMadeUpAbsa2003);
    file.close();
    other.loadLocalTables(m_local.path());
    EXPECT_FALSE(other.isLoaded(4));
    ASSERT_EQ(other.problems().size(), 1);
    EXPECT_TRUE(other.problems().first().endsWith("a local table file is for set 39 only"));
}

TEST_F(ScoreFallbacksTest, Tamrok2013AFallsBackOnlyWhenItsOwnTableIsAtHand)
{
    load(kMadeUpAbsa2003);
    load("set 22\nsource made-up\nitem REL4X100__M25 T " + madeUpRows(6000, -10) + "\n");
    // Without its own table nothing is scored in its name.
    EXPECT_FALSE(points(26, "REL4X100__M25", "55.00").has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for Tamrok 2013A is not available"));
    EXPECT_FALSE(defined(26, "REL4X100__M25"));
    m_sink.clear();
    load("set 26\nsource made-up\nitem SHD____100M25 T " + madeUpRows(2000, -10) + "\n");
    EXPECT_EQ(points(26, "SHD____100M25", "15.00"), 500);
    // The 4x100 m from ASA 2012 (60.00 s at row 0), the hammer from ABSA 2003 (which has
    // none: 0), anything else nothing.
    EXPECT_EQ(points(26, "REL4X100__M25", "55.00"), 500);
    EXPECT_TRUE(defined(26, "REL4X100__M25"));
    EXPECT_EQ(points(26, "THRHammer_M25", "50.00"), 0);
    EXPECT_EQ(points(26, "SHD____200M25", "22.00"), 0);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ScoreFallbacksTest, TheCalculatorTakesASetThatScoresOnTheSetsItBuildsOn)
{
    load(kMadeUpAbsa2003);
    scoring::ScoreCalculator calculator(m_items, m_messages, m_data);
    // Neither ABSA 2007 nor its local-table variant has data of its own here.
    EXPECT_EQ(calculator.tableScore({39, "SHD____100M25", "0", false}, "10.00"), 1000);
    EXPECT_EQ(calculator.tableScore({15, "SHD____100M25", "0", false}, "10.00"), 1000);
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_FALSE(calculator.tableScore({29, "JMPLong___M17", "0", false}, "6.00").has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for ASA 2016 is not available"));
    EXPECT_TRUE(m_data.isAtHand(15));
    EXPECT_FALSE(m_data.isAtHand(26));
}

TEST_F(ScoreFallbacksTest, Asa2012IsNeutralAt1000MetresAndAsa2016GivesItsTimesBackSo)
{
    // A made-up 600 m: 120.00 s at row 0, 0.20 s quicker a row (110.00 s = 500 points).
    // The 600 m altitude correction is 0.29 s at 1000 m and 0 at sea level.
    load("set 22\nsource made-up\nitem LOD____600M17 T " + madeUpRows(12000, -20) + "\n");
    load("set 31\nsource made-up\nitem LOD____800M17 T " + madeUpRows(15000, -20) + "\n");
    EXPECT_EQ(TableScores(m_items, m_messages, m_data)
                  .PerfToScore(22, "LOD____600M17", "1:50.00", 1000, true),
              500);
    // At sea level ASA 2012 takes the 0.29 s off: 109.71 s, 514.5 rows, 514 points.
    EXPECT_EQ(points(22, "LOD____600M17", "1:50.00"), 514);
    // ASA 2016 scores its 600 m on ASA 2012 without that step, and gives the time back with
    // the 0.29 s added.
    EXPECT_EQ(points(29, "LOD____600M17", "1:50.00"), 500);
    EXPECT_DOUBLE_EQ(*perf(29, "LOD____600M17", 500), 110.29);
    EXPECT_DOUBLE_EQ(*perf(22, "LOD____600M17", 500), 110.00);
    // Its other items are Tamrok 2016A's.
    EXPECT_EQ(points(29, "LOD____800M17", "2:20.00"), 500);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ScoreFallbacksTest, Xsa2024TakesItsOwnItemBeforeApe2024s)
{
    load("set 38\nsource made-up\nitem SHD____100M25 T " + madeUpRows(2000, -10) + "\n");
    load("set 40\nsource made-up\nitem SHD____100M25 T " + madeUpRows(2500, -10) + "\n");
    EXPECT_EQ(points(40, "SHD____100M25", "15.00"), 1000);
    EXPECT_EQ(points(38, "SHD____100M25", "15.00"), 500);
}

TEST_F(ScoreFallbacksTest, CombinedConstantsScoreTheShortHurdlesOnTheDerivedCurve)
{
    // Made-up: the 110 m hurdles on 2 (30 - P)^2; the derived hurdles curve
    // 1000 - 100 (P - 14) for the men's 100 m (factor 1) and the women's 90 m (put on it
    // at 1/0.9 of the time).
    load("set 19\nsource made-up\n"
         "item HDL____110M25 T a=2 b=-120 c=1800 low=10 high=25\n"
         "curve hurdles coefficients=2400,-100 low=10 high=20\n"
         "derived HDL____100M25 T curve=hurdles\n"
         "derived HDL_____90F25 T curve=hurdles factor=0.9\n");
    EXPECT_EQ(points(19, "HDL____110M25", "15.00"), 450);
    EXPECT_EQ(points(19, "HDL____100M25", "14.00"), 1000);
    EXPECT_EQ(points(19, "HDL____100M25", "15.50"), 850);
    EXPECT_EQ(points(19, "HDL_____90F25", "13.50"), 900);
    EXPECT_DOUBLE_EQ(*perf(19, "HDL____100M25", 850), 15.50);
    EXPECT_DOUBLE_EQ(*perf(19, "HDL_____90F25", 900), 13.50);
    // A 90 m of another age without a derived line is not scored.
    EXPECT_FALSE(defined(19, "HDL_____90F16"));
    EXPECT_TRUE(m_sink.shown().isEmpty());

    // The short hurdles take the derived curve only; no other item does.
    scoring::ScoreData bad;
    QString error;
    EXPECT_FALSE(bad.loadText("set 19\nsource made-up\n"
                              "item HDL____100M25 T a=2 b=-120 c=1800 low=10 high=25\n",
                              "bad.txt", &error));
    EXPECT_EQ(error, "bad.txt line 3: the item HDL____100M25 is scored on the derived hurdles "
                     "curve: give it a \"derived\" line");
    EXPECT_FALSE(bad.loadText("set 19\nsource made-up\ncurve h coefficients=1,2 low=1 high=2\n"
                              "derived SHD____100M25 T curve=h\n",
                              "bad.txt", &error));
    EXPECT_EQ(error, "bad.txt line 4: set 19 derives only the 90 m hurdles of women and the "
                     "100 m hurdles of men");
}

} // namespace
