#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "scoring/perftoscore.h"
#include "scoring/scoredata.h"

#include <gtest/gtest.h>

// ASA 2020's ways of scoring beyond its row table, on a made-up set 34 whose numbers are
// ours (chosen to be followed by hand), not published ones:
//   the 100 m of boys 17: row r is 20.00 - 0.10 r s (row 50 = 15.00 s, 500 points);
//   the 80 m of boys 14 is that 100 m with factor 0.8, the 60 m of boys 12 the 80 m with
//   factor 0.75 (so 0.6 of the 100 m), the 50 m of boys 10 names a shape item not given;
//   an interpolated 4x400 m (5:00.00 = 100, 4:00.00 = 700, 3:40.00 = 1000 points) and
//   triple jump (8.00 m = 200, 12.00 m = 800);
//   a derived curve 0.01 (600 - P)^2 (300 s = 900, 400 s = 400, 500 s = 100) for the
//   1500 m steeplechase of boys 14 and, with factor 1.1, the mile of youths.

namespace {

using scoring::TableScores;

QString madeUpSet34()
{
    QStringList rows;
    for (int row = 0; row <= 100; ++row)
        rows << QString::number(2000 - 10 * row);
    return QStringLiteral("set 34\n"
                          "source made-up test table\n"
                          "item SHD____100M17 T first=2000 middle=1500 last=1000 values=") +
           rows.join(QLatin1Char(',')) +
           QStringLiteral("\n"
                          "shape SHD_____80M14 SHD____100M17 0.8\n"
                          "shape SHD_____60M12 SHD_____80M14 0.75\n"
                          "shape SHD_____50M10 SHD____150M10 0.5\n"
                          "special REL4X400__M17 T pairs=30000:100,24000:700,22000:1000\n"
                          "special JMPTrippleM14 F pairs=800:200,1200:800\n"
                          "curve steeple coefficients=3600,-12,0.01 low=300 high=550\n"
                          "derived STP___1500M14 T curve=steeple\n"
                          "derived LOD___1760M19 T curve=steeple factor=1.1\n");
}

class ShapedScoresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_data.loadText(madeUpSet34(), "made-up", &error)) << error.toStdString();
    }
    std::optional<int> points(const QString& item, const QString& perf, bool electronic = true)
    {
        return m_scores.PerfToScore(34, item, perf, 0, electronic);
    }
    std::optional<double> perf(const QString& item, double score)
    {
        return m_scores.ScoreToPerf(34, item, score, 0, true);
    }
    // The reason a made-up file is refused.
    static QString refusal(const QString& text)
    {
        scoring::ScoreData data;
        QString error;
        EXPECT_FALSE(data.loadText(text, "bad.txt", &error)) << text.toStdString();
        return error;
    }

    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_items{meeting::Edition::Athletics, m_messages};
    scoring::ScoreData m_data;
    TableScores m_scores{m_items, m_messages, m_data};
};

TEST_F(ShapedScoresTest, ShapesScoreOnTheirShapeItemWithThePerformanceDividedAndBack)
{
    EXPECT_EQ(points("SHD____100M17", "15.00"), 500);
    // 12.00 / 0.8 = 15.00; 9.00 / 0.75 / 0.8 = 15.00 through two shapes.
    EXPECT_EQ(points("SHD_____80M14", "12.00"), 500);
    EXPECT_EQ(points("SHD_____60M12", "9.00"), 500);
    EXPECT_EQ(points("SHD_____60M12", "8.40"), 600);
    // The hand-time correction is the 60 m's own, added before dividing: 8.76 + 0.24.
    EXPECT_EQ(points("SHD_____60M12", "8.76", false), 500);
    // The inverse multiplies: 600 points on the 100 m are 14.00 s, 8.40 s on the 60 m.
    EXPECT_DOUBLE_EQ(*perf("SHD_____80M14", 500), 12.00);
    EXPECT_DOUBLE_EQ(*perf("SHD_____60M12", 600), 8.40);
    EXPECT_TRUE(m_scores.ZItemIsDefined(34, "SHD_____60M12"));
    EXPECT_TRUE(m_sink.shown().isEmpty());
    // An item with neither table nor shape is not scored by the set.
    EXPECT_FALSE(m_scores.ZItemIsDefined(34, "SHD____200M17"));
    EXPECT_EQ(points("SHD____200M17", "25.00"), 0);
}

TEST_F(ShapedScoresTest, AShapeItemThatCannotBeFoundIsAProgramError)
{
    EXPECT_FALSE(points("SHD_____50M10", "8.00").has_value());
    EXPECT_TRUE(m_sink.saw("No shape: SHD_____50M10"));
    m_sink.clear();
    EXPECT_FALSE(perf("SHD_____50M10", 500).has_value());
    EXPECT_TRUE(m_sink.saw("No shape: SHD_____50M10"));
}

