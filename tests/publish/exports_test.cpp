// CSV and XML files, the clipboard text, team totals as text and the results archive.

#include "publishfixture.h"

#include "backup/ziparchive.h"
#include "publish/csvwriter.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/textexports.h"

#include <QTemporaryDir>

namespace {

class ExportsTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        ann = swimmer("Smith", "Ann");
        ben = swimmer("Jones, Jr", "Ben");
        cal = swimmer("Cole", "Cal");
        heat = drawHeat(free, "A", 2, 7, {ann, ben, cal});
        swim(heat, {"0:31.50", "0:30.20", "DNS"});
        out = QDir(m_home->dir()).filePath("out");
        QDir().mkpath(out);
    }
    publish::EventResults event() { return *publish::eventResults(run(), heat); }

    qint64 free = 0, ann = 0, ben = 0, cal = 0, heat = 0;
    QString out;
};

TEST(CsvWriter, QuotesTitlesAndValuesWithACommaOnly)
{
    publish::Listing listing{
        "Place,Name",
        "PLACE, NAME",
        {{{"PLACE", "1"}, {"NAME", "Jones, Jr"}}, {{"PLACE", "2"}, {"NAME", "O\"Hara"}}}};
    QStringList lines;
    QString error;
    ASSERT_TRUE(publish::csvLines(listing, true, &lines, &error));
    EXPECT_EQ(lines, (QStringList{"\"Place\",\"Name\"", "1,\"Jones, Jr\"", "2,O\"Hara"}));
    lines.clear();
    ASSERT_TRUE(publish::csvLines({"Place", "PLACE", {}}, true, &lines, &error));
    EXPECT_EQ(lines, (QStringList{"\"Place\"", "No data"}));
    lines.clear();
    EXPECT_FALSE(publish::csvLines({"Pl\"ace", "PLACE", {}}, true, &lines, &error));
    EXPECT_EQ(error, "The headers must have no \" in it");
}

TEST(XmlWriter, OneElementPerRecordAndFieldIndentedByTwoSpaces)
{
    QStringList lines;
    QString error;
    ASSERT_TRUE(publish::xmlLines(
        "Results", "Athlete", {"Place,Name", "PLACE,NAME", {{{"PLACE", "1"}, {"NAME", "A&B <x>"}}}},
        &lines, &error));
    EXPECT_EQ(lines,
              (QStringList{"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<Results>", "  <Athlete>",
                           "    <PLACE>1</PLACE>", "    <NAME>A&amp;B &lt;x&gt;</NAME>",
                           "  </Athlete>", "</Results>"}));
    EXPECT_FALSE(publish::xmlLines("R", "A", {"Place,Name", "PLACE", {}}, &lines, &error));
    EXPECT_TRUE(error.startsWith("nHeaders differs from nFields: "));
}

TEST_F(ExportsTest, ResultsAndStartersOfAHeatAsCsv)
{
    const QString results = QDir(out).filePath("r.csv");
    ASSERT_TRUE(publish::exportEventCsv(run(), heat, publish::ExportKind::Results, results));
    const QStringList r = lines(results);
    ASSERT_EQ(r.size(), 5) << r.join('\n').toStdString();
    EXPECT_EQ(r[0], "\"Seq\",\"Item\",\"Gender\",\"Age\",\"Round\",\"Heat\",\"Time\",\"Wind\"");
    EXPECT_TRUE(r[1].startsWith("7,50m Freestyle")) << r[1].toStdString();
    EXPECT_TRUE(r[1].contains(",M,13,A,2,")) << r[1].toStdString();
    EXPECT_EQ(r[2], "\"Place\",\"Surname\",\"Firstname\",\"Number\",\"Team\",\"Performance\","
                    "\"Score\"");
    // Placed swimmers only, in place order; the one who did not start is left out.
    EXPECT_TRUE(r[3].startsWith("1,\"Jones, Jr\",Ben,102,DOL,30.20,")) << r[3].toStdString();
    EXPECT_TRUE(r[4].startsWith("2,Smith,Ann,101,DOL,31.50,")) << r[4].toStdString();

    const QString starters = QDir(out).filePath("s.csv");
    ASSERT_TRUE(publish::exportEventCsv(run(), heat, publish::ExportKind::Starters, starters));
    EXPECT_EQ(
        lines(starters).mid(2),
        (QStringList{"\"Lane\",\"Surname\",\"Firstname\",\"Number\",\"Team\"",
                     "1,Smith,Ann,101,DOL", "2,\"Jones, Jr\",Ben,102,DOL", "3,Cole,Cal,103,DOL"}));
    EXPECT_EQ(publish::eventCsvFileName(event(), publish::ExportKind::Results),
              "Results_0007_50mFreestyle13Male_A2.csv");
}

