#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/relaymembers.h"
#include "entries/relayteams.h"
#include "entries/teams.h"

using entries::RelayMembers;
using entries::RelayTeams;

// Relay teams per event and their swimmers, beyond the rules of the names and legs.
class RelaysTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_oak = entries::Teams(database(), m_meeting)
                    .add({0, QStringLiteral("Oak Park"), QStringLiteral("OAK"), true, true});
        m_bay = entries::Teams(database(), m_meeting)
                    .add({0, QStringLiteral("Bay View"), QStringLiteral("BAY"), true, true});
        m_relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    }

    qint64 swimmer(qint64 team, const QString& surname, int age = 13, const QString& gender = "M")
    {
        entries::AthleteRow a;
        a.teamNo = team;
        a.surname = surname;
        a.firstName = QStringLiteral("Sam");
        a.gender = gender;
        a.age = age;
        const qint64 key = entries::Athletes(database(), settings()).add(a);
        EXPECT_NE(key, 0);
        return key;
    }

    qint64 relayTeam(qint64 team, const QString& name = QStringLiteral("A"))
    {
        RelayTeams relays(database(), settings());
        EXPECT_TRUE(relays.setRelayTeams(team, m_relay, {name}));
        return relays.ofTeam(team, m_relay).value(0).athleteNo;
    }

    qint64 m_oak = 0;
    qint64 m_bay = 0;
    qint64 m_relay = 0;
};

TEST_F(RelaysTest, relayEventsListTheirTeamsByAbbreviation)
{
    const qint64 girls = addEvent(QStringLiteral("F_R4X50___F12W"));
    RelayTeams relays(database(), settings());
    ASSERT_TRUE(relays.setRelayTeams(m_oak, m_relay, {QStringLiteral("A")}));
    ASSERT_TRUE(relays.setRelayTeams(m_bay, m_relay, {QStringLiteral("B")}));
    QList<entries::RelayEventRow> rows = relays.relayEvents();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].event.eventNo, m_relay);
    EXPECT_EQ(rows[0].teams, QStringList({"BAY (B)", "OAK (A)"}));
    EXPECT_TRUE(rows[1].teams.isEmpty());
    // By age the 12-year-old girls come first.
    rows = relays.relayEvents(true);
    EXPECT_EQ(rows[0].event.eventNo, girls);
    const QList<entries::RelayTeamRow> inEvent = relays.inEvent(m_relay);
    ASSERT_EQ(inEvent.size(), 2);
    EXPECT_EQ(inEvent[1].name, QStringLiteral("OAK (A)"));
}

TEST_F(RelaysTest, moreThanTwoRelayTeamsAreAskedAbout)
{
    RelayTeams relays(database(), settings());
    const QStringList three{"A", "B", "C"};
    m_sink.answerNo();
    EXPECT_FALSE(relays.setRelayTeams(m_oak, m_relay, three));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Are you sure you want more than two Relay-Teams")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    m_sink.answerYes();
    EXPECT_TRUE(relays.setRelayTeams(m_oak, m_relay, three));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 3);
}

TEST_F(RelaysTest, aTeamWithoutTheRelaysGenderIsEnteredOnlyWhenForced)
{
    const qint64 girls =
        entries::Teams(database(), m_meeting)
            .add({0, QStringLiteral("Girls High"), QStringLiteral("GHS"), false, true});
    RelayTeams relays(database(), settings());
    EXPECT_FALSE(relays.setRelayTeams(girls, m_relay, {QStringLiteral("A")}));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Girls High does not have the gender of this relay")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    EXPECT_TRUE(relays.setRelayTeams(girls, m_relay, {QStringLiteral("A")}, true));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 1);
    const auto team = entries::Teams(database(), m_meeting).find(girls);
    ASSERT_TRUE(team);
    EXPECT_FALSE(RelayTeams::teamHasGender(*team, QStringLiteral("M")));
    EXPECT_TRUE(RelayTeams::teamHasGender(*team, QStringLiteral("T")));
}

TEST_F(RelaysTest, nothingToEnterIsSaidBeforeTheRelayScreenOpens)
{
    RelayTeams relays(database(), settings());
    EXPECT_TRUE(relays.canEnterRelays());
    ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set SELECTED = ''")));
    EXPECT_FALSE(relays.canEnterRelays());
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No Relay items are selected for this Meeting")));
}

