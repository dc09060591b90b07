// Results pages of heats and finals and the indexes kept line by line.

#include "publishfixture.h"

#include "db/sidereader.h"
#include "meeting/itemtypes.h"
#include "publish/textfile.h"
#include "publish/webindex.h"
#include "publish/weblayout.h"
#include "publish/webpages.h"
#include "publish/webresults.h"

#include <QDirIterator>

namespace {

class WebResultsTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        ann = swimmer("Smith", "Ann");
        zoe = swimmer("Müller-Zoë", "Chloé");
        obr = swimmer("O'Brien", "Seán");
        heat1 = drawHeat(free, "A", 1, 7, {ann, zoe, obr});
        swim(heat1, {"0:31.50", "0:30.20", "0:32.00"});
    }
    QString seqIndex() const { return dayFile(publish::kSequenceIndex); }
    QString itemIndex() const { return dayFile(publish::kItemIndex); }
    QString groupPage() const { return dayFile("Group_FRE_____50M13.html"); }
    QString page(qint64 programNo, int seq = 7, int heat = 1) const
    {
        return dayFile(publish::resultsFileName(seq, m_free50, "A", heat, programNo));
    }

    qint64 free = 0, ann = 0, zoe = 0, obr = 0, heat1 = 0;
};

TEST(WebLayout, NamesTheFilesAsTheSiteExpects)
{
    EXPECT_EQ(publish::resultsFileName(7, "SHD____100M19", "A", 3, 1234),
              "007_SHD____100M19_A3_1234.html");
    EXPECT_EQ(publish::resultsFileName(112, "FRE_____50M13W", "F", 0, 99),
              "112_FRE_____50M13W_F0_99.html");
    EXPECT_EQ(publish::programNoOfResultsFile("007_SHD____100M19_A3_1234.html"), 1234);
    EXPECT_FALSE(publish::programNoOfResultsFile("Group_SHD____100M19.html").has_value());
    EXPECT_FALSE(publish::programNoOfResultsFile("notes.txt").has_value());
}

