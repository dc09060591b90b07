#include "importfixture.h"

#include "entries/disabilityclasses.h"

#include "support/entryfilegenerator.h"

using entries::AthleteImport;
using entries::ImportFinding;
using Outcome = entries::AthleteImport::Outcome;

TEST_F(ImportTest, importsTeamsAthletesEntriesAndCanonicalBests)
{
    auto imp = importer();
    const QByteArray text = withHeader("NEL,Jan,M,13,OAK,1,50m Freestyle,31.25,100m Freestyle,"
                                       "1:05.32\n"
                                       "BOTHA,Kim,F,u/14,OAK,2,FRE_____50F13W,0:33.10\n"
                                       "O'NEIL,Seán,M,13,PINE,3,,,FRE____100M13,\n");
    ASSERT_EQ(import(*imp, text), Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 2);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 3);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 4);
    EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE where SURNAME = 'BOTHA'")), "13");
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = 'O''NEIL'")),
              QStringLiteral("Se\u00E1n"));
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where EVENTNO = ") +
                    db::sqlInt(m_free50)),
              QStringLiteral("0:31.25"));
    EXPECT_EQ(
        value(QStringLiteral("select HASMALE || HASFEMALE from TEAM where TEAMABRV = 'PINE'")),
        QStringLiteral("11"));
    // 31.25 was not canonical for a 50 m: repaired and told.
    EXPECT_EQ(findings(*imp), QStringList{"2 2 Tried to fix BestBefore 31.25 to 0:31.25"});
    EXPECT_EQ(imp->counts().bestsImported, 3);
}

TEST_F(ImportTest, importingTheSameFileTwiceAddsNothingTheSecondTime)
{
    const QByteArray text = withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,0:31.25\n"
                                       "RELAY TEAM,A,M,MIXED,OAK,,4X50m FreestRel,\n");
    auto first = importer();
    ASSERT_EQ(import(*first, text), Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
    EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE where SURNAME = 'RELAY TEAM'")), "99");
    auto second = importer();
    ASSERT_EQ(import(*second, text), Outcome::Imported);
    EXPECT_EQ(second->counts().athletesAdded, 0);
    EXPECT_EQ(second->counts().duplicates, 1);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No athletes imported")));
    // The relay team is found again; its relay entry is the one it already had.
    EXPECT_EQ(second->counts().duplicateParticipations,
              QStringList{"Line 3: Duplicate Participation: F_R4X50___M99W"});
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Line 3: Duplicate Participation: F_R4X50___M99W")));
}

TEST_F(ImportTest, disabilityClassesMustBeClassesThatAnItemOfTheMeetingOffers)
{
    using entries::readDisabilityClasses;
    const auto swimming = meeting::Edition::Swimming;
    EXPECT_EQ(readDisabilityClasses(swimming, QStringLiteral("s9; sb8/SM9"), 17).text,
              QStringLiteral("S9,SB8,SM9"));
    EXPECT_EQ(readDisabilityClasses(swimming, QStringLiteral("S9,S9"), 17).text,
              QStringLiteral("S9"));
    EXPECT_EQ(readDisabilityClasses(swimming, QStringLiteral("S15"), 17).refusal,
              QStringLiteral("Invalid Disability Class: S15"));
    EXPECT_FALSE(readDisabilityClasses(swimming, QStringLiteral("T11"), 17).ok);
    EXPECT_TRUE(
        readDisabilityClasses(meeting::Edition::Athletics, QStringLiteral("T11,F20"), 17).ok);
    EXPECT_FALSE(readDisabilityClasses(meeting::Edition::Athletics, QStringLiteral("T10"), 17).ok);
    EXPECT_EQ(readDisabilityClasses(swimming, QStringLiteral("S10 SB10 SM10 S14 SB9"), 17).refusal,
              QStringLiteral("Disability Classes S10,SB10,SM10,S14,SB9 longer than 17"));

    ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set C_CLASS = 'S9'")));
    auto imp = importer();
    imp->setup().disabled = 11;
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK,1,,,,,S9\n"
                                      "BOTHA,Kim,M,13,OAK,2,,,,,s9 sb8\n"
                                      "DU TOIT,Lee,M,13,OAK,3,,,,,S15\n"
                                      "VAN WYK,Ann,M,13,OAK,4,,,,,\n")),
              Outcome::Imported);
    // A class no item of the meeting offers is an error of the athlete, like a bad one.
    EXPECT_EQ(findings(*imp),
              QStringList({"3 0 No Item of the Meeting for Disability Class: SB8",
                           "4 0 Invalid Disability Class: S15", "5 0 Empty Disability Class"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(value(QStringLiteral("select DISABILITY_CLASSES from ATHLETE where SURNAME = "
                                   "'NEL'")),
              QStringLiteral("S9"));
}

TEST_F(ImportTest, aRepeatedNumberIsKeptOnlyByItsFirstLine)
{
    auto imp = importer();
    m_sink.answerYes(); // import anyway
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK,12\nBOTHA,Piet,M,13,OAK,12\n")),
              Outcome::Imported);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("1 Athlete Numbers are duplicates in the CSV.")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Only the first occurence of a new numbers will be "
                                          "imported.")));
    EXPECT_EQ(value(QStringLiteral("select NUMBER from ATHLETE where SURNAME = 'NEL'")), "12");
    EXPECT_EQ(value(QStringLiteral("select NUMBER from ATHLETE where SURNAME = 'BOTHA'")), "");
    EXPECT_EQ(findings(*imp), QStringList{"3 2 Number 12 dups in lines 2 and 3: not imported"});
}

