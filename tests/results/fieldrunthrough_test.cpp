#include "results/fieldrunthrough.h"

#include <gtest/gtest.h>

namespace {

using results::HeightMarks;

TEST(FieldRunThrough, AttemptsGoRoundTheFieldAndPassedOverAthletesWait)
{
    const QList<qint64> lanes{30, 10, 20};
    QHash<qint64, int> counts{{10, 1}, {20, 0}, {30, 1}};
    // Lane order, not athlete numbers: 20 has not had attempt 1 yet.
    auto next = results::nextAttempt(lanes, counts, {}, 6);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->athleteNo, 20);
    EXPECT_EQ(next->seq, 1);
    counts[20] = 1;
    next = results::nextAttempt(lanes, counts, {}, 6);
    EXPECT_EQ(next->athleteNo, 30);
    EXPECT_EQ(next->seq, 2);
    // 30 passed over: 10 is next in this round.
    next = results::nextAttempt(lanes, counts, {30}, 6);
    EXPECT_EQ(next->athleteNo, 10);
    // All done at the last attempt.
    EXPECT_FALSE(results::nextAttempt(lanes, {{10, 6}, {20, 6}, {30, 6}}, {}, 6).has_value());
}

TEST(FieldRunThrough, AfterThreeRoundsTheBestEightGoOnInReverseOrderOfStanding)
{
    // Ten throwers in lane order 1..10; thrower n's best is n metres, so 10 leads.
    QList<qint64> lanes;
    QHash<qint64, QList<double>> marks;
    for (qint64 n = 1; n <= 10; ++n) {
        lanes << n;
        marks[n] = {double(n), 1.0};
    }
    EXPECT_EQ(results::finalRoundsOrder(lanes, marks), (QList<qint64>{3, 4, 5, 6, 7, 8, 9, 10}));
    // Equal bests are parted by the second best; a full tie with the eighth goes on too.
    marks[2] = {3.0, 2.0};
    marks[3] = {3.0, 0.5};
    EXPECT_EQ(results::finalRoundsOrder(lanes, marks), (QList<qint64>{2, 4, 5, 6, 7, 8, 9, 10}));
    // Tied throughout with the eighth: both go on, the later lane first.
    marks[3] = {3.0, 2.0};
    EXPECT_EQ(results::finalRoundsOrder(lanes, marks), (QList<qint64>{3, 2, 4, 5, 6, 7, 8, 9, 10}));
    // A small field all goes on, the ones without a valid mark first (in reverse lane order).
    const QHash<qint64, QList<double>> few{{1, {}}, {2, {6.2}}, {3, {}}, {4, {6.9, 6.1}}};
    EXPECT_EQ(results::finalRoundsOrder({1, 2, 3, 4}, few), (QList<qint64>{3, 1, 2, 4}));
}

TEST(FieldRunThrough, JumpersAreOutAfterThreeFailuresInARowPassesNotCounting)
{
    EXPECT_TRUE(results::eliminated({{1, 1.60, "X-"}, {2, 1.65, "XX"}}));
    EXPECT_TRUE(results::eliminated({{2, 1.65, "XXX"}, {1, 1.60, "O"}}));
    EXPECT_FALSE(results::eliminated({{1, 1.60, "XX"}, {2, 1.65, "O"}}));
    EXPECT_FALSE(results::eliminated({{1, 1.60, "XXO"}, {2, 1.65, "XX"}}));
    EXPECT_FALSE(results::eliminated({}));
}

TEST(FieldRunThrough, AtTheBarTheJumperWithFewestAttemptsThereGoesNext)
{
    const QList<qint64> lanes{1, 2, 3, 4};
    QHash<qint64, QList<HeightMarks>> marks{
        {1, {{1, 1.60, "O"}, {2, 1.65, "X"}}},  // one failure at 1.65
        {2, {{1, 1.60, "XXX"}}},                // out
        {3, {{1, 1.60, "-"}}},                  // passed 1.60: jumps at 1.65
        {4, {{1, 1.60, "O"}, {2, 1.65, "XO"}}}, // cleared 1.65
    };
    auto next = results::nextJump(lanes, marks, 2, {});
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->athleteNo, 3);
    EXPECT_EQ(next->seq, 2);
    marks[3].append({2, 1.65, "X"});
    EXPECT_EQ(results::nextJump(lanes, marks, 2, {})->athleteNo, 1);
    EXPECT_EQ(results::nextJump(lanes, marks, 2, {1})->athleteNo, 3);
    // Nobody is asked again at a lower bar once jumping higher up.
    EXPECT_FALSE(results::nextJump({4}, marks, 1, {}).has_value());
    marks[1][1].marks = "XO";
    marks[3][1].marks = "XXX";
    EXPECT_FALSE(results::nextJump(lanes, marks, 2, {}).has_value());
}

} // namespace
