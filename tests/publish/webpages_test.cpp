// Start lists, the program, team totals, the master index and the managing of published
// files, and the publish commands as a user runs them.

#include "publishfixture.h"

#include "publish/meetingindex.h"
#include "publish/pagewriter.h"
#include "publish/sitepublish.h"
#include "publish/textfile.h"
#include "publish/webindex.h"
#include "publish/weblayout.h"
#include "publish/webmanage.h"
#include "publish/webpages.h"
#include "publish/webresults.h"

#include <QDirIterator>
#include <QMap>
#include <QRegularExpression>

#include <optional>

namespace {

class WebPagesTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        back = addEvent(m_back100);
        for (int i = 0; i < 5; ++i)
            swimmers << swimmer(QStringLiteral("Swimmer %1").arg(i + 1));
        free1 = drawHeat(free, "A", 1, 1, swimmers.mid(0, 3));
        free2 = drawHeat(free, "A", 2, 2, swimmers.mid(3, 2));
        backHeat = drawHeat(back, "A", 1, 3, swimmers.mid(0, 2));
        freeFinal = results::programNoOf(database(), free, "F", 0);
        exec("update PROGRAM set SEQ = 10, DAY_SEQ = 2 where PROGRAMNO = " + db::sqlInt(freeFinal));
        exec("update PROGRAM set SEQ = 11, DAY_SEQ = 2 where PROGRAMNO = " +
             db::sqlInt(results::programNoOf(database(), back, "F", 0)));
    }
    // The cells of the rows of the page's tables, "|"-joined.
    QStringList rows(const QString& path)
    {
        QStringList out;
        for (QString l : lines(path)) {
            if (!l.startsWith("<tr>"))
                continue;
            l.remove("<tr>").remove("</tr>").remove("<td> ");
            out << l.replace(" </td>", "|").chopped(1);
        }
        return out;
    }

    qint64 free = 0, back = 0, free1 = 0, free2 = 0, backHeat = 0, freeFinal = 0;
    QList<qint64> swimmers;
};

TEST_F(WebPagesTest, StartListsOfADayOrASequenceRangeThatIsRemembered)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishStarters(web, 1, {}));
    QStringList r = rows(dayFile(publish::kStartersPage));
    // Three heats: an event row and its lanes each.
    EXPECT_EQ(r.count("Seq|Time|Pit|Event|Implement"), 3);
    EXPECT_EQ(r.count("Lane|Number|Athlete|Team"), 3);
    EXPECT_TRUE(r.contains("1|101|Swimmer 1, Sam|DOL School"));
    EXPECT_TRUE(r.contains("2|105|Swimmer 5, Sam|DOL School"));
    EXPECT_TRUE(r.contains("3|103|Swimmer 3, Sam|DOL School"));

    publish::SeqRange range;
    EXPECT_FALSE(publish::savedStartersSelection(web, &range));
    EXPECT_TRUE(m_sink.saw("No selection saved yet"));
    ASSERT_TRUE(publish::SeqRange::parse("2-3", &range));
    ASSERT_TRUE(publish::publishStarters(web, 1, range));
    r = rows(dayFile(publish::kStartersPage));
    EXPECT_EQ(r.count("Seq|Time|Pit|Event|Implement"), 2);
    EXPECT_FALSE(r.contains("3|103|Swimmer 3, Sam|DOL School")) << "heat at sequence 1";
    publish::SeqRange saved;
    ASSERT_TRUE(publish::savedStartersSelection(web, &saved));
    EXPECT_EQ(saved.text(), "2-3");
    EXPECT_FALSE(publish::SeqRange::parse("3-2", &range));
    EXPECT_FALSE(publish::SeqRange::parse("x", &range));

    // A range without a heat of the day says so rather than showing a bare title.
    ASSERT_TRUE(publish::SeqRange::parse("5-9", &range));
    ASSERT_TRUE(publish::publishStarters(web, 1, range));
    EXPECT_TRUE(rows(dayFile(publish::kStartersPage)).isEmpty());
    EXPECT_TRUE(text(dayFile(publish::kStartersPage)).contains("No data.<BR>"));
}