TEST_F(ImportTest, aLineWithAnAthleteErrorIsSkippedAndTheRestImports)
{
    auto imp = importer();
    imp->setup().ageSource = entries::AgeSource::IdNumber;
    imp->setup().ageIdNo = 4;
    const QByteArray text = withHeader("NEL,Jan,M,130305012345,OAK\n"
                                       "BOTHA,Kim,M,1303050123456,OAK\n"
                                       ",Anon,M,1303050123456,OAK\n"
                                       "DU TOIT,Lee,X,1303050123456,\n");
    ASSERT_EQ(import(*imp, text), Outcome::Imported);
    EXPECT_EQ(findings(*imp),
              (QStringList{"2 0 Age: IdNumber must be 13 characters long: 130305012345",
                           "4 0 Surname Empty", "5 0 Team empty", "5 0 Invalid Gender: X"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE")), "13");
    EXPECT_TRUE(imp->reportText().contains(
        QStringLiteral("4 Athlete Errors encountered (they will not be imported)")));
    EXPECT_TRUE(imp->reportText().contains(QStringLiteral("     2  AthleteErr: Age: IdNumber")));
    EXPECT_EQ(imp->counts().linesSkipped, 3);
}

TEST_F(ImportTest, agesComeFromEachSource)
{
    struct Case {
        entries::AgeSource source;
        const char* cell;
        const char* age;
    } cases[] = {
        {entries::AgeSource::Age, "u/14", "13"},
        {entries::AgeSource::Age, "O18", "17"},
        {entries::AgeSource::BirthDate, "2013/06/30", "13"},
        {entries::AgeSource::BirthYear, "2012", "14"},
        {entries::AgeSource::IdNumber, "1106305012088", "15"},
    };
    int line = 0;
    for (const Case& c : cases) {
        auto imp = importer();
        imp->setup().ageSource = c.source;
        imp->setup().ageAge = imp->setup().ageDate = imp->setup().ageYear = imp->setup().ageIdNo =
            4;
        imp->setup().hasItems = false;
        const QByteArray surname = "SWIMMER" + QByteArray::number(++line);
        ASSERT_EQ(import(*imp, withHeader(surname + ",A,F," + c.cell + ",OAK\n")),
                  Outcome::Imported)
            << c.cell;
        EXPECT_EQ(value(QStringLiteral("select AGE from ATHLETE where SURNAME = ") +
                        db::quoted(QString::fromLatin1(surname))),
                  QString::fromLatin1(c.age))
            << c.cell;
    }
    auto bad = importer();
    bad->setup().ageSource = entries::AgeSource::BirthYear;
    bad->setup().ageYear = 4;
    ASSERT_EQ(import(*bad, withHeader("X,A,F,12,OAK\nY,A,F,,OAK\n")), Outcome::Imported);
    EXPECT_EQ(findings(*bad), (QStringList{"2 0 Age: Year wrong: 12", "3 0 Age: Empty Year"}));
}

TEST_F(ImportTest, overLongValuesAreChoppedAndQuotesInNumbersRefused)
{
    auto imp = importer();
    const QByteArray longName(30, 'W');
    ASSERT_EQ(import(*imp, withHeader(longName + ",Jan,M,13,OAKLANDSXYZ,7\n"
                                                 "NEL,Jan,M,13,OAK,12\"\n"
                                                 "\"SMITH, JR\",Jan,M,13,OAK,'9\n")),
              Outcome::Imported);
    const QStringList f = findings(*imp);
    EXPECT_TRUE(f.contains("2 2 Surname " + QString(longName) + " longer than 25, chopped to " +
                           QString(25, 'W')));
    EXPECT_TRUE(f.contains("2 2 Team OAKLANDSXYZ longer than 8, chopped to OAKLANDS"));
    EXPECT_TRUE(f.contains("3 0 Number 12\": \" or ' or , not allowed"));
    EXPECT_TRUE(f.contains("4 0 Number '9: \" or ' or , not allowed"));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(value(QStringLiteral("select TEAMABRV from TEAM")), "OAKLANDS");
}

TEST_F(ImportTest, itemFindingsSkipTheItemButNotTheSwimmer)
{
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK,,Butterfly,,4X50m FreestRel,\n"
                                      "BOTHA,Kim,M,13,OAK,,50m Backstroke,,50m Freestyle,1.2.3\n"
                                      "RELAY TEAM,A,M,13,OAK,,50m Freestyle,,4X50m FreestRel,\n"
                                      "VAN WYK,Kim,M,13,OAK,,FRE_____50M14W,,50m Freestyle,abc\n")),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp),
              (QStringList{"2 1 Invalid Item: Butterfly",
                           "2 1 Only a RelayTeam can participate in Relays: 4X50m FreestRel",
                           "3 1 Item not selected: BCK_____50M13W",
                           "3 1 BestBefore is not a valid time or distance! (1.2.3)",
                           "4 1 A RelayTeam can only participate in Relays: 50m Freestyle",
                           "4 2 F_R4X50___M13W defaulted to MixedAge",
                           "5 1 Invalid Age for Item: FRE_____50M14W",
                           "5 1 Best Before may only contain numeric characters: abc"}));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 4);
    // A refused best leaves the entry without a best.
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 3);
    EXPECT_EQ(
        count(QStringLiteral("PARTICIPATE"), QStringLiteral("EVENTNO = ") + db::sqlInt(m_relay)),
        1);
}

