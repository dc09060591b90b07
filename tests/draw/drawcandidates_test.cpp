// The draw engine without a database: sort texts, random numbers, the zig-zag, Bests Last,
// the lane tables and start positions.

#include "base/messages.h"
#include "base/scriptedsink.h"
#include "draw/drawcandidates.h"
#include "meeting/itemtypes.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>

#include <random>

using namespace draw;

namespace {

class DrawEngineTest : public ::testing::Test {
protected:
    // `ranked` candidates with keys 001, 002 ... in order of merit (athlete numbers the
    // same), then `unranked` without a performance.
    static CandidateList field(int ranked, int unranked)
    {
        CandidateList list;
        for (int i = 1; i <= ranked + unranked; ++i) {
            DrawCandidate c;
            c.athleteNo = i;
            c.teamNo = 100 + i % 3;
            if (i <= ranked) {
                c.performanceKey = QString::number(i).rightJustified(3, QLatin1Char('0'));
                c.drawClass = kClassPerformance;
            }
            list << c;
        }
        return list;
    }
    static QList<int> heatsOf(const CandidateList& list)
    {
        QList<int> heats;
        for (const DrawCandidate& c : list)
            heats << c.heat;
        return heats;
    }

    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    meeting::ItemTypes m_swim{meeting::Edition::Swimming, m_messages};
    meeting::ItemTypes m_athletics{meeting::Edition::Athletics, m_messages};
};

TEST_F(DrawEngineTest, SortTextRanksClassThenPlaceThenPerformanceThenRandom)
{
    DrawCandidate c;
    c.drawClass = kClassPlace;
    c.place = 2;
    c.performanceKey = QStringLiteral("1:02.30");
    c.athleteRandom = 1234;
    c.teamRandom = 1567;
    EXPECT_EQ(c.sortText(), QStringLiteral("1,002,1:02.30_1234,00001567"));

    CandidateList list;
    auto add = [&list](int no, int cls, int place, const char* key, int random) {
        DrawCandidate d;
        d.athleteNo = no;
        d.drawClass = cls;
        d.place = place;
        d.performanceKey = QString::fromLatin1(key);
        d.athleteRandom = random;
        list << d;
    };
    add(1, kClassNone, 0, "", 1001);
    add(2, kClassPerformance, 0, "1:05.00", 1999);
    add(3, kClassPlace, 2, "1:01.00", 1500);
    add(4, kClassPlace, 1, "1:09.00", 1500);
    add(5, kClassPerformance, 0, "1:05.00", 1100); // tie with 2: the random decides
    add(6, kClassPlace, 1, "1:03.00", 1700);
    sortCandidates(list);
    QList<qint64> order;
    for (const DrawCandidate& d : list)
        order << d.athleteNo;
    EXPECT_EQ(order, (QList<qint64>{6, 4, 3, 5, 2, 1}));
}

TEST_F(DrawEngineTest, PerformanceKeysSortBestFirstForTimesAndDistances)
{
    const QString free = QStringLiteral("FRE____100M13W");
    const QString fast = performanceKey(m_swim, free, QStringLiteral("1:01.20"));
    const QString slow = performanceKey(m_swim, free, QStringLiteral("1:09.85"));
    ASSERT_FALSE(fast.isEmpty());
    EXPECT_LT(fast, slow);
    EXPECT_EQ(performanceKey(m_swim, free, QString()), QString());
    EXPECT_EQ(performanceKey(m_swim, free, QStringLiteral("fast")), QString());

    const QString jump = QStringLiteral("JMPLong___M19");
    const QString far = performanceKey(m_athletics, jump, QStringLiteral("7.85"));
    const QString near = performanceKey(m_athletics, jump, QStringLiteral("6.10"));
    ASSERT_FALSE(far.isEmpty());
    ASSERT_FALSE(near.isEmpty());
    EXPECT_EQ(far.size(), near.size());
    EXPECT_LT(far, near); // the longer jump sorts first
}

TEST_F(DrawEngineTest, RandomNumbersAreFourDigitsRepeatableBySeedAndSharedByTeam)
{
    DrawRandom a(42);
    DrawRandom b(42);
    DrawRandom c(43);
    QList<int> first;
    QList<int> other;
    for (int i = 0; i < 500; ++i) {
        const int n = a.next();
        ASSERT_GE(n, 1001);
        ASSERT_LE(n, 1999);
        EXPECT_EQ(n, b.next());
        first << n;
        other << c.next();
    }
    EXPECT_NE(first, other);

    CandidateList list = field(0, 9);
    DrawRandom random(7);
    giveRandomNumbers(list, random);
    for (const DrawCandidate& x : list) {
        for (const DrawCandidate& y : list) {
            if (x.teamNo == y.teamNo) {
                EXPECT_EQ(x.teamRandom, y.teamRandom);
            }
        }
    }
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                               [](const auto& x, const auto& y) { return x.teamNo < y.teamNo; }));
}

