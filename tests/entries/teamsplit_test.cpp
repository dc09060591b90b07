#include "teamsfixture.h"

#include "entries/teamsplit.h"

using entries::TeamRow;
using entries::TeamSplit;

class TeamSplitTest : public TeamsTest {
protected:
    QString teamField(qint64 teamNo, const QString& column)
    {
        return value(QStringLiteral("select ") + column +
                     QStringLiteral(" from TEAM where TEAMNO = ") + db::sqlInt(teamNo));
    }

    QString teamOf(qint64 athleteNo, const QString& table = QStringLiteral("ATHLETE"))
    {
        return value(QStringLiteral("select TEAMNO from ") + table +
                     QStringLiteral(" where ATHLETENO = ") + db::sqlInt(athleteNo));
    }
};

TEST_F(TeamSplitTest, theBoysAndTheirEntriesMoveToANewTeamAndTheGirlsStay)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    team(QStringLiteral("St Mary"), QStringLiteral("STM"), false, true);
    ASSERT_TRUE(database().execute(QStringLiteral("update TEAM set LEAGUE = 2 where TEAMNO = ") +
                                   db::sqlInt(oak)));
    const qint64 botha = athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    const qint64 nel = athlete(oak, QStringLiteral("NEL"), QStringLiteral("M"), 14);
    const qint64 duToit = athlete(oak, QStringLiteral("DU TOIT"), QStringLiteral("F"), 13);
    const qint64 boys = addEvent(QStringLiteral("FRE____100M13W"));
    const qint64 girls = addEvent(QStringLiteral("FRE____100F13W"));
    enter(botha, oak, boys);
    enter(duToit, oak, girls);

    TeamSplit splitter(database(), m_meeting);
    m_sink.answerYes();
    ASSERT_TRUE(splitter.confirmStart());
    EXPECT_TRUE(m_sink.saw(QStringLiteral("DO NOT USE THIS IF YOU ARE NOT SURE WHAT IT DOES !")));
    const QList<TeamRow> teams = splitter.splittableTeams();
    ASSERT_EQ(teams.size(), 1);
    EXPECT_EQ(teams[0].teamNo, oak);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The following Teams does not have two Genders.\r"
                                          "They cannot be split.\r\rSt Mary")));

    const qint64 newTeam = splitter.split(teams[0]);
    ASSERT_NE(newTeam, 0);
    EXPECT_EQ(teamField(oak, QStringLiteral("TEAMNAME")), QStringLiteral("_GIRLS:Oak Park"));
    EXPECT_EQ(teamField(oak, QStringLiteral("TEAMABRV")), QStringLiteral("OAK"));
    EXPECT_EQ(teamField(oak, QStringLiteral("HASMALE")), QStringLiteral("0"));
    EXPECT_EQ(teamField(oak, QStringLiteral("HASFEMALE")), QStringLiteral("1"));
    EXPECT_EQ(teamField(newTeam, QStringLiteral("TEAMNAME")), QStringLiteral("_BOYS:Oak Park"));
    EXPECT_EQ(teamField(newTeam, QStringLiteral("TEAMABRV")), QStringLiteral("_OAK"));
    EXPECT_EQ(teamField(newTeam, QStringLiteral("HASMALE")), QStringLiteral("1"));
    EXPECT_EQ(teamField(newTeam, QStringLiteral("HASFEMALE")), QStringLiteral("0"));
    // The new team is in no competition yet, as any new team; the girls keep theirs.
    EXPECT_EQ(teamField(newTeam, QStringLiteral("LEAGUE")), QStringLiteral("0"));
    EXPECT_EQ(teamField(oak, QStringLiteral("LEAGUE")), QStringLiteral("2"));
    EXPECT_EQ(teamField(newTeam, QStringLiteral("MEETINGNO")), QString::number(m_meeting));

    EXPECT_EQ(teamOf(botha), QString::number(newTeam));
    EXPECT_EQ(teamOf(nel), QString::number(newTeam));
    EXPECT_EQ(teamOf(duToit), QString::number(oak));
    EXPECT_EQ(teamOf(botha, QStringLiteral("PARTICIPATE")), QString::number(newTeam));
    EXPECT_EQ(teamOf(duToit, QStringLiteral("PARTICIPATE")), QString::number(oak));
    // Names that fit are not reported as cut.
    EXPECT_FALSE(m_sink.saw(QStringLiteral("was too long")));
}