TEST(WebIndex, ALineIsAddedOnceInItsPlaceAndTheRestOfThePageIsKept)
{
    publish::IndexPage page(
        {"<h2>", "<!-----start-of-index----->", "b", "D", "<!-----end-of-index----->", "</html>"});
    bool changed = false;
    QString error;
    ASSERT_TRUE(page.add("c", &changed, &error));
    EXPECT_TRUE(changed);
    ASSERT_TRUE(page.add("a", &changed, &error));
    ASSERT_TRUE(page.add("E", &changed, &error));
    ASSERT_TRUE(page.add("c", &changed, &error));
    EXPECT_FALSE(changed);
    EXPECT_EQ(page.lines(), (QStringList{"<h2>", "<!-----start-of-index----->", "a", "b", "c", "D",
                                         "E", "<!-----end-of-index----->", "</html>"}));
    // At the end: after a line that differs in case only, and never twice.
    ASSERT_TRUE(page.add("e", &changed, &error));
    EXPECT_TRUE(changed);
    ASSERT_TRUE(page.add("E", &changed, &error));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(page.add("e", &changed, &error));
    EXPECT_FALSE(changed);
    EXPECT_EQ(page.lines().mid(5, 4), (QStringList{"D", "E", "e", "<!-----end-of-index----->"}));
    // Into an empty index, its program row known to the page at once.
    page = publish::IndexPage({"<!-----start-of-index----->", "<!-----end-of-index----->"});
    ASSERT_TRUE(page.add(publish::resultsIndexLine("007_X_A1_5.html", "007", 5), &changed, &error));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(page.hasOtherResultsLine(5, "another line"));
    // Added again at once it is there already; taken out, it goes in again.
    ASSERT_TRUE(page.add(publish::resultsIndexLine("007_X_A1_5.html", "007", 5), &changed, &error));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(page.removeResultsLines(5, &error));
    ASSERT_TRUE(page.add(publish::resultsIndexLine("007_X_A1_5.html", "007", 5), &changed, &error));
    EXPECT_TRUE(changed);
    EXPECT_EQ(page.lines().size(), 3);
    // Lines someone put out of order are sorted with the new one; the next goes in its place.
    page = publish::IndexPage(
        {"<!-----start-of-index----->", "z", "B", "<!-----end-of-index----->", "end"});
    ASSERT_TRUE(page.add("m", &changed, &error));
    ASSERT_TRUE(page.add("c", &changed, &error));
    EXPECT_EQ(page.lines(), (QStringList{"<!-----start-of-index----->", "B", "c", "m", "z",
                                         "<!-----end-of-index----->", "end"}));
    // The order is that of the texts compared without case, accents and signs between the
    // capitals and the small letters included.
    QStringList texts{"x_1", "xA1", "xb1", "X[", "xé", "xÉa", "xz", "Xz", "xy", "x", "xÄ", "xä",
                      "x\U0001F600", "x\u00DF", "XS", "x`"};
    page = publish::IndexPage({"<!-----start-of-index----->", "<!-----end-of-index----->"});
    for (const QString& t : std::as_const(texts))
        ASSERT_TRUE(page.add(t, &changed, &error));
    std::stable_sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QStringList added = page.lines().mid(1, texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(added[i].compare(texts[i], Qt::CaseInsensitive), 0) << i;
    page = publish::IndexPage({"<!-----start-of-index----->", "b"});
    EXPECT_FALSE(page.hasMarkers(&error));
    EXPECT_FALSE(page.add("q", &changed, &error));
    EXPECT_EQ(error, "End of index not found");
    EXPECT_EQ(page.lines(), (QStringList{"<!-----start-of-index----->", "b"}));
}

// The program row is read from the comment at the end of a results line, however the line
// was left by hand; other lines name none.
TEST(WebIndex, TheProgramRowOfALineAndAnotherLineOfTheSameRow)
{
    EXPECT_EQ(publish::programNoOfIndexLine("<BR><A href=\"a.html\">a </A><!--1234-->"), 1234);
    EXPECT_EQ(publish::programNoOfIndexLine("<BR><A href=\"a.html\">a </A><!--77-->  \t"), 77);
    EXPECT_EQ(publish::programNoOfIndexLine("<BR><A href=\"g.html\">group </A>"), 0);
    EXPECT_EQ(publish::programNoOfIndexLine("<!---->"), 0);
    EXPECT_EQ(publish::programNoOfIndexLine("<!--12a-->"), 0);
    EXPECT_EQ(publish::programNoOfIndexLine("-->"), 0);
    EXPECT_EQ(publish::programNoOfIndexLine("12-->"), 0);

    const QString now = publish::resultsIndexLine("007_X_A1_5.html", "007 New", 5);
    const QString old = publish::resultsIndexLine("007_X_A1_5.html", "007 Old", 5) + " ";
    const QString other = publish::resultsIndexLine("008_X_A2_15.html", "008", 15);
    // A line outside the markers is no line of the index.
    publish::IndexPage page({publish::resultsIndexLine("009_X_A3_6.html", "009", 6),
                             "<!-----start-of-index----->", old, other,
                             "<!-----end-of-index----->"});
    EXPECT_TRUE(page.hasOtherResultsLine(5, now));
    EXPECT_FALSE(page.hasOtherResultsLine(15, other));
    EXPECT_FALSE(page.hasOtherResultsLine(6, now));
    QString error;
    EXPECT_FALSE(page.removeResultsLines(6, &error));
    EXPECT_EQ(error, "Line not found in Index: <!--6-->");
    ASSERT_TRUE(page.removeResultsLines(5, &error));
    EXPECT_FALSE(page.hasOtherResultsLine(5, now));
    EXPECT_EQ(page.lines().size(), 4);
    // What the page was edited into is what it is found to hold when taken again.
    bool changed = false;
    ASSERT_TRUE(page.add(now, &changed, &error));
    ASSERT_TRUE(page.add(old, &changed, &error));
    EXPECT_TRUE(page.hasOtherResultsLine(5, now));
    EXPECT_TRUE(publish::IndexPage(page.lines()).hasOtherResultsLine(5, now));
    EXPECT_FALSE(page.hasOtherResultsLine(15, other));
    ASSERT_TRUE(page.removeResultsLines(5, &error));
    EXPECT_EQ(page.lines(),
              (QStringList{publish::resultsIndexLine("009_X_A3_6.html", "009", 6),
                           "<!-----start-of-index----->", other, "<!-----end-of-index----->"}));
}

TEST_F(WebResultsTest, GroupPagesTakeThirteenCharactersOfTrackAndTenOfFieldItems)
{
    EXPECT_EQ(publish::groupFileName(run().items(), "SHD____100M19"), "Group_SHD____100M19.html");
    base::ScriptedSink sink;
    base::Messages messages(sink);
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages);
    EXPECT_EQ(publish::groupFileName(athletics, "JMPLong___M19"), "Group_JMPLong___.html");
}