TEST_F(DrawEngineTest, ZigZagTurnsAtTheLastHeatAndGivesLaneRanksByMerit)
{
    CandidateList list = field(8, 0);
    placeZigZag(list, 3);
    EXPECT_EQ(heatsOf(list), (QList<int>{1, 2, 3, 3, 2, 1, 1, 2}));
    QList<int> heatOneRanks;
    for (const DrawCandidate& c : list) {
        if (c.heat == 1)
            heatOneRanks << c.laneRank;
    }
    EXPECT_EQ(heatOneRanks, (QList<int>{1, 2, 3}));
}

TEST_F(DrawEngineTest, UnrankedWrapRoundFromWhereTheRankedStopped)
{
    // Four ranked end going backward in heat 3; the unranked go on to 2, 1 and wrap to 3.
    CandidateList list = field(4, 5);
    placeZigZag(list, 3);
    EXPECT_EQ(heatsOf(list), (QList<int>{1, 2, 3, 3, 2, 1, 3, 2, 1}));
    EXPECT_EQ(list[6].laneRank, 3);

    // Twenty without performances in three heats: 7, 7 and 6.
    CandidateList unranked = field(0, 20);
    placeZigZag(unranked, 3);
    QList<int> sizes(4, 0);
    for (const DrawCandidate& c : unranked)
        ++sizes[c.heat];
    EXPECT_EQ(sizes.mid(1), (QList<int>{7, 7, 6}));
}

