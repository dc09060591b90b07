// A whole small meeting worked out by hand: two leagues with their own place points, an
// individual event with a record and a disqualification, one with a tie, and a relay.

#include "records/recordsfixture.h"

#include "scoring/bestathletes.h"
#include "scoring/medalcount.h"
#include "scoring/placepoints.h"
#include "scoring/teamrecordscore.h"
#include "scoring/teamtotals.h"

namespace {

class SmallMeetingTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        noPlacePoints();
        scoring::PlacePointsTable points(database(), m_meetingNo);
        // League 1: 6 4 3 2, relays 12 8 6 4.  League 2: 5 3 1, relays 10 6 2.
        for (const auto& [league, point, relay] : {std::tuple{1, "6", "12"},
                                                   {1, "4", "8"},
                                                   {1, "3", "6"},
                                                   {1, "2", "4"},
                                                   {2, "5", "10"},
                                                   {2, "3", "6"},
                                                   {2, "1", "2"}})
            ASSERT_TRUE(points.increase(league, point, relay, 40));
        const qint64 national = newSet("NAT");
        setRecord(run().items(), national, "FRE____100M12W", "1:05.00");
        watch(national, false, 3);
        setMeeting("TEAMSCOREBASIS = 1, COMP_PLACEPOINTS_HAS_SETS = 1, SHAREPLACEPOINTS = 1, "
                   "DISQ_DEDUCT_POINTS = 2, MEDALBASEDON = 1, CHECKGOLD = 1, CHECKSILVER = 1, "
                   "CHECKBRONZE = 1, POINTGOLD = 1, POINTSILVER = 2, POINTBRONZE = 3, "
                   "OLDERSTARTAGE = 13, ATHLETESCOREEVENTS = 2");

        oak = addTeam("OAK", 1);
        elm = addTeam("ELM", 1);
        ash = addTeam("ASH", 2);
        fir = addTeam("FIR", 2);

        // 100 free boys: Ann breaks the record (+3), Eve is disqualified (-2).
        const qint64 free = addEvent("FRE____100M12W");
        addResult(free, addAthlete(oak, "Ann", "M", 12), oak, "1:04.00", 1);
        addResult(free, addAthlete(elm, "Ben", "M", 12), elm, "1:06.00", 2);
        addResult(free, addAthlete(ash, "Cal", "M", 12), ash, "1:06.50", 1);
        addResult(free, addAthlete(fir, "Dan", "M", 12), fir, "1:07.00", 2);
        addResult(free, addAthlete(oak, "Eve", "M", 12), oak, "1:03.00", 0, 0, 1);
        // 100 breast girls: Fay and Gus tie for first and share (6 + 4) / 2.
        const qint64 breast = addEvent("BRE____100F12W");
        addResult(breast, addAthlete(oak, "Fay", "F", 12), oak, "1:20.00", 1, 1);
        addResult(breast, addAthlete(elm, "Gus", "F", 12), elm, "1:20.00", 1, 1);
        addResult(breast, addAthlete(elm, "Hal", "F", 13), elm, "1:22.00", 3);
        addResult(breast, addAthlete(ash, "Ivy", "F", 12), ash, "1:21.00", 1);
        addResult(breast, addAthlete(fir, "Jay", "F", 12), fir, "1:23.00", 2);
        // The relay, by relay teams.
        const qint64 relay = addEvent("F_R4X50___M99W");
        addResult(relay, addAthlete(oak, "A", "M", 99), oak, "2:00.00", 1);
        addResult(relay, addAthlete(elm, "A", "M", 99), elm, "2:01.00", 2);
        addResult(relay, addAthlete(ash, "A", "M", 99), ash, "2:02.00", 1);
        addResult(relay, addAthlete(fir, "A", "M", 99), fir, "2:03.00", 2);
        // An event left out of the points and medals changes nothing.
        const qint64 fun = addEvent("BCK_____50M12W", true, true);
        addResult(fun, addAthlete(fir, "Kim", "M", 12), fir, "0:40.00", 1);
        m_sink.clear();
    }

    // "ABRV place points" per row of the totals.
    QStringList totals(int splits)
    {
        const scoring::TeamTotals t =
            scoring::teamTotals(database(), run().items(), run().meeting(), splits);
        EXPECT_TRUE(t.ok);
        QStringList list;
        for (const scoring::TeamTotalRow& r : t.rows)
            list << QString::number(r.place) + " " + r.abbreviation + " " +
                        scoring::pointsText(r.units);
        return list;
    }
    QStringList medals(bool byGender = false)
    {
        const scoring::MedalCount m =
            scoring::medalCount(database(), run().items(), run().meeting(), byGender);
        EXPECT_TRUE(m.ok);
        QStringList list;
        for (const scoring::MedalCountRow& r : m.rows)
            list << r.abbreviation + r.gender + " " + QString::number(r.gold) +
                        QString::number(r.silver) + QString::number(r.bronze);
        return list;
    }

    qint64 oak = 0, elm = 0, ash = 0, fir = 0;
};

