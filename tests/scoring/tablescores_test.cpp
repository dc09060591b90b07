#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "scoring/perftoscore.h"
#include "scoring/scorecorrections.h"
#include "scoring/scoresets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using scoring::TableScores;

constexpr double kSprint = 0.0015128205128205128;

class TableScoresTest : public ::testing::Test {
protected:
    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_items{meeting::Edition::Athletics, m_messages};

    // Loads a made-up set for the test; the values are ours, not published ones.
    scoring::ScoreData madeUp(const QString& text)
    {
        scoring::ScoreData data;
        QString error;
        EXPECT_TRUE(data.loadText(text, QStringLiteral("made-up"), &error)) << error.toStdString();
        return data;
    }
    // A made-up World Athletics row table: 20.00 s at row 0, 0.05 s better per row.
    static QString madeUpWaRows()
    {
        QStringList v;
        for (int row = 0; row <= 140; ++row)
            v << QString::number(2000 - 5 * row);
        return QStringLiteral("set 32\nsource made-up test rows\nitem SHD____100M25 T first=1995 "
                              "middle=1650 last=1300 values=") +
               v.join(QLatin1Char(','));
    }
};

TEST_F(TableScoresTest, HandTimesGainByDistanceAndFieldItemsNothing)
{
    EXPECT_DOUBLE_EQ(scoring::handTimeCorrection(m_items, "SHD____100M25"), 0.24);
    EXPECT_DOUBLE_EQ(scoring::handTimeCorrection(m_items, "SHD____200F25"), 0.24);
    EXPECT_DOUBLE_EQ(scoring::handTimeCorrection(m_items, "SHD____400M25"), 0.14);
    EXPECT_DOUBLE_EQ(scoring::handTimeCorrection(m_items, "LOD____800M25"), 0.0);
    EXPECT_DOUBLE_EQ(scoring::handTimeCorrection(m_items, "JMPLong___M25"), 0.0);

    // 10.9 by hand is scored as 11.14 electronic.
    TableScores scores(m_items, m_messages);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "10.90", 0, false),
              scores.PerfToScore(5, "SHD____100M25", "11.14", 0, true));
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "10.90", 0, false), 830);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "10.90", 0, true), 883);
}

TEST_F(TableScoresTest, AltitudeCorrectsSprintsAtEveryHeightAndLongerRacesByBands)
{
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "SHD____100M25", 0), 0.0);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "SHD____100M25", 1400),
                     (100 - 10) * kSprint * 0.7);
    // 5000 m: band 5 (1400 m) is -18 x -18 / -36 = -9, band 6 -21 x -18 / -36 = -10.5.
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "LOD___5000M25", 1400), -9.0);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "LOD___5000M25", 1450), -9.75);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "LOD___5000M25", 2600),
                     scoring::altitudeCorrection(m_items, "LOD___5000M25", 2000));
    // The first two bands of the shorter races are fixed values.
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrectionForDistance(800, 1000), 0.25);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrectionForDistance(800, 1100), 0.0);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrectionForDistance(800, 999), 0.0);
    EXPECT_DOUBLE_EQ(scoring::altitudeCorrection(m_items, "THRShotputM25", 1800), 0.0);
    // A relay adds up its legs.
    EXPECT_NEAR(scoring::altitudeCorrection(m_items, "REL4X100__M25", 1400),
                4 * (100 - 10) * kSprint * 0.7, 1e-12);
}

TEST_F(TableScoresTest, PublishedDecathlonExamplesScoreAsPrinted)
{
    TableScores scores(m_items, m_messages);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "10.51", 0, true), 973);
    EXPECT_EQ(scores.PerfToScore(5, "THRDiscus_M25", "52.55", 0, true), 924);
    // Altitude does not touch this set; the hand correction does.
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "10.51", 1800, true), 973);
    EXPECT_EQ(m_sink.shown().size(), 0);
}