TEST_F(WebResultsTest, APublishedHeatHasItsPageAndALineInEachIndex)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    const QString body = text(page(heat1));
    // Zoë (30.20) leads, then Ann, then Seán; names escaped and shown in UTF-8.
    const qsizetype first = body.indexOf("Müller-Zoë, Chloé");
    const qsizetype second = body.indexOf("Smith, Ann");
    const qsizetype third = body.indexOf("O&#39;Brien, Seán");
    EXPECT_TRUE(first > 0 && first < second && second < third) << body.toStdString();
    EXPECT_TRUE(body.contains("<tr><td> Place </td><td> Performance </td><td> Athlete </td>"
                              "<td> Team </td></tr>"));
    EXPECT_TRUE(body.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(body.contains("<title>007 50m Freestyle"));
    EXPECT_TRUE(QFile::exists(QDir(m_root).filePath("dolvane.css")));

    const QString file = publish::resultsFileName(7, m_free50, "A", 1, heat1);
    const QStringList seq = indexLines(seqIndex());
    ASSERT_EQ(seq.size(), 1);
    EXPECT_TRUE(seq[0].startsWith("<BR><A href=\"" + file + "\">007 50m Freestyle"));
    EXPECT_TRUE(seq[0].endsWith(" </A><!--" + QString::number(heat1) + "-->"));
    EXPECT_EQ(indexLines(groupPage()), seq);
    EXPECT_EQ(indexLines(itemIndex()),
              QStringList{"<BR><A href=\"Group_FRE_____50M13.html\">" +
                          run().items().ItemDescription(m_free50, false) + " </A>"});
    EXPECT_TRUE(text(seqIndex()).contains("<h3>Ordered by Program Sequence</h3>"));
    EXPECT_TRUE(text(itemIndex()).contains("<h3>Ordered by Item Type</h3>"));
    EXPECT_TRUE(text(seqIndex()).contains("Results for: Gala"));
}

TEST_F(WebResultsTest, PublishingTwiceLeavesOneLineAndOverwritesThePage)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    swim(heat1, {"0:29.90", "0:30.20", "0:32.00"});
    ASSERT_TRUE(publish::publishResults(web, heat1));
    EXPECT_EQ(indexLines(seqIndex()).size(), 1);
    EXPECT_EQ(indexLines(groupPage()).size(), 1);
    EXPECT_EQ(indexLines(itemIndex()).size(), 1);
    const QString body = text(page(heat1));
    EXPECT_TRUE(body.contains("29.90"));
    EXPECT_LT(body.indexOf("Smith, Ann"), body.indexOf("Müller-Zoë"));
}

TEST_F(WebResultsTest, IndexLinesFollowTheProgramSequenceAndTheItemOrder)
{
    const qint64 back = addEvent(m_back100);
    const qint64 backHeat = drawHeat(back, "A", 1, 3, {ann, zoe});
    const qint64 heat2 = drawHeat(free, "A", 2, 12, {obr});
    swim(backHeat, {"1:10.00", "1:12.00"});
    swim(heat2, {"0:33.00"});
    publish::WebSite web = site();
    for (const qint64 p : {heat2, heat1, backHeat})
        ASSERT_TRUE(publish::publishResults(web, p));
    QList<qint64> order;
    for (const QString& l : indexLines(seqIndex()))
        order << publish::programNoOfIndexLine(l);
    EXPECT_EQ(order, (QList<qint64>{backHeat, heat1, heat2}));
    const QStringList items = indexLines(itemIndex());
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[0].contains("Group_BCK____100M13.html"));
    EXPECT_EQ(indexLines(groupPage()).size(), 2);
}

TEST_F(WebResultsTest, WithdrawingRemovesThePageAndItsLines)
{
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    swim(heat2, {"0:33.00"});
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    ASSERT_TRUE(publish::publishResults(web, heat2));
    ASSERT_TRUE(publish::withdrawResults(web, heat1));
    EXPECT_FALSE(QFile::exists(page(heat1)));
    EXPECT_TRUE(QFile::exists(page(heat2, 8, 2)));
    for (const QString& index : {seqIndex(), groupPage()}) {
        const QStringList left = indexLines(index);
        ASSERT_EQ(left.size(), 1) << index.toStdString();
        EXPECT_EQ(publish::programNoOfIndexLine(left[0]), heat2);
    }
    EXPECT_EQ(indexLines(itemIndex()).size(), 1) << "the item still has a heat published";
    // A second withdrawal finds no line and says so.
    EXPECT_FALSE(publish::withdrawResults(web, heat1));
    EXPECT_TRUE(m_sink.saw("Line not found in Index:"));

    // The item's last heat takes its group page and its line in the item index along.
    ASSERT_TRUE(publish::withdrawResults(web, heat2));
    EXPECT_FALSE(QFile::exists(groupPage()));
    EXPECT_TRUE(indexLines(itemIndex()).isEmpty());
    EXPECT_TRUE(indexLines(seqIndex()).isEmpty());
    // Published again, the item comes back in both.
    ASSERT_TRUE(publish::publishResults(web, heat2));
    EXPECT_EQ(indexLines(groupPage()).size(), 1);
    EXPECT_EQ(indexLines(itemIndex()).size(), 1);
}

