#include "records/recordsfixture.h"

#include "meeting/itemtypes.h"
#include "scoring/athletetablescore.h"
#include "scoring/scoringsettings.h"

namespace {

class AthleteTableScoreTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        m_team = addTeam("OAK");
    }
    std::optional<int> score(const scoring::TableScoreSettings& settings, const QString& item,
                             const QString& perf, qint64 athlete, bool clamp = true, int timing = 1,
                             int nAthlon = 0,
                             const scoring::ScoreData& data = scoring::ScoreData::builtIn())
    {
        scoring::TableScores scores(m_items, messages(), data);
        scoring::AthleteScores athletes(database(), scores, settings);
        return athletes.AthleteTableScore(item, perf, athlete, clamp, timing, nAthlon);
    }
    static scoring::TableScoreSettings tableScores(int set)
    {
        scoring::TableScoreSettings s;
        s.scoreSet = set;
        s.nAthlonScoreSet = 5;
        s.hasTableScore = true;
        return s;
    }

    meeting::ItemTypes m_items{meeting::Edition::Athletics, messages()};
    qint64 m_team = 0;
};

TEST_F(AthleteTableScoreTest, ClampingLimitsToTwelveHundredExceptUnderWorldAth2003)
{
    // 9.58 s is printed as worth 1202 decathlon points; set 5 is never clamped.
    EXPECT_EQ(score(tableScores(5), "SHD____100M25", "9.58", 0), 1202);

    // A made-up ABSA 2003 item, reached from ABSA 2007 through ABSA 2006.
    scoring::ScoreData data;
    QString error;
    ASSERT_TRUE(data.loadText("set 4\nsource made-up\nitem SHD____100M25 T pref=10.00 klow=90 "
                              "khigh=110 r=1.5\n",
                              "made-up", &error));
    const scoring::AbsaConstants k{10.0, 90.0, 110.0, 1.5};
    const QString fast = QString::number(scoring::absaPerf(1250, false, k), 'f', 2);
    const std::optional<int> unclamped =
        score(tableScores(15), "SHD____100M25", fast, 0, false, 1, 0, data);
    ASSERT_TRUE(unclamped.has_value());
    EXPECT_NEAR(*unclamped, 1250, 3);
    EXPECT_EQ(score(tableScores(15), "SHD____100M25", fast, 0, true, 1, 0, data), 1200);
    EXPECT_EQ(score(tableScores(15), "SHD____100M25", "10.00", 0, true, 1, 0, data), 1000);
}

TEST_F(AthleteTableScoreTest, OnlyCombinedEventComponentsScoreWithoutTableScores)
{
    scoring::TableScoreSettings s = tableScores(5);
    s.hasTableScore = false;
    const qint64 decathlete = addAthlete(m_team, "Ames", "M", 25);
    exec(QStringLiteral("update ATHLETE set N_ATHLON = 10 where ATHLETENO = ") +
         db::sqlInt(decathlete));
    EXPECT_EQ(score(s, "SHD____100M25", "10.51", decathlete, true, 1, 10), 973);
    EXPECT_EQ(score(s, "SHD____100M25", "10.51", decathlete, true, 1, 0), 0);
    // The total item itself is no component.
    EXPECT_EQ(score(s, "NTH_____10M25", "7576", decathlete, true, 1, 10), 0);
    // An athlete of another n-athlon is a fault of the caller.
    EXPECT_FALSE(score(s, "SHD____100M25", "10.51", decathlete, true, 1, 7).has_value());
    EXPECT_TRUE(m_sink.saw("nAthlon of Item and Athlete: 7 10"));
}

TEST_F(AthleteTableScoreTest, TheRaceTimingCodeOverridesTheMeetings)
{
    scoring::TableScoreSettings s = tableScores(5);
    s.timingCode = 2;
    EXPECT_EQ(score(s, "SHD____100M25", "10.90", 0, true, 0), 830);
    EXPECT_EQ(score(s, "SHD____100M25", "10.90", 0, true, 1), 883);
    s.timingCode = 1;
    EXPECT_EQ(score(s, "SHD____100M25", "10.90", 0, true, 2), 830);
}

TEST_F(AthleteTableScoreTest, AgesPickTheSeniorOwnAgeOrOpenItem)
{
    EXPECT_EQ(scoring::itemForAge("SHD____100M99", 30, false).itemCode, "SHD____100M25");
    EXPECT_EQ(scoring::itemForAge("SHD____100M99", 17, false).itemCode, "SHD____100M17");
    EXPECT_EQ(scoring::itemForAge("SHD____100M17", 17, false).itemCode, "SHD____100M17");
    EXPECT_EQ(scoring::itemForAge("SHD____100M17", 17, true).refusal,
              "Age not < senior: SHD____100M17");
    const scoring::AgedItem master = scoring::itemForAge("SHD____100M99", 42, false);
    EXPECT_TRUE(master.masters);
    EXPECT_EQ(master.itemCode, "SHD____100M25");
    // Masters hurdles are scored on the open 110 m (men) and 100 m (women).
    EXPECT_EQ(scoring::itemForAge("HDL_____80F60", 62, false).itemCode, "HDL____100F25");
    EXPECT_EQ(scoring::itemForAge("HDL____100M50", 52, false).itemCode, "HDL____110M25");
    EXPECT_EQ(scoring::itemForAge("HDL____400M50", 52, false).itemCode, "HDL____400M25");
    EXPECT_EQ(scoring::itemForAge("HDL_____80X60", 62, false).refusal, "Invalid relay gender");

    const qint64 senior = addAthlete(m_team, "Bell", "M", 30);
    EXPECT_EQ(score(tableScores(5), "SHD____100M99", "10.51", senior), 973);
}

TEST_F(AthleteTableScoreTest, TheSwimmingEditionClearsTheTableScoreMark)
{
    setMeeting("HAS_TABLE_SCORE = 1, SCORESETNO = 19");
    reload();
    EXPECT_TRUE(scoring::clearSwimmingTableScore(run()));
    EXPECT_TRUE(
        m_sink.saw("This Setting will now be cleared since Dolvane has no Score tables yet."));
    EXPECT_EQ(value("select HAS_TABLE_SCORE from MEETING where MEETINGNO = " +
                    QString::number(m_meetingNo)),
              "0");
    m_sink.clear();
    EXPECT_FALSE(scoring::clearSwimmingTableScore(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(AthleteTableScoreTest, OnlySetsWithDataAreListedForMeetingsToChoose)
{
    // The combined-event constants and the three World Athletics tables; not the age factors.
    EXPECT_EQ(scoring::registerScoreSets(database()), 4);
    EXPECT_EQ(scoring::registerScoreSets(database()), 0);
    EXPECT_EQ(count("SCORESET"), 4);
    EXPECT_EQ(value("select FORMULA from SCORESET where SCORESETNO = 5"), "IAAF_2003");
    EXPECT_EQ(value("select FORMULA from SCORESET where SCORESETNO = 30"), "IAAF_2014");
    EXPECT_EQ(value("select FORMULA from SCORESET where SCORESETNO = 32"), "IAAF_2017");
    EXPECT_EQ(value("select DESCRIPTION from SCORESET where SCORESETNO = 37"), "WorldAth 2022");
    setMeeting("NATHLON_SCORESET = 5");
    reload();
    EXPECT_FALSE(m_sink.saw("is currently not available"));
    setMeeting("NATHLON_SCORESET = 19");
    reload();
    EXPECT_TRUE(m_sink.saw("The n-Athlon Scoreset that is selected for this Meeting,19, is "
                           "currently not available."));
}

} // namespace
