#include "teamsfixture.h"

#include "entries/namecase.h"

using entries::NameCase;

class NameCaseTest : public TeamsTest {
protected:
    qint64 named(qint64 teamNo, const QString& surname, const QString& firstName)
    {
        entries::AthleteRow a;
        a.teamNo = teamNo;
        a.surname = surname;
        a.firstName = firstName;
        a.gender = QStringLiteral("F");
        a.age = 13;
        return entries::Athletes(database(), settings()).add(a);
    }

    QString nameOf(qint64 athleteNo)
    {
        database().refreshReads();
        return value(QStringLiteral("select SURNAME || ', ' || FIRSTNAME from ATHLETE where "
                                    "ATHLETENO = ") +
                     db::sqlInt(athleteNo));
    }
};

TEST_F(NameCaseTest, namesBecomeUpperCaseSurnamesAndCapitalisedFirstNames)
{
    EXPECT_EQ(NameCase::rightSurname(QStringLiteral("van der Merwe")), "VAN DER MERWE");
    EXPECT_EQ(NameCase::rightFirstName(QStringLiteral("anna-MARIE")), "Anna-marie");
    EXPECT_EQ(NameCase::rightFirstName(QStringLiteral("É")), "É");
    EXPECT_EQ(NameCase::rightFirstName(QString()), QString());
}

TEST_F(NameCaseTest, oneTeamOrAllTeamsAreListedAndCorrectedOnConfirmLeavingRelayTeams)
{
    const qint64 alpha = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 bravo = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    const qint64 botha = named(alpha, QStringLiteral("botha"), QStringLiteral("kim"));
    const qint64 nel = named(alpha, QStringLiteral("NEL"), QStringLiteral("Jan"));
    const qint64 duToit = named(bravo, QStringLiteral("Du Toit"), QStringLiteral("LEE"));
    entries::AthleteRow relay;
    relay.teamNo = alpha;
    relay.surname = entries::kRelayTeamSurname;
    relay.firstName = QStringLiteral("a");
    relay.gender = QStringLiteral("F");
    relay.age = 13;
    const qint64 relayNo = entries::Athletes(database(), settings()).add(relay);
    ASSERT_NE(relayNo, 0);

    NameCase names(database(), m_meeting);
    m_sink.answerNo();
    EXPECT_EQ(names.correct(alpha), -1);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The cases of the following 1 Athletes is wrong\r\r"
                                          "Alpha: botha, kim")));
    EXPECT_FALSE(m_sink.saw(QStringLiteral("Du Toit")));
    EXPECT_EQ(nameOf(botha), QStringLiteral("botha, kim"));

    m_sink.clear();
    m_sink.answerYes();
    EXPECT_EQ(names.correct(0), 2);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The cases of the following 2 Athletes is wrong")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Bravo: Du Toit, LEE")));
    EXPECT_EQ(nameOf(botha), QStringLiteral("BOTHA, Kim"));
    EXPECT_EQ(nameOf(nel), QStringLiteral("NEL, Jan"));
    EXPECT_EQ(nameOf(duToit), QStringLiteral("DU TOIT, Lee"));
    EXPECT_EQ(nameOf(relayNo), QStringLiteral("RELAY TEAM, a"));

    EXPECT_EQ(names.correct(0), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("All 3 Athletenames are in the correct case")));
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(NameCaseTest, anAthleteThatIsGoneStopsTheCorrectionWithTheOneRowMessage)
{
    const qint64 alpha = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 botha = named(alpha, QStringLiteral("botha"), QStringLiteral("kim"));
    const qint64 nel = named(alpha, QStringLiteral("nel"), QStringLiteral("jan"));
    NameCase names(database(), m_meeting);
    const QList<entries::WrongCaseName> wrong = names.wrongNames(alpha);
    ASSERT_EQ(wrong.size(), 2);
    ASSERT_EQ(wrong[0].athleteNo, botha);
    // Another program deletes the first athlete after the list was made.
    ASSERT_TRUE(database().execute(QStringLiteral("delete from ATHLETE where ATHLETENO = ") +
                                   db::sqlInt(botha)));
    EXPECT_EQ(names.correctNames(wrong), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Precisely 1 Athlete should have been updated, not 0")));
    EXPECT_EQ(nameOf(nel), QStringLiteral("nel, jan"));
}