TEST_F(ImportTest, itemsNamedInTheHeaderTakeCrossesAndBadHeadersStopTheImport)
{
    auto imp = importer();
    imp->setup().itemsInHeader = true;
    imp->setup().hasBests = false;
    imp->setup().itemLast = 8;
    ASSERT_EQ(import(*imp, "S,F,G,A,T,N,50m Freestyle,100m Freestyle\n"
                           "NEL,Jan,M,13,OAK,,x,\n"
                           "BOTHA,Jan,M,13,OAK,,yes,X\n"),
              Outcome::Imported);
    EXPECT_EQ(findings(*imp), QStringList{"3 1 Not a cross in col 7: yes"});
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);

    for (const char* header :
         {"S,F,G,A,T,N,50m Freestyle,Swim\n", "S,F,G,A,T,N,50m Freestyle,FRE_____50\n"}) {
        auto refused = importer();
        refused->setup().itemsInHeader = true;
        refused->setup().hasBests = false;
        refused->setup().itemLast = 8;
        m_sink.clear();
        EXPECT_EQ(import(*refused, QByteArray(header) + "DU TOIT,Jan,M,13,OAK,,x,x\n", false),
                  Outcome::Refused);
        EXPECT_TRUE(m_sink.saw(QStringLiteral("errors in the Items in the headerline")));
    }
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Duplicate Items in Headers: Cols 7 and 8")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
}