TEST_F(WebResultsTest, SwitchingAutoRefreshRebuildsTheIndexesWithTheNewHeader)
{
    setConfig("WEB_AUTOREFRESH_INDEXES", "1");
    {
        publish::WebSite web = site();
        ASSERT_TRUE(publish::publishResults(web, heat1));
    }
    const QString refresh = "<meta http-equiv=\"refresh\" content=\"30\">";
    EXPECT_TRUE(text(seqIndex()).contains(refresh));
    EXPECT_TRUE(text(groupPage()).contains(refresh));
    EXPECT_FALSE(text(page(heat1)).contains(refresh)) << "results pages do not refresh";

    setConfig("WEB_AUTOREFRESH_INDEXES", "0");
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    swim(heat2, {"0:33.00"});
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat2));
    EXPECT_TRUE(m_sink.saw("Switch AutoRefreshing for the Indexfiles OFF"));
    for (const QString& index : {seqIndex(), itemIndex(), groupPage()})
        EXPECT_FALSE(text(index).contains(refresh)) << index.toStdString();
    // The rebuilt indexes still list the page published before the switch.
    EXPECT_EQ(indexLines(seqIndex()).size(), 2);
    EXPECT_EQ(indexLines(groupPage()).size(), 2);
}

TEST_F(WebResultsTest, AnUncalculatedOrEmptyEventIsPublishedOnlyWhenTheUserAgrees)
{
    exec("update PROGRAM set NOT_CALCULATED_YET = 1 where PROGRAMNO = " + db::sqlInt(heat1));
    publish::WebSite web = site();
    m_sink.answerNo();
    EXPECT_FALSE(publish::publishResults(web, heat1));
    EXPECT_TRUE(m_sink.saw("The Event is not Calculated yet: Print anyway"));
    EXPECT_FALSE(QFile::exists(page(heat1)));
    EXPECT_FALSE(QFile::exists(seqIndex()));

    const qint64 empty = drawHeat(free, "A", 2, 8, {obr});
    m_sink.answerNo();
    EXPECT_FALSE(publish::publishResults(web, empty));
    EXPECT_TRUE(m_sink.saw("No results for 008 "));
    m_sink.answerYes();
    EXPECT_TRUE(publish::publishResults(web, empty));
    EXPECT_TRUE(text(page(empty, 8, 2)).contains("No data.<BR>"));
}

TEST_F(WebResultsTest, AMissingOrUnnamedRootStopsBeforeAnythingIsWritten)
{
    setConfig("PUB_FOLDER_WEB_SITE", "");
    {
        publish::WebSite web = site();
        EXPECT_FALSE(publish::publishResults(web, heat1));
        EXPECT_TRUE(m_sink.saw("Web root folder is empty"));
    }
    const QString gone = QDir(m_home->dir()).filePath("nowhere");
    publish::WebSite web(run(), gone);
    EXPECT_FALSE(publish::publishResults(web, heat1));
    EXPECT_TRUE(m_sink.saw("The root folder MUST already exist: " + gone));
    EXPECT_FALSE(QFileInfo::exists(gone));
}

