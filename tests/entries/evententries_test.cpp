#include "entryfixture.h"

#include "draw/heatgroups.h"
#include "entries/athletes.h"
#include "entries/evententries.h"
#include "entries/nathlons.h"
#include "entries/participations.h"
#include "entries/teams.h"
#include "meeting/itemtypes.h"

using entries::AthleteRow;
using entries::EventEntries;
using entries::Participations;

// Entries seen per event, and the swimmers of combined competitions.
class EventEntriesTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_team = entries::Teams(database(), m_meeting)
                     .add({0, QStringLiteral("Oak Park"), QStringLiteral("OAK"), true, true});
    }

    qint64 swimmer(const QString& surname, int age = 13, const QString& gender = "M",
                   int nAthlon = 0)
    {
        AthleteRow a;
        a.teamNo = m_team;
        a.surname = surname;
        a.firstName = QStringLiteral("Sam");
        a.gender = gender;
        a.age = age;
        a.nAthlon = nAthlon;
        const qint64 key = entries::Athletes(database(), settings()).add(a);
        EXPECT_NE(key, 0);
        return key;
    }

    void execute(const QString& sql) { ASSERT_TRUE(database().execute(sql)) << sql.toStdString(); }

    qint64 m_team = 0;
    meeting::ItemTypes m_items{meeting::Edition::Swimming, messages()};
};

TEST_F(EventEntriesTest, eventsOfOneKindCountTheirSwimmersAndFlagTooFewHeats)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 back = addEvent(QStringLiteral("BCK_____50M13W"));
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    // Thirty entries do not fit the one heat of an event without a format.
    for (int i = 0; i < 30; ++i)
        execute(QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO) "
                               "values (") +
                db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
                QLatin1Char(',') + db::sqlInt(free) + QStringLiteral(", 0)"));
    EventEntries events(database(), settings(), m_items);
    // The program area's heat check marks the event; without a check nothing is marked.
    EXPECT_FALSE(events.events(false)[0].tooFew);
    const QList<entries::EventEntryRow> plain = events.events(
        false, EventEntries::Order::Sequence, draw::tooFewHeatsCheck(m_items, settings().lanes));
    ASSERT_EQ(plain.size(), 2);
    EXPECT_EQ(plain[0].event.eventNo, free);
    EXPECT_EQ(plain[0].athletes, 30);
    EXPECT_TRUE(plain[0].tooFew);
    EXPECT_EQ(plain[1].event.eventNo, back);
    EXPECT_EQ(plain[1].athletes, 0);
    EXPECT_FALSE(plain[1].tooFew);
    const QList<entries::EventEntryRow> relays = events.events(true);
    ASSERT_EQ(relays.size(), 1);
    EXPECT_EQ(relays[0].event.eventNo, relay);
}

TEST_F(EventEntriesTest, seekingASequenceFindsItsEventOnlyInTheRightMode)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    for (const auto& [event, seq] : {std::pair{free, 4}, std::pair{relay, 7}})
        execute(QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                               "SEQ) values (") +
                db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
                QLatin1Char(',') + db::sqlInt(event) + QStringLiteral(", 'F', 0, ") +
                db::sqlInt(seq) + QLatin1Char(')'));
    EventEntries events(database(), settings(), m_items);
    EXPECT_EQ(events.seekSequence(4, false), std::optional<qint64>(free));
    EXPECT_FALSE(events.seekSequence(7, false));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("the Item is a Relay-Item, and\ryou are currently NOT "
                                          "in \"Relay\"-mode")));
    EXPECT_EQ(events.seekSequence(7, true), std::optional<qint64>(relay));
    EXPECT_FALSE(events.seekSequence(4, true));
    EXPECT_FALSE(events.seekSequence(99, false));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Item sequence no 99 not found")));
}

