#include "records/recordsfixture.h"

#include "records/recordcheck.h"
#include "scoring/placepoints.h"
#include "scoring/resultpoints.h"

namespace {

using scoring::PlacePointsTable;

class PlacePointsTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        noPlacePoints();
    }
    // Places 1 to 4 of a league with these points (relays twice as much).
    void table(int league, const QList<double>& points)
    {
        PlacePointsTable t(database(), m_meetingNo);
        for (double p : points)
            ASSERT_TRUE(t.increase(league, QString::number(p), QString::number(2 * p), 40));
    }
    double pointsOf(const scoring::ResultForPoints& r)
    {
        records::RecordCheck check(database(), run().items(), run().meeting());
        return scoring::PlacePoints(database(), run().items(),
                                    scoring::ScoringSettings::of(run().meeting()), m_meetingNo,
                                    &check)
            .points(r);
    }
};

TEST_F(PlacePointsTest, IncreaseAppendsDecreaseAsksAndTheLimitHolds)
{
    PlacePointsTable t(database(), m_meetingNo);
    EXPECT_FALSE(t.decrease(0));
    EXPECT_TRUE(m_sink.saw("No Place to delete"));
    EXPECT_TRUE(t.increase(0, "6", "12", 2));
    EXPECT_TRUE(t.increase(0, "4.5", "9", 2));
    EXPECT_FALSE(t.increase(0, "3", "6", 2));
    EXPECT_TRUE(m_sink.saw("You are already at the Place-limit: 2"));
    EXPECT_FALSE(t.increase(0, "-1", "0", 5));
    EXPECT_FALSE(t.increase(0, "lots", "0", 5));
    EXPECT_TRUE(m_sink.saw("The score must be a number, and not negative."));
    const QList<scoring::PlacePointRow> rows = t.ofLeague(0);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].place, 2);
    EXPECT_EQ(scoring::pointsText(rows[1].point), "4.5");

    EXPECT_FALSE(t.setPoints(0, 3, "1", false));
    EXPECT_TRUE(m_sink.saw("First add a place to edit"));
    m_sink.answerNo();
    EXPECT_FALSE(t.decrease(0));
    EXPECT_TRUE(m_sink.saw("Delete the last place (2) for points"));
    m_sink.answerYes();
    EXPECT_TRUE(t.decrease(0));
    EXPECT_EQ(t.ofLeague(0).size(), 1);
}

TEST_F(PlacePointsTest, TheCheckFindsMissingAndRisingPointsAndLeaguesWithoutATable)
{
    addTeam("OAK", 1);
    addTeam("ELM", 2);
    PlacePointsTable t(database(), m_meetingNo);
    EXPECT_EQ(t.leagues(), (QList<int>{1, 2}));
    t.increase(1, "5", "10", 40);
    t.increase(1, "0", "0", 40);
    t.increase(1, "6", "8", 40);
    const QStringList errors = t.errors(true);
    EXPECT_EQ(errors,
              (QStringList{"No points were entered for place 2",
                           "The  points for place 3 (6) may not be more  than the points for the "
                           "previous place (0)",
                           "The relay- points for place 3 (8) may not be more  than the points for "
                           "the previous place (0)",
                           "No Points for Competition 2"}));
    m_sink.answerNo();
    EXPECT_FALSE(t.checkBeforeUse(true));
    EXPECT_TRUE(m_sink.saw("Errors in PlacePoints"));
    EXPECT_TRUE(m_sink.saw("Continue nevertheless"));
    // One table for everyone: league 0 is all that is needed.
    EXPECT_EQ(t.errors(false), QStringList{"No Points for Competition 0"});
}

TEST_F(PlacePointsTest, SettingAPlaceThatWouldRiseIsRefusedAndNothingChanges)
{
    PlacePointsTable t(database(), m_meetingNo);
    EXPECT_TRUE(t.setChecked(0, 1, "6", false, 40));
    EXPECT_TRUE(t.setChecked(0, 2, "4", false, 40));
    EXPECT_FALSE(t.setChecked(0, 3, "5", false, 40));
    EXPECT_TRUE(m_sink.saw("The  points for place 3 (5) may not be more  than"));
    EXPECT_FALSE(t.setChecked(0, 5, "1", false, 40));
    EXPECT_FALSE(t.setChecked(0, 1, "3", false, 40));
    EXPECT_EQ(t.ofLeague(0).size(), 2);
    EXPECT_EQ(scoring::pointsText(t.ofLeague(0)[0].point), "6");
    EXPECT_TRUE(t.setChecked(0, 2, "3", true, 40));
    EXPECT_EQ(scoring::pointsText(t.ofLeague(0)[1].relay), "3");
}