// Nothing can be written where the tests run with every right, so a root that cannot take
// a file is made of names already taken: a root under a plain file, a style sheet that is
// a folder, a day folder that is a file. Each stops with its message, nothing half-written.
TEST_F(WebResultsTest, ARootThatCannotTakeTheFilesStopsWithItsMessage)
{
    const QString plain = QDir(m_home->dir()).filePath("plain.txt");
    ASSERT_TRUE(publish::writeTextFile(plain, {"keep"}));
    {
        publish::WebSite web(run(), plain + "/web");
        EXPECT_FALSE(publish::publishResults(web, heat1));
        EXPECT_TRUE(m_sink.saw("The root folder MUST already exist: " + plain + "/web"));
        EXPECT_EQ(lines(plain), QStringList{"keep"});
    }
    const QString css = QDir(m_root).filePath("dolvane.css");
    ASSERT_TRUE(QDir().mkpath(css));
    {
        publish::WebSite web = site();
        m_sink.clear();
        EXPECT_FALSE(publish::publishResults(web, heat1));
        EXPECT_TRUE(m_sink.saw("File could not be created:\r" + css))
            << m_sink.shown().last().text.toStdString();
        EXPECT_FALSE(publish::publishStarters(web, 1, {}));
        EXPECT_EQ(QDir(m_root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{"dolvane.css"});
    }
    ASSERT_TRUE(QDir(css).removeRecursively());
    const QString day = QDir(m_root).filePath("Day1");
    ASSERT_TRUE(publish::writeTextFile(day, {"not a folder"}));
    publish::WebSite web = site();
    m_sink.clear();
    EXPECT_FALSE(publish::publishResults(web, heat1));
    EXPECT_TRUE(m_sink.saw("File could not be created:\r" + day));
    EXPECT_FALSE(publish::publishStarters(web, 1, {}));
    EXPECT_FALSE(publish::publishProgram(web, 1));
    EXPECT_EQ(lines(day), QStringList{"not a folder"});
    EXPECT_EQ(QDir(m_root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"Day1", "dolvane.css"}));
}

TEST_F(WebResultsTest, ABrokenIndexStopsThePublishingAndIsLeftAsItWas)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    QStringList broken = lines(seqIndex());
    broken.removeAll("<!-----end-of-index----->");
    ASSERT_TRUE(publish::writeTextFile(seqIndex(), broken));
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    swim(heat2, {"0:33.00"});
    EXPECT_FALSE(publish::publishResults(web, heat2));
    EXPECT_TRUE(m_sink.saw("End of index not found"));
    EXPECT_FALSE(QFile::exists(page(heat2, 8, 2)));
    EXPECT_EQ(lines(seqIndex()), broken);
    EXPECT_EQ(indexLines(groupPage()).size(), 1);
}

// A page that cannot be written (here its name is taken by a folder; the tests run with
// rights no read-only folder stops) leaves the indexes as they were and no part file.
TEST_F(WebResultsTest, APageThatCannotBeWrittenLeavesTheIndexesAsTheyWere)
{
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    const QStringList seqBefore = lines(seqIndex());
    const QStringList groupBefore = lines(groupPage());
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    swim(heat2, {"0:33.00"});
    ASSERT_TRUE(QDir().mkpath(page(heat2, 8, 2)));
    EXPECT_FALSE(publish::publishResults(web, heat2));
    EXPECT_TRUE(m_sink.saw("File could not be created:"));
    EXPECT_EQ(lines(seqIndex()), seqBefore);
    EXPECT_EQ(lines(groupPage()), groupBefore);
    EXPECT_TRUE(QFileInfo(page(heat2, 8, 2)).isDir());
    EXPECT_EQ(QDir(dayFile("")).entryList({"*.part"}, QDir::Files), QStringList());

    // A day folder whose name is taken by a file stops before anything is written.
    ASSERT_TRUE(publish::writeTextFile(QDir(m_root).filePath("Day3"), {"not a folder"}));
    exec("update PROGRAM set DAY_SEQ = 3 where PROGRAMNO = " + db::sqlInt(heat2));
    m_sink.clear();
    EXPECT_FALSE(publish::publishResults(web, heat2));
    EXPECT_TRUE(m_sink.saw("File could not be created:"));
    EXPECT_EQ(lines(QDir(m_root).filePath("Day3")), QStringList{"not a folder"});
}

TEST_F(WebResultsTest, TheFinalGoesIntoTheFolderOfItsDay)
{
    const qint64 final = drawHeat(free, "F", 0, 20, {ann, zoe, obr}, 2);
    swim(final, {"0:30.00", "DNS", "0:31.00"});
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, final));
    const QString body = text(dayFile(publish::resultsFileName(20, m_free50, "F", 0, final), 2));
    EXPECT_TRUE(body.contains("020 50m Freestyle"));
    EXPECT_TRUE(body.contains("- Final"));
    // The swimmer who did not start follows the placed ones, without a place.
    EXPECT_LT(body.indexOf("O&#39;Brien"), body.indexOf("Müller-Zoë"));
    EXPECT_TRUE(body.contains("<td>  </td><td> DNS </td>"));
    EXPECT_EQ(indexLines(dayFile(publish::kSequenceIndex, 2)).size(), 1);
}