// The items of a combined group are drawn together into one race: the start list shows
// it once, with every athlete of both items in lane order.
TEST_F(WebPagesTest, ACombinedRaceIsListedAsOneHeat)
{
    const qint64 younger = addEvent("FRE____100M13W");
    const qint64 older = addEvent("FRE____100M14W");
    const qint64 combinedNo = key();
    exec("insert into COMBINED (COMBINEDNO, MEETINGNO, NAME, DAY_SEQ, SEQ, THETIME, PIT) "
         "values (" +
         db::sqlInt(combinedNo) + ", " + db::sqlInt(m_meetingNo) + ", '4', 1, 4, '10:15', '')");
    exec("update MYEVENT set COMBINEDNO = " + db::sqlInt(combinedNo) + " where EVENTNO in (" +
         db::sqlInt(younger) + ", " + db::sqlInt(older) + ")");
    drawHeat(younger, "F", 0, 4, {swimmers[0], swimmers[2]});
    drawHeat(older, "F", 0, 4, {swimmers[1], swimmers[4]});
    // The lanes as the combined draw leaves them: one set across both items.
    const auto lane = [&](qint64 eventNo, qint64 athleteNo, int lane) {
        exec("update PARTICIPATE set LANE = " + db::sqlInt(lane) + " where EVENTNO = " +
             db::sqlInt(eventNo) + " and ATHLETENO = " + db::sqlInt(athleteNo));
    };
    lane(younger, swimmers[2], 3);
    lane(older, swimmers[1], 2);
    lane(older, swimmers[4], 4);

    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishStarters(web, 1, {}));
    const QStringList r = rows(dayFile(publish::kStartersPage));
    EXPECT_EQ(r.count("Seq|Time|Pit|Event|Implement"), 4) << "three heats and the race";
    const qsizetype at = r.indexOf(QRegularExpression("4\\|.*"));
    ASSERT_GE(at, 0) << r.join('\n').toStdString();
    EXPECT_TRUE(r[at].contains("100m Freestyle 13")) << r[at].toStdString();
    EXPECT_TRUE(r[at].contains("100m Freestyle 14")) << r[at].toStdString();
    // The race is the last heat of the day: nothing of it is listed again after it.
    EXPECT_EQ(r.mid(at + 1),
              (QStringList{"Lane|Number|Athlete|Team", "1|101|Swimmer 1, Sam|DOL School",
                           "2|102|Swimmer 2, Sam|DOL School", "3|103|Swimmer 3, Sam|DOL School",
                           "4|105|Swimmer 5, Sam|DOL School"}))
        << r.join('\n').toStdString();

    // A range that holds the race alone.
    ASSERT_TRUE(publish::publishStarters(web, 1, {4, 4}));
    EXPECT_EQ(rows(dayFile(publish::kStartersPage)).size(), 7);
}

TEST_F(WebPagesTest, ADayOutsideTheMeetingIsRefused)
{
    publish::WebSite web = site();
    EXPECT_FALSE(publish::publishStarters(web, 0, {}));
    EXPECT_FALSE(publish::publishProgram(web, 0));
    EXPECT_TRUE(m_sink.saw("The publish day must be > 0"));
    EXPECT_FALSE(publish::setPublishDay(run(), 0));
    EXPECT_FALSE(QFileInfo::exists(dayFile(publish::kStartersPage, 0)));

    // The finals make it a two-day meeting: a third day has nothing to show. A run over the
    // whole site finds the days in the program it holds, and must find the same.
    for (const bool held : {false, true}) {
        std::optional<publish::WebSite::ReadsHeld> reads;
        if (held)
            reads.emplace(web);
        m_sink.clear();
        EXPECT_FALSE(publish::publishProgram(web, 3));
        EXPECT_FALSE(publish::publishStarters(web, 3, {}));
        EXPECT_TRUE(m_sink.saw("The meeting lasts 2 days: there is no publish day 3")) << held;
        EXPECT_FALSE(QFileInfo::exists(web.dayFolderPath(3)));
        EXPECT_TRUE(publish::publishProgram(web, 2));
    }
    // Nor can it be the current publishing day.
    m_sink.clear();
    EXPECT_FALSE(publish::setPublishDay(run(), 3));
    EXPECT_TRUE(m_sink.saw("The meeting lasts 2 days: there is no publish day 3"));
    EXPECT_FALSE(run().config().exists("CURRENT_PUBLISH_DAY"));
    EXPECT_TRUE(publish::setPublishDay(run(), 2));
    EXPECT_EQ(run().config().readInt("CURRENT_PUBLISH_DAY"), 2);
}