TEST_F(TableScoresTest, TheFurtherCombinedEventsScoreFromTheirConstants)
{
    TableScores scores(m_items, m_messages);
    // Worked out by hand from the 2001 constants: 17.857 x (21 - 12.50)^1.81 = 859.1,
    // 5.8425 x (38 - 22.00)^1.81 = 883.2, 12.3311 x (40.00 - 3)^1.1 = 654.7.
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100F25", "12.50", 0, true), 859);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____200M25", "22.00", 0, true), 883);
    EXPECT_EQ(scores.PerfToScore(5, "THRDiscus_F25", "40.00", 0, true), 654);
    // The women's vault is given in metres: 221.14886683803 x (3.50 - 1)^1.35 = 761.9, the
    // same as the printed centimetre form 0.44125 x (350 - 100)^1.35.
    EXPECT_EQ(scores.PerfToScore(5, "JMPPole___F25", "3.50", 0, true), 761);
    const double vault = scores.ScoreToPerf(5, "JMPPole___F25", 761.91, 0, true).value_or(0);
    EXPECT_NEAR(vault, 3.50, 0.005);
    // The women's decathlon 1500 m: 0.02883 x (535 - 300)^1.88 = 826.9.
    EXPECT_EQ(scores.PerfToScore(5, "LOD___1500F25", "5:00.00", 0, true), 826);
    // Still open age only.
    EXPECT_FALSE(scores.ZItemIsDefined(5, "SHD____100F17"));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(TableScoresTest, BlankAndZeroPerformancesScoreNothingWithoutComplaint)
{
    TableScores scores(m_items, m_messages);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "0.00", 0, true), 0);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "-", 0, true), 0);
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "", 0, true), 0);
    // Slower than the formula's zero point.
    EXPECT_EQ(scores.PerfToScore(5, "SHD____100M25", "19.00", 0, true), 0);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(TableScoresTest, SetsWithoutPublishedDataAreRefusedByName)
{
    TableScores scores(m_items, m_messages);
    EXPECT_FALSE(scores.PerfToScore(7, "SHD____100M25", "10.51", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2005 is not available"));
    m_sink.clear();
    // ABSA 2007 falls back through ABSA 2006 to ABSA 2003, which is not at hand either.
    EXPECT_FALSE(scores.PerfToScore(15, "SHD____100M25", "10.51", 1400, true).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for ABSA 2003 is not available"));
    m_sink.clear();
    EXPECT_FALSE(scores.PerfToScore(2, "SHD____100M25", "10.51", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("Not branched correctly."));
    m_sink.clear();
    EXPECT_FALSE(scores.PerfToScore(5, "SHD____100M25XT46A", "10.51", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("Invalid Item: SHD____100M25XT46A"));
    // An item the set does not know scores nothing.
    m_sink.clear();
    EXPECT_EQ(scores.PerfToScore(5, "SHD_____60M17", "7.00", 0, true), 0);
    EXPECT_FALSE(scores.ZItemIsDefined(5, "SHD_____60M17"));
    EXPECT_TRUE(scores.ZItemIsDefined(5, "HDL____100F25"));
}

TEST_F(TableScoresTest, WorldAthleticsRowsStopAtTheirEndsAndInterpolateBetween)
{
    const scoring::ScoreData data = madeUp(madeUpWaRows());
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "13.00", 0, true), 1400);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "12.00", 0, true), 1400);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "19.95", 0, true), 10);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "25.00", 0, true), 10);
    // Row 70 is 16.50; 16.48 lies 0.4 of the way from row 70 to row 71.
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "16.50", 0, true), 700);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "16.48", 0, true), 704);
    // And back: 704 points lie between rows 70 and 71.
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(32, "SHD____100M25", 704, 0, true), 16.48);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(32, "SHD____100M25", 1500, 0, true), 13.00);
    // A hand time is given back without its correction.
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(32, "SHD____100M25", 700, 0, false), 16.26);
}

TEST_F(TableScoresTest, RowTablesWithoutEndsScoreZeroWithTheirMessage)
{
    const scoring::ScoreData data =
        madeUp("set 32\nsource made-up\nitem SHD____100M25 T first=0 middle=0 last=0 values=1,2\n");
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(32, "SHD____100M25", "13.00", 0, true), 0);
    EXPECT_TRUE(m_sink.saw("The low or high performances is incorrect for SHD____100M25"));
}

TEST_F(TableScoresTest, AsaRowsExtrapolateBeyondTheirEndsAndNeverGoBelowZero)
{
    // A made-up 0..100 field table: 1.00 m at row 0, 0.10 m more per row.
    QStringList v;
    for (int row = 0; row <= 100; ++row)
        v << QString::number(100 + 10 * row);
    const scoring::ScoreData data =
        madeUp("set 21\nsource made-up\nitem JMPLong___M17 F first=100 middle=600 last=1100 "
               "values=" +
               v.join(QLatin1Char(',')));
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(21, "JMPLong___M17", "6.00", 0, true), 500);
    EXPECT_EQ(scores.PerfToScore(21, "JMPLong___M17", "12.00", 0, true), 1100);
    EXPECT_EQ(scores.PerfToScore(21, "JMPLong___M17", "0.50", 0, true), 0);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(21, "JMPLong___M17", 505, 0, true), 6.05);
}