// Publishing a whole program at once reads the results grouped and writes each index once:
// the site must come out byte for byte as publishing heat by heat makes it.
TEST_F(WebResultsTest, PublishingManyAtOnceMakesTheSameSiteAsOneByOne)
{
    const qint64 back = addEvent(m_back100);
    const qint64 backHeat = drawHeat(back, "A", 1, 3, {ann, zoe});
    const qint64 heat2 = drawHeat(free, "A", 2, 12, {obr});
    const qint64 final = drawHeat(free, "F", 0, 20, {ann, zoe, obr}, 2);
    swim(backHeat, {"1:10.00", "1:12.00"});
    swim(heat2, {"0:33.00"});
    swim(final, {"0:30.00", "DNS", "0:31.00"});
    const QList<qint64> all{heat2, final, heat1, backHeat};
    {
        publish::WebSite web = site();
        for (const qint64 p : all)
            ASSERT_TRUE(publish::publishResults(web, p));
    }
    const QString other = QDir(m_home->dir()).filePath("web2");
    ASSERT_TRUE(QDir().mkpath(other));
    publish::WebSite web(run(), other);
    // One heat is on the site already: its lines are not added a second time.
    ASSERT_TRUE(publish::publishResults(web, heat1));
    ASSERT_TRUE(publish::publishManyResults(web, all));
    QStringList files;
    QDirIterator it(m_root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(m_root).relativeFilePath(it.next());
    EXPECT_EQ(files.size(), 12) << files.join(' ').toStdString();
    for (const QString& f : std::as_const(files))
        EXPECT_EQ(text(QDir(other).filePath(f)), text(QDir(m_root).filePath(f))) << f.toStdString();
    EXPECT_EQ(indexLines(QDir(other).filePath("Day1/ResultsIndexSeq.html")).size(), 3);
    EXPECT_TRUE(text(QDir(other).filePath(
                         publish::resultsFileName(20, m_free50, "F", 0, final).prepend("Day2/")))
                    .contains("<td>  </td><td> DNS </td>"));
}

// The whole meeting's athletes are read at once and put in lane order in memory: each heat
// and final must come out as reading it alone does (no lane last, then by name in the
// engine's order, a final's entries without lane, place or status left out).
TEST_F(WebResultsTest, TheMeetingsAthletesReadAtOnceComeAsOneHeatsRead)
{
    const qint64 abe = swimmer("Abé", "Zed");
    const qint64 abe2 = swimmer("Abé", "Al");
    const qint64 low = swimmer("abe", "Al");
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr, abe, abe2, low, ann});
    exec("update HEATPART set LANE = 0 where EVENTNO = " + db::sqlInt(free) +
         " and HEATNO = 2 and ATHLETENO <> " + db::sqlInt(ann));
    const qint64 final = drawHeat(free, "F", 0, 20, {zoe, abe});
    exec("update PARTICIPATE set DISQ_STATUS = 2 where ATHLETENO = " + db::sqlInt(low));
    const results::MeetingAthletes all(database(), m_meetingNo);
    const auto keys = [](const QList<results::CaptureAthleteRow>& rows) {
        QStringList out;
        for (const results::CaptureAthleteRow& a : rows)
            out << QString::number(a.lane) + " " + a.name() + " " + a.teamAbrv + " " + a.number;
        return out;
    };
    for (const qint64 programNo : {heat1, heat2, final}) {
        const auto row = results::captureProgramRow(database(), run().items(), programNo);
        ASSERT_TRUE(row.has_value());
        QList<results::CaptureAthleteRow> alone =
            results::captureAthletes(database(), run().items(), *row, draw::MemberOrder::Lane);
        alone.removeIf([](const results::CaptureAthleteRow& a) {
            return a.final && a.lane <= 0 && a.ePlace <= 0 && a.status <= 0;
        });
        EXPECT_EQ(keys(all.of(run().items(), *row)), keys(alone)) << programNo;
    }
    const auto row2 = results::captureProgramRow(database(), run().items(), heat2);
    EXPECT_EQ(keys(all.of(run().items(), *row2)).join('|'),
              "5 Smith, Ann DOL 101|0 Abé, Al DOL 105|0 Abé, Zed DOL 104|0 O'Brien, Seán DOL "
              "103|0 abe, Al DOL 106");

    // The heats' counts taken from the athletes read at once are the engine's: a status
    // counts as a result, blanks do not.
    exec("update HEATPART set DISQ_STATUS = 2 where EVENTNO = " + db::sqlInt(free) +
         " and HEATNO = 2 and ATHLETENO = " + db::sqlInt(abe));
    exec("update HEATPART set PERFORMANCE = '   ' where EVENTNO = " + db::sqlInt(free) +
         " and HEATNO = 2 and ATHLETENO = " + db::sqlInt(low));
    const results::MeetingAthletes again(database(), m_meetingNo);
    const auto counts = [](const results::CaptureProgramRow& r) {
        return QList<int>{r.athletes, r.drawn, r.withResults};
    };
    const QList<results::CaptureProgramRow> counted = results::captureProgramRows(
        database(), run().items(), m_meetingNo, results::CaptureOrder::Sequence);
    const QList<results::CaptureProgramRow> taken = results::captureProgramRows(
        database(), run().items(), m_meetingNo, results::CaptureOrder::Sequence, &again);
    ASSERT_EQ(taken.size(), counted.size());
    for (qsizetype i = 0; i < counted.size(); ++i) {
        EXPECT_EQ(taken[i].programNo, counted[i].programNo);
        EXPECT_EQ(counts(taken[i]), counts(counted[i])) << counted[i].programNo;
        if (counted[i].programNo == heat2) {
            EXPECT_EQ(counts(counted[i]), (QList<int>{5, 1, 1}));
        }
    }

    // Read in two steps, the heats on a second connection while the program is read here:
    // the same rows, counts and athletes.
    db::SideReader side(database());
    results::MeetingAthletes twoSteps(database(), m_meetingNo, side);
    QList<results::CaptureProgramRow> before =
        results::captureProgramRowsBeforeHeats(database(), run().items(), m_meetingNo);
    twoSteps.completeHeats();
    results::fillHeatCounts(before, twoSteps);
    ASSERT_EQ(before.size(), counted.size());
    for (qsizetype i = 0; i < counted.size(); ++i) {
        EXPECT_EQ(before[i].programNo, counted[i].programNo);
        EXPECT_EQ(counts(before[i]), counts(counted[i])) << counted[i].programNo;
        EXPECT_EQ(keys(twoSteps.of(run().items(), counted[i])),
                  keys(again.of(run().items(), counted[i])))
            << counted[i].programNo;
    }
}

