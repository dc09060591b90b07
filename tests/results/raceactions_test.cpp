#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "meeting/meetingupdate.h"
#include "results/raceactions.h"
#include "results/statuscodes.h"

using namespace results;

namespace {

class RaceActionsTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(3);
        m_heat = drawHeat(m_event, "A", 1, m_swimmers);
        ASSERT_TRUE(database().execute(
            "update HEATPART set PERFORMANCE = " + db::quoted(time(m_free50, 30.5)) +
            ", E_PLACE = 1, PLACE = 1 where ATHLETENO = " + db::sqlInt(m_swimmers[0])));
        m_sink.clear();
    }
    qint64 m_event = 0;
    qint64 m_heat = 0;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(RaceActionsTest, DisqualifyingClearsTheTimeAndPlaceAndClearingAsksFirst)
{
    RaceActions actions(run());
    ASSERT_TRUE(actions.disqualify(programRow(m_heat), athleteIn(m_heat, m_swimmers[0]), kDnf));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_STATUS"), "4");
    EXPECT_EQ(column(m_heat, m_swimmers[0], "PERFORMANCE"), "");
    EXPECT_EQ(column(m_heat, m_swimmers[0], "E_PLACE"), "0");

    m_sink.answerNo();
    EXPECT_FALSE(actions.clearStatus(programRow(m_heat), athleteIn(m_heat, m_swimmers[0])));
    EXPECT_TRUE(m_sink.saw("Remove the \"Disqualified\" tag from this athlete"));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_STATUS"), "4");
    m_sink.answerYes();
    EXPECT_TRUE(actions.clearStatus(programRow(m_heat), athleteIn(m_heat, m_swimmers[0])));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_STATUS"), "0");

    m_sink.clear();
    EXPECT_FALSE(actions.clearStatus(programRow(m_heat), athleteIn(m_heat, m_swimmers[1])));
    EXPECT_TRUE(m_sink.saw("This athlete is not disqualified"));
    EXPECT_FALSE(actions.disqualify(programRow(m_heat), CaptureAthleteRow(), kDisq));
    EXPECT_TRUE(m_sink.saw("No athlete to disqualify"));
}

TEST_F(RaceActionsTest, TheRaceWindIsCheckedAndCanBeWiped)
{
    RaceActions actions(run());
    // Swimming items take no wind: the user is asked before editing it anyway.
    m_sink.answerNo();
    EXPECT_FALSE(actions.mayEditRaceWind(programRow(m_heat)));
    EXPECT_TRUE(m_sink.saw("This Item is not wind-dependant.  Edit wind anyway?"));
    m_sink.clear();
    m_sink.answerYes();
    m_sink.answerYes();
    EXPECT_TRUE(actions.mayEditRaceWind(programRow(m_heat)));
    EXPECT_TRUE(m_sink.saw("You indicated that the Meeting need no WindSpeeds."));

    EXPECT_FALSE(actions.setRaceWind(programRow(m_heat), "windy"));
    EXPECT_EQ(programRow(m_heat).wind, "");
    EXPECT_TRUE(actions.setRaceWind(programRow(m_heat), "+1.5"));
    EXPECT_EQ(programRow(m_heat).wind, "+1.5");
    EXPECT_TRUE(actions.setRaceWind(programRow(m_heat), ""));
    EXPECT_EQ(programRow(m_heat).wind, "");
}

TEST_F(RaceActionsTest, TagsOfTheHeatAndTheEvent)
{
    RaceActions actions(run());
    EXPECT_TRUE(actions.setQueried(programRow(m_heat), true));
    EXPECT_TRUE(programRow(m_heat).queried);
    EXPECT_TRUE(actions.setQueried(programRow(m_heat), false));
    EXPECT_FALSE(programRow(m_heat).queried);

    EXPECT_TRUE(actions.setTiming(programRow(m_heat), 2));
    EXPECT_EQ(programRow(m_heat).elecHand, 2);

    EXPECT_TRUE(actions.setResultsPrinted(programRow(m_heat), true, false));
    m_sink.answerYes();
    EXPECT_TRUE(actions.setResultsPrinted(programRow(m_heat), false));
    EXPECT_TRUE(m_sink.saw("Remove the \"Results Printed\" tag from this event"));
    EXPECT_FALSE(programRow(m_heat).resultsPrinted);

    // No entries is refused while swimmers are entered, and allowed for an empty event.
    EXPECT_FALSE(actions.setNoEntries(programRow(m_heat), true));
    EXPECT_FALSE(programRow(m_heat).noEntries);
    const qint64 empty = addEvent("BCK_____50M13W");
    const qint64 emptyFinal = programNoOf(database(), empty, "F", 0);
    EXPECT_TRUE(actions.setNoEntries(programRow(emptyFinal), true));
    EXPECT_TRUE(programRow(emptyFinal).noEntries);
    EXPECT_TRUE(actions.setNoEntries(programRow(emptyFinal), false));
    EXPECT_FALSE(programRow(emptyFinal).noEntries);
}

TEST_F(RaceActionsTest, DeletingIsRefusedWhileTheSwimmerIsElsewhere)
{
    RaceActions actions(run());
    const qint64 final = programNoOf(database(), m_event, "F", 0);
    // In a heat of the event: neither the entry nor the swimmer can go.
    EXPECT_FALSE(actions.deleteParticipation(programRow(final), athleteIn(final, m_swimmers[0])));
    EXPECT_TRUE(m_sink.saw("You cannot delete this Athlete.  It participates in Heats"));
    EXPECT_EQ(count("PARTICIPATE", "ATHLETENO = " + db::sqlInt(m_swimmers[0])), 1);

    // A swimmer entered in a second event keeps the athlete row.
    const qint64 other = addEvent("BCK_____50M13W");
    const qint64 lone = addSwimmer("Lone");
    drawFinal(m_event, {lone});
    enter(other, lone);
    m_sink.clear();
    EXPECT_FALSE(actions.deleteAthlete(programRow(final), athleteIn(final, lone)));
    EXPECT_TRUE(m_sink.saw("It participates in other Items"));
    EXPECT_EQ(count("ATHLETE", "ATHLETENO = " + db::sqlInt(lone)), 1);

    // The entry in this final can go (after the question), then the swimmer.
    m_sink.answerYes();
    EXPECT_TRUE(actions.deleteParticipation(programRow(final), athleteIn(final, lone)));
    EXPECT_EQ(count("PARTICIPATE",
                    "ATHLETENO = " + db::sqlInt(lone) + " and EVENTNO = " + db::sqlInt(m_event)),
              0);
    database().execute("delete from PARTICIPATE where EVENTNO = " + db::sqlInt(other));
    enter(m_event, lone, 5);
    m_sink.answerYes();
    EXPECT_TRUE(actions.deleteAthlete(programRow(final), athleteIn(final, lone)));
    EXPECT_EQ(count("ATHLETE", "ATHLETENO = " + db::sqlInt(lone)), 0);
    EXPECT_EQ(count("PARTICIPATE", "ATHLETENO = " + db::sqlInt(lone)), 0);
}
