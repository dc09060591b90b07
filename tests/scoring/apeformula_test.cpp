#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "records/recordsfixture.h"
#include "scoring/athletetablescore.h"
#include "scoring/perftoscore.h"

#include <gtest/gtest.h>

namespace {

using scoring::TableScores;

// A made-up APE 2005 set: our own numbers, chosen so that the arithmetic can be followed by
// hand, not published constants. Every curve has r = 1.02 (so L = 1 - ln 1.02 = 0.980197,
// log10 L = -0.0086865) except the upper one (r = 2, log10 L = log10 0.306853 = -0.51306).
//   100 m: its interval 15.00 .. 11.00 s is mapped onto the track curve's 20 .. 10;
//   shot:  8 .. 14 m onto field curve 1 (10 .. 30);
//   long jump: 4 .. 7 m onto field curve 2 (10 .. 30, a steeper k = 15).
const char kMadeUpApe[] = "set 13\n"
                          "source made-up test constants\n"
                          "generic track pref=10 k=10 r=1.02 low=20 high=10\n"
                          "generic field1 pref=30 k=10 r=1.02 low=10 high=30\n"
                          "generic field2 pref=30 k=15 r=1.02 low=10 high=30\n"
                          "generic upper pref=10 k=100 r=2 low=20 high=10\n"
                          "item SHD____100M25 T low=15 high=11\n"
                          "item THRShotputM25 F low=8 high=14\n"
                          "item JMPLong___M25 F low=4 high=7 curve=2\n";

class ApeFormulaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_data.loadText(kMadeUpApe, "made-up", &error)) << error.toStdString();
    }
    std::optional<int> points(const QString& item, const QString& perf)
    {
        return TableScores(m_items, m_messages, m_data).PerfToScore(13, item, perf, 0, true);
    }
    std::optional<double> perf(const QString& item, double score)
    {
        return TableScores(m_items, m_messages, m_data).ScoreToPerf(13, item, score, 0, true);
    }

    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_items{meeting::Edition::Athletics, m_messages};
    scoring::ScoreData m_data;
};

TEST_F(ApeFormulaTest, PerformancesAreMappedOntoTheirCurveAndCutToWholePoints)
{
    // 11.00 s is the high end: generic 10 = Pref, q = 1, D = 81k^2, exactly 1000.
    EXPECT_EQ(points("SHD____100M25", "11.00"), 1000);
    // 15.00 s -> generic 20, q = 10/20: D = 8100 + 26666.7 x 0.30103 / 0.0086865 = 932235,
    // 1000 - (965.53 - 90) / 2 = 562.24.
    EXPECT_EQ(points("SHD____100M25", "15.00"), 562);
    // 13.00 s -> generic 15, q = 2/3: D = 548684, 1000 - (740.73 - 90) / 2 = 674.63, cut to
    // 674 (not rounded up).
    EXPECT_EQ(points("SHD____100M25", "13.00"), 674);
    // The shot at 11 m sits at the same place of its interval (generic 20 of 10 .. 30,
    // q = 2/3 the other way round): the same 674.
    EXPECT_EQ(points("THRShotputM25", "11.00"), 674);
    // The long jump takes field curve 2: 5.50 m -> generic 20, q = 2/3 with k = 15:
    // D = 18225 + 40000 x 0.176091 / 0.0086865 = 829101, 1000 - (910.55 - 135) / 2 = 612.22.
    EXPECT_EQ(points("JMPLong___M25", "5.50"), 612);
}

TEST_F(ApeFormulaTest, BetterThanTheHighEndScoresOnTheUpperCurve)
{
    // 10.50 s -> generic 20 + (-4.5 / -4) x -10 = 8.75 on the upper curve, q = 1.142857:
    // D = 810000 - 266666.7 x 0.057992 / 0.51306 = 779859, 1000 - (883.10 - 900) / 2 = 1008.45.
    EXPECT_EQ(points("SHD____100M25", "10.50"), 1008);
    // 7.20 s -> generic 0.5, q = 20: D = 133793, 1000 - (365.78 - 900) / 2 = 1267.11.
    EXPECT_EQ(points("SHD____100M25", "7.20"), 1267);
    // A shot of 15 m is beyond its 14 m: generic 20 + 7/6 x -10 = 8.33 on the upper curve,
    // q = 1.2, 1011.58.
    EXPECT_EQ(points("THRShotputM25", "15.00"), 1011);
}