TEST_F(WebResultsTest, PublishingManyStopsAtARefusalAndKeepsWhatWasDone)
{
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    const qint64 heat3 = drawHeat(free, "A", 3, 9, {ann});
    swim(heat3, {"0:35.00"});
    publish::WebSite web = site();
    m_sink.answerNo(); // heat 2 has nobody placed: not published
    EXPECT_FALSE(publish::publishManyResults(web, {heat1, heat2, heat3}));
    EXPECT_TRUE(m_sink.saw("No results for 008 "));
    EXPECT_TRUE(QFile::exists(page(heat1)));
    EXPECT_FALSE(QFile::exists(page(heat2, 8, 2)));
    EXPECT_FALSE(QFile::exists(page(heat3, 9, 3)));
    const QStringList seq = indexLines(seqIndex());
    ASSERT_EQ(seq.size(), 1);
    EXPECT_EQ(publish::programNoOfIndexLine(seq[0]), heat1);
    EXPECT_FALSE(publish::publishManyResults(web, {heat1, 999999}));
    EXPECT_TRUE(m_sink.saw("There is no program row 999999"));
}

// Within one run the index pages are changed where the run holds them: a page refused or
// failing after the indexes were looked at must leave the lines of the others only.
TEST_F(WebResultsTest, PublishingManyLeavesNoLineOfAPageRefusedOrNotWritten)
{
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    const qint64 heat3 = drawHeat(free, "A", 3, 9, {ann});
    swim(heat2, {"0:33.00"});
    swim(heat3, {"0:35.00"});
    publish::WebSite web = site();
    m_sink.answerYes(); // heat 1's file
    m_sink.answerNo();  // not heat 2's
    EXPECT_FALSE(publish::publishManyResults(web, {heat1, heat2, heat3}, true));
    EXPECT_TRUE(
        m_sink.saw("Continue to publish to the HTML\r" + QFileInfo(page(heat2, 8, 2)).fileName()));
    EXPECT_TRUE(QFile::exists(page(heat1)));
    EXPECT_FALSE(QFile::exists(page(heat2, 8, 2)));
    for (const QString& index : {seqIndex(), groupPage()}) {
        const QStringList held = indexLines(index);
        ASSERT_EQ(held.size(), 1) << index.toStdString();
        EXPECT_EQ(publish::programNoOfIndexLine(held[0]), heat1);
    }
    EXPECT_EQ(indexLines(itemIndex()).size(), 1);

    // Heat 3's page cannot be written: heat 2 comes in with its lines, heat 3 without.
    ASSERT_TRUE(QDir().mkpath(page(heat3, 9, 3)));
    m_sink.clear();
    EXPECT_FALSE(publish::publishManyResults(web, {heat2, heat3}));
    EXPECT_TRUE(m_sink.saw("File could not be created:"));
    QList<qint64> indexed;
    for (const QString& line : indexLines(seqIndex()))
        indexed << publish::programNoOfIndexLine(line);
    EXPECT_EQ(indexed, (QList<qint64>{heat1, heat2}));
    EXPECT_EQ(indexLines(groupPage()).size(), 2);
    EXPECT_EQ(QDir(dayFile("")).entryList({"*.part"}, QDir::Files), QStringList());

    // The pages are written behind the making of the next ones: once one fails, those after
    // it get neither file nor line, though they were made already.
    const qint64 heat4 = drawHeat(free, "A", 4, 10, {zoe});
    swim(heat4, {"0:36.00"});
    ASSERT_TRUE(QDir(page(heat3, 9, 3)).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(page(heat4, 10, 4)));
    m_sink.clear();
    EXPECT_FALSE(publish::publishManyResults(web, {heat1, heat4, heat3}));
    EXPECT_TRUE(m_sink.saw("File could not be created:\r" + page(heat4, 10, 4)));
    EXPECT_FALSE(QFile::exists(page(heat3, 9, 3)));
    indexed.clear();
    for (const QString& line : indexLines(seqIndex()))
        indexed << publish::programNoOfIndexLine(line);
    EXPECT_EQ(indexed, (QList<qint64>{heat1, heat2}));
    EXPECT_EQ(indexLines(groupPage()).size(), 2);
    EXPECT_EQ(QDir(dayFile("")).entryList({"*.part"}, QDir::Files), QStringList());
}