TEST_F(SmallMeetingTest, TeamTotalsAddPlacesSharesRelaysTheRecordAndTheDeduction)
{
    // OAK 6 + 3 - 2 + 5 + 12 = 24; ELM 4 + 5 + 3 + 8 = 20; ASH 5 + 5 + 10 = 20;
    // FIR 3 + 3 + 6 = 12.
    EXPECT_EQ(totals(scoring::SplitNone),
              (QStringList{"1 OAK 24", "2 ASH 20", "2 ELM 20", "4 FIR 12"}));
    EXPECT_EQ(totals(scoring::SplitLeague),
              (QStringList{"1 OAK 24", "2 ELM 20", "1 ASH 20", "2 FIR 12"}));
    // By gender: boys OAK 6+3-2+12 = 19, ASH 15, ELM 12, FIR 9; girls ASH 5, ELM 8, OAK 5, FIR 3.
    EXPECT_EQ(totals(scoring::SplitGender),
              (QStringList{"1 ELM 8", "2 ASH 5", "2 OAK 5", "4 FIR 3", "1 OAK 19", "2 ASH 15",
                           "3 ELM 12", "4 FIR 9"}));
    const scoring::TeamTotals t =
        scoring::teamTotals(database(), run().items(), run().meeting(), scoring::SplitLeague);
    EXPECT_EQ(t.title, "Team Totals : ordered by CompNo");
    EXPECT_EQ(t.report().headers, (QStringList{"Place", "Team", "Name", "CompNo", "Points"}));
}

TEST_F(SmallMeetingTest, MedalsPerTeamByLeagueAndThenWithATeamLeftOut)
{
    EXPECT_EQ(medals(), (QStringList{"OAK 300", "ELM 121", "ASH 300", "FIR 030"}));
    EXPECT_EQ(medals(true), (QStringList{"OAKM 200", "ELMF 101", "OAKF 100", "ELMM 020", "ASHM 200",
                                         "ASHF 100", "FIRM 020", "FIRF 010"}));
    // OAK is left out: in league 1 its medals pass to ELM (Ben, Gus and the relay win,
    // Hal's third becomes silver).
    exec("update TEAM set EXCLUDE_MEDALS = 'X' where TEAMABRV = 'OAK'");
    setMeeting("MEDALS_XCLD_TEAMS = 1");
    EXPECT_EQ(medals(), (QStringList{"ELM 310", "OAK 000", "ASH 300", "FIR 030"}));
}

TEST_F(SmallMeetingTest, TheTeamScoreWithRecordsCountsTheBestPlacesAndTheRecord)
{
    scoring::TeamRecordScoreSettings settings;
    settings.placesCount = 1;
    settings.recordPoints = 5;
    const scoring::TeamRecordScore score =
        scoring::teamRecordScore(database(), run().items(), run().meeting(), settings);
    ASSERT_TRUE(score.ok);
    QStringList list;
    for (const scoring::TeamRecordScoreRow& r : score.rows)
        list << r.abbreviation + " " + scoring::pointsText(r.placeUnits) + "+" +
                    scoring::pointsText(r.relayUnits) + "+" + QString::number(r.recordCount) +
                    " = " + scoring::pointsText(r.total());
    // Per event and team only the best place counts, at the table's POINT of that place:
    // OAK 6 + 6 + relay 12 + one record (5); ELM 4 + 6 (Gus; Hal is its second) + 8.
    EXPECT_EQ(list, (QStringList{"OAK 12+12+1 = 29", "ASH 10+10+0 = 20", "ELM 10+8+0 = 18",
                                 "FIR 6+6+0 = 12"}));
    settings.placesCount = 0;
    EXPECT_FALSE(scoring::teamRecordScore(database(), run().items(), run().meeting(), settings).ok);
    EXPECT_TRUE(m_sink.saw("__0__ Places to Sum for this report does not make sense."));
}

TEST_F(SmallMeetingTest, TheBestAthletesOfEachGroupSumTheirBestPlaces)
{
    bool ok = false;
    const scoring::Report report = scoring::bestAthletes(database(), run().items(), run().meeting(),
                                                         scoring::GroupByJuniorSenior, 2, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(report.sections.size(), 2);
    EXPECT_EQ(report.sections[0].second, "Victor/Victrix Lodorum for: Junior");
    EXPECT_EQ(report.sections[1],
              (std::pair<int, QString>{2, "Victor/Victrix Lodorum for: Senior"}));
    // Juniors: Ann, Fay and Gus each 6 at first place; two per group, by name.
    EXPECT_EQ(report.rows[0], (QStringList{"1", "Ann, Sam", "OAK", "6"}));
    EXPECT_EQ(report.rows[1], (QStringList{"1", "Fay, Sam", "OAK", "6"}));
    EXPECT_EQ(report.rows[2], (QStringList{"1", "Hal, Sam", "ELM", "3"}));

    setMeeting("ATHLETESCOREEVENTS = 0");
    EXPECT_TRUE(
        scoring::bestAthletes(database(), run().items(), run().meeting(), 0, 3, &ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(m_sink.saw("The number of events to sum for each Athlete is not defined."));
}

TEST_F(SmallMeetingTest, ReportsRefuseAMeetingWithoutABasisOrPlaces)
{
    setMeeting("TEAMSCOREBASIS = 0");
    EXPECT_FALSE(scoring::teamTotals(database(), run().items(), run().meeting()).ok);
    EXPECT_TRUE(m_sink.saw("The TeamscoreBasis is not defined."));
    setMeeting("TEAMSCOREBASIS = 7");
    EXPECT_FALSE(scoring::teamTotals(database(), run().items(), run().meeting()).ok);
    EXPECT_TRUE(
        m_sink.saw("The TeamScoreBasis of this Meeting is probably deprecated or modified."));
    setMeeting("TEAMSCOREBASIS = 1");
    exec("update PARTICIPATE set PLACE = 0");
    EXPECT_FALSE(scoring::teamTotals(database(), run().items(), run().meeting()).ok);
    EXPECT_TRUE(m_sink.saw("There are no Athletes Placed in Finals yet"));
}

} // namespace
