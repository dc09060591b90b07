#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/participations.h"
#include "entries/relaymembers.h"
#include "entries/relayteams.h"
#include "entries/teams.h"
#include "meeting/itemtypes.h"

using entries::AthleteRow;
using entries::Participations;
using entries::RelayTeams;

class ParticipationsTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_team = entries::Teams(database(), m_meeting)
                     .add({0, QStringLiteral("Oak Park"), QStringLiteral("OAK"), true, true});
        AthleteRow a;
        a.teamNo = m_team;
        a.surname = QStringLiteral("BOTHA");
        a.firstName = QStringLiteral("Jan");
        a.gender = QStringLiteral("M");
        a.age = 13;
        m_athlete = entries::Athletes(database(), settings()).add(a);
        ASSERT_NE(m_athlete, 0);
    }

    qint64 m_team = 0;
    qint64 m_athlete = 0;
};

TEST_F(ParticipationsTest, bestPerformancesAreStoredInTheItemsCanonicalForm)
{
    meeting::ItemTypes items(meeting::Edition::Swimming, messages());
    const QString fifty = QStringLiteral("FRE_____50M13W");
    EXPECT_EQ(entries::readBestPerformance(items, fifty, QStringLiteral("31.25")).text,
              QStringLiteral("0:31.25"));
    EXPECT_TRUE(entries::readBestPerformance(items, fifty, QStringLiteral("31.25")).repaired);
    EXPECT_EQ(entries::readBestPerformance(items, fifty, QStringLiteral("0:31,5")).text,
              QStringLiteral("0:31.50"));
    EXPECT_EQ(entries::readBestPerformance(items, fifty, QStringLiteral("31.2a")).refusal,
              QStringLiteral("Best Before may only contain numeric characters: 31.2a"));
    EXPECT_EQ(entries::readBestPerformance(items, fifty, QStringLiteral("12:00.00")).refusal,
              QStringLiteral("BestBefore is too large!"));
    EXPECT_EQ(entries::readBestPerformance(items, fifty, QStringLiteral("1.2.3")).refusal,
              QStringLiteral("BestBefore is not a valid time or distance!"));
    EXPECT_TRUE(entries::readBestPerformance(items, fifty, QString()).ok);
}

TEST_F(ParticipationsTest, enteringTwiceIsRefusedAndTheMostItemsOnlyWarns)
{
    setMeeting(QStringLiteral("MAXPARTSPERATH"), 1);
    const qint64 free = addEvent(QStringLiteral("FRE____100M13W"));
    const qint64 back = addEvent(QStringLiteral("BCK_____50M13W"));
    Participations entries(database(), settings());
    const qint64 part = entries.add(m_athlete, free, QStringLiteral("1:05.32"));
    ASSERT_NE(part, 0);
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where PARTNO = ") +
                    db::sqlInt(part)),
              QStringLiteral("1:05.32"));
    EXPECT_EQ(
        value(QStringLiteral("select TEAMNO from PARTICIPATE where PARTNO = ") + db::sqlInt(part)),
        QString::number(m_team));
    EXPECT_EQ(entries.add(m_athlete, free), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This Item is already selected for this Athlete")));
    EXPECT_NE(entries.add(m_athlete, back), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This athlete participates in 1 events.\rThe maximum "
                                          "allowed is 1.")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
    EXPECT_EQ(entries.itemsFor(m_athlete).size(), 2);
}

TEST_F(ParticipationsTest, aSwimmerIsOfferedTheIndividualItemsAndARelayTeamTheRelays)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    AthleteRow team;
    team.teamNo = m_team;
    team.surname = entries::kRelayTeamSurname;
    team.firstName = QStringLiteral("A");
    team.gender = QStringLiteral("M");
    team.age = 13;
    const qint64 relayTeam = entries::Athletes(database(), settings()).add(team);
    ASSERT_NE(relayTeam, 0);
    Participations entries(database(), settings());
    const auto eventNos = [](const QList<entries::EventRow>& rows) {
        QList<qint64> nos;
        for (const entries::EventRow& r : rows)
            nos << r.eventNo;
        return nos;
    };
    EXPECT_EQ(eventNos(entries.itemsFor(m_athlete)), QList<qint64>{free});
    EXPECT_EQ(eventNos(entries.itemsFor(m_athlete, true)), QList<qint64>{free});
    EXPECT_EQ(eventNos(entries.itemsFor(relayTeam)), QList<qint64>{relay});
}

