// Team totals, medals and best athletes on table scores (the meeting of
// tablescoremeeting.h).

#include "scoring/tablescoremeeting.h"

#include "scoring/bestathletes.h"

namespace {

TEST_F(TableScoreBasisTest, TeamTotalsAddTheTableScoresOfTheCountingPlaces)
{
    // Places 1 to 3 count: OAK 966 + 830 + 862, ELM 897 + 935 (Ben's fourth jump does not
    // count), ASH 790 (Dan's fourth 100 m does not).
    EXPECT_EQ(totals(), (QStringList{"1 OAK 2658", "2 ELM 1832", "3 ASH 790"}));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
    // Only the winners: OAK 966, ELM 935, ASH nothing.
    setMeeting("TEAMSCOREPLACES = 1");
    EXPECT_EQ(totals(), (QStringList{"1 OAK 966", "2 ELM 935", "3 ASH 0"}));
}

TEST_F(TableScoreBasisTest, MedalsGoToEveryScoreThatReachesTheirValue)
{
    // 950/850/750: 100 m Ann 966 gold, Ben 897 silver, Cal 830 bronze; long jump Eve 935
    // and Ann 862 silver, Ben 697 nothing. ASH is left out of the medals.
    EXPECT_EQ(medals(), (QStringList{"OAK 111", "ELM 020", "ASH 000"}));
    // Counted again, Dan's 765 and 790 are both bronze.
    setMeeting("MEDALS_XCLD_TEAMS = 0");
    EXPECT_EQ(medals(), (QStringList{"OAK 111", "ELM 020", "ASH 002"}));
    // At 800/700/600 every score from 800 up is gold: OAK's three, Ben's 897 and Eve's 935;
    // Dan's 765 and 790 are silver, Ben's 697 bronze.
    setMeeting("POINTGOLD = 800, POINTSILVER = 700, POINTBRONZE = 600");
    EXPECT_EQ(medals(), (QStringList{"OAK 300", "ELM 201", "ASH 020"}));
}

TEST_F(TableScoreBasisTest, TheBestAthletesSumTheirBestTableScores)
{
    bool ok = false;
    const scoring::Report report =
        scoring::bestAthletes(database(), run().items(), run().meeting(), 0, 0, &ok);
    ASSERT_TRUE(ok);
    QStringList rows;
    for (const QStringList& row : report.rows)
        rows << row.join(' ');
    // Two best each: Ann 966 + 862, Ben 897 + 697, Dan 765 + 790, Eve 935, Cal 830.
    EXPECT_EQ(rows,
              (QStringList{"1 Ann, Sam OAK 1828", "2 Ben, Sam ELM 1594", "3 Dan, Sam ASH 1555",
                           "4 Eve, Sam ELM 935", "5 Cal, Sam OAK 830"}));
}

TEST_F(TableScoreBasisTest, WithoutAUsableScoreTableTheReportsRefuseOnce)
{
    // A set whose data is not at hand: one message for the whole report.
    setMeeting("SCORESETNO = 18");
    m_sink.clear();
    EXPECT_EQ(totals(), QStringList{"refused"});
    EXPECT_EQ(medals(), QStringList{"refused"});
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 2);
    EXPECT_TRUE(lastText().contains("The ScoreTable for WorldAth 2008 is not available"))
        << lastText().toStdString();
    // A meeting that does not score its events has no table scores to add.
    m_sink.clear();
    setMeeting("SCORESETNO = 5, HAS_TABLE_SCORE = 0");
    EXPECT_EQ(totals(), QStringList{"refused"});
    EXPECT_TRUE(lastText().startsWith("Since this Meeting does not use a Score Table"));
}

TEST_F(TableScoreBasisTest, MastersCountOnTheOpenTableAndTooYoungAthletesAreReportedOnce)
{
    const qint64 old = addTeam("OLD");
    const qint64 event = eventOf("SHD____100M25");
    addResult(event, addAthlete(old, "Gil", "M", 41), old, perf("SHD____100M25", "11.0"), 5);
    addResult(event, addAthlete(old, "Hap", "M", 47), old, perf("SHD____100M25", "11.1"), 6);
    // With masters items every athlete must be a senior: eight results, two messages, and
    // nothing counted for them. The two masters are graded by the WMA 2015 factors and,
    // hand timed, scored on WorldAth 2017 (24.63 x (17 - t)^2 per its rows):
    //   Gil, 40 group: 11.00 x 0.9578 + 0.01 = 10.5458 -> 10.54, + 0.24 = 10.78, which is
    //   row 95 itself (10.79 is worth 949.8): 950.
    //   Hap, 45 group: 11.10 x 0.9287 + 0.01 = 10.3186 -> 10.31, + 0.24 = 10.55, a third of
    //   the way from row 102 (10.56) to row 103 (10.53): 1023.3 -> 1023.
    setMeeting("TEAMSCOREPLACES = 8, HAS_MASTERS_ITEMS = 1");
    m_sink.clear();
    EXPECT_EQ(totals(), (QStringList{"1 OLD 1973", "2 ASH 0", "2 ELM 0", "2 OAK 0"}));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 2);
    EXPECT_TRUE(m_sink.saw("Age not < senior: SHD____100M25"));
    EXPECT_TRUE(m_sink.saw("Age not < senior: JMPLong___M25"));
}

} // namespace