TEST_F(ShapedScoresTest, AShapeOnARowTableWithoutItsEndsScoresZeroNamingTheTable)
{
    scoring::ScoreData data;
    QString error;
    ASSERT_TRUE(data.loadText("set 34\nsource made-up\n"
                              "item SHD____100F17 T first=0 middle=0 last=0\n"
                              "shape SHD_____80F14 SHD____100F17 0.8\n",
                              "made-up", &error))
        << error.toStdString();
    TableScores scores(m_items, m_messages, data);
    EXPECT_EQ(scores.PerfToScore(34, "SHD_____80F14", "12.00", 0, true), 0);
    EXPECT_TRUE(m_sink.saw("The low and high performances is incorrect for SHD____100F17"));
}

TEST_F(ShapedScoresTest, SpecialItemsInterpolateTheirTableBothWays)
{
    // 4:00.00 is an entry; 3:50.00 lies half way from 700 to 1000.
    EXPECT_EQ(points("REL4X400__M17", "4:00.00"), 700);
    EXPECT_EQ(points("REL4X400__M17", "3:50.00"), 850);
    // 3:30.00 goes on along the last line (150 points a 10 s): 1150.
    EXPECT_EQ(points("REL4X400__M17", "3:30.00"), 1150);
    // 5:30.00 goes on along the first line below 0, which scores 0.
    EXPECT_EQ(points("REL4X400__M17", "5:30.00"), 0);
    EXPECT_EQ(points("JMPTrippleM14", "10.00"), 500);
    EXPECT_EQ(points("JMPTrippleM14", "7.00"), 50);
    EXPECT_DOUBLE_EQ(*perf("REL4X400__M17", 850), 230.00);
    EXPECT_DOUBLE_EQ(*perf("REL4X400__M17", 400), 270.00);
    EXPECT_DOUBLE_EQ(*perf("JMPTrippleM14", 650), 11.00);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ShapedScoresTest, DerivedCurvesScoreTheirItemsAndInvertByHalving)
{
    EXPECT_EQ(points("STP___1500M14", "6:40.00"), 400);
    EXPECT_EQ(points("STP___1500M14", "5:00.00"), 900);
    // The mile is put on the curve at 1/1.1 of its time: 7:20.00 is 400 s there.
    EXPECT_EQ(points("LOD___1760M19", "7:20.00"), 400);
    EXPECT_DOUBLE_EQ(*perf("STP___1500M14", 400), 400.00);
    EXPECT_DOUBLE_EQ(*perf("STP___1500M14", 100), 500.00);
    EXPECT_DOUBLE_EQ(*perf("LOD___1760M19", 400), 440.00);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ShapedScoresTest, FilesWithBrokenShapesCurvesOrTablesAreRefusedNamingTheLine)
{
    const QString head = QStringLiteral("set 34\nsource made-up\n");
    EXPECT_EQ(refusal(head + "shape SHD_____80M14 SHD_____60M14 2\n"
                             "shape SHD_____60M14 SHD_____80M14 0.5"),
              "bad.txt line 4: the shapes of SHD_____60M14 run in a circle");
    EXPECT_EQ(refusal(head + "shape SHD_____80M14 SHD____100M17 0\n"),
              "bad.txt line 3: a shape factor must be above 0");
    EXPECT_EQ(refusal(head + "derived STP___1500M14 T curve=steeple"),
              "bad.txt line 3: the item STP___1500M14 needs curve steeple, which is not given");
    EXPECT_EQ(refusal(head + "special REL4X400__M17 T pairs=24000:700,25000:900\n"),
              "bad.txt line 3: each pair must be a better performance with more points than "
              "the one before, \"25000:900\" is not");
    EXPECT_EQ(refusal(head + "special JMPTrippleM14 F pairs=800:200\n"),
              "bad.txt line 3: an interpolated table needs at least two pairs");
    EXPECT_EQ(refusal(head + "curve steeple coefficients=1,2 low=5 high=5\n"),
              "bad.txt line 3: the curve steeple needs two different ends");
    EXPECT_EQ(refusal(head + "special JMPTrippleM14 F pairs=800:200,900:300\n"
                             "shape JMPTrippleM14 JMPLong___M14 0.5\n"),
              "bad.txt line 4: the item JMPTrippleM14 is given twice");
    // Lines the set's scoring never reads are refused rather than ignored.
    EXPECT_EQ(refusal("set 32\nsource made-up\nshape SHD_____80M14 SHD____100M17 0.8\n"),
              "bad.txt line 3: \"shape\" lines belong to set 34 only");
    EXPECT_EQ(refusal("set 5\nsource made-up\ncurve c coefficients=1,2 low=1 high=2\n"),
              "bad.txt line 3: \"curve\" lines belong to set 19 or 34 only");
}

} // namespace