TEST_F(TableScoresTest, DoubleExponentialScoresFieldItemsAndUnderMalvo2019AlsoRaces)
{
    // Made-up constants: a long jump of 6.00 m and a 100 m of 10.00 s sit at exp(-exp(-1))
    // and exp(-1) of the 1200-point ceiling.
    const QString items = QStringLiteral("source made-up\nitem JMPLong___M25 F a=1 b=5 c=1200\n"
                                         "item SHD____100M25 T a=50 b=5 c=1200\n");
    scoring::ScoreData data = madeUp(QStringLiteral("set 20\n") + items);
    QString error;
    ASSERT_TRUE(data.loadText(QStringLiteral("set 33\n") + items, "made-up", &error));
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(20, "JMPLong___M25", "6.00", 0, true), 830);
    EXPECT_EQ(scores.PerfToScore(33, "JMPLong___M25", "6.00", 0, true), 830);
    // Only MALVO 2019 scores races.
    EXPECT_EQ(scores.PerfToScore(20, "SHD____100M25", "10.00", 0, true), 0);
    EXPECT_EQ(scores.PerfToScore(33, "SHD____100M25", "10.00", 0, true), 441);
    EXPECT_EQ(scores.PerfToScore(33, "SHD____100M25", "10.50", 0, true), 337);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(20, "JMPLong___M25", 830, 0, true), 6.00);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(33, "SHD____100M25", 441, 0, true), 10.00);
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_FALSE(scores.ScoreToPerf(20, "SHD____100M25", 441, 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("Program error: SHD____100M25 It could be one of two things:"));
}

TEST_F(TableScoresTest, SetsWithoutAnItemScoreItOnTheSetTheyBuildOn)
{
    // Made-up ABSA constants: each item is worth 1000 points at its reference.
    scoring::ScoreData data =
        madeUp("set 4\nsource made-up\nitem SHD____100M25 T pref=10.00 klow=90 khigh=110 r=1.5\n"
               "item HDL_____75F12 T pref=12.00 klow=90 khigh=110 r=1.5\n"
               "item HDL____110M19 T pref=15.00 klow=90 khigh=110 r=1.5\n"
               "item STP___3000M25 T pref=540 klow=90 khigh=110 r=1.5\n");
    QString error;
    ASSERT_TRUE(data.loadText("set 14\nsource made-up\nitem HDL____110M19 T pref=14.02 klow=90 "
                              "khigh=110 r=1.5\nitem SHD____200M25 T pref=20 klow=90 khigh=110 "
                              "r=1.5\n",
                              "made-up", &error))
        << error.toStdString();
    // A made-up 0..100 long jump table for Tamrok 2013A and for ASA 2016's and APE 2024's
    // base sets.
    QStringList rows;
    for (int row = 0; row <= 100; ++row)
        rows << QString::number(100 + 10 * row);
    for (const int set : {26, 31, 38})
        ASSERT_TRUE(data.loadText(QStringLiteral("set %1\nsource made-up\nitem JMPLong___M17 F "
                                                 "first=100 middle=600 last=1100 values=")
                                          .arg(set) +
                                      rows.join(QLatin1Char(',')),
                                  "made-up", &error))
            << error.toStdString();
    TableScores scores(m_items, m_messages, data);

    // ABSA 2007 -> ABSA 2006 -> ABSA 2003; the 70 m hurdles of twelve-year-olds run as 75 m.
    EXPECT_EQ(scores.PerfToScore(15, "SHD____100M25", "10.00", 0, true), 1000);
    EXPECT_EQ(scores.PerfToScore(15, "HDL_____70F12", "12.00", 0, true), 1000);
    EXPECT_TRUE(scores.ZItemIsDefined(15, "HDL_____70F12"));
    // ABSA 2006 has its own 110 m hurdles of nineteen-year-olds and no other item of its own.
    EXPECT_EQ(scores.PerfToScore(14, "HDL____110M19", "14.02", 0, true), 1000);
    EXPECT_EQ(scores.PerfToScore(4, "HDL____110M19", "15.00", 0, true), 1000);
    EXPECT_EQ(scores.PerfToScore(14, "SHD____200M25", "20.00", 0, true), 0);
    EXPECT_FALSE(scores.ZItemIsDefined(14, "SHD____200M25"));
    // Tamrok 2013A takes steeplechases from ABSA 2003.
    EXPECT_EQ(scores.PerfToScore(26, "STP___3000M25", "9:00.00", 0, true), 1000);
    // XSA 2024 falls back to APE 2024; ASA 2016 to Tamrok 2016A, its 600 m to ASA 2012.
    EXPECT_EQ(scores.PerfToScore(40, "JMPLong___M17", "6.00", 0, true), 500);
    EXPECT_EQ(scores.PerfToScore(29, "JMPLong___M17", "6.00", 0, true), 500);
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_FALSE(scores.PerfToScore(29, "LOD____600M17", "1:40.00", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for ASA 2012 is not available"));
}

TEST_F(TableScoresTest, ScoresAreCutNotRoundedAndNegativeValuesBecomeZero)
{
    const scoring::ScoreData data =
        madeUp("set 18\nsource made-up\nitem SHD____100M25 T a=0 b=0 c=999.9 low=10 high=20\n"
               "item SHD____200M25 T a=0 b=0 c=-5 low=10 high=20\n");
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(18, "SHD____100M25", "11.00", 0, true), 999);
    EXPECT_EQ(scores.PerfToScore(18, "SHD____200M25", "22.00", 0, true), 0);
}

TEST_F(TableScoresTest, QuadraticInverseFindsThePerformanceInsideTheBracket)
{
    // A made-up falling curve: points = 2 (30 - P)^2 between 10 and 25 s.
    const scoring::ScoreData data =
        madeUp("set 18\nsource made-up\nitem SHD____100M25 T a=2 b=-120 c=1800 low=10 high=25\n");
    TableScores scores(m_items, m_messages, data);
    const std::optional<double> perf = scores.ScoreToPerf(18, "SHD____100M25", 450, 0, true);
    ASSERT_TRUE(perf.has_value());
    EXPECT_DOUBLE_EQ(*perf, 15.0);
    EXPECT_EQ(scores.PerfToScore(18, "SHD____100M25", "15.00", 0, true), 450);
}

TEST_F(TableScoresTest, AbsaCurvePassesThroughItsReferenceAndInvertsItself)
{
    // Made-up constants; r lies between 1 and e as the curve needs.
    scoring::AbsaConstants k{10.0, 90.0, 110.0, 1.5};
    EXPECT_NEAR(scoring::absaPoints(10.0, false, k), 1000.0, 1e-9);
    for (const double points : {400.0, 850.0, 1250.0}) {
        const double perf = scoring::absaPerf(points, false, k);
        EXPECT_NEAR(scoring::absaPoints(perf, false, k), points, 1e-6) << points;
    }
    EXPECT_GT(scoring::absaPerf(800, true, k), 0.0);
    EXPECT_LT(scoring::absaPerf(1200, true, k), scoring::absaPerf(1250, true, k));
}

TEST_F(TableScoresTest, PowerFormulaInvertsToThePerformance)
{
    TableScores scores(m_items, m_messages);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(5, "JMPHigh___M25", 992, 0, true), 2.20);
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(5, "SHD____100M25", 973, 0, true), 10.51);
    // A hand-timed 100 m must be 0.24 s quicker for the same points.
    EXPECT_DOUBLE_EQ(*scores.ScoreToPerf(5, "SHD____100M25", 973, 0, false), 10.27);
}

