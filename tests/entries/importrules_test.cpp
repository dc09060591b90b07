// The rules of the import that decide what is checked, wiped and written: grades, masters
// bands, empty lines, header items, missing teams, and what a refusal of the database
// leaves behind.

#include "importfixture.h"

using Outcome = entries::AthleteImport::Outcome;

namespace {

TEST_F(ImportTest, theWipeIsDoneBeforeTheReportAndKeptWhenTheImportStops)
{
    auto first = importer();
    ASSERT_EQ(import(*first,
                     withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,\n"
                                "BOTHA,Kim,M,13,PINE,,50m Freestyle,\n"),
                     false),
              Outcome::Imported);
    // The report of the next file is stopped: what the wipe removed stays removed.
    auto team = importer();
    team->setup().oneTeam = true;
    team->setup().oneTeamAbbreviation = QStringLiteral("OAK");
    team->setup().wipe = entries::WipeMode::TeamAthletes;
    m_sink.answerButton(0); // "Stop"
    EXPECT_EQ(import(*team, withHeader("SMIT,Jan,M,abc,ignored\n"), false), Outcome::Stopped);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'NEL'")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 1);

    auto all = importer();
    all->setup().wipe = entries::WipeMode::AllTeams;
    m_sink.answerButton(0);
    EXPECT_EQ(import(*all, withHeader("ZULU,Jan,M,abc,NEW\n"), false), Outcome::Stopped);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 0);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
}