TEST_F(DrawEngineTest, BestsLastFillsTheLastHeatFirst)
{
    CandidateList list = field(20, 0);
    ASSERT_TRUE(placeBestsLast(list, 3, heatCapacity(20, 3), m_messages));
    EXPECT_EQ(heatCapacity(20, 3), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(list[i].heat, 3);
        EXPECT_EQ(list[i].laneRank, i + 1);
        EXPECT_EQ(list[i + 7].heat, 2);
    }
    for (int i = 14; i < 20; ++i) {
        EXPECT_EQ(list[i].heat, 1);
        EXPECT_EQ(list[i].laneRank, i - 13);
    }

    // Three ranked of ten in two heats: the ranked take heat 2's best lane ranks, the
    // unranked fill heat 1 and heat 2's outer lanes.
    CandidateList mixed = field(3, 7);
    ASSERT_TRUE(placeBestsLast(mixed, 2, 5, m_messages));
    EXPECT_EQ(heatsOf(mixed), (QList<int>{2, 2, 2, 1, 1, 1, 1, 2, 1, 2}));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(DrawEngineTest, BestsLastRefusesAFieldThatDoesNotFit)
{
    CandidateList list = field(10, 0);
    EXPECT_FALSE(placeBestsLast(list, 2, 4, m_messages));
    ASSERT_FALSE(m_sink.shown().isEmpty());
    EXPECT_TRUE(m_sink.saw("Rankeds exceeded"));
}

TEST_F(DrawEngineTest, LaneTablesOfStraightAndBend)
{
    const int straight = laneClassOf(m_swim, QStringLiteral("FRE____100M13W"));
    const int bend = laneClassOf(m_swim, QStringLiteral("FRE____200M13W"));
    EXPECT_EQ(straight, 0);
    EXPECT_EQ(bend, 1);
    EXPECT_EQ(laneClassOf(m_swim, QStringLiteral("FRE___1500M13W")), 4);
    EXPECT_EQ(laneClassOf(m_athletics, QStringLiteral("JMPLong___M19")), 5);
    EXPECT_EQ(laneClassOf(m_athletics, QStringLiteral("SHD____400M19")), 2);

    QList<int> straightLanes;
    QList<int> bendLanes;
    for (int rank = 1; rank <= 8; ++rank) {
        straightLanes << laneFromRank(rank, 8, true);
        bendLanes << laneFromRank(rank, 8, false);
    }
    EXPECT_EQ(straightLanes, (QList<int>{4, 5, 3, 6, 2, 7, 1, 8}));
    EXPECT_EQ(bendLanes, (QList<int>{6, 7, 5, 4, 8, 3, 2, 1}));
    EXPECT_EQ(laneFromRank(10, 10, true), 10); // beyond the table: its own lane
    EXPECT_EQ(laneFromRank(0, 8, true), 0);
}

TEST_F(DrawEngineTest, StartPositionsAndOrderOfCompetitionPutTheBestLast)
{
    CandidateList mile = field(12, 0);
    placeZigZag(mile, 1);
    EXPECT_FALSE(assignLanes(mile, laneClassOf(m_swim, QStringLiteral("FRE___1500M13W")), 8, 12));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(mile[i].lane, 12 - i);

    // Long jump, seven with a mark and three without: the best jumps last (10), those
    // without a mark first.
    CandidateList jump = field(7, 3);
    placeZigZag(jump, 1);
    assignLanes(jump, laneClassOf(m_athletics, QStringLiteral("JMPLong___M19")), 0, 10);
    EXPECT_EQ(jump.first().lane, 10);
    for (int i = 7; i < 10; ++i)
        EXPECT_LE(jump[i].lane, 3);
}

TEST_F(DrawEngineTest, LanesBeyondTheLanesAvailableAreDrawnAndReported)
{
    CandidateList list = field(8, 0);
    placeZigZag(list, 1);
    EXPECT_TRUE(assignLanes(list, 0, 6, 8));
    EXPECT_EQ(list[6].lane, 7);
    EXPECT_EQ(list[7].lane, 8);
    CandidateList six = field(6, 0);
    placeZigZag(six, 1);
    EXPECT_FALSE(assignLanes(six, 0, 6, 6));
}

// Many random fields through both methods: every candidate placed once, heats within the
// capacity, lanes unique in a heat, and each method's order.
TEST_F(DrawEngineTest, RandomFieldsKeepEveryRuleOfTheDraw)
{
    std::mt19937 dice(2026);
    for (int round = 0; round < 600; ++round) {
        const int n = 1 + int(dice() % 200);
        const int heats = 1 + int(dice() % 25);
        const int lanes = QList<int>{6, 8, 10}[int(dice() % 3)];
        const int withBests = int(dice() % 3); // none, some, all
        const int method = round % 2 == 0 ? kDrawBestsLast : kDrawWorldAthletics;
        CandidateList list;
        for (int i = 0; i < n; ++i) {
            DrawCandidate c;
            c.athleteNo = 1000 + i;
            c.teamNo = int(dice() % 12);
            if (withBests == 2 || (withBests == 1 && dice() % 2 == 0)) {
                // Few distinct times, so that ties occur.
                c.performanceKey = QString::number(5000 + int(dice() % 60));
                c.drawClass = kClassPerformance;
            }
            list << c;
        }
        DrawRandom random(round);
        giveRandomNumbers(list, random);
        sortCandidates(list);
        placeCandidates(list, method, heats, m_messages);
        const int capacity = heatCapacity(n, heats);
        assignLanes(list, 0, lanes, capacity);
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << n << " in " << heats
                                        << " heats, method " << method);

        QSet<qint64> seen;
        QMap<int, QSet<int>> lanesOfHeat;
        QMap<int, int> sizes;
        for (const DrawCandidate& c : list) {
            ASSERT_FALSE(seen.contains(c.athleteNo));
            seen.insert(c.athleteNo);
            ASSERT_GE(c.heat, 1);
            ASSERT_LE(c.heat, heats);
            ASSERT_GE(c.laneRank, 1);
            ASSERT_FALSE(lanesOfHeat[c.heat].contains(c.lane)) << "heat " << c.heat;
            lanesOfHeat[c.heat].insert(c.lane);
            ++sizes[c.heat];
        }
        ASSERT_EQ(seen.size(), n);
        for (int size : sizes)
            ASSERT_LE(size, capacity);
        for (const DrawCandidate& a : list) {
            for (const DrawCandidate& b : list) {
                if (!a.ranked() || !b.ranked())
                    continue;
                if (method == kDrawBestsLast && b.heat > a.heat) {
                    ASSERT_LE(b.performanceKey, a.performanceKey);
                }
                // In one heat a better lane rank never has a worse time.
                if (a.heat == b.heat && a.laneRank < b.laneRank) {
                    ASSERT_LE(a.performanceKey, b.performanceKey);
                }
            }
        }
        if (method != kDrawBestsLast && n >= heats) {
            int smallest = n;
            int largest = 0;
            for (int h = 1; h <= heats; ++h) {
                smallest = std::min(smallest, sizes.value(h));
                largest = std::max(largest, sizes.value(h));
            }
            ASSERT_LE(largest - smallest, 1);
        }
    }
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

} // namespace