TEST_F(TableScoresTest, BadScoreFilesAreRefusedWholeNamingTheLine)
{
    scoring::ScoreData data;
    QString error;
    EXPECT_FALSE(data.loadText("set 5\nsource x\nitem SHD____100M25 Q a=1\n", "f.txt", &error));
    EXPECT_EQ(error, "f.txt line 3: the kind is T (track) or F (field)");
    EXPECT_FALSE(data.loadText("set 5\nsource x\nitem SHD____100M25 T a=one\n", "f.txt", &error));
    EXPECT_EQ(error, "f.txt line 3: \"one\" is no number");
    EXPECT_FALSE(data.loadText("set 5\nitem SHD____100M25 T a=1\n", "f.txt", &error));
    EXPECT_TRUE(error.contains("no \"source\" line"));
    EXPECT_FALSE(data.isLoaded(5));
    EXPECT_TRUE(scoring::ScoreData::builtIn().isLoaded(5));
    EXPECT_EQ(scoring::ScoreData::builtIn().set(5)->items.size(), 27);
}

TEST_F(TableScoresTest, SetNamesAndHeaderLines)
{
    EXPECT_EQ(scoring::scoreSetDisplayName(19), "WorldAth 2008 Comb");
    EXPECT_EQ(scoring::scoreSetDisplayName(2), "Invalid");
    EXPECT_EQ(scoring::scoreSetIdentifier(39), "undefined");
    EXPECT_EQ(scoring::scoreSetIdentifier(25), "undefined");
    EXPECT_TRUE(
        scoring::unknownScoreSetMessage(25).startsWith("Translate the scoreset name: 25\r"));
    EXPECT_EQ(scoring::scoreHeaderLine(5, 2, 1400, false),
              "Performance Scores:  WorldAth 2003 table, Hand time,  Height above sea=1400");
    EXPECT_EQ(scoring::scoreHeaderLine(0, 1, 0, true), "Geen punte tabel gekies nie");
    EXPECT_EQ(scoring::timingText(2), "Hand time");
    EXPECT_EQ(scoring::timingText(0), "Electronic time");
}

} // namespace