TEST_F(RelaysTest, candidatesAreTheTeamsSwimmersOfTheRelaysGenderAndAge)
{
    const qint64 jan = swimmer(m_oak, QStringLiteral("JANSE"));
    const qint64 older = swimmer(m_oak, QStringLiteral("OUER"), 14);
    swimmer(m_oak, QStringLiteral("MEISIE"), 13, QStringLiteral("F"));
    swimmer(m_bay, QStringLiteral("ANDER"));
    const qint64 team = relayTeam(m_oak);
    RelayMembers members(database(), m_meeting, team, m_relay);
    QList<entries::AthleteRow> rows = members.candidates();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].athleteNo, jan);
    EXPECT_EQ(members.candidates(true).size(), 2);
    ASSERT_NE(members.add(jan, QStringLiteral("F")), 0);
    EXPECT_TRUE(members.candidates().isEmpty());
    EXPECT_EQ(members.candidates(true).value(0).athleteNo, older);
    // The same swimmer twice, even as reserve, is refused.
    EXPECT_EQ(members.add(jan, QStringLiteral("R")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This Athlete is already in this Relay Team")));
}

TEST_F(RelaysTest, swimmersOfARelayTeamNotEnteredAreRefused)
{
    const qint64 jan = swimmer(m_oak, QStringLiteral("JANSE"));
    const qint64 team = relayTeam(m_oak);
    const qint64 other = addEvent(QStringLiteral("M_R4X50___M13W"));
    EXPECT_EQ(RelayMembers(database(), m_meeting, team, other).add(jan, QStringLiteral("F")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You must first select all the Teams that participate")));
}

TEST_F(RelaysTest, theLinkCheckDeletesOnlyRowsThatPointNowhere)
{
    const qint64 jan = swimmer(m_oak, QStringLiteral("JANSE"));
    const qint64 piet = swimmer(m_oak, QStringLiteral("PIET"));
    const qint64 team = relayTeam(m_oak);
    RelayMembers members(database(), m_meeting, team, m_relay);
    const qint64 sound = members.add(jan, QStringLiteral("F"));
    const qint64 gone = members.add(piet, QStringLiteral("F"));
    ASSERT_NE(sound, 0);
    ASSERT_NE(gone, 0);
    EXPECT_TRUE(RelayMembers::checkLinks(database(), m_meeting).isEmpty());
    // PIET left the meeting behind the screens' back; and an unselected event's row.
    ASSERT_TRUE(database().execute(QStringLiteral("delete from ATHLETE where ATHLETENO = ") +
                                   db::sqlInt(piet)));
    const qint64 dropped = addEvent(QStringLiteral("M_R4X50___M13W"));
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into RELAY_ATHLETE (RELAY_ATHLETE_NO, MEETINGNO, RELAYTEAMNO, "
                       "EVENTNO, ATHLETENO, LEGNO, FIRST_OR_RESERVE) values (") +
        db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
        QLatin1Char(',') + db::sqlInt(team) + QLatin1Char(',') + db::sqlInt(dropped) +
        QLatin1Char(',') + db::sqlInt(jan) + QStringLiteral(", 0, 'F')")));
    ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set SELECTED = '' where "
                                                  "EVENTNO = ") +
                                   db::sqlInt(dropped)));
    const QStringList lines = RelayMembers::checkLinks(database(), m_meeting);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Athlete=") + QString::number(piet) +
                            QStringLiteral("  RelayTeam=") + QString::number(team) +
                            QStringLiteral("  Event=") + QString::number(m_relay));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Invalid references deleted")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("PLEASE WRITE THEM DOWN")));
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 1);
    EXPECT_EQ(value(QStringLiteral("select RELAY_ATHLETE_NO from RELAY_ATHLETE")),
              QString::number(sound));
}

TEST_F(RelaysTest, aRelayTeamThatSwamCannotBeDroppedAndLeavesWithItsSwimmersOtherwise)
{
    const qint64 jan = swimmer(m_oak, QStringLiteral("JANSE"));
    RelayTeams relays(database(), settings());
    ASSERT_TRUE(relays.setRelayTeams(m_oak, m_relay, {QStringLiteral("A"), QStringLiteral("B")}));
    const qint64 b = relays.ofTeam(m_oak, m_relay).value(1).athleteNo;
    ASSERT_NE(RelayMembers(database(), m_meeting, b, m_relay).add(jan, QStringLiteral("F")), 0);
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PARTICIPATE set PERFORMANCE = '2:01.00' where ATHLETENO = ") +
        db::sqlInt(b)));
    // Dropping B (and renaming A) is refused as a whole: A keeps its name.
    EXPECT_FALSE(relays.setRelayTeams(m_oak, m_relay, {QStringLiteral("X")}));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot delete the participation.")));
    EXPECT_EQ(relays.ofTeam(m_oak, m_relay).value(0).name, QStringLiteral("A"));
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 1);
    ASSERT_TRUE(database().execute(QStringLiteral("update PARTICIPATE set PERFORMANCE = ''")));
    EXPECT_TRUE(relays.remove(b, m_relay));
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("ATHLETENO = ") + db::sqlInt(b)), 0);
    EXPECT_EQ(relays.ofTeam(m_oak, m_relay).size(), 1);
}

TEST_F(RelaysTest, theLastRelayTeamLeavesTheRelayEventInPlace)
{
    const qint64 a = relayTeam(m_oak);
    RelayTeams relays(database(), settings());
    // A Yes waits for a question that must not come.
    m_sink.answerYes();
    ASSERT_TRUE(relays.setRelayTeams(m_oak, m_relay, QStringList()));
    EXPECT_FALSE(m_sink.saw(QStringLiteral("There are no participants left")));
    EXPECT_EQ(m_sink.pendingAnswers(), 1);
    EXPECT_EQ(count(QStringLiteral("MYEVENT"), QStringLiteral("EVENTNO = ") + db::sqlInt(m_relay)),
              1);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("ATHLETENO = ") + db::sqlInt(a)), 0);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
}

TEST_F(RelaysTest, createForAllNamesTheRelayTeamsItMakes)
{
    m_sink.answerYes();
    RelayTeams relays(database(), settings());
    relays.createForAll();
    EXPECT_EQ(relays.relayEvents().value(0).teams, QStringList({"BAY (A)", "OAK (A)"}));
}

TEST_F(RelaysTest, creatingForMoreThanTwentyTeamsIsAskedTwice)
{
    for (int i = 0; i < 19; ++i)
        entries::Teams(database(), m_meeting)
            .add({0, QStringLiteral("Club ") + QString::number(i),
                  QStringLiteral("C") + QString::number(i), true, true});
    RelayTeams relays(database(), settings());
    // 21 teams: the first Yes is not enough.
    m_sink.answerYes();
    m_sink.answerNo();
    EXPECT_EQ(relays.createForAll(), std::make_pair(0, 0));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    m_sink.answerYes();
    m_sink.answerYes();
    EXPECT_EQ(relays.createForAll(), std::make_pair(21, 21));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("21 RelayTeams and 21 participations were added for "
                                          "Relay Events")));
}
