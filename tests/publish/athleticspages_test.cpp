// What the site and the files show of an athletics meeting: the bar heights of a vertical
// jump with each jumper's marks, the implements and disability classes of the start lists,
// and table scores in the results file.

#include "scoring/athleticsfixture.h"

#include "base/configstore.h"
#include "draw/events.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/textfile.h"
#include "publish/webhistory.h"
#include "publish/weblayout.h"
#include "publish/webmanage.h"
#include "publish/webpages.h"
#include "publish/webresults.h"
#include "publish/website.h"
#include "results/captureprogram.h"
#include "results/perfhistory.h"

#include <QDir>

namespace {

class AthleticsPagesTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        m_root = QDir(m_home->dir()).filePath(QStringLiteral("web"));
        ASSERT_TRUE(QDir().mkpath(m_root));
        ASSERT_TRUE(run().config().writeText("PUB_FOLDER_WEB_SITE", m_root));
        // Set 5 is built in: shot put 7.260kg, scored by the power formula.
        setMeeting("HAS_PERF_HIST = 1, HAS_TABLE_SCORE = 1, SCORESETNO = 5");
        m_team = addTeam("OAK");
        m_sink.clear();
    }
    // The event's final on day 1 at sequence `seq`; its program row.
    qint64 finalOf(const QString& itemCode, int seq, qint64* eventNo)
    {
        draw::NewEvent event;
        event.itemCode = itemCode;
        event.selected = true;
        *eventNo = draw::Events(database(), run().items(), m_meetingNo).addEvent(event);
        EXPECT_GT(*eventNo, 0);
        const qint64 programNo = results::programNoOf(database(), *eventNo, "F", 0);
        exec("update PROGRAM set DAY_SEQ = 1, SEQ = " + db::sqlInt(seq) +
             " where PROGRAMNO = " + db::sqlInt(programNo));
        return programNo;
    }
    // An athlete of the final in `lane` with a result (placed when `place` > 0).
    qint64 enter(qint64 eventNo, const QString& surname, int lane, const QString& perf = {},
                 int place = 0, int age = 25)
    {
        const qint64 athlete = addAthlete(m_team, surname, "M", age);
        addResult(eventNo, athlete, m_team, perf, place);
        exec("update PARTICIPATE set LANE = " + db::sqlInt(lane) +
             " where ATHLETENO = " + db::sqlInt(athlete));
        return athlete;
    }
    QString dayText(const QString& name) const
    {
        QStringList lines;
        EXPECT_TRUE(publish::readTextFile(QDir(m_root).filePath("Day1/" + name), &lines))
            << name.toStdString();
        return lines.join('\n');
    }

    QString m_root;
    qint64 m_team = 0;
};

TEST_F(AthleticsPagesTest, TheHighJumpHistoryShowsEachHeightWithTheJumpersMarks)
{
    qint64 high = 0;
    const qint64 programNo = finalOf("JMPHigh___M25", 4, &high);
    const qint64 ann = enter(high, "Ann", 2);
    const qint64 bob = enter(high, "O'Neil", 1);
    results::PerfHistory history(database(), run().items(), run().meeting());
    const std::optional<results::FieldRace> race = history.race(high, "F", 0);
    ASSERT_TRUE(race.has_value());
    publish::WebSite site(run());
    // Before a height is set there is nothing to show.
    EXPECT_FALSE(publish::publishHistory(site, programNo));
    EXPECT_EQ(m_sink.shown().last().text, "This Event does not have History");

    ASSERT_TRUE(history.addHeight(*race, "1.75"));
    ASSERT_TRUE(history.addHeight(*race, "1.80"));
    ASSERT_TRUE(history.setMarks(*race, ann, 1, "O"));
    ASSERT_TRUE(history.setMarks(*race, ann, 2, "XO"));
    ASSERT_TRUE(history.setMarks(*race, bob, 2, "XXX"));
    m_sink.clear();
    ASSERT_TRUE(publish::publishHistory(site, programNo))
        << m_sink.shown().last().text.toStdString();
    const QString name = publish::historyFileName(1, high, "F", 0);
    EXPECT_EQ(name, QString("History_1_%1_F0.html").arg(high));
    const QString page = dayText(name);
    EXPECT_TRUE(page.contains("<tr><td> Lane </td><td> Team </td><td> Athlete </td><td> 1.75 "
                              "</td><td> 1.80 </td></tr>"))
        << page.toStdString();
    // Lane order; a height the jumper passed by is an empty cell.
    EXPECT_TRUE(page.contains("<tr><td> 1 </td><td> OAK </td><td> O&#39;Neil, Sam </td><td>  "
                              "</td><td> XXX </td></tr>\n<tr><td> 2 </td><td> OAK </td><td> Ann, "
                              "Sam </td><td> O </td><td> XO </td></tr>"))
        << page.toStdString();

    // Its results page links the history, which is published with it.
    ASSERT_TRUE(QFile::remove(QDir(m_root).filePath("Day1/" + name)));
    exec("update PROGRAM set NOT_CALCULATED_YET = 0 where PROGRAMNO = " + db::sqlInt(programNo));
    m_sink.answerYes(); // nobody placed yet
    ASSERT_TRUE(publish::publishResults(site, programNo));
    EXPECT_EQ(dayText(name), page);
    EXPECT_TRUE(dayText(publish::resultsFileName(4, "JMPHigh___M25", "F", 0, programNo))
                    .contains("<BR><A href=\"" + name + "\">Attempt History</A>"));
}

