// The ranking and tagging of the top athletes, worked out by hand on performances whose
// scores are given directly.

#include "scoring/topathletes.h"

#include <gtest/gtest.h>

namespace {

using scoring::TopAthletePerformance;

class TopAthleteTaggingTest : public testing::Test {
protected:
    void add(const QString& team, const QString& name, int age, const QString& group, int score,
             const QString& gender = "M")
    {
        TopAthletePerformance p;
        p.partNo = m_rows.size() + 1;
        // One athlete per name and team.
        p.athleteNo = qHash(team + name);
        p.teamNo = team == "OAK" ? 1 : team == "ELM" ? 2 : 3;
        p.team = team;
        p.gender = gender;
        p.age = age;
        p.name = name;
        p.item = group == "T" ? "Run" : "Jump";
        p.group = group;
        p.score = score;
        m_rows.append(p);
    }
    // OAK's team: Abe's jump is his second performance.
    void addOak()
    {
        add("OAK", "Abe", 13, "T", 700);
        add("OAK", "Abe", 13, "F", 650);
        add("OAK", "Bob", 13, "T", 600);
        add("OAK", "Cy", 15, "T", 800);
        add("OAK", "Don", 15, "T", 500);
        add("OAK", "Ed", 15, "F", 450);
        add("OAK", "Fin", 17, "F", 900);
    }
    const TopAthletePerformance& row(const QString& name, const QString& group) const
    {
        for (const TopAthletePerformance& p : m_rows) {
            if (p.name == name && p.group == group)
                return p;
        }
        ADD_FAILURE() << "no row " << name.toStdString();
        return m_rows.first();
    }
    // The used scores of a team, and their sum.
    int total(const QString& team) const
    {
        int sum = 0;
        for (const TopAthletePerformance& p : m_rows) {
            if (p.team == team && p.usedCode != scoring::NotUsed)
                sum += p.score;
        }
        return sum;
    }