TEST_F(WebPagesTest, TheProgramOfADayNamesTheNextRound)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishProgram(web, 1));
    const QStringList r = rows(dayFile(publish::kProgramPage));
    ASSERT_EQ(r.size(), 4) << r.join('\n').toStdString();
    EXPECT_EQ(r[0], "Seq|Time|Pit|Event|NextEvent|Spec");
    EXPECT_TRUE(r[1].startsWith("1|09:05||50m Freestyle")) << r[1].toStdString();
    EXPECT_TRUE(r[1].endsWith("|10|")) << "the final at sequence 10 follows";
    EXPECT_TRUE(r[3].endsWith("|11|"));
    ASSERT_TRUE(publish::publishProgram(web, 2));
    EXPECT_EQ(rows(dayFile(publish::kProgramPage, 2)).size(), 3);
}

TEST_F(WebPagesTest, TeamTotalsAsOnePageOrOnePerLeague)
{
    const qint64 otters = addTeam("OTT", 2);
    exec("update TEAM set LEAGUE = 1 where TEAMNO = " + db::sqlInt(m_team));
    const qint64 otter = swimmer("Otter", "Olga", otters);
    const qint64 final = drawHeat(free, "F", 0, 10, {swimmers[0], otter, swimmers[1]}, 2);
    exec("update PARTICIPATE set TEAMNO = " + db::sqlInt(otters) +
         " where ATHLETENO = " + db::sqlInt(otter));
    swim(final, {"0:30.00", "0:29.00", "0:32.00"});
    setMeeting("TEAMSCOREBASIS = 1");
    {
        publish::WebSite web = site();
        ASSERT_TRUE(publish::publishTeamTotals(web))
            << (m_sink.shown().isEmpty() ? "" : m_sink.shown().last().text.toStdString());
    }
    QStringList r = rows(QDir(m_root).filePath("TeamTotals.html"));
    ASSERT_EQ(r.size(), 3) << r.join('\n').toStdString();
    EXPECT_EQ(r[0], "Place|Total|Team|TeamAbrv");
    EXPECT_TRUE(r[1].startsWith("1|") && r[1].endsWith("|DOL School|DOL")) << r[1].toStdString();
    EXPECT_TRUE(r[2].endsWith("|OTT School|OTT"));

    setMeeting("COMP_PLACEPOINTS_HAS_SETS = 1");
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishTeamTotals(web));
    EXPECT_EQ(rows(QDir(m_root).filePath("TeamTotals_Comp1.html")).size(), 2);
    r = rows(QDir(m_root).filePath("TeamTotals_Comp2.html"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_TRUE(r[1].startsWith("1|") && r[1].endsWith("|OTT School|OTT"));
    EXPECT_TRUE(
        text(QDir(m_root).filePath("TeamTotals_Comp2.html")).contains("Team Totals Comp 2"));
    // The master index names each league's page as its title does.
    setConfig("MUST_PUBLISH_TEAMTOTALS", "1");
    publish::WebSite indexed = site();
    ASSERT_TRUE(publish::writeMeetingIndex(indexed));
    EXPECT_TRUE(text(QDir(m_root).filePath(publish::kMeetingIndex))
                    .contains("<BR><A href=\"TeamTotals_Comp2.html\">Team Totals Comp 2</A>"));
}

TEST_F(WebPagesTest, TheMasterIndexMakesTheDayFoldersAndAsksBeforeARewrite)
{
    setConfig("MUST_PUBLISH_STARTERS", "1");
    setConfig("MUST_PUBLISH_TEAMTOTALS", "1");
    publish::WebSite web = site();
    ASSERT_TRUE(publish::writeMeetingIndex(web));
    EXPECT_TRUE(m_sink.saw("The following folders for exporting days were created:"));
    EXPECT_TRUE(QFileInfo::exists(dayFile(publish::kSequenceIndex, 2)));
    EXPECT_TRUE(QFileInfo::exists(dayFile(publish::kItemIndex, 1)));
    const QString index = text(QDir(m_root).filePath(publish::kMeetingIndex));
    EXPECT_TRUE(index.contains("<BR><A href=\"Day2/Starters.html\">Starters Day 2</A>"));
    EXPECT_TRUE(index.contains("<BR><A href=\"TeamTotals.html\">Team Totals</A>"));
    EXPECT_FALSE(index.contains("Program.html"));
    EXPECT_TRUE(index.contains("Meeting: Gala"));

    m_sink.answerButton(0);
    EXPECT_FALSE(publish::writeMeetingIndex(web));
    EXPECT_TRUE(m_sink.saw("The Master Indexfile for the Meeting already exists:"));
    m_sink.answerButton(1);
    EXPECT_TRUE(publish::writeMeetingIndex(web));
}

TEST_F(WebPagesTest, AProgramWithoutDaysHasNoMasterIndex)
{
    exec("update PROGRAM set DAY_SEQ = 0 where MEETINGNO = " + db::sqlInt(m_meetingNo));
    publish::WebSite web = site();
    for (const bool held : {false, true}) {
        std::optional<publish::WebSite::ReadsHeld> reads;
        if (held)
            reads.emplace(web);
        m_sink.clear();
        EXPECT_FALSE(publish::writeMeetingIndex(web));
        EXPECT_TRUE(m_sink.saw("Duration must always be > 0")) << held;
        EXPECT_FALSE(QFileInfo::exists(QDir(m_root).filePath(publish::kMeetingIndex)));
    }
}

TEST_F(WebPagesTest, ManagingFindsOrphansBothWaysAndDeletesThem)
{
    swim(free1, {"0:30.00", "0:31.00", "0:32.00"});
    swim(free2, {"0:33.00", "0:34.00"});
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, free1));
    ASSERT_TRUE(publish::publishResults(web, free2));
    const QString page1 = publish::resultsFileName(1, m_free50, "A", 1, free1);
    const QString page2 = publish::resultsFileName(2, m_free50, "A", 2, free2);
    // One page loses its file, another its index lines; a stray file lies about.
    ASSERT_TRUE(QFile::remove(dayFile(page1)));
    QStringList seq = lines(dayFile(publish::kSequenceIndex));
    QString error;
    ASSERT_TRUE(publish::removeResultsLine(&seq, free2, &error));
    ASSERT_TRUE(publish::writeTextFile(dayFile(publish::kSequenceIndex), seq));
    QStringList group = lines(dayFile("Group_FRE_____50M13.html"));
    ASSERT_TRUE(publish::removeResultsLine(&group, free2, &error));
    ASSERT_TRUE(publish::writeTextFile(dayFile("Group_FRE_____50M13.html"), group));
    ASSERT_TRUE(publish::writeTextFile(dayFile("notes.txt"), {"scratch"}));

    const publish::SiteReport report = publish::inspectSite(web);
    EXPECT_EQ(report.filesNotInIndex, QStringList{"Day1/" + page2});
    EXPECT_EQ(report.indexesWithoutFile, (QStringList{"Day1/ResultsIndexSeq.html: " + page1,
                                                      "Day1/Group_FRE_____50M13.html: " + page1}));
    EXPECT_EQ(report.notResultsFiles, QStringList{"Day1/notes.txt"});
    // The page whose line is gone counts as not published yet.
    EXPECT_EQ(publish::unpublishedResults(web), QList<qint64>{free2});

    ASSERT_TRUE(publish::deleteOrphans(web, report));
    EXPECT_TRUE(m_sink.saw("These files were deleted because they are not results files:"));
    EXPECT_TRUE(publish::inspectSite(web).clean());
    EXPECT_TRUE(indexLines(dayFile(publish::kSequenceIndex)).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dayFile(page2)));
}