TEST_F(TeamSplitTest, namesAreCutToTheirColumnsBeforeThePrefixAndTheCutIsReported)
{
    const QString name = QStringLiteral("Hoerskool Noordelike Kaapse Skool"); // 33 > 32
    const qint64 school = team(name.left(32), QStringLiteral("HNKS1234"));
    athlete(school, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    athlete(school, QStringLiteral("NEL"), QStringLiteral("F"), 13);
    TeamSplit splitter(database(), m_meeting);
    const QList<TeamRow> teams = splitter.splittableTeams();
    ASSERT_EQ(teams.size(), 1);
    const qint64 boys = splitter.split(teams[0]);
    ASSERT_NE(boys, 0);
    EXPECT_EQ(teamField(school, QStringLiteral("TEAMNAME")),
              QStringLiteral("_GIRLS:") + name.left(25));
    EXPECT_EQ(teamField(boys, QStringLiteral("TEAMNAME")),
              QStringLiteral("_BOYS:") + name.left(26));
    EXPECT_EQ(teamField(boys, QStringLiteral("TEAMABRV")), QStringLiteral("_HNKS123"));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The teamname was too long.")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The abbreviation was too long.")));
}

TEST_F(TeamSplitTest, aStatementThatFailsLeavesTheTeamAsItWas)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    const qint64 botha = athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    athlete(oak, QStringLiteral("NEL"), QStringLiteral("F"), 13);
    enter(botha, oak, addEvent(QStringLiteral("FRE____100M13W")));
    // The entries are moved last: a refusal there must undo the team and athlete changes.
    ASSERT_TRUE(database().execute(QStringLiteral("create exception E_NO_MOVE 'entries locked'")));
    ASSERT_TRUE(database().execute(QStringLiteral(
        "create trigger T_NO_MOVE for PARTICIPATE before update as begin exception E_NO_MOVE; "
        "end")));
    TeamSplit splitter(database(), m_meeting);
    const QList<TeamRow> teams = splitter.splittableTeams();
    ASSERT_EQ(teams.size(), 1);
    EXPECT_EQ(splitter.split(teams[0]), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Splitting Oak Park failed; nothing was changed.")));
    EXPECT_EQ(count(QStringLiteral("TEAM")), 1);
    EXPECT_EQ(teamField(oak, QStringLiteral("TEAMNAME")), QStringLiteral("Oak Park"));
    EXPECT_EQ(teamField(oak, QStringLiteral("HASMALE")), QStringLiteral("1"));
    EXPECT_EQ(teamOf(botha), QString::number(oak));
    EXPECT_EQ(teamOf(botha, QStringLiteral("PARTICIPATE")), QString::number(oak));
}

TEST_F(TeamSplitTest, splittingFromTheCurrentTeamOnwardsLeavesTheTeamsBeforeIt)
{
    TeamSplit splitter(database(), m_meeting);
    EXPECT_TRUE(splitter.splittableTeams().isEmpty());
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No teams has both genders")));
    QList<qint64> keys;
    for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
        keys << team(QString::fromLatin1(name), QString::fromLatin1(name).left(3).toUpper());
        athlete(keys.last(), QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
        athlete(keys.last(), QStringLiteral("NEL"), QStringLiteral("F"), 13);
    }
    const QList<TeamRow> teams = splitter.splittableTeams();
    ASSERT_EQ(teams.size(), 3);
    EXPECT_EQ(splitter.splitFrom(teams, 1), 2);
    EXPECT_EQ(teamField(keys[0], QStringLiteral("TEAMNAME")), QStringLiteral("Alpha"));
    EXPECT_EQ(teamField(keys[1], QStringLiteral("TEAMNAME")), QStringLiteral("_GIRLS:Bravo"));
    EXPECT_EQ(teamField(keys[2], QStringLiteral("TEAMNAME")), QStringLiteral("_GIRLS:Charlie"));
    EXPECT_EQ(count(QStringLiteral("TEAM")), 5);
    EXPECT_EQ(count(QStringLiteral("TEAM"), QStringLiteral("TEAMABRV = '_BRA'")), 1);
    // Split teams have one gender each now; only Alpha is left to split.
    EXPECT_EQ(splitter.splittableTeams().size(), 1);
}

TEST_F(TeamSplitTest, aTeamIsSplitEvenWhenItsNewAbbreviationIsTaken)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    team(QStringLiteral("Oakdale Boys"), QStringLiteral("_OAK"), true, false);
    const qint64 botha = athlete(oak, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    athlete(oak, QStringLiteral("NEL"), QStringLiteral("F"), 13);
    TeamSplit splitter(database(), m_meeting);
    const QList<TeamRow> teams = splitter.splittableTeams();
    ASSERT_EQ(teams.size(), 1);
    const qint64 boys = splitter.split(teams[0]);
    ASSERT_NE(boys, 0);
    EXPECT_FALSE(m_sink.saw(QStringLiteral("There is already a Team")));
    EXPECT_EQ(count(QStringLiteral("TEAM"), QStringLiteral("TEAMABRV = '_OAK'")), 2);
    EXPECT_EQ(teamOf(botha), QString::number(boys));
}