TEST_F(ApeFormulaTest, FarOffPerformancesScoreNothingAndBlanksAreNoError)
{
    TableScores scores(m_items, m_messages, m_data);
    // 1000 s -> generic 2482.5, q = 0.004: D = 7.35e6, 1000 - (2711 - 90) / 2 < 0 -> 0.
    EXPECT_EQ(scores.valueToScore(13, "SHD____100M25", 1000.0, 0, true), 0);
    // A throw so short that it maps below 0 on the generic scale scores nothing.
    EXPECT_EQ(scores.valueToScore(13, "THRShotputM25", 0.5, 0, true), 0);
    EXPECT_EQ(points("SHD____100M25", "0.00"), 0);
    EXPECT_EQ(points("SHD____100M25", "-"), 0);
    // An item the set does not list scores nothing.
    EXPECT_EQ(points("SHD____200M25", "22.00"), 0);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ApeFormulaTest, TheInverseUsesTheUpperCurveFromNineHundredPoints)
{
    // 600 points on the track curve: x = 2 x 400 + 90 = 890, log q = 3 x -0.0086865 x
    // (890^2 - 8100) / 80000 = -0.255385, generic 10 / q = 18.0045 -> 14.2018 s.
    EXPECT_EQ(perf("SHD____100M25", 600), 14.20);
    // The long jump's 600 on field curve 2: generic 19.5538 -> 4 + 9.5538 / 20 x 3 = 5.43 m.
    EXPECT_EQ(perf("JMPLong___M25", 600), 5.43);
    // 1158 points is on the upper curve: generic 1.25 (q = 8) -> 7.50 s.
    EXPECT_EQ(perf("SHD____100M25", 1158.186), 7.50);
}

TEST_F(ApeFormulaTest, SetFilesWithoutTheCurvesTheirItemsNeedAreRefused)
{
    scoring::ScoreData data;
    QString error;
    EXPECT_FALSE(data.loadText("set 13\nsource made-up\n"
                               "generic track pref=10 k=10 r=1.02 low=20 high=10\n"
                               "generic upper pref=10 k=10 r=1.02 low=20 high=10\n"
                               "item JMPLong___M25 F low=4 high=7 curve=2\n",
                               "made-up", &error));
    EXPECT_EQ(error, "made-up line 6: no generic curve field2 given");
    EXPECT_FALSE(data.loadText("set 13\nsource made-up\n"
                               "generic track pref=10 r=1.02 low=20 high=10\n",
                               "made-up", &error));
    EXPECT_EQ(error, "made-up line 3: the generic curve track needs k");
    EXPECT_FALSE(data.loadText("set 13\nsource made-up\n"
                               "generic track pref=10 k=10 r=1.02 low=20 high=10\n"
                               "generic upper pref=10 k=10 r=1.02 low=20 high=10\n"
                               "item SHD____100M25 T low=11 high=11\n",
                               "made-up", &error));
    EXPECT_EQ(error, "made-up line 5: an APE item needs its low and high performances");
    EXPECT_FALSE(data.isLoaded(13));
}

TEST_F(ApeFormulaTest, WithoutItsDataTheSetIsNotAvailableAndAsa2007NeverScores)
{
    TableScores scores(m_items, m_messages);
    EXPECT_FALSE(scores.PerfToScore(13, "SHD____100M25", "11.00", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for APE_2005 is not available"));
    m_sink.clear();
    EXPECT_FALSE(scores.PerfToScore(16, "SHD____100M25", "11.00", 0, true).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for ASA 2007 is not available"));
}

class ApeClampTest : public RecordsTest {};

TEST_F(ApeClampTest, AthleteScoresAreLimitedToTwelveHundred)
{
    scoring::ScoreData data;
    QString error;
    ASSERT_TRUE(data.loadText(kMadeUpApe, "made-up", &error)) << error.toStdString();
    const meeting::ItemTypes items(meeting::Edition::Athletics, messages());
    scoring::TableScores scores(items, messages(), data);
    scoring::TableScoreSettings settings;
    settings.scoreSet = 13;
    settings.hasTableScore = true;
    scoring::AthleteScores athletes(database(), scores, settings);
    EXPECT_EQ(athletes.AthleteTableScore("SHD____100M25", "7.20", qint64(0), false, 1, 0), 1267);
    EXPECT_EQ(athletes.AthleteTableScore("SHD____100M25", "7.20", qint64(0), true, 1, 0), 1200);
    EXPECT_EQ(athletes.AthleteTableScore("SHD____100M25", "13.00", qint64(0), true, 1, 0), 674);
}

} // namespace