    // Ages 13, 15, 17 count one performance each, two more are the best of the rest, one
    // performance per athlete; a field performance is compulsory in ages 13 and 15.
    scoring::TopAthleteSettings settings() const
    {
        scoring::TopAthleteSettings s;
        s.agesCounts = "1,1,1";
        s.restParts = 2;
        s.maxPerfsPerAthlete = 1;
        s.minimums = {{13, "F", 1}, {15, "F", 1}};
        return s;
    }
    const QList<int> m_ages{13, 15, 17};
    QList<TopAthletePerformance> m_rows;
};

TEST_F(TopAthleteTaggingTest, AgesThenTheRestThenTheFieldMinimumIsMetByAnExchange)
{
    addOak();
    add("OAK", "Gus", 17, "T", 300);
    add("ELM", "Hal", 13, "T", 750);
    add("ELM", "Ian", 15, "F", 640);
    const scoring::TopAthleteTagging tagging = tagTopAthletes(m_rows, settings(), m_ages);

    // OAK ranks Fin 900, Cy 800, Abe 700, Bob 600, Don 500, Ed 450, Gus 300; Abe's jump
    // takes no part.
    EXPECT_EQ(row("Abe", "F").perfRankForAth, 2);
    EXPECT_EQ(row("Abe", "F").allRank, 0);
    EXPECT_EQ(row("Gus", "T").allRank, 7);
    EXPECT_EQ(row("Don", "T").ageRank, 2);
    EXPECT_EQ(row("Ed", "F").groupRank, 2);
    // The best of each age, then Bob and Don as the rest.
    EXPECT_EQ(row("Abe", "T").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Cy", "T").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Fin", "F").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Bob", "T").usedCode, scoring::UsedForRest);
    // Age 15 has no field performance: its lowest track one (Don 500) gives way to Ed's
    // 450. Age 13 has no field performance free to take in (Abe's is his second).
    EXPECT_EQ(row("Don", "T").usedCode, scoring::NotUsed);
    EXPECT_TRUE(row("Don", "T").swoppedOut);
    EXPECT_EQ(row("Ed", "F").usedCode, scoring::SwoppedIn);
    EXPECT_EQ(total("OAK"), 900 + 800 + 700 + 600 + 450);
    // ELM has two of the five performances; Ian already is a field performance of 15.
    EXPECT_EQ(total("ELM"), 750 + 640);
    EXPECT_EQ(tagging.shortages, QStringList{"ELM: There was a shortage of 3 of performances"});
    EXPECT_EQ(tagTopAthletes(m_rows, settings(), m_ages, true).shortages,
              QStringList{"ELM: Daar was n tekort van 3 van pogings."});
    EXPECT_EQ(tagging.adjustments,
              (QStringList{"==Shortage= ELM age 13 Field: nothing available to swop",
                           "==Shortage= OAK age 13 Field: nothing available to swop",
                           "OAK age 15: from Don Run (500) to Ed Jump (450)"}));
    EXPECT_TRUE(tagging.errors.isEmpty());
}

TEST_F(TopAthleteTaggingTest, TwoPerformancesPerAthleteChangeWhatIsExchanged)
{
    addOak();
    scoring::TopAthleteSettings s = settings();
    s.maxPerfsPerAthlete = 2;
    const scoring::TopAthleteTagging tagging = tagTopAthletes(m_rows, s, m_ages);
    // Abe's jump is now the first of the rest and meets age 13's minimum; age 15's only
    // counted track performance is Cy's 800, and it must give way to Ed's 450.
    EXPECT_EQ(row("Abe", "F").usedCode, scoring::UsedForRest);
    EXPECT_EQ(row("Bob", "T").usedCode, scoring::UsedForRest);
    EXPECT_EQ(row("Don", "T").usedCode, scoring::NotUsed);
    EXPECT_FALSE(row("Don", "T").swoppedOut);
    EXPECT_TRUE(row("Cy", "T").swoppedOut);
    EXPECT_EQ(total("OAK"), 900 + 700 + 650 + 600 + 450);
    EXPECT_EQ(tagging.adjustments, QStringList{"OAK age 15: from Cy Run (800) to Ed Jump (450)"});
    EXPECT_TRUE(tagging.shortages.isEmpty());
}

TEST_F(TopAthleteTaggingTest, AnExchangeThatWouldBreakTheOtherMinimumIsTheLowestScoreError)
{
    add("OAK", "Kim", 15, "F", 700);
    add("OAK", "Lee", 15, "T", 600);
    scoring::TopAthleteSettings s;
    s.agesCounts = "0,1,0";
    s.maxPerfsPerAthlete = 1;
    s.minimums = {{15, "T", 1}, {15, "F", 1}};
    const scoring::TopAthleteTagging tagging = tagTopAthletes(m_rows, s, m_ages);
    EXPECT_EQ(tagging.errors, QStringList{"Could not find the lowest score! (OAK age 15 Field)"});
    // Nothing moved: Kim's jump still counts, Lee's run does not.
    EXPECT_EQ(row("Kim", "F").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Lee", "T").usedCode, scoring::NotUsed);
}

TEST_F(TopAthleteTaggingTest, GendersScoredApartAreRankedAndShortApart)
{
    add("OAK", "Ann", 13, "T", 700, "F");
    add("OAK", "Bea", 13, "T", 650, "F");
    add("OAK", "Abe", 13, "T", 600, "M");
    scoring::TopAthleteSettings s;
    s.agesCounts = "1,0,0";
    s.maxPerfsPerAthlete = 1;
    s.splitGenders = true;
    const scoring::TopAthleteTagging tagging = tagTopAthletes(m_rows, s, m_ages);
    // Each gender's best of age 13 counts; both start their ranks at 1.
    EXPECT_EQ(row("Ann", "T").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Abe", "T").usedCode, scoring::UsedForAge);
    EXPECT_EQ(row("Abe", "T").allRank, 1);
    EXPECT_EQ(row("Bea", "T").usedCode, scoring::NotUsed);
    EXPECT_EQ(row("Bea", "T").unit, "OAK Female");
    EXPECT_TRUE(tagging.shortages.isEmpty());
    // Together, Ann alone counts.
    s.splitGenders = false;
    tagTopAthletes(m_rows, s, m_ages);
    EXPECT_EQ(row("Abe", "T").usedCode, scoring::NotUsed);
    EXPECT_EQ(row("Abe", "T").allRank, 3);
}

TEST(TopAthleteTotals, GendersSummedAddEachTeamsTotalsAndRankAgain)
{
    QList<scoring::TopAthleteTeamTotal> totals{{1, 0, "F", 1, "OAK", "", 900, 2},
                                               {2, 0, "F", 2, "ELM", "", 800, 2},
                                               {1, 0, "M", 2, "ELM", "", 700, 1},
                                               {2, 0, "M", 1, "OAK", "", 500, 1},
                                               {1, 2, "M", 3, "ASH", "", 100, 1}};
    const QList<scoring::TopAthleteTeamTotal> sums = scoring::sumGenders(totals);
    ASSERT_EQ(sums.size(), 3);
    // League 0: ELM 1500 before OAK 1400; league 2 ranks apart.
    EXPECT_EQ(sums[0].abbreviation, "ELM");
    EXPECT_EQ(sums[0].score, 1500);
    EXPECT_EQ(sums[0].performances, 3);
    EXPECT_EQ(sums[1].place, 2);
    EXPECT_EQ(sums[2].place, 1);
    EXPECT_TRUE(sums[2].gender.isEmpty());
}

} // namespace