TEST_F(ParticipationsTest, aTypedBestIsWrittenShortButNeverRunsOver)
{
    const qint64 free = addEvent(QStringLiteral("FRE____800M13W"));
    const qint64 hundred = addEvent(QStringLiteral("FRE____100M13W"));
    Participations entries(database(), settings());
    // Seconds beyond 59 are refused by the performance check, not carried into minutes.
    EXPECT_EQ(entries.add(m_athlete, hundred, QStringLiteral("1:75.00")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot have more than 59 seconds.")));
    EXPECT_EQ(entries.add(m_athlete, hundred, QStringLiteral("75.3")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The format of 75.3 should be 1:15.30")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    m_sink.clear();
    const qint64 part = entries.add(m_athlete, hundred, QStringLiteral("1:15.3"));
    ASSERT_NE(part, 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The best performance 1:15.3 was stored as 1:15.30")));

    const qint64 long800 = entries.add(m_athlete, free);
    m_sink.clear();
    EXPECT_FALSE(entries.setBest(long800, QStringLiteral("9:75.10")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("should be 10:15.10")));
    EXPECT_TRUE(entries.setBest(long800, QStringLiteral("9:45,1")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The best performance 9:45,1 was stored as 09:45.10")));
    m_sink.clear();
    EXPECT_TRUE(entries.setBest(long800, QStringLiteral("09:45.20")));
    EXPECT_FALSE(m_sink.saw(QStringLiteral("was stored as")));
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where PARTNO = ") +
                    db::sqlInt(long800)),
              QStringLiteral("09:45.20"));
    EXPECT_TRUE(entries.setBest(long800, QString()));
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where PARTNO = ") +
                    db::sqlInt(long800)),
              QString());
}

TEST_F(ParticipationsTest, removingKeepsPerformancesAndOffersToDeleteAnEmptyEvent)
{
    const qint64 free = addEvent(QStringLiteral("FRE____100M13W"));
    Participations entries(database(), settings());
    ASSERT_NE(entries.add(m_athlete, free), 0);
    ASSERT_TRUE(
        database().execute(QStringLiteral("update PARTICIPATE set PERFORMANCE = '1:04.00'")));
    EXPECT_FALSE(entries.remove(m_athlete, free));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot delete the participation.")));
    ASSERT_TRUE(database().execute(QStringLiteral("update PARTICIPATE set PERFORMANCE = ''")));
    m_sink.answerYes();
    EXPECT_TRUE(entries.remove(m_athlete, free));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There are no participants left for ")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    EXPECT_EQ(count(QStringLiteral("MYEVENT")), 0);
}

TEST_F(ParticipationsTest, relayTeamNamesAreCheckedAndFollowedByPosition)
{
    EXPECT_EQ(RelayTeams::checkNames({QStringLiteral("A"), QStringLiteral(" B")}, 2),
              QStringLiteral("A name may not have spaces before or after:  B"));
    EXPECT_EQ(RelayTeams::checkNames({QStringLiteral("A"), QStringLiteral("A")}, 2),
              QStringLiteral("There are duplicates: A"));
    EXPECT_TRUE(
        RelayTeams::checkNames({QStringLiteral("A")}, 2).startsWith("The number of names (1)"));
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    const qint64 medley = addEvent(QStringLiteral("M_R4X50___M13W"));
    RelayTeams relays(database(), settings());
    // The number given and the names must agree.
    EXPECT_FALSE(
        relays.setRelayTeams(m_team, relay, 3, {QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The number of names (2) does not correspond to\rthe "
                                          "number of Relay-Teams (3)")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'RELAY TEAM'")), 0);
    ASSERT_TRUE(relays.setRelayTeams(m_team, relay, 2, {QStringLiteral("A"), QStringLiteral("B")}));
    ASSERT_TRUE(relays.setRelayTeams(m_team, medley, {QStringLiteral("A")}));
    // Every position is a relay team of its own, also with a name used in another relay.
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'RELAY TEAM'")), 3);
    // Dropping "B" deletes it; renaming "A" renames this relay's "A" only.
    ASSERT_TRUE(relays.setRelayTeams(m_team, relay, {QStringLiteral("X")}));
    EXPECT_EQ(value(QStringLiteral("select list(FIRSTNAME, ',') from (select FIRSTNAME from "
                                   "ATHLETE where SURNAME = 'RELAY TEAM' order by FIRSTNAME)")),
              QStringLiteral("A,X"));
    EXPECT_EQ(relays.ofTeam(m_team, medley).value(0).name, QStringLiteral("A"));
    // A relay team entered in two relays (as "Create for all" does) only leaves the one.
    const qint64 medleyA = relays.ofTeam(m_team, medley).value(0).athleteNo;
    ASSERT_NE(Participations(database(), settings()).add(medleyA, relay), 0);
    ASSERT_TRUE(relays.setRelayTeams(m_team, relay, {QStringLiteral("X")}));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The same Relay-Athlete participates in another Relay")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'RELAY TEAM'")), 2);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
}

TEST_F(ParticipationsTest, aFourLegRelayTakesFourFirstSwimmersWithDistinctLegs)
{
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    RelayTeams relays(database(), settings());
    ASSERT_TRUE(relays.setRelayTeams(m_team, relay, {QStringLiteral("A")}));
    const qint64 relayTeam = relays.ofTeam(m_team, relay).first().athleteNo;
    entries::RelayMembers members(database(), m_meeting, relayTeam, relay);
    EXPECT_EQ(members.legs(), 4);
    QList<qint64> rows;
    for (int i = 0; i < 4; ++i)
        rows << members.add(m_athlete + 100 + i, QStringLiteral("F"));
    EXPECT_EQ(members.add(m_athlete + 200, QStringLiteral("F")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You already entered 4 legs for this Relay")));
    // A reserve too would be a fifth member.
    m_sink.clear();
    EXPECT_EQ(members.add(m_athlete + 200, QStringLiteral("R")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You already entered 4 legs for this Relay")));
    EXPECT_FALSE(members.setLeg(rows[0], 5));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This Relay only has 4 legs.")));
    EXPECT_TRUE(members.setLeg(rows[0], 1));
    EXPECT_FALSE(members.setLeg(rows[1], 1));
    EXPECT_TRUE(
        m_sink.saw(QStringLiteral("There is already an Athlete with this Leg in the First")));
    EXPECT_TRUE(members.setLeg(rows[1], 2));
    EXPECT_TRUE(members.swapLegs(QStringLiteral("F"), 1, 2));
    EXPECT_EQ(value(QStringLiteral("select LEGNO from RELAY_ATHLETE where RELAY_ATHLETE_NO = ") +
                    db::sqlInt(rows[0])),
              QStringLiteral("2"));
    EXPECT_FALSE(members.swapLegs(QStringLiteral("F"), 1, 3));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The second leg is not found: 3")));
}

TEST_F(ParticipationsTest, createForAllEntersEveryTeamOfTheRelaysGender)
{
    entries::Teams(database(), m_meeting)
        .add({0, QStringLiteral("Girls High"), QStringLiteral("GHS"), false, true});
    addEvent(QStringLiteral("F_R4X50___M13W"));
    addEvent(QStringLiteral("F_R4X50___F13W"));
    m_sink.answerYes();
    const auto made = RelayTeams(database(), settings()).createForAll();
    EXPECT_EQ(made, std::make_pair(3, 3));
    m_sink.answerYes();
    EXPECT_EQ(RelayTeams(database(), settings()).createForAll(), std::make_pair(0, 0));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 3);
}