TEST_F(WebPagesTest, WithoutADayTheCurrentPublishingDayIsUsed)
{
    // The day is a setting of the user, not of a meeting.
    const QStringList dbFile{"--db", m_path};
    QString out, err;
    ASSERT_EQ(testing_support::runCli(dbFile + QStringList{"publish", "day", "2"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(testing_support::runCli(dbFile + QStringList{"publish", "program", "--meeting",
                                                           QString::number(m_meetingNo)},
                                      &out, &err),
              0)
        << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dayFile(publish::kProgramPage, 1)));
    const QStringList program = rows(dayFile(publish::kProgramPage, 2));
    ASSERT_EQ(program.size(), 3) << program.join('\n').toStdString();
    EXPECT_TRUE(program[1].startsWith("10|")) << program[1].toStdString();

    // A refused day leaves the current one as it was.
    EXPECT_EQ(testing_support::runCli(dbFile + QStringList{"publish", "day", "0"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The publish day must be > 0")) << err.toStdString();
    EXPECT_EQ(run().config().readInt("CURRENT_PUBLISH_DAY"), 2);
    EXPECT_EQ(testing_support::runCli(dbFile + QStringList{"publish", "day", "3"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The meeting lasts 2 days: there is no publish day 3"))
        << err.toStdString();
    EXPECT_EQ(run().config().readInt("CURRENT_PUBLISH_DAY"), 2);

    // A heat the program gives no day is published into the current day's folder.
    exec("update PROGRAM set DAY_SEQ = 0 where PROGRAMNO = " + db::sqlInt(free1));
    swim(free1, {"0:30.00", "0:31.00", "0:32.00"});
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, free1));
    const QString page = publish::resultsFileName(1, m_free50, "A", 1, free1);
    EXPECT_TRUE(QFileInfo::exists(dayFile(page, 2)));
    EXPECT_EQ(indexLines(dayFile(publish::kSequenceIndex, 2)).size(), 1);
    EXPECT_FALSE(QFileInfo::exists(dayFile(page, 1)));
}

// Every file of a site under `root`, by its path below the root, with its text.
QMap<QString, QString> siteFiles(const QString& root)
{
    QMap<QString, QString> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        files.insert(QDir(root).relativeFilePath(path), QString::fromUtf8(f.readAll()));
    }
    return files;
}

TEST_F(WebPagesTest, TheWholeMeetingIsTheSiteItsPagesMakeOneByOne)
{
    swim(free1, {"0:30.00", "0:31.00", "DNS"});
    swim(backHeat, {"1:10.00", "1:12.00"});
    const qint64 final = drawHeat(free, "F", 0, 10, swimmers.mid(0, 3), 2);
    swim(final, {"0:29.50", "0:30.50", "0:31.50"});
    setMeeting("TEAMSCOREBASIS = 1");
    // Without a tick only the results and the master index.
    {
        publish::WebSite web = site();
        ASSERT_TRUE(publish::publishMeeting(web));
    }
    QMap<QString, QString> bare = siteFiles(m_root);
    EXPECT_TRUE(bare.contains("MeetingIndex.html"));
    EXPECT_TRUE(bare.contains("Day1/" + publish::resultsFileName(1, m_free50, "A", 1, free1)));
    EXPECT_TRUE(bare.contains("Day2/" + publish::resultsFileName(10, m_free50, "F", 0, final)));
    EXPECT_FALSE(bare.contains("Day1/" + publish::resultsFileName(2, m_free50, "A", 2, free2)))
        << "heat 2 has no results";
    EXPECT_FALSE(bare.contains("Day1/Starters.html") || bare.contains("Day1/Program.html") ||
                 bare.contains("TeamTotals.html"));

    // Ticked, the same pages as publishing each one on its own, byte for byte.
    for (const char* key :
         {"MUST_PUBLISH_PROGRAM", "MUST_PUBLISH_STARTERS", "MUST_PUBLISH_TEAMTOTALS"})
        setConfig(key, "1");
    const QString alone = QDir(m_home->dir()).filePath("alone");
    ASSERT_TRUE(QDir().mkpath(alone));
    {
        publish::WebSite web(run(), alone);
        for (const qint64 p : {free1, backHeat, final})
            ASSERT_TRUE(publish::publishResults(web, p));
        for (const int day : {1, 2})
            ASSERT_TRUE(publish::publishProgram(web, day) &&
                        publish::publishStarters(web, day, {}));
        ASSERT_TRUE(publish::publishTeamTotals(web) && publish::writeMeetingIndex(web));
    }
    const QString whole = QDir(m_home->dir()).filePath("whole");
    ASSERT_TRUE(QDir().mkpath(whole));
    {
        publish::WebSite web(run(), whole);
        ASSERT_TRUE(publish::publishMeeting(web));
    }
    const QMap<QString, QString> expected = siteFiles(alone);
    const QMap<QString, QString> made = siteFiles(whole);
    EXPECT_EQ(made.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(made.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(made.value("MeetingIndex.html").contains("TeamTotals.html"));
    EXPECT_EQ(made.value("Day1/Starters.html").count("<table"), 2 * 3) << "three heats drawn";
}

// The pages are written behind the making of the next ones: the first that cannot be
// written stops the run, and no page after it, no line of one and no master index is left.
TEST_F(WebPagesTest, TheWholeMeetingStopsAtAPageThatCannotBeWritten)
{
    swim(free1, {"0:30.00", "0:31.00", "0:32.00"});
    swim(backHeat, {"1:10.00", "1:12.00"});
    setConfig("MUST_PUBLISH_STARTERS", "1");
    const QString page = dayFile(publish::resultsFileName(1, m_free50, "A", 1, free1));
    const QString blocked = dayFile(publish::resultsFileName(3, m_back100, "A", 1, backHeat));
    ASSERT_TRUE(QDir().mkpath(blocked));
    publish::WebSite web = site();
    EXPECT_FALSE(publish::publishMeeting(web));
    EXPECT_TRUE(m_sink.saw("File could not be created:\r" + blocked));
    EXPECT_TRUE(QFileInfo::exists(page)) << "written before it";
    QList<qint64> indexed;
    for (const QString& line : indexLines(dayFile(publish::kSequenceIndex)))
        indexed << publish::programNoOfIndexLine(line);
    EXPECT_EQ(indexed, QList<qint64>{free1});
    EXPECT_FALSE(QFileInfo::exists(dayFile(publish::kStartersPage))) << "queued after it";
    EXPECT_FALSE(QFileInfo::exists(QDir(m_root).filePath(publish::kMeetingIndex)));
    for (const int day : {1, 2})
        EXPECT_EQ(QDir(dayFile("", day)).entryList({"*.part"}, QDir::Files), QStringList());

    // Once the folder is out of the way, the command does it all.
    ASSERT_TRUE(QDir(blocked).removeRecursively());
    QString out, err;
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "--yes", "publish", "all", "--web-root",
                                       m_root, "--meeting", QString::number(m_meetingNo)},
                                      &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(blocked));
    EXPECT_EQ(indexLines(dayFile(publish::kSequenceIndex)).size(), 2);
    EXPECT_TRUE(QFileInfo::exists(dayFile(publish::kStartersPage)));
    EXPECT_TRUE(QFileInfo::exists(QDir(m_root).filePath(publish::kMeetingIndex)));
}

// The team totals are made on a second connection while the pages are made: a refusal is
// told once, when the run comes to them, and stops the run there.
TEST_F(WebPagesTest, TeamTotalsRefusedInTheWholeMeetingAreToldOnce)
{
    swim(free1, {"0:30.00", "0:31.00", "0:32.00"});
    setConfig("MUST_PUBLISH_TEAMTOTALS", "1");
    publish::WebSite web = site();
    EXPECT_FALSE(publish::publishMeeting(web));
    qsizetype told = 0;
    for (const auto& shown : m_sink.shown())
        told += shown.text.contains("There are no Athletes Placed in Finals yet") ? 1 : 0;
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(QFileInfo::exists(dayFile(publish::resultsFileName(1, m_free50, "A", 1, free1))));
    EXPECT_FALSE(QFileInfo::exists(QDir(m_root).filePath("TeamTotals.html")));
    EXPECT_FALSE(QFileInfo::exists(QDir(m_root).filePath(publish::kMeetingIndex)));
}

// A page is made whole before it has its name, new or replacing another; either way it is
// a plain file readable by the web server, and nothing else is left in the folder.
TEST_F(WebPagesTest, APageIsWrittenWholeUnderItsNameAndNothingElse)
{
    const QString folder = dayFile("");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString page = dayFile("Notes.html");
    ASSERT_TRUE(publish::writeBytesFile(page, "first"));
    EXPECT_EQ(text(page), "first");
    QFile plain(dayFile("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(QFile::permissions(page), QFile::permissions(plain.fileName()));
    ASSERT_TRUE(publish::writeBytesFile(page, "second, longer"));
    EXPECT_EQ(text(page), "second, longer");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Notes.html", "plain.txt"}));
    // A folder where the page should go: refused with the file system's reason.
    ASSERT_TRUE(QDir().mkpath(dayFile("Taken.html")));
    QString error;
    EXPECT_FALSE(publish::writeBytesFile(dayFile("Taken.html"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Notes.html", "plain.txt"}));
}

// Pages written behind the maker share their memory: a short page after a long one is
// still exactly its own lines, and the pages come out in the order handed over.
TEST_F(WebPagesTest, PagesWrittenBehindAreEachExactlyTheirOwnLines)
{
    const QString folder = dayFile("");
    ASSERT_TRUE(QDir().mkpath(folder));
    QList<QStringList> pages;
    for (int i = 0; i < 40; ++i) {
        QStringList lines{QStringLiteral("<h2>Page %1</h2>").arg(i)};
        // Every third page is long, with names that take several bytes a character.
        for (int n = i % 3 == 0 ? 400 : 1; n > 0; --n)
            lines << QStringLiteral("<tr><td> Ærøskøbing O'Brien-Ünal %1 </td></tr>").arg(n);
        pages << lines;
    }
    publish::PageWriter writer;
    for (int i = 0; i < pages.size(); ++i)
        ASSERT_TRUE(writer.write(dayFile(QStringLiteral("p%1.html").arg(i)), pages[i]));
    const publish::PageWriter::Outcome outcome = writer.finish();
    EXPECT_EQ(outcome.written, pages.size());
    EXPECT_TRUE(outcome.failedPath.isEmpty());
    for (int i = 0; i < pages.size(); ++i) {
        QFile f(dayFile(QStringLiteral("p%1.html").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << i;
        EXPECT_EQ(f.readAll(), publish::textFileBytes(pages[i])) << i;
    }
    // Once closed, the writer takes no more pages.
    EXPECT_FALSE(writer.write(dayFile("late.html"), {"late"}));
    EXPECT_FALSE(QFileInfo::exists(dayFile("late.html")));
}

TEST_F(WebPagesTest, ThePublishCommandsWorkOnTheDatabaseFile)
{
    swim(free1, {"0:30.00", "0:31.00", "0:32.00"});
    const QString web = QDir(m_home->dir()).filePath("cliweb");
    ASSERT_TRUE(QDir().mkpath(web));
    const QStringList common{"--db", m_path, "--yes"};
    QString out, err;
    const QString meeting = QString::number(m_meetingNo);
    ASSERT_EQ(testing_support::runCli(
                  common + QStringList{"publish", "results", QString::number(free), "--round", "A",
                                       "--heat", "1", "--web-root", web, "--meeting", meeting},
                  &out, &err),
              0)
        << err.toStdString();
    const QString page =
        QDir(web).filePath("Day1/" + publish::resultsFileName(1, m_free50, "A", 1, free1));
    EXPECT_TRUE(QFileInfo::exists(page)) << out.toStdString();
    EXPECT_EQ(
        testing_support::runCli(common + QStringList{"publish", "withdraw", QString::number(free1),
                                                     "--web-root", web, "--meeting", meeting},
                                &out, &err),
        0)
        << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(page));
    EXPECT_EQ(testing_support::runCli(common + QStringList{"publish", "starters", "--day", "0",
                                                           "--web-root", web, "--meeting", meeting},
                                      &out, &err),
              1);
    EXPECT_TRUE(err.contains("The publish day must be > 0")) << err.toStdString();
    EXPECT_EQ(testing_support::runCli(common + QStringList{"--json", "publish", "manage",
                                                           "--web-root", web, "--meeting", meeting},
                                      &out, &err),
              0);
    EXPECT_TRUE(out.contains("\"notPublished\"")) << out.toStdString();
}

} // namespace
