#include "records/recordsfixture.h"

#include "meeting/itemtypes.h"
#include "scoring/athletetablescore.h"

namespace {

// A made-up World Athletics row table for the 100 m: 20.00 s at row 0, 0.05 s better per
// row; our numbers, not published ones.
QString madeUpWaRows(int set)
{
    QStringList v;
    for (int row = 0; row <= 140; ++row)
        v << QString::number(2000 - 5 * row);
    return QStringLiteral("set ") + QString::number(set) +
           QStringLiteral("\nsource made-up test rows\nitem SHD____100M25 T first=1995 "
                          "middle=1650 last=1300 values=") +
           v.join(QLatin1Char(','));
}

class MastersScoreTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        m_team = addTeam("OAK");
        QString error;
        // The published age factors as built in, and a made-up table to score on.
        ASSERT_TRUE(m_data.loadFile(":/data/scoresets/set35.txt", &error)) << error.toStdString();
        ASSERT_TRUE(m_data.loadText(madeUpWaRows(32), "made-up", &error)) << error.toStdString();
    }
    std::optional<int> score(const scoring::ScoreData& data, const QString& item,
                             const QString& perf, qint64 athlete, int nAthlon = 0)
    {
        scoring::TableScores scores(m_items, messages(), data);
        scoring::TableScoreSettings settings;
        settings.scoreSet = 37; // never used for masters
        settings.nAthlonScoreSet = 5;
        settings.hasTableScore = true;
        scoring::AthleteScores athletes(database(), scores, settings);
        return athletes.AthleteTableScore(item, perf, athlete, true, 1, nAthlon);
    }

    meeting::ItemTypes m_items{meeting::Edition::Athletics, messages()};
    scoring::ScoreData m_data;
    qint64 m_team = 0;
};

TEST_F(MastersScoreTest, ThePublishedFactorsAreBuiltInByItemFamilyAndAgeGroup)
{
    const scoring::ScoreSetData* factors = scoring::ScoreData::builtIn().ageFactorSet();
    ASSERT_NE(factors, nullptr);
    EXPECT_EQ(factors->number, 35);
    EXPECT_DOUBLE_EQ(factors->ageFactors.value("SHD____100M").value(40), 0.9578);
    EXPECT_DOUBLE_EQ(factors->ageFactors.value("HDL_____80F").value(60), 0.9924);
    EXPECT_DOUBLE_EQ(factors->ageFactors.value("JMPLong___F").value(95), 4.4235);
    // An age group throwing one of several implements is not in the file.
    EXPECT_FALSE(factors->ageFactors.value("THRShotputM").contains(50));
    EXPECT_TRUE(factors->ageFactors.value("THRShotputM").contains(45));
    EXPECT_FALSE(factors->ageFactors.contains("JMPHigh___M"));
    // Every factor of the file passes the scoring's own range check.
    for (const QMap<int, double>& byAge : factors->ageFactors)
        for (const double f : byAge)
            EXPECT_TRUE(f > 0.1 && f < 20) << f;
}

TEST_F(MastersScoreTest, GradedPerformancesAreCutToHundredthsRacesOneHundredthSlower)
{
    EXPECT_EQ(scoring::mastersAgeGroup(35), 35);
    EXPECT_EQ(scoring::mastersAgeGroup(44), 40);
    EXPECT_EQ(scoring::mastersAgeGroup(97), 95);
    // 16.00 x 0.9578 = 15.3248, + 0.01 = 15.3348 -> 15.33.
    EXPECT_DOUBLE_EQ(scoring::ageGraded(16.00, 0.9578, false), 15.33);
    // 5.00 m x 1.0899 = 5.4495 -> 5.44, cut rather than rounded, nothing added.
    EXPECT_DOUBLE_EQ(scoring::ageGraded(5.00, 1.0899, true), 5.44);
    // 11.00 x 0.9 is 9.9 exactly, not 9.89.
    EXPECT_DOUBLE_EQ(scoring::ageGraded(11.00, 0.9, true), 9.90);
}

