#include "teamsfixture.h"

#include "entries/athletenumbers.h"

using entries::AthleteRow;
using entries::Athletes;

class AthleteNumbersTest : public TeamsTest {};

TEST_F(AthleteNumbersTest, renumberingAllLeavesTheGapBetweenTeamsAndKeepsRelayTeams)
{
    const qint64 a = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 b = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    for (const char* name : {"CC", "AA", "BB"}) {
        athlete(a, QString::fromLatin1(name), QStringLiteral("M"), 13);
        athlete(b, QString::fromLatin1(name), QStringLiteral("F"), 13);
    }
    AthleteRow relay;
    relay.teamNo = a;
    relay.surname = entries::kRelayTeamSurname;
    relay.firstName = QStringLiteral("A");
    relay.gender = QStringLiteral("M");
    relay.age = 13;
    relay.number = QStringLiteral("R1");
    m_sink.answerYes(); // keep the number of the first relay team
    ASSERT_NE(Athletes(database(), settings()).add(relay), 0);
    m_sink.answerYes();
    m_sink.answerYes();
    EXPECT_TRUE(entries::AthleteNumbers(database(), m_meeting)
                    .renumberAll(QStringLiteral("100"), QStringLiteral("10")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("numbers between 100 and 115")));
    EXPECT_TRUE(m_sink.progressTexts().join('|').contains("Renumbering ALL athletes"));
    EXPECT_EQ(numbersOf(a), (QStringList{"100", "101", "102", "R1"}));
    EXPECT_EQ(numbersOf(b), (QStringList{"113", "114", "115"}));
    EXPECT_EQ(entries::AthleteNumbers(database(), m_meeting).highestNumber(), 115);
}

TEST_F(AthleteNumbersTest, renumberingOneTeamChecksTheFirstNumber)
{
    const qint64 a = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    entries::AthleteNumbers numbers(database(), m_meeting);
    EXPECT_FALSE(numbers.renumberTeam(a, QStringLiteral("-3")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The number is not valid: -3")));
    EXPECT_FALSE(numbers.renumberTeam(a, QStringLiteral("5")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No Athletes for Team Alpha")));
    athlete(a, QStringLiteral("ZULU"), QStringLiteral("F"), 12);
    athlete(a, QStringLiteral("ALPHA"), QStringLiteral("M"), 12);
    m_sink.answerYes();
    EXPECT_TRUE(numbers.renumberTeam(a, QStringLiteral("5")));
    // Girls first: ordered by gender, then surname.
    EXPECT_EQ(numbersOf(a), (QStringList{"5", "6"}));
}

TEST_F(AthleteNumbersTest, renumberingRefusesNumbersTheColumnCannotHold)
{
    const qint64 a = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    athlete(a, QStringLiteral("ALPHA"), QStringLiteral("M"), 12, QStringLiteral("4"));
    athlete(a, QStringLiteral("BRAVO"), QStringLiteral("M"), 12, QStringLiteral("5"));
    entries::AthleteNumbers numbers(database(), m_meeting);
    EXPECT_FALSE(numbers.renumberTeam(a, QStringLiteral("9999999")));
    EXPECT_FALSE(numbers.renumberAll(QStringLiteral("9999999"), QStringLiteral("0")));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 2);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The Athlete number may not be longer than 7")));
    EXPECT_EQ(numbersOf(a), (QStringList{"4", "5"}));
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(AthleteNumbersTest, theSummaryGivesEachTeamsRangesByGenderAndCountsOtherNumbers)
{
    const qint64 a = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 b = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    team(QStringLiteral("Charlie"), QStringLiteral("CHA"));
    athlete(a, QStringLiteral("AA"), QStringLiteral("M"), 13, QStringLiteral("15"));
    athlete(a, QStringLiteral("BB"), QStringLiteral("M"), 13, QStringLiteral("12"));
    athlete(a, QStringLiteral("CC"), QStringLiteral("F"), 13, QStringLiteral("3"));
    athlete(a, QStringLiteral("DD"), QStringLiteral("F"), 13, QStringLiteral("0"));
    athlete(a, QStringLiteral("EE"), QStringLiteral("F"), 13);
    athlete(b, QStringLiteral("AA"), QStringLiteral("M"), 13, QStringLiteral("A7"));
    athlete(b, QStringLiteral("BB"), QStringLiteral("F"), 13, QStringLiteral("20"));
    AthleteRow relay;
    relay.teamNo = a;
    relay.surname = entries::kRelayTeamSurname;
    relay.firstName = QStringLiteral("A");
    relay.gender = QStringLiteral("M");
    relay.age = 13;
    relay.number = QStringLiteral("R1");
    m_sink.answerYes();
    ASSERT_NE(Athletes(database(), settings()).add(relay), 0);

    entries::AthleteNumbers numbers(database(), m_meeting);
    const entries::NumbersSummary s = numbers.summary();
    ASSERT_EQ(s.teams.size(), 3);
    const entries::TeamNumbers& alpha = s.teams[0];
    EXPECT_EQ(alpha.abbreviation, QStringLiteral("ALP"));
    EXPECT_EQ(alpha.all.athletes, 5); // the relay team is not counted
    EXPECT_EQ(alpha.all.numbered, 3); // "0" and empty are no numbers
    EXPECT_EQ(alpha.all.lowest, 3);
    EXPECT_EQ(alpha.all.highest, 15);
    EXPECT_EQ(alpha.males.lowest, 12);
    EXPECT_EQ(alpha.males.highest, 15);
    EXPECT_EQ(alpha.males.athletes, 2);
    EXPECT_EQ(alpha.females.lowest, 3);
    EXPECT_EQ(alpha.females.highest, 3);
    EXPECT_EQ(alpha.females.athletes, 3);
    const entries::TeamNumbers& bravo = s.teams[1];
    EXPECT_EQ(bravo.males.numbered, 0);
    EXPECT_EQ(bravo.males.athletes, 1);
    EXPECT_EQ(bravo.all.lowest, 20);
    EXPECT_EQ(s.teams[2].all.athletes, 0);
    EXPECT_EQ(s.notIntegers, 1);
    numbers.reportNotIntegers(s);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There are 1 athlete numbers that are not integers.\r"
                                          "The program will only pick up max and min numbers "
                                          "for integers.")));
}

TEST_F(AthleteNumbersTest, theScreenIsOfferedOnlyWhenAthletesHaveNumbers)
{
    EXPECT_FALSE(entries::AthleteNumbers::offered(messages(), settings()));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This facility only has meaning if under \"Settings: "
                                          "Athletes\"\ryou indicated that \"Athletes has "
                                          "Numbers\".")));
    setMeeting(QStringLiteral("ATH_HAS_NUMBERS"), 1);
    m_sink.clear();
    EXPECT_TRUE(entries::AthleteNumbers::offered(messages(), settings()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}
