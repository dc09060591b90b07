#include "teamsfixture.h"

#include "entries/athletes.h"
#include "entries/teams.h"

using entries::AthleteRow;
using entries::Athletes;
using entries::Teams;

TEST_F(TeamsTest, refusesBadNamesAndAbbreviationsWithTheFieldAtFault)
{
    Teams teams(database(), m_meeting);
    EXPECT_EQ(teams.check({0, QString(), QStringLiteral("A"), true, true}), Teams::Field::Name);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The name may not be empty")));
    EXPECT_EQ(teams.check({0, QStringLiteral("Oak, Park"), QStringLiteral("OP"), true, true}),
              Teams::Field::Name);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The name may not contain a \";\", \",\" or \"#\".")));
    EXPECT_EQ(teams.check({0, QStringLiteral("Oak"), QStringLiteral("O#K"), true, true}),
              Teams::Field::Abbreviation);
    EXPECT_EQ(teams.check({0, QStringLiteral("Oak"), QStringLiteral("OAKPARKXX"), true, true}),
              Teams::Field::Abbreviation);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The abbreviation may not be longer than 8")));
    EXPECT_EQ(teams.check({0, QString(40, QLatin1Char('n')), QStringLiteral("N"), true, true}),
              Teams::Field::Name);
    EXPECT_EQ(teams.check({0, QStringLiteral("Oak"), QStringLiteral("OAK"), false, false}),
              Teams::Field::Genders);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Select at least Males OR Females")));
    EXPECT_EQ(count(QStringLiteral("TEAM")), 0);
}

TEST_F(TeamsTest, abbreviationIsUniqueWithinTheMeetingOnly)
{
    ASSERT_NE(team(QStringLiteral("Oak Park"), QStringLiteral("OAK")), 0);
    EXPECT_EQ(team(QStringLiteral("Oakdale"), QStringLiteral("OAK")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There is already a Team with this abbreviation")));
    const int other = makeMeeting(QStringLiteral("2026/04/01"));
    EXPECT_NE(Teams(database(), other)
                  .add({0, QStringLiteral("Oakdale"), QStringLiteral("OAK"), true, true}),
              0);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 2);
}

TEST_F(TeamsTest, editingKeepsItsOwnNameAndListsAthletesThatBlockAGender)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    ASSERT_NE(athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13), 0);
    Teams teams(database(), m_meeting);
    EXPECT_TRUE(teams.edit({oak, QStringLiteral("Oak Park"), QStringLiteral("OAKP"), true, true}));
    EXPECT_FALSE(
        teams.edit({oak, QStringLiteral("Oak Park"), QStringLiteral("OAKP"), false, true}));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("BOTHA, Kim")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("\"Has Males\" must be checked.")));
    EXPECT_EQ(value(QStringLiteral("select HASMALE from TEAM where TEAMNO = ") + db::sqlInt(oak)),
              QStringLiteral("1"));
}

TEST_F(TeamsTest, deletingIsRefusedWhileTheTeamHasAthletesAndAsksOtherwise)
{
    Teams teams(database(), m_meeting);
    EXPECT_FALSE(teams.remove(0));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot delete an empty record")));
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    const qint64 athleteNo = athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    EXPECT_FALSE(teams.remove(oak));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot delete this team, it has 1 athletes;")));
    m_sink.answerYes();
    EXPECT_TRUE(Athletes(database(), settings()).remove(athleteNo));
    m_sink.answerNo();
    EXPECT_FALSE(teams.remove(oak));
    m_sink.answerYes();
    EXPECT_TRUE(teams.remove(oak));
    EXPECT_EQ(count(QStringLiteral("TEAM")), 0);
}

TEST_F(TeamsTest, athleteChecksRefuseGenderTeamGenderDuplicatesAndTakenNumbers)
{
    const qint64 girls = team(QStringLiteral("St Mary"), QStringLiteral("STM"), false, true);
    EXPECT_EQ(athlete(girls, QStringLiteral("NEL"), QStringLiteral("X"), 13), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You have to enter either a F for female")));
    EXPECT_EQ(athlete(girls, QStringLiteral("NEL"), QStringLiteral("M"), 13), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This team does not have males")));
    EXPECT_NE(athlete(girls, QStringLiteral("NEL"), QStringLiteral("F"), 13, QStringLiteral("12")),
              0);
    EXPECT_EQ(athlete(girls, QStringLiteral("NEL"), QStringLiteral("F"), 13), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("already exists.")));
    // The same names at another age ask first.
    m_sink.answerNo();
    EXPECT_EQ(athlete(girls, QStringLiteral("NEL"), QStringLiteral("F"), 14), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There is already an Athlete with this name")));
    EXPECT_EQ(
        athlete(girls, QStringLiteral("VAN WYK"), QStringLiteral("F"), 13, QStringLiteral("12")),
        0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("is already used by NEL, Kim of St Mary")));
    EXPECT_EQ(athlete(girls, QStringLiteral("VAN WYK"), QStringLiteral("F"), 13,
                      QStringLiteral("12345678")),
              0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The Athlete number may not be longer than 7")));
    // "0" is no number: two athletes may both have it.
    EXPECT_NE(
        athlete(girls, QStringLiteral("VAN WYK"), QStringLiteral("F"), 13, QStringLiteral("0")), 0);
    EXPECT_NE(
        athlete(girls, QStringLiteral("DU TOIT"), QStringLiteral("F"), 13, QStringLiteral("0")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 3);
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(TeamsTest, anAthleteWithParticipationsKeepsGenderAndAge)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    const qint64 no = athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    const qint64 ev = addEvent(QStringLiteral("FRE____100M13W"));
    ASSERT_TRUE(database().execute(QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, "
                                                  "EVENTNO, ATHLETENO, TEAMNO) values (1,") +
                                   db::sqlInt(m_meeting) + QLatin1Char(',') + db::sqlInt(ev) +
                                   QLatin1Char(',') + db::sqlInt(no) + QLatin1Char(',') +
                                   db::sqlInt(oak) + QLatin1Char(')')));
    Athletes athletes(database(), settings());
    AthleteRow a = *athletes.find(no);
    a.age = 14;
    EXPECT_EQ(athletes.check(a), Athletes::Field::Age);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot change the Age of this athlete")));
    a.age = 13;
    a.gender = QStringLiteral("F");
    EXPECT_EQ(athletes.check(a), Athletes::Field::Gender);
    a.gender = QStringLiteral("M");
    a.firstName = QStringLiteral("Pieter");
    EXPECT_TRUE(athletes.edit(a));
    EXPECT_FALSE(athletes.remove(no));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("First delete the Participations of this athlete")));
}