TEST_F(ExportsTest, AnExistingFileIsOverwrittenOnlyWhenTheUserSaysSo)
{
    const QString path = QDir(out).filePath("r.csv");
    ASSERT_TRUE(publish::writeTextFile(path, {"old"}));
    m_sink.answerButton(0);
    EXPECT_FALSE(publish::exportEventCsv(run(), heat, publish::ExportKind::Results, path));
    EXPECT_TRUE(m_sink.saw("The file already exist: " + path));
    EXPECT_EQ(lines(path), QStringList{"old"});
    m_sink.answerButton(1);
    EXPECT_TRUE(publish::exportEventCsv(run(), heat, publish::ExportKind::Results, path));
    EXPECT_GT(lines(path).size(), 1);
    // Without a path the export goes to the results folder, which must exist.
    EXPECT_FALSE(publish::exportEventCsv(run(), heat, publish::ExportKind::Results, QString()));
    EXPECT_TRUE(m_sink.saw("The folder does not exist: "));
    setConfig("PUB_FOLDER_CSV_RSLT_BCAST", out);
    EXPECT_TRUE(publish::exportEventCsv(run(), heat, publish::ExportKind::Results, QString()));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath("Results_0007_50mFreestyle13Male_A2.csv")));
}

TEST_F(ExportsTest, TheProgramAllStartersAndXml)
{
    const QString program = QDir(out).filePath("Program.csv");
    ASSERT_TRUE(publish::exportProgramCsv(run(), program));
    const QStringList p = lines(program);
    EXPECT_EQ(p[0], "\"Seq\",\"Item\",\"Gender\",\"Age\",\"Round\",\"Heat\",\"Time\",\"Pit\"");
    EXPECT_TRUE(p.contains("7,50m Freestyle 13 Male,M,13,A,2,09:35,"))
        << p.join('\n').toStdString();

    const QString all = QDir(out).filePath("StartersAllItems.CSV");
    ASSERT_TRUE(publish::exportAllStarters(run(), all));
    EXPECT_TRUE(lines(all).contains("3,Cole,Cal,103,DOL"));

    const QString xml = QDir(out).filePath("r.xml");
    ASSERT_TRUE(publish::exportEventXml(run(), heat, publish::ExportKind::Results, xml));
    const QString x = text(xml);
    EXPECT_TRUE(x.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Results>"));
    EXPECT_EQ(x.count("<Athlete>"), 2);
    EXPECT_TRUE(x.contains("    <SURNAME>Jones, Jr</SURNAME>"));
}

TEST_F(ExportsTest, TheClipboardTextOfAHeat)
{
    QStringList t = publish::clipboardText(run(), event(), false).split('\n');
    ASSERT_EQ(t.size(), 4) << t.join('\n').toStdString();
    EXPECT_EQ(t[0], "Item 7 50m Freestyle 13 Male Heat 2");
    EXPECT_EQ(t[1], "1 30.20 Jones, Jr, Ben DOL");
    EXPECT_EQ(t[2], "2 31.50 Smith, Ann DOL");
    EXPECT_EQ(t[3], "DNS Cole, Cal DOL");

    setConfig("WT_INCLUDE_MEETNAME", "1");
    setConfig("WT_INCLUDE_WEBLINK", "1");
    setConfig("WT_WEBLINK_ROOT", "https://gala.example/");
    exec("update PROGRAM set RESULTS_RELEASED = 1 where PROGRAMNO = " + db::sqlInt(heat));
    t = publish::clipboardText(run(), event(), false).split('\n');
    EXPECT_EQ(t[0], "Gala");
    EXPECT_EQ(t[2], "***** Final *****");
    EXPECT_EQ(t.last(),
              "https://gala.example/Day1/007_FRE_____50M13W_A2_" + QString::number(heat) + ".html");
    setConfig("WT_WEBLINK_ROOT", "https://gala.example");
    publish::clipboardText(run(), event(), false);
    EXPECT_TRUE(m_sink.saw("The link end with a slash"));

    setConfig("WT_WEBLINK_ROOT", "https://gala.example/");
    const qint64 empty = drawHeat(free, "A", 3, 8, {cal});
    EXPECT_TRUE(publish::clipboardText(run(), *publish::eventResults(run(), empty), false)
                    .contains("No places available."));
    const QStringList s =
        publish::clipboardText(run(), *publish::eventResults(run(), empty), true).split('\n');
    EXPECT_EQ(s.mid(1), (QStringList{"Item 8 50m Freestyle 13 Male Heat 3", "1 Cole, Cal DOL",
                                     "https://gala.example/MeetingIndex.html"}));
}

TEST_F(ExportsTest, TeamTotalsTextAndTheResultsArchive)
{
    const qint64 final = drawHeat(free, "F", 0, 20, {ann, ben});
    swim(final, {"0:30.00", "0:31.00"});
    setMeeting("TEAMSCOREBASIS = 1");
    const QStringList t =
        publish::teamTotalsText(run(), 0, QDateTime(QDate(2025, 3, 14), QTime(16, 5)));
    EXPECT_EQ(t[0], "Meeting: Gala");
    EXPECT_EQ(t[1], "Printed on Fri 14 March 2025 16:05");
    EXPECT_EQ(t[2], "View this file in Courier font for correct alignment");
    ASSERT_EQ(t.size(), 6) << t.join('\n').toStdString();
    EXPECT_TRUE(t[5].trimmed().startsWith("1") && t[5].contains("DOL"));

    const QString archive = QDir(out).filePath("Results_Gala.zip");
    ASSERT_TRUE(publish::writeResultsArchive(run(), archive));
    QStringList names;
    qint64 size = 0;
    QString error;
    ASSERT_TRUE(backup::archiveContents(archive, &names, &size, &error)) << error.toStdString();
    EXPECT_EQ(names, (QStringList{"TeamTotalsSplitUp.txt", "AllResults.txt"}));
    QTemporaryDir unpacked;
    QStringList written;
    ASSERT_TRUE(backup::unzipAll(archive, unpacked.path(), &written, &error));
    const QString all = text(QDir(unpacked.path()).filePath("AllResults.txt"));
    EXPECT_TRUE(all.contains("007 50m Freestyle 13 Male"));
    EXPECT_LT(all.indexOf("007 "), all.indexOf("020 ")) << "results in sequence";
    EXPECT_TRUE(text(QDir(unpacked.path()).filePath("TeamTotalsSplitUp.txt")).contains("Gender"));

    // A second archive replaces the first only after the question.
    m_sink.answerNo();
    EXPECT_FALSE(publish::writeResultsArchive(run(), archive));
    EXPECT_TRUE(QFileInfo::exists(archive));
}

TEST_F(ExportsTest, TheExportCommandsPrintAndWrite)
{
    QString stdOut, err;
    const QStringList common{"--db", m_path, "--yes"};
    const QString meeting = QString::number(m_meetingNo);
    ASSERT_EQ(testing_support::runCli(common + QStringList{"export", "clipboard",
                                                           QString::number(free), "--round", "A",
                                                           "--heat", "2", "--meeting", meeting},
                                      &stdOut, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(stdOut.startsWith("Item 7 50m Freestyle 13 Male Heat 2\n")) << stdOut.toStdString();
    const QString program = QDir(out).filePath("p.csv");
    EXPECT_EQ(testing_support::runCli(common + QStringList{"export", "csv", "program", "--out",
                                                           program, "--meeting", meeting},
                                      &stdOut, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(program));
    EXPECT_EQ(
        testing_support::runCli(
            common + QStringList{"export", "csv", "program", "--meeting", meeting}, &stdOut, &err),
        2);

    // The team totals text asks before it replaces a file, as every export does.
    const QString totals = QDir(out).filePath("TeamTotals.txt");
    ASSERT_TRUE(publish::writeTextFile(totals, {"old"}));
    EXPECT_EQ(testing_support::runCli({"--db", m_path, "--no", "export", "totals-text", "--out",
                                       totals, "--meeting", meeting},
                                      &stdOut, &err),
              1);
    EXPECT_TRUE(err.contains("The file already exist: ")) << err.toStdString();
    EXPECT_EQ(lines(totals), QStringList{"old"});
    ASSERT_EQ(testing_support::runCli(common + QStringList{"export", "totals-text", "--out", totals,
                                                           "--meeting", meeting},
                                      &stdOut, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(text(totals).startsWith("Meeting: "));
}

// The start list for a timing system has no titles and names the swimmer's ID number; the
// block layout repeats the event line over every eight swimmers.
TEST_F(ExportsTest, StartListsForATimingSystemAndInBlocks)
{
    exec("update ATHLETE set ID_NUMBER = '1204155012089' where ATHLETENO = " + db::sqlInt(ann));
    EXPECT_EQ(publish::startListLines(run(), event(), publish::StartListLayout::TimingSystem),
              (QStringList{"1204155012089,1,\"Smith, Ann\",101,DOL",
                           ",2,\"Jones, Jr, Ben\",102,DOL", ",3,\"Cole, Cal\",103,DOL"}));

    QList<qint64> ten;
    for (int i = 0; i < 10; ++i)
        ten << swimmer(QStringLiteral("Swimmer%1").arg(i), "Kim");
    const qint64 wide = drawHeat(free, "A", 3, 9, ten);
    const QStringList block = publish::startListLines(run(), *publish::eventResults(run(), wide),
                                                      publish::StartListLayout::Block);
    ASSERT_EQ(block.size(), 12) << block.join('\n').toStdString();
    EXPECT_TRUE(block[0].startsWith("9,50m Freestyle 13 Male,M,13,A,3,")) << block[0].toStdString();
    EXPECT_EQ(block[1], "1,Kim Swimmer0,104,DOL");
    EXPECT_EQ(block[8], "8,Kim Swimmer7,111,DOL");
    EXPECT_EQ(block[9], block[0]);
    EXPECT_EQ(block[11], "10,Kim Swimmer9,113,DOL");
    EXPECT_FALSE(block.join('\n').contains("\"Lane\""));

    // From the command line, into a file; --timing with --block is refused.
    const QString file = QDir(out).filePath("timing.csv");
    QString stdOut, err;
    const QStringList common{"--db", m_path, "--yes"};
    const QStringList meeting{"--meeting", QString::number(m_meetingNo)};
    ASSERT_EQ(testing_support::runCli(common +
                                          QStringList{"export", "csv", "starters",
                                                      QString::number(free), "--round", "A",
                                                      "--heat", "2", "--timing", "--out", file} +
                                          meeting,
                                      &stdOut, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(lines(file).value(0), "1204155012089,1,\"Smith, Ann\",101,DOL");
    EXPECT_EQ(
        testing_support::runCli(common +
                                    QStringList{"export", "csv", "starters", QString::number(free),
                                                "--heat", "2", "--timing", "--block"} +
                                    meeting,
                                &stdOut, &err),
        2);
}

TEST_F(ExportsTest, WithLeaguesTheResultsBeginWithTheCompetition)
{
    exec("update TEAM set LEAGUE = 2 where TEAMNO = " + db::sqlInt(m_team));
    exec("update MEETING set HAS_LEAGUES = 1 where MEETINGNO = " + db::sqlInt(m_meetingNo));
    run().meeting().setValue("HAS_LEAGUES", "1");
    const QStringList r = publish::eventCsvLines(run(), event(), publish::ExportKind::Results);
    ASSERT_EQ(r.size(), 5) << r.join('\n').toStdString();
    EXPECT_EQ(r[2], "\"Competition\",\"Place\",\"Surname\",\"Firstname\",\"Number\",\"Team\","
                    "\"Performance\",\"Score\"");
    EXPECT_TRUE(r[3].startsWith("2,1,\"Jones, Jr\",Ben,102,DOL,30.20,")) << r[3].toStdString();
    // Start lists carry no competition.
    EXPECT_EQ(publish::eventCsvLines(run(), event(), publish::ExportKind::Starters).value(2),
              "\"Lane\",\"Surname\",\"Firstname\",\"Number\",\"Team\"");
}

} // namespace