// In a batch each index page goes to the writer once the last page it lists is made, and
// the rest at the end. A page that fails takes its lines nowhere, whether the index pages
// went before it, behind it or are written at the end.
TEST_F(WebResultsTest, IndexPagesOfABatchHoldTheLinesOfThePagesWrittenOnly)
{
    const qint64 back = addEvent(m_back100);
    const qint64 backHeat = drawHeat(back, "A", 1, 3, {ann, zoe});
    const qint64 heat2 = drawHeat(free, "A", 2, 8, {obr});
    swim(backHeat, {"1:10.00", "1:12.00"});
    swim(heat2, {"0:33.00"});
    const auto programNos = [this](const QString& index) {
        QList<qint64> found;
        for (const QString& line : indexLines(index))
            found << publish::programNoOfIndexLine(line);
        return found;
    };
    publish::WebSite web = site();
    ASSERT_TRUE(QDir().mkpath(page(heat2, 8, 2))); // heat 2's page cannot be written
    EXPECT_FALSE(publish::publishManyResults(web, {backHeat, heat1, heat2}));
    EXPECT_TRUE(m_sink.saw("File could not be created:\r" + page(heat2, 8, 2)));
    EXPECT_EQ(programNos(dayFile("Group_BCK____100M13.html")), QList<qint64>{backHeat});
    EXPECT_EQ(programNos(groupPage()), QList<qint64>{heat1});
    EXPECT_EQ(programNos(seqIndex()), (QList<qint64>{backHeat, heat1}));
    EXPECT_EQ(indexLines(itemIndex()).size(), 2);
    EXPECT_EQ(QDir(dayFile("")).entryList({"*.part"}, QDir::Files), QStringList());

    // Once it can be written, the same batch adds heat 2 alone.
    ASSERT_TRUE(QDir(page(heat2, 8, 2)).removeRecursively());
    m_sink.clear();
    ASSERT_TRUE(publish::publishManyResults(web, {backHeat, heat1, heat2}));
    EXPECT_EQ(programNos(groupPage()), (QList<qint64>{heat1, heat2}));
    EXPECT_EQ(programNos(seqIndex()), (QList<qint64>{backHeat, heat1, heat2}));

    // On a new site a first page that fails leaves no index page behind.
    const QString other = QDir(m_home->dir()).filePath("web2");
    ASSERT_TRUE(QDir().mkpath(other));
    publish::WebSite second(run(), other);
    ASSERT_TRUE(QDir().mkpath(QDir(other).filePath("Day1/" + QFileInfo(page(heat1)).fileName())));
    EXPECT_FALSE(publish::publishManyResults(second, {heat1, backHeat}));
    EXPECT_EQ(QDir(QDir(other).filePath("Day1")).entryList(QDir::Files), QStringList());
}

} // namespace