TEST_F(ImportTest, setupChecksComeBeforeTheFile)
{
    auto imp = importer();
    imp->setup().ageSource = entries::AgeSource::None;
    EXPECT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK\n"), false), Outcome::Refused);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You must select one of Age, Birthdate, BirthYear")));
    imp = importer();
    imp->setup().itemLast = 12;
    EXPECT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK\n"), false), Outcome::Refused);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This file only has 10 columns")));
    imp = importer();
    imp->setup().team = 0;
    EXPECT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK\n"), false), Outcome::Refused);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Select the column containing the Team")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
}

TEST_F(ImportTest, theSetupIsKeptInTheConfigurationStore)
{
    auto imp = importer();
    imp->setup().oneTeam = true;
    imp->setup().oneTeamAbbreviation = QStringLiteral("OAK");
    imp->setup().wipe = entries::WipeMode::TeamAthletes;
    imp->saveSetup();
    EXPECT_EQ(run().config().readInt(QStringLiteral("CSV_ATH_COLMNO_ITEM_FIRST")), 7);
    EXPECT_EQ(run().config().readInt(QStringLiteral("MPRT_ATHS_IS_WIPE_ATHS")), 1);
    entries::AthleteImport again(run(), settings());
    EXPECT_EQ(again.setup().itemLast, 9);
    EXPECT_TRUE(again.setup().hasBests);
    EXPECT_EQ(again.setup().ageSource, entries::AgeSource::Age);
    EXPECT_TRUE(again.setup().set(QStringLiteral("SURNAME"), QStringLiteral("3")));
    EXPECT_TRUE(again.setup().set(QStringLiteral("COLMNO_FIRSTNAME"), QStringLiteral("4")));
    EXPECT_FALSE(again.setup().set(QStringLiteral("NOSUCH"), QStringLiteral("4")));
    EXPECT_EQ(again.setup().surname, 3);
    EXPECT_EQ(again.setup().firstName, 4);
}

TEST_F(ImportTest, wipingTheTeamReplacesItsSwimmersAndLeavesOthers)
{
    auto first = importer();
    ASSERT_EQ(import(*first, withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,\n"
                                        "BOTHA,Kim,M,13,PINE,,50m Freestyle,\n")),
              Outcome::Imported);
    auto second = importer();
    second->setup().oneTeam = true;
    second->setup().oneTeamAbbreviation = QStringLiteral("OAK");
    second->setup().wipe = entries::WipeMode::TeamAthletes;
    ASSERT_EQ(import(*second, withHeader("SMIT,Jan,M,13,ignored,,100m Freestyle,\n")),
              Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'NEL'")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);
    auto all = importer();
    all->setup().wipe = entries::WipeMode::AllTeams;
    ASSERT_EQ(import(*all, withHeader("ZULU,Jan,M,13,NEW,,100m Freestyle,\n")), Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 1);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
}

TEST_F(ImportTest, aLargeFileImportsWhole)
{
    testing_support::EntryFileShape shape;
    shape.teams = 12;
    shape.swimmers = 400;
    const auto generated = testing_support::generateEntries(shape);
    for (const QString& code : generated.itemCodes)
        addEvent(code);
    auto imp = importer();
    imp->setup().itemLast = testing_support::GeneratedLayout::itemFirst + 2 * 3;
    ASSERT_EQ(import(*imp, generated.csv), Outcome::Imported);
    EXPECT_TRUE(imp->report().isEmpty()) << imp->reportText().toStdString();
    EXPECT_EQ(count(QStringLiteral("TEAM")), 12);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 400);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), generated.entries);
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE"), QStringLiteral("BESTPERFBEFORE = ''")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'O''NEIL'")), 10);
}

TEST(ImportClosingReport, listsTheFirstDuplicateParticipationsAndCountsTheRest)
{
    entries::ImportCounts counts;
    for (int line = 2; line <= 26; ++line)
        counts.duplicateParticipations << QStringLiteral("Line ") + QString::number(line) +
                                              QStringLiteral(": Duplicate Participation: X");
    const QString text = entries::ImportReport::countsText(counts);
    EXPECT_TRUE(text.startsWith(QStringLiteral("No athletes imported\r\rLine 2: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Line 21: ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Line 22: ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r... and 5 more Duplicate Participations")));
}
