#include "sheetsfixture.h"

#include "base/configstore.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/lanetimesheets.h"

namespace {

class LaneTimesheetsTest : public SheetsTest {};

// 40 program rows over two days, added out of order: 20 finals of events, each with a
// swimmer in lane (seq % 8) + 1.
TEST_F(LaneTimesheetsTest, EightLanesFollowFortyRowsInDaySequenceAndTimeOrder)
{
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    QList<std::tuple<int, int, QString>> expected; // day, seq, time
    for (int i = 0; i < 20; ++i) {
        // Day 2 first, sequences descending, so that the order must come from the query.
        const int day = i < 10 ? 2 : 1;
        const int seq = 20 - i;
        const qint64 event = addEvent(QStringLiteral("FRE____100M13W"), seq);
        ASSERT_TRUE(
            database().execute(QStringLiteral("update PROGRAM set DAY_SEQ = ") +
                               QString::number(day) + QStringLiteral(", THETIME = '") +
                               QStringLiteral("%1:00").arg(8 + seq % 10, 2, 10, QLatin1Char('0')) +
                               QStringLiteral("' where EVENTNO = ") + QString::number(event)));
        addProgramRow(event, QStringLiteral("A"), 1, seq, day,
                      QStringLiteral("%1:30").arg(8 + seq % 10, 2, 10, QLatin1Char('0')));
        const qint64 swimmer =
            addSwimmer(team, QStringLiteral("Lane%1Seq%2").arg(seq % 8 + 1).arg(seq));
        enter(event, swimmer, seq % 8 + 1);
    }
    sheets::LaneLimits limits{8, 5};
    const QList<sheets::LaneRow> rows = sheets::laneRows(run(), limits);
    ASSERT_EQ(rows.size(), 8 * 40);
    for (int lane = 1; lane <= 8; ++lane) {
        const QList<sheets::LaneRow> group = rows.mid((lane - 1) * 40, 40);
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(group[i].lane, lane);
            EXPECT_EQ(group[i].seq, rows[i].seq);
            EXPECT_EQ(group[i].round, rows[i].round);
            if (i > 0) {
                const auto before =
                    std::tuple{group[i - 1].day, group[i - 1].seq, group[i - 1].time};
                const auto now = std::tuple{group[i].day, group[i].seq, group[i].time};
                EXPECT_LE(before, now) << "lane " << lane << " row " << i;
            }
            // The swimmer of that lane in the final, and nobody in the empty heats.
            if (group[i].round == QLatin1String("Final") && group[i].seq % 8 + 1 == lane) {
                EXPECT_TRUE(group[i].swimmer.startsWith(
                    QStringLiteral("Lane%1Seq%2").arg(lane).arg(group[i].seq)));
            } else {
                EXPECT_TRUE(group[i].swimmer.isEmpty());
            }
        }
    }
    EXPECT_EQ(rows.first().day, 1);
    EXPECT_EQ(rows.first().seq, 1);
    EXPECT_EQ(rows[39].day, 2);
    EXPECT_EQ(rows[39].seq, 20);

    const QList<sheets::SheetPage> pages = sheets::lanePages(run(), rows, limits);
    ASSERT_EQ(pages.size(), 8 * 8); // 40 rows at 5 a page, for every lane
    sheets::PdfSheetOutput output(run(), pdfPath());
    ASSERT_TRUE(output.write(pages));
    const QStringList text = pdfPages(pdfPath());
    ASSERT_EQ(text.size(), 64);
    EXPECT_TRUE(text[0].contains(QStringLiteral("LANE : 1")));
    EXPECT_TRUE(text[63].contains(QStringLiteral("LANE : 8")));
    EXPECT_FALSE(text[8].contains(QStringLiteral("LANE : 1")));
    EXPECT_TRUE(text[8].contains(QStringLiteral("LANE : 2")));
}

TEST_F(LaneTimesheetsTest, LimitsDefaultToTheHighestLaneAndAreRemembered)
{
    const qint64 event = addEvent(QStringLiteral("FRE____100M13W"));
    addProgramRow(event, QStringLiteral("A"), 1);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    EXPECT_EQ(sheets::defaultLaneLimits(run()).lanes, 0);
    EXPECT_EQ(sheets::defaultLaneLimits(run()).perPage, 6);
    sheets::saveLaneLimits(run(), {7, 4});
    EXPECT_EQ(sheets::defaultLaneLimits(run()).lanes, 7);
    EXPECT_EQ(sheets::defaultLaneLimits(run()).perPage, 4);
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, QStringLiteral("Heat")), 9);
    enter(event, addSwimmer(team, QStringLiteral("Final")), 6);
    EXPECT_EQ(sheets::defaultLaneLimits(run()).lanes, 9);
}

TEST_F(LaneTimesheetsTest, FinalsNotRunAreLeftOutAndAnEmptyProgramHasNothingToPrint)
{
    EXPECT_TRUE(sheets::laneRows(run(), {8, 6}).isEmpty());
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No items to print")));

    const qint64 event = addEvent(QStringLiteral("FRE____100M13W"));
    addProgramRow(event, QStringLiteral("A"), 1, 1);
    addProgramRow(event, QStringLiteral("A"), 2, 2);
    ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set FINAL_NOT_RUN = 1")));
    const QList<sheets::LaneRow> rows = sheets::laneRows(run(), {2, 6});
    ASSERT_EQ(rows.size(), 4);
    for (const sheets::LaneRow& row : rows)
        EXPECT_NE(row.round, QStringLiteral("Final"));
}

TEST_F(LaneTimesheetsTest, LimitTextsAreCheckedWithTheSystemsMessages)
{
    sheets::LaneLimits limits;
    EXPECT_EQ(sheets::parseLaneLimits("1-8", "6", &limits), QString());
    EXPECT_EQ(limits.lanes, 8);
    EXPECT_EQ(sheets::parseLaneLimits("10", "12", &limits), QString());
    EXPECT_EQ(limits.lanes, 10);
    EXPECT_EQ(sheets::parseLaneLimits("20", "1", &limits), QString());
    for (const char* lanes : {"0", "21", "x", "3-8", ""})
        EXPECT_EQ(sheets::parseLaneLimits(lanes, "6", &limits),
                  QStringLiteral("Lanes to Print must be between 1 and 20"))
            << lanes;
    for (const char* perPage : {"0", "13", "six", "-1"})
        EXPECT_EQ(sheets::parseLaneLimits("8", perPage, &limits),
                  QStringLiteral("Events per Page must be between 1 and 12"))
            << perPage;
}

} // namespace