TEST_F(EventEntriesTest, participantsShowTheirHeatAndLaneOfTheFirstRound)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 nel = swimmer(QStringLiteral("NEL"));
    const qint64 botha = swimmer(QStringLiteral("BOTHA"));
    Participations entries(database(), settings());
    ASSERT_NE(entries.add(nel, free, QStringLiteral("31.5")), 0);
    ASSERT_NE(entries.add(botha, free), 0);
    EventEntries events(database(), settings(), m_items);
    QList<entries::EventParticipant> rows = events.participants(free);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, QStringLiteral("BOTHA, Sam"));
    EXPECT_EQ(rows[1].best, QStringLiteral("0:31.50"));
    EXPECT_TRUE(rows[0].round.isEmpty());
    // Heats A and the final: NEL swims heat 2 lane 5 of round A.
    for (const QString& round : {QStringLiteral("A"), QStringLiteral("F")})
        execute(QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, "
                               "HEATNO) values (") +
                db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
                QLatin1Char(',') + db::sqlInt(free) + QLatin1Char(',') + db::quoted(round) +
                QStringLiteral(", 1)"));
    execute(QStringLiteral("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                           "ATHLETENO, LANE) values (") +
            db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
            QLatin1Char(',') + db::sqlInt(free) + QStringLiteral(", 'A', 2, ") + db::sqlInt(nel) +
            QStringLiteral(", 5)"));
    execute(QStringLiteral("update PARTICIPATE set LANE = 3, DID_NOT_CALL = 1 where ATHLETENO = ") +
            db::sqlInt(nel));
    rows = events.participants(free);
    EXPECT_EQ(rows[1].round, QStringLiteral("A"));
    EXPECT_EQ(rows[1].heat, 2);
    EXPECT_EQ(rows[1].lane, 5);
    EXPECT_EQ(rows[1].callRoom, QStringLiteral("DNC"));
    EXPECT_TRUE(rows[0].round.isEmpty());

    // A final-only event: the lane of the participation, once it has one.
    const qint64 back = addEvent(QStringLiteral("BCK_____50M13W"));
    ASSERT_NE(entries.add(nel, back), 0);
    execute(QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO) "
                           "values (") +
            db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
            QLatin1Char(',') + db::sqlInt(back) + QStringLiteral(", 'F', 0)"));
    EXPECT_TRUE(events.participants(back).value(0).round.isEmpty());
    execute(QStringLiteral("update PARTICIPATE set LANE = 4 where EVENTNO = ") + db::sqlInt(back));
    const entries::EventParticipant drawn = events.participants(back).value(0);
    EXPECT_EQ(drawn.round, QStringLiteral("F"));
    EXPECT_EQ(drawn.lane, 4);
}

TEST_F(EventEntriesTest, candidatesAreSwimmersOfTheEventsGenderAndAgeNotYetEntered)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 nel = swimmer(QStringLiteral("NEL"));
    swimmer(QStringLiteral("OLDER"), 14);
    swimmer(QStringLiteral("GIRL"), 13, QStringLiteral("F"));
    const qint64 botha = swimmer(QStringLiteral("BOTHA"));
    swimmer(QStringLiteral("DECA"), 13, QStringLiteral("M"), 3);
    EventEntries events(database(), settings(), m_items);
    QList<AthleteRow> candidates = events.candidates(free);
    ASSERT_EQ(candidates.size(), 2);
    EXPECT_EQ(candidates[0].athleteNo, botha);
    ASSERT_NE(Participations(database(), settings()).add(botha, free), 0);
    candidates = events.candidates(free);
    ASSERT_EQ(candidates.size(), 1);
    EXPECT_EQ(candidates[0].athleteNo, nel);
}

