#include "base/messages.h"
#include "base/scriptedsink.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"

#include <gtest/gtest.h>

using namespace draw;

namespace {

class HeatFormatsTest : public ::testing::Test {
protected:
    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
    HeatFormats m_formats{m_messages};
    meeting::ItemTypes m_swim{meeting::Edition::Swimming, m_messages};
    meeting::ItemTypes m_athletics{meeting::Edition::Athletics, m_messages};

    int errors() const { return m_sink.count(base::MessageKind::Error); }
};

TEST_F(HeatFormatsTest, OneGroupFormatIsRoundAFeedingTheFinal)
{
    const QString f = QStringLiteral("2,3,2");
    EXPECT_EQ(HeatFormats::roundCount(f), 1);
    EXPECT_EQ(HeatFormats::firstRound(f), "A");
    EXPECT_EQ(m_formats.heatsOfRound(f, "A"), 2);
    EXPECT_EQ(m_formats.heatsOfRound(f, "F"), 1);
    EXPECT_EQ(m_formats.athletesInRound(f, "F"), 8);
    const RoundParameters a = m_formats.roundParameters(f, "A");
    EXPECT_EQ(a.heats, 2);
    EXPECT_EQ(a.entryPlaces, 0);
    EXPECT_EQ(a.entryTimes, 99999);
    EXPECT_EQ(HeatFormats::formatKind(f), FormatKind::SemisWithPlaces);
    EXPECT_EQ(errors(), 0);
}

TEST_F(HeatFormatsTest, TwoGroupFormatCountsAthletesPerRound)
{
    const QString f = QStringLiteral("4,3,4/2,3,2");
    EXPECT_EQ(HeatFormats::firstRound(f), "B");
    EXPECT_EQ(HeatFormats::heatCountsText(f), "4,2");
    EXPECT_EQ(m_formats.heatsOfRound(f, "B"), 4);
    EXPECT_EQ(m_formats.heatsOfRound(f, "A"), 2);
    EXPECT_EQ(m_formats.athletesInRound(f, "A"), 16);
    EXPECT_EQ(m_formats.athletesInRound(f, "F"), 8);
    EXPECT_EQ(m_formats.heatsOfPreviousRound(f, "F"), 2);
    EXPECT_EQ(m_formats.roundParameters(f, "F").previousRound, "A");
    EXPECT_EQ(HeatFormats::formatKind(f), FormatKind::Complex);
    EXPECT_EQ(errors(), 0);
}

TEST_F(HeatFormatsTest, ThreeGroupFormatStartsAtRoundC)
{
    const QString f = QStringLiteral("8,3,8/4,3,4/2,4,0");
    EXPECT_EQ(HeatFormats::firstRound(f), "C");
    EXPECT_EQ(HeatFormats::heatCountsText(f), "8,4,2");
    EXPECT_EQ(m_formats.heatsOfFirstRound(f), 8);
    EXPECT_EQ(m_formats.athletesInRound(f, "B"), 32);
    EXPECT_EQ(m_formats.athletesInRound(f, "A"), 16);
    EXPECT_EQ(m_formats.athletesInRound(f, "F"), 8);
    EXPECT_EQ(m_formats.roundParameters(f, "B").entryPlaces, 3);
    EXPECT_EQ(m_formats.roundParameters(f, "B").entryTimes, 8);
}

TEST_F(HeatFormatsTest, SemiFinalsByTimesOnly)
{
    const QString f = QStringLiteral("3,0,8");
    EXPECT_EQ(HeatFormats::formatKind(f), FormatKind::TimesOnly);
    EXPECT_EQ(m_formats.athletesInRound(f, "F"), 8);
    EXPECT_EQ(HeatFormats::formatKind(QString()), FormatKind::FinalOnly);
    EXPECT_EQ(HeatFormats::firstRound(QString()), "F");
    EXPECT_EQ(m_formats.heatsOfFirstRound(QString()), 1);
}

TEST_F(HeatFormatsTest, AFormatIsToldInWords)
{
    EXPECT_EQ(HeatFormats::inWords(""), "Final only: everyone goes straight to the final.");
    EXPECT_EQ(HeatFormats::inWords("2,5,0"),
              "2 heats; the first 5 of each heat (10) go to the final.");
    EXPECT_EQ(HeatFormats::inWords("3,0,8"), "3 heats; the 8 fastest (8) go to the final.");
    EXPECT_EQ(HeatFormats::inWords("4,3,4/2,3,2"),
              "Round B: 4 heats; the first 3 of each heat and the 4 fastest of the rest (16) go "
              "to round A. Round A: 2 heats; the first 3 of each heat and the 2 fastest of the "
              "rest (8) go to the final.");
    EXPECT_EQ(HeatFormats::inWords("8,2,0/4,2,0/1,2,0").left(40),
              "Round C: 8 heats; the first 2 of each he");
    EXPECT_TRUE(HeatFormats::inWords("2,x,0").startsWith("Not a heat format"));
    EXPECT_TRUE(HeatFormats::inWords("1,1,1/1,1,1/1,1,1/1,1,1").startsWith("Not a heat format"));
}

TEST_F(HeatFormatsTest, AskingAboutTheFirstRoundOrAMissingRoundIsAnInternalError)
{
    EXPECT_EQ(m_formats.athletesInRound("4,3,4/2,3,2", "B"), 0);
    EXPECT_TRUE(m_sink.saw("Do not ask for the first round: use nEstimatedAthleteCount"));
    EXPECT_EQ(m_formats.athletesInRound("", "F"), 0);
    EXPECT_TRUE(m_sink.saw("Do not ask for final only: use nEstimatedAthleteCount"));
    m_formats.roundParameters("2,3,2", "B");
    EXPECT_TRUE(m_sink.saw("Wrong draw request:2,3,2,B"));
    EXPECT_EQ(errors(), 3);
}

TEST_F(HeatFormatsTest, NextAndPreviousRounds)
{
    const QString f = QStringLiteral("4,3,4/2,3,2");
    EXPECT_EQ(previousRound(f, "F", m_messages), "A");
    EXPECT_EQ(previousRound(f, "A", m_messages), "B");
    EXPECT_EQ(previousRound(f, "B", m_messages), "");
    EXPECT_EQ(nextRound("2,3,2", "", m_messages), "A");
    EXPECT_EQ(nextRound("2,3,2", "A", m_messages), "F");
    EXPECT_EQ(nextRound("", "", m_messages), "F");
    EXPECT_EQ(nextRound(f, "C", m_messages), "B");
    EXPECT_EQ(errors(), 0);
}

TEST_F(HeatFormatsTest, RoundErrorsAreReportedWithTheirTexts)
{
    EXPECT_EQ(previousRound("4,3,4/2,3,2", "C", m_messages), "");
    EXPECT_TRUE(m_sink.saw("Cannot ask previous round of C for 4,3,4/2,3,2"));
    EXPECT_EQ(previousRound("", "A", m_messages), "");
    EXPECT_TRUE(m_sink.saw("Cannot ask previous round of A for "));
    EXPECT_EQ(previousRound("2,3,2", "", m_messages), "");
    EXPECT_TRUE(m_sink.saw("Trying to determine the previous round of an empty round"));
    EXPECT_EQ(previousRound("2,3,2", "X", m_messages), "");
    EXPECT_TRUE(m_sink.saw("Invalid prev round: X"));
    EXPECT_EQ(nextRound("2,3,2", "F", m_messages), "");
    EXPECT_TRUE(m_sink.saw("Invalid next round: F"));
    EXPECT_EQ(roundNumber("Q", m_messages), 0);
    EXPECT_TRUE(m_sink.saw("Funny"));
    EXPECT_EQ(roundLetter(4, m_messages), "");
    EXPECT_EQ(errors(), 7);
    EXPECT_EQ(roundLetter(2, m_messages), "B");
}

TEST_F(HeatFormatsTest, RoundAndHeatNames)
{
    EXPECT_EQ(heatName("4,3,4/2,3,2", "B", 3), "Heat 3");
    EXPECT_EQ(heatName("4,3,4/2,3,2", "A", 1), "Semi-Final 1");
    EXPECT_EQ(heatName("8,3,8/4,3,4/2,4,0", "B", 2), "Quarter-Final 2");
    EXPECT_EQ(heatName("2,3,2", "F", 0), "Final");
}

TEST_F(HeatFormatsTest, SprintTableBoundaries)
{
    bool tooMany = false;
    EXPECT_EQ(FormatProposal::tableFormat(5, 8, &tooMany), "");
    EXPECT_EQ(FormatProposal::tableFormat(5, 9, &tooMany), "2,3,2");
    EXPECT_EQ(FormatProposal::tableFormat(5, 16, &tooMany), "2,3,2");
    EXPECT_EQ(FormatProposal::tableFormat(5, 17, &tooMany), "3,2,2");
    EXPECT_EQ(FormatProposal::tableFormat(5, 56, &tooMany), "7,3,3/3,2,2");
    EXPECT_EQ(FormatProposal::tableFormat(5, 57, &tooMany), "8,3,8/4,3,4/2,4,0");
    EXPECT_EQ(FormatProposal::tableFormat(5, 112, &tooMany), "14,3,6/6,3,6/3,2,2");
    EXPECT_FALSE(tooMany);
    EXPECT_EQ(FormatProposal::tableFormat(5, 113, &tooMany), "");
    EXPECT_TRUE(tooMany);
}

TEST_F(HeatFormatsTest, LongerDistanceTableBoundaries)
{
    bool tooMany = false;
    EXPECT_EQ(FormatProposal::tableFormat(6, 15, &tooMany), "");
    EXPECT_EQ(FormatProposal::tableFormat(6, 16, &tooMany), "2,3,2");
    EXPECT_EQ(FormatProposal::tableFormat(6, 48, &tooMany), "6,3,4/3,2,2");
    EXPECT_EQ(FormatProposal::tableFormat(7, 15, &tooMany), "");
    EXPECT_EQ(FormatProposal::tableFormat(7, 16, &tooMany), "2,4,4");
    EXPECT_EQ(FormatProposal::tableFormat(7, 75, &tooMany), "5,4,4/2,5,2");
    EXPECT_EQ(FormatProposal::tableFormat(8, 19, &tooMany), "");
    EXPECT_EQ(FormatProposal::tableFormat(8, 20, &tooMany), "2,5,5");
    EXPECT_EQ(FormatProposal::tableFormat(8, 100, &tooMany), "5,5,5/2,6,3");
    EXPECT_EQ(FormatProposal::tableFormat(9, 27, &tooMany), "");
    EXPECT_EQ(FormatProposal::tableFormat(9, 108, &tooMany), "4,4,4");
    EXPECT_FALSE(tooMany);
    FormatProposal::tableFormat(7, 76, &tooMany);
    EXPECT_TRUE(tooMany);
    FormatProposal::tableFormat(9, 109, &tooMany);
    EXPECT_TRUE(tooMany);
    EXPECT_EQ(FormatProposal::tableFormat(10, 30, &tooMany), "1,0,10000");
    EXPECT_EQ(FormatProposal::tableFormat(11, 30, &tooMany), "1,0,1000");
}

TEST_F(HeatFormatsTest, EverySprintTableFormatFillsTheNextRoundOfEight)
{
    bool tooMany = false;
    for (int n = 9; n <= 112; ++n) {
        const QString f = FormatProposal::tableFormat(5, n, &tooMany);
        const auto groups = HeatFormats::groups(f);
        ASSERT_TRUE(groups.has_value());
        for (int i = 0; i < groups->size(); ++i) {
            const int next = i + 1 < groups->size() ? (*groups)[i + 1].heats : 1;
            EXPECT_EQ((*groups)[i].places * (*groups)[i].heats + (*groups)[i].times, 8 * next)
                << f.toStdString();
        }
    }
}

TEST_F(HeatFormatsTest, RewriteForOtherLaneCounts)
{
    EXPECT_EQ(FormatProposal::rewriteForLanes("4,3,4/2,3,2", 6, m_messages), "4,2,4/2,1,4");
    EXPECT_EQ(FormatProposal::rewriteForLanes("4,3,4/2,3,2", 9, m_messages), "4,4,2/2,4,1");
    EXPECT_EQ(FormatProposal::rewriteForLanes("3,2,2", 9, m_messages), "3,2,3");
    EXPECT_EQ(FormatProposal::rewriteForLanes("", 6, m_messages), "");
}

TEST_F(HeatFormatsTest, AutoformatOfSwimsFollowsTheLanes)
{
    meeting::LaneSettings eight;
    eight.dolvaneLaneCount = 8;
    HeatGroups groups8(m_swim, eight);
    FormatProposal proposal8(groups8);
    EXPECT_EQ(proposal8.autoformat("FRE____100M13W", 8), "");
    EXPECT_EQ(proposal8.autoformat("FRE____100M13W", 9), "2,3,2");
    EXPECT_EQ(proposal8.autoformat("FRE____100M13W", 20), "3,2,2");
    EXPECT_EQ(proposal8.autoformat("FRE____100M13W", 20, 6), "4,2,4/2,1,4");
    // A 200 m medley relay is a 200 m swim; a 1500 m is not rewritten.
    EXPECT_EQ(proposal8.autoformat("M_R4X50___F15W", 24, 6), "4,2,4/2,1,4");
    EXPECT_EQ(proposal8.autoformat("FRE___1500M19W", 20, 6), "4,3,4/2,3,2");
    EXPECT_EQ(groups8.heatGroupOf("FRE_____25M10W"), 1);
    EXPECT_EQ(groups8.heatGroupOf("FRE____100M10W"), 3);
    EXPECT_EQ(groups8.heatGroupOf("I_M4X50___M10W"), 4);
    EXPECT_EQ(groups8.heatGroupOf("FRE____400M10W"), 5);
}

TEST_F(HeatFormatsTest, TooManySwimmersForTheTablesIsToldAndGivesNoFormat)
{
    meeting::LaneSettings eight;
    eight.dolvaneLaneCount = 8;
    HeatGroups groups(m_swim, eight);
    FormatProposal proposal(groups);
    EXPECT_EQ(proposal.autoformat("FRE_____50F11W", 113), "");
    EXPECT_TRUE(m_sink.saw("You entered too many athletes (120) for FRE_____50F11W"));
}

TEST_F(HeatFormatsTest, AthleticsGroupsAndTheirFormats)
{
    meeting::LaneSettings lanes;
    HeatGroups groups(m_athletics, lanes);
    FormatProposal proposal(groups);
    EXPECT_EQ(groups.heatGroupOf("LOD____800M19"), 6);
    EXPECT_EQ(groups.heatGroupOf("JMPHigh___F15"), 11);
    EXPECT_EQ(groups.heatGroupOf("THRShotputM17"), 10);
    EXPECT_EQ(proposal.defaultFormat("LOD____800M19", 16), "2,3,2");
    EXPECT_EQ(proposal.defaultFormat("LOD____800M19", 15), "");
    EXPECT_EQ(proposal.defaultFormat("SHD____100M19", 112), "14,3,6/6,3,6/3,2,2");
    lanes.track110 = 6;
    HeatGroups six(m_athletics, lanes);
    EXPECT_EQ(FormatProposal(six).autoformat("SHD____100M19", 20), "4,2,4/2,1,4");
    // Combined events fit any field into their final: no heats, and nothing to report.
    EXPECT_EQ(groups.heatGroupOf("NTH_____10M19"), 13);
    EXPECT_EQ(proposal.defaultFormat("NTH_____10M19", 40), "");
    EXPECT_EQ(errors(), 0);
}

TEST_F(HeatFormatsTest, CheckAgainstLanesReportsEveryRound)
{
    meeting::LaneSettings lanes;
    lanes.dolvaneLaneCount = 8;
    HeatGroups groups(m_swim, lanes);
    FormatCheck check(groups);
    EXPECT_TRUE(check.check("FRE____100M13W", "4,3,4/2,3,2", 32).isEmpty());
    lanes.dolvaneLaneCount = 9;
    HeatGroups nine(m_swim, lanes);
    const QStringList lines = FormatCheck(nine).check("FRE____100M13W", "4,3,4/2,3,2", 32);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Round B: you select 16 instead of 18");
    EXPECT_EQ(lines[1], "          You select (Places X Heats)+Times = (3X4) + 4");
    EXPECT_EQ(lines[2], "          You require (AthletesPerHeat X NextHeats) = (9X2)");
    EXPECT_EQ(lines[3], "Round A: you select 8 instead of 9");
    // Too few first-round heats for the swimmers.
    const QStringList few = check.check("FRE____100M13W", "2,3,2", 40);
    ASSERT_FALSE(few.isEmpty());
    EXPECT_EQ(few[0], "The first round for 40 athletes and 8 athletes per heat requires 5 heats, "
                      "not 2");
}

TEST_F(HeatFormatsTest, TypedFormatsThatCannotBeStored)
{
    EXPECT_EQ(FormatCheck::textError("2,3,2"), "");
    EXPECT_EQ(FormatCheck::textError(""), "");
    EXPECT_EQ(FormatCheck::textError("2,3"), "All items must be filled or left open");
    EXPECT_EQ(FormatCheck::textError("2,x,2"), "Not a valid integer");
    EXPECT_EQ(FormatCheck::textError("2,-1,2"), "Not a valid integer");
    // A round without heats is readable; the lane check and the user judge it.
    EXPECT_EQ(FormatCheck::textError("4,3,4/0,3,2"), "");
}

} // namespace