// The history has no index line: its results page links it. A history published after the
// results gets the link added to them; without a results page it is a file no index or
// page reaches, and withdrawing the results takes the history with them.
TEST_F(AthleticsPagesTest, TheHistoryIsReachedFromItsResultsPageAndGoesWithThem)
{
    qint64 high = 0;
    const qint64 programNo = finalOf("JMPHigh___M25", 4, &high);
    const qint64 ann = enter(high, "Ann", 1);
    publish::WebSite site(run());
    // Results published before the first height link nothing.
    exec("update PROGRAM set NOT_CALCULATED_YET = 0 where PROGRAMNO = " + db::sqlInt(programNo));
    m_sink.answerYes(); // nobody placed yet
    ASSERT_TRUE(publish::publishResults(site, programNo));
    const QString results = publish::resultsFileName(4, "JMPHigh___M25", "F", 0, programNo);
    ASSERT_FALSE(dayText(results).contains("History"));

    // The history published then adds the link to them, once, above the page's end.
    results::PerfHistory history(database(), run().items(), run().meeting());
    const std::optional<results::FieldRace> race = history.race(high, "F", 0);
    ASSERT_TRUE(race.has_value());
    ASSERT_TRUE(history.addHeight(*race, "1.75"));
    ASSERT_TRUE(history.setMarks(*race, ann, 1, "O"));
    ASSERT_TRUE(publish::publishHistory(site, programNo));
    ASSERT_TRUE(publish::publishHistory(site, programNo));
    const QString name = publish::historyFileName(1, high, "F", 0);
    const QString link = "<BR><A href=\"" + name + "\">Attempt History</A>";
    const QStringList page = dayText(results).split('\n');
    EXPECT_EQ(page.count(link), 1);
    EXPECT_EQ(page.mid(page.size() - 4), (QStringList{link, "</Font>", "</body>", "</html>"}));
    EXPECT_TRUE(publish::inspectSite(site).clean());

    // Withdrawn results take their history along: nothing links a page that is gone.
    ASSERT_TRUE(publish::withdrawResults(site, programNo));
    EXPECT_FALSE(QDir(m_root).exists("Day1/" + results));
    EXPECT_FALSE(QDir(m_root).exists("Day1/" + name));
    EXPECT_TRUE(publish::inspectSite(site).clean());

    // A history without its results page is reached by nothing: managing lists it.
    ASSERT_TRUE(publish::publishHistory(site, programNo));
    const publish::SiteReport orphans = publish::inspectSite(site);
    EXPECT_EQ(orphans.filesNotInIndex, QStringList{"Day1/" + name});
    EXPECT_TRUE(orphans.notResultsFiles.isEmpty());
    ASSERT_TRUE(publish::deleteOrphans(site, orphans));
    EXPECT_FALSE(QDir(m_root).exists("Day1/" + name));
}

TEST_F(AthleticsPagesTest, OnlyAVerticalJumpHasAHistoryPage)
{
    qint64 longJump = 0;
    const qint64 programNo = finalOf("JMPLong___M25", 5, &longJump);
    enter(longJump, "Ann", 1);
    publish::WebSite site(run());
    EXPECT_FALSE(publish::publishHistory(site, programNo));
    EXPECT_EQ(m_sink.shown().last().text, "This Event does not have History");
    EXPECT_FALSE(QDir(m_root).exists("Day1"));
    // Nor does its results page link one.
    exec("update PROGRAM set NOT_CALCULATED_YET = 0 where PROGRAMNO = " + db::sqlInt(programNo));
    m_sink.answerYes();
    ASSERT_TRUE(publish::publishResults(site, programNo));
    EXPECT_FALSE(dayText(publish::resultsFileName(5, "JMPLong___M25", "F", 0, programNo))
                     .contains("History"));
}