TEST_F(MastersScoreTest, AMastersResultIsGradedAndScoredOnTheOpenTable)
{
    const qint64 master = addAthlete(m_team, "Cole", "M", 42);
    // 15.33 on the made-up rows: between row 93 (15.35) and 94 (15.30), row 93.4 -> 934;
    // the same time ungraded would be worth 800.
    EXPECT_EQ(score(m_data, "SHD____100M40", "16.00", master), 934);
    EXPECT_EQ(score(m_data, "SHD____100M99", "16.00", master), 934);
    EXPECT_EQ(score(m_data, "SHD____100M40", "", master), 0);
    // On the built-in tables, at 40: 12.50 x 0.9578 + 0.01 = 11.9825 -> 11.98, which is row
    // 62 of the 2017 men's 100 m (17 - sqrt(620 / 24.63) = 11.9828 is the slowest 620).
    const qint64 forty = addAthlete(m_team, "Dale", "M", 40);
    EXPECT_EQ(score(scoring::ScoreData::builtIn(), "SHD____100M40", "12.50", forty), 620);
    // A senior of 30 is scored as the open age, ungraded.
    const qint64 senior = addAthlete(m_team, "Bell", "M", 30);
    EXPECT_FALSE(score(m_data, "SHD____100M99", "16.00", senior).has_value()); // set 37
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2022 is not available"));
}

TEST_F(MastersScoreTest, MissingFactorsAndTablesAreRefusedNamingWhatIsMissing)
{
    const qint64 thrower = addAthlete(m_team, "Dunn", "M", 52);
    EXPECT_FALSE(score(m_data, "THRShotputM50", "12.00", thrower).has_value());
    EXPECT_TRUE(
        m_sink.saw("No Age-Factor for THRShotputM50 at the age of 50 in WMA AgeFactors 2015"));
    m_sink.clear();
    // The factors without the World Athletics table they feed.
    scoring::ScoreData factorsOnly;
    QString error;
    ASSERT_TRUE(factorsOnly.loadFile(":/data/scoresets/set35.txt", &error));
    const qint64 master = addAthlete(m_team, "Cole", "M", 42);
    EXPECT_FALSE(score(factorsOnly, "SHD____100M40", "12.00", master).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2017 is not available"));
    m_sink.clear();
    // Components of a combined event go to the combined-event table, not at hand either.
    exec("update ATHLETE set N_ATHLON = 10 where ATHLETENO = " + QString::number(master));
    EXPECT_FALSE(score(m_data, "SHD____100M40", "12.00", master, 10).has_value());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2008 Comb is not available"));
    m_sink.clear();
    // Without any factor set the masters cannot be graded at all.
    scoring::ScoreData tablesOnly;
    ASSERT_TRUE(tablesOnly.loadText(madeUpWaRows(32), "made-up", &error));
    EXPECT_FALSE(score(tablesOnly, "SHD____100M40", "12.00", master).has_value());
    EXPECT_TRUE(
        m_sink.saw("No Age-Factor for SHD____100M40: the masters age factors are not loaded"));
}

TEST_F(MastersScoreTest, AFactorOutOfRangeIsAnErrorAndCountsAsOne)
{
    QString error;
    // Made-up: the 2018 factors win over the 2015 ones when both are at hand.
    ASSERT_TRUE(
        m_data.loadText("set 36\nsource made-up\nfactors SHD____100M 40=25\n", "made-up", &error))
        << error.toStdString();
    const qint64 master = addAthlete(m_team, "Cole", "M", 42);
    // 16.00 + 0.01 -> row (2000 - 1601) / 5 = 79.8 -> 798.
    EXPECT_EQ(score(m_data, "SHD____100M40", "16.00", master), 798);
    EXPECT_TRUE(m_sink.saw("Invalid factor: SHD____100M40"));
    EXPECT_FALSE(
        m_data.loadText("set 36\nsource made-up\nfactors SHD____100M 37=0.9\n", "made-up", &error));
    EXPECT_EQ(error, "made-up line 3: expected AGE=FACTOR with an age group of 35 to 95, found "
                     "\"37=0.9\"");
}

} // namespace