TEST_F(ImportTest, withoutAddingTeamsAfterAWipeOfAllEveryLineSaysWhy)
{
    auto first = importer();
    ASSERT_EQ(import(*first, withHeader("NEL,Jan,M,13,OAK\n")), Outcome::Imported);
    auto all = importer();
    all->setup().wipe = entries::WipeMode::AllTeams;
    all->setup().addTeams = false;
    EXPECT_EQ(import(*all, withHeader("BOTHA,Kim,M,13,OAK\nSMIT,Jan,M,13,PINE\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*all), (QStringList{"2 0 Please allow Adding Team: OAK",
                                           "3 0 Please allow Adding Team: PINE"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    EXPECT_EQ(all->counts().linesSkipped, 2);
}

TEST_F(ImportTest, gradesAreReadBeforeTheAgeRangeIsChecked)
{
    entries::EntrySettings grades = settings();
    grades.ageDescType = 3; // school grades
    auto imp = std::make_unique<entries::AthleteImport>(run(), grades);
    imp->setup() = importer()->setup();
    imp->setup().hasItems = false;
    ASSERT_EQ(import(*imp, withHeader("ONE,A,M,1,OAK\nTWELVE,A,M,12,OAK\nOLD,A,M,90,OAK\n"
                                      "NONE,A,M,0,OAK\n")),
              Outcome::Imported);
    EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE where SURNAME = 'ONE'")), "7");
    EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE where SURNAME = 'TWELVE'")), "18");
    EXPECT_EQ(findings(*imp), (QStringList{"4 0 Invalid Age (90)", "5 0 Invalid Age (0)"}));
}

TEST_F(ImportTest, aWomansMastersBandStartsAtThirty)
{
    auto imp = importer();
    imp->setup().hasItems = false;
    ASSERT_EQ(import(*imp, withHeader("A,A,F,20-24,OAK\nB,A,F,25-29,OAK\nC,A,F,30-34,OAK\n"
                                      "D,A,M,20-24,OAK\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp), (QStringList{"2 0 ONLY Female Masters starts at 30: 20-24",
                                           "3 0 ONLY Female Masters starts at 30: 25-29"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
}

TEST_F(ImportTest, emptyLinesAreNamedAndSkipped)
{
    auto imp = importer();
    imp->setup().hasItems = false;
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK\n\n, , ,,\nBOTHA,Kim,M,13,OAK\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp), (QStringList{"3 2 EMPTY LINE ", "4 2 Line is empty"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
}

// Findings are gathered and shown together: a line with an athlete error still has its
// items checked, although it will not be imported.
TEST_F(ImportTest, theItemsOfALineWithAnAthleteErrorAreCheckedToo)
{
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader(",Jan,M,13,OAK,,Butterfly,,50m Freestyle,\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp), (QStringList{"2 0 Surname Empty", "2 1 Invalid Item: Butterfly"}));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
}

// A gender other than M or F is the line's own finding; its items, which are chosen by
// gender, are not looked for, and nothing reaches the internal-error report.
TEST_F(ImportTest, anUnknownGenderIsAFindingOfItsLineAndNoInternalError)
{
    setMeeting(QStringLiteral("DO_AGE_DEFAULTING"), 1);
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader("DU TOIT,Lee,X,13,OAK,,50m Freestyle,,100m Freestyle,\n"
                                      "NEL,Jan,M,13,OAK,,50m Freestyle,\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp), QStringList{"2 0 Invalid Gender: X"});
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    EXPECT_EQ(count(QStringLiteral("T_DEBUG_MARK")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 1);
}

TEST_F(ImportTest, aHeaderItemMustBeAnItemOfTheMeeting)
{
    auto imp = importer();
    imp->setup().itemsInHeader = true;
    imp->setup().hasBests = false;
    imp->setup().itemLast = 8;
    // A backstroke is a known item, but this meeting swims none.
    EXPECT_EQ(
        import(*imp, "S,F,G,A,T,N,50m Freestyle,50m Backstroke\nNEL,Jan,M,13,OAK,,x,x\n", false),
        Outcome::Refused);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Invalid Item in Col Header 8: 50m Backstroke")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
}

TEST_F(ImportTest, aTeamThatCannotBeAddedFailsItsLinesAndTheOthersImport)
{
    // This test's own copy of the database refuses one team.
    ASSERT_TRUE(database().execute(
        QStringLiteral("alter table TEAM add constraint CHK_TEST_TEAM check (TEAMABRV <> 'BAD')")));
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,\n"
                                      "BOTHA,Kim,M,13,BAD,,50m Freestyle,\n"
                                      "SMIT,Lee,M,13,PINE,,50m Freestyle,\n"
                                      "DU TOIT,Ann,M,13,BAD,,100m Freestyle,\n")),
              Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 2);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
    const entries::ImportCounts& c = imp->counts();
    EXPECT_EQ(c.athletesAdded, 2);
    ASSERT_EQ(c.failedLines.size(), 2);
    EXPECT_TRUE(c.failedLines[0].startsWith("Line 3: Team BAD could not be added: "));
    EXPECT_TRUE(c.failedLines[0].contains("CHK_TEST_TEAM")) << c.failedLines[0].toStdString();
    EXPECT_TRUE(c.failedLines[1].startsWith("Line 5: Team BAD"));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("These lines could not be imported:\rLine 3: Team BAD")));
}

// A line the database refuses is left out whole: no athlete without the entry that failed.
TEST_F(ImportTest, aLineTheDatabaseRefusesIsLeftOutWholeAndTheRestImports)
{
    auto before = importer();
    ASSERT_EQ(import(*before, withHeader("KEEP,Me,M,13,OAK,1,50m Freestyle,0:30.00\n")),
              Outcome::Imported);
    ASSERT_TRUE(database().execute(QStringLiteral(
        "alter table PARTICIPATE add constraint CHK_TEST_FAIL check (BESTPERFBEFORE <> "
        "'0:39.99')")));
    QByteArray lines;
    for (int i = 0; i < 300; ++i) {
        const QByteArray best = i == 150 ? "0:39.99" : "0:35.00";
        lines += "SWIMMER" + QByteArray::number(i) + ",A,M,13,T" + QByteArray::number(i % 7) +
                 ",,50m Freestyle,0:31.00,100m Freestyle," + best + "\n";
    }
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader(lines)), Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 300);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'SWIMMER150'")), 0);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 1 + 2 * 299);
    EXPECT_EQ(imp->counts().athletesAdded, 299);
    EXPECT_EQ(imp->counts().participationsAdded, 2 * 299);
    ASSERT_EQ(imp->counts().failedLines.size(), 1);
    EXPECT_TRUE(imp->counts().failedLines[0].startsWith("Line 152: "));
    EXPECT_TRUE(imp->counts().failedLines[0].contains("CHK_TEST_FAIL"));
    EXPECT_FALSE(database().batchActive());
}

} // namespace