TEST_F(PlacePointsTest, TiedThirdsShareTheirTwoPlacesOrEachTakeTheThirdsPoints)
{
    table(0, {6, 5, 4, 3});
    const QString item = "FRE____100M12W";
    setMeeting("SHAREPLACEPOINTS = 1");
    EXPECT_DOUBLE_EQ(pointsOf({0, 3, 1, 0, "1:10.00", false, item}), 3.5);
    EXPECT_DOUBLE_EQ(pointsOf({0, 1, 0, 0, "1:10.00", false, item}), 6);
    // Three sharing the fourth place reach past the table's end: only the fourth counts.
    EXPECT_DOUBLE_EQ(pointsOf({0, 4, 2, 0, "1:10.00", false, item}), 1);
    setMeeting("SHAREPLACEPOINTS = 0");
    EXPECT_DOUBLE_EQ(pointsOf({0, 3, 1, 0, "1:10.00", false, item}), 4);
    // A third of ten is kept to four decimals.
    exec("update PLACEPOINT set POINT = 5 where PLACE = 2");
    exec("update PLACEPOINT set POINT = 5 where PLACE = 3");
    setMeeting("SHAREPLACEPOINTS = 1");
    EXPECT_DOUBLE_EQ(pointsOf({0, 1, 2, 0, "1:10.00", false, item}), 5.3333);
}

TEST_F(PlacePointsTest, RelaysLeaguesExclusionsAndDisqualifications)
{
    table(0, {6, 5, 4, 3});
    table(2, {9, 7});
    EXPECT_DOUBLE_EQ(pointsOf({0, 1, 0, 0, "2:00.00", false, "F_R4X50___M99W"}), 12);
    EXPECT_DOUBLE_EQ(pointsOf({2, 1, 0, 0, "1:00.00", false, "FRE____100M12W"}), 6);
    setMeeting("COMP_PLACEPOINTS_HAS_SETS = 1");
    EXPECT_DOUBLE_EQ(pointsOf({2, 1, 0, 0, "1:00.00", false, "FRE____100M12W"}), 9);
    EXPECT_DOUBLE_EQ(pointsOf({2, 3, 0, 0, "1:00.00", false, "FRE____100M12W"}), 0);
    EXPECT_DOUBLE_EQ(pointsOf({2, 1, 0, 0, "1:00.00", true, "FRE____100M12W"}), 0);
    EXPECT_DOUBLE_EQ(pointsOf({2, 0, 0, 2, "", false, "FRE____100M12W"}), 0);
    setMeeting("DISQ_DEDUCT_POINTS = 2");
    EXPECT_DOUBLE_EQ(pointsOf({2, 0, 0, 2, "", false, "FRE____100M12W"}), -2);
    // A disqualification deducts even when it kept a place.
    EXPECT_DOUBLE_EQ(pointsOf({2, 1, 0, 3, "1:00.00", false, "FRE____100M12W"}), -2);
}

TEST_F(PlacePointsTest, AWinnerWhoBreaksARecordEarnsTheBonusButNotForEqualling)
{
    table(0, {6, 5, 4, 3});
    const qint64 national = newSet("NAT");
    setRecord(run().items(), national, "FRE____100M12W", "1:05.00");
    watch(national, false, 3);
    const QString item = "FRE____100M12W";
    EXPECT_DOUBLE_EQ(pointsOf({0, 1, 0, 0, "1:04.00", false, item}), 9);
    EXPECT_DOUBLE_EQ(pointsOf({0, 1, 0, 0, "1:05.00", false, item}), 6);
    // Only a winner: a second place that also beat the record earns its place only.
    EXPECT_DOUBLE_EQ(pointsOf({0, 2, 0, 0, "1:04.50", false, item}), 5);
}

TEST_F(PlacePointsTest, AFailedStandardSetsThePenaltyAndEndsThere)
{
    table(0, {6, 5, 4, 3});
    const qint64 standard = newSet("QS");
    setRecord(run().items(), standard, "FRE____100M12W", "1:20.00");
    watch(standard, true, -1);
    const QString item = "FRE____100M12W";
    EXPECT_DOUBLE_EQ(pointsOf({0, 2, 0, 0, "1:25.00", false, item}), -1);
    EXPECT_DOUBLE_EQ(pointsOf({0, 2, 0, 0, "1:15.00", false, item}), 5);
    // Without a standard for the item nobody fails it.
    EXPECT_DOUBLE_EQ(pointsOf({0, 2, 0, 0, "3:25.00", false, "FRE____200M12W"}), 5);
}

} // namespace