TEST_F(EventEntriesTest, anNathlonSwimmerIsEnteredAndRemovedAsAWhole)
{
    const qint64 fly = addEvent(QStringLiteral("FLY_____50M13W"));
    const qint64 back = addEvent(QStringLiteral("BCK_____50M13W"));
    const qint64 breast = addEvent(QStringLiteral("BRS_____50M13W"));
    const qint64 older = addEvent(QStringLiteral("FLY_____50M14W"));
    const qint64 single = addEvent(QStringLiteral("FRE_____50M13W"));
    for (qint64 e : {fly, back, breast, older})
        execute(QStringLiteral("update MYEVENT set N_ATHLON = 3 where EVENTNO = ") + db::sqlInt(e));
    const qint64 tri = swimmer(QStringLiteral("TRI"), 13, QStringLiteral("M"), 3);
    entries::Nathlons nathlons(database(), settings());
    EXPECT_EQ(nathlons.enter(tri), 3);
    EXPECT_EQ(
        count(QStringLiteral("PARTICIPATE"), QStringLiteral("ATHLETENO = ") + db::sqlInt(tri)), 3);
    EXPECT_EQ(nathlons.enter(tri), 0);

    Participations entries(database(), settings());
    EXPECT_EQ(entries.add(tri, single), 0);
    EXPECT_TRUE(m_sink.saw(
        QStringLiteral("The events for an n-athlon athlete are added when you add the athlete")));
    EXPECT_FALSE(entries.remove(tri, fly));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Delete athletes for n-athlons under Participation per "
                                          "Athlete")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 3);

    m_sink.answerYes();
    EXPECT_TRUE(entries::Athletes(database(), settings()).remove(tri));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Delete this athlete from the n-athlon")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("ATHLETENO = ") + db::sqlInt(tri)),
              0);
}

// Screens and the command line enter a chosen or new swimmer through one rule: the whole
// combined competition for an n-athlon swimmer, the one event for any other.
TEST_F(EventEntriesTest, enteringForAnEventTakesTheWholeCombinedCompetitionOrTheOneEvent)
{
    const qint64 fly = addEvent(QStringLiteral("FLY_____50M13W"));
    const qint64 back = addEvent(QStringLiteral("BCK_____50M13W"));
    const qint64 single = addEvent(QStringLiteral("FRE_____50M13W"));
    for (qint64 e : {fly, back})
        execute(QStringLiteral("update MYEVENT set N_ATHLON = 2 where EVENTNO = ") + db::sqlInt(e));
    const qint64 duo = swimmer(QStringLiteral("DUO"), 13, QStringLiteral("M"), 2);
    const qint64 nel = swimmer(QStringLiteral("NEL"));
    entries::Nathlons nathlons(database(), settings());
    EXPECT_EQ(nathlons.enterFor(duo, 2, fly), 2);
    EXPECT_EQ(
        count(QStringLiteral("PARTICIPATE"), QStringLiteral("ATHLETENO = ") + db::sqlInt(duo)), 2);
    EXPECT_EQ(nathlons.enterFor(nel, 0, single, QStringLiteral("31.5")), 1);
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where ATHLETENO = ") +
                    db::sqlInt(nel)),
              QStringLiteral("0:31.50"));
    EXPECT_EQ(nathlons.enterFor(nel, 0, 0), 0);
    EXPECT_EQ(nathlons.enterFor(nel, 0, single), -1); // entered already
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 3);
    const QList<entries::AthleteEntry> mine = Participations(database(), settings()).entriesOf(duo);
    ASSERT_EQ(mine.size(), 2);
    EXPECT_EQ(mine[0].eventNo, fly);
    EXPECT_EQ(mine[1].itemCode, QStringLiteral("BCK_____50M13W"));
}

TEST_F(EventEntriesTest, itemsForAnAthleteFollowAgeOnlyUntilAllAgesAreAsked)
{
    addEvent(QStringLiteral("FRE_____50M13W"));
    addEvent(QStringLiteral("FRE_____50M14W"));
    addEvent(QStringLiteral("FRE_____50F14W"));
    const qint64 nel = swimmer(QStringLiteral("NEL"));
    Participations entries(database(), settings());
    EXPECT_EQ(entries.itemsFor(nel).size(), 1);
    EXPECT_EQ(entries.itemsFor(nel, true).size(), 2);
    // A category on a meeting without categories is a state the program does not expect.
    ASSERT_TRUE(database().execute(
        QStringLiteral("update ATHLETE set CATEGORY = 'B' where ATHLETENO = ") + db::sqlInt(nel)));
    entries.itemsFor(nel);
    EXPECT_TRUE(m_sink.saw(
        QStringLiteral("We do not expect an Athlete Category if the Meeting has no Categories")));
}