// The start lists name the implement of the item under the meeting's score set; a meeting
// with disability classes adds each athlete's classes, age and implement.
TEST_F(AthleticsPagesTest, StartListsNameTheImplementAndTheDisabilityClasses)
{
    qint64 shot = 0, sprint = 0;
    finalOf("THRShotputM25", 2, &shot);
    finalOf("SHD____100M25", 3, &sprint);
    const qint64 ann = enter(shot, "Ann", 1);
    enter(sprint, "Bob", 4);
    exec("update ATHLETE set DISABILITY_CLASSES = 'F12,F13' where ATHLETENO = " + db::sqlInt(ann));
    publish::WebSite site(run());
    ASSERT_TRUE(publish::publishStarters(site, 1, {}));
    QString page = dayText("Starters.html");
    EXPECT_TRUE(page.contains("Shot put") || page.contains("Shotput")) << page.toStdString();
    EXPECT_TRUE(page.contains("</td><td> 7.260kg </td></tr>")) << page.toStdString();
    EXPECT_TRUE(page.contains("<tr><td> Lane </td><td> Number </td><td> Athlete </td><td> Team "
                              "</td></tr>"));
    EXPECT_FALSE(page.contains("Disability"));
    // The program names it as the score table's note of the item.
    ASSERT_TRUE(publish::publishProgram(site, 1));
    EXPECT_TRUE(dayText("Program.html")
                    .contains("Shotput 25 Male - Final </td><td>  </td><td> 7.260kg </td></tr>"))
        << dayText("Program.html").toStdString();

    setMeeting("SHOW_ADD_DISABLED = 1");
    ASSERT_TRUE(publish::publishStarters(site, 1, {}));
    page = dayText("Starters.html");
    EXPECT_TRUE(page.contains("<tr><td> Lane </td><td> Number </td><td> Athlete </td><td> Team "
                              "</td><td> Disability </td><td> Age </td><td> Implement </td></tr>"));
    EXPECT_TRUE(page.contains("<td> Ann, Sam </td><td> OAK School </td><td> F12,F13 </td><td> 25 "
                              "</td><td> 7.260kg </td></tr>"))
        << page.toStdString();
    // A sprint has no implement.
    EXPECT_TRUE(page.contains("<td> Bob, Sam </td><td> OAK School </td><td>  </td><td> 25 "
                              "</td><td>  </td></tr>"))
        << page.toStdString();
}

// The "Score" column holds the table score of each placed result when the meeting scores
// with a set whose data is at hand, and stays empty when it does not.
TEST_F(AthleticsPagesTest, TheResultsFileCarriesTheTableScore)
{
    qint64 shot = 0;
    const qint64 programNo = finalOf("THRShotputM25", 2, &shot);
    enter(shot, "Ann", 1, "15.00", 1);
    enter(shot, "Bob", 2, "12.50", 2);
    exec("update PROGRAM set NOT_CALCULATED_YET = 0 where PROGRAMNO = " + db::sqlInt(programNo));
    const auto lines = [&] {
        const std::optional<publish::EventResults> event = publish::eventResults(run(), programNo);
        EXPECT_TRUE(event.has_value());
        return publish::eventCsvLines(run(), *event, publish::ExportKind::Results);
    };
    // 51.39 x (15.00 - 1.5)^1.05 = 790.19 and 51.39 x 11^1.05 = 637.3: whole points, cut.
    QStringList csv = lines();
    ASSERT_GE(csv.size(), 5) << csv.join('\n').toStdString();
    EXPECT_EQ(csv[2], "\"Place\",\"Surname\",\"Firstname\",\"Number\",\"Team\",\"Performance\","
                      "\"Score\"");
    EXPECT_TRUE(csv[3].startsWith("1,Ann,Sam,,OAK,")) << csv[3].toStdString();
    EXPECT_TRUE(csv[3].endsWith(",790")) << csv[3].toStdString();
    EXPECT_TRUE(csv[4].endsWith(",637")) << csv[4].toStdString();

    setMeeting("HAS_TABLE_SCORE = 0");
    csv = lines();
    EXPECT_TRUE(csv[3].endsWith("15.00,")) << csv[3].toStdString();
}

} // namespace
