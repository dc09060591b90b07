// The published pages opened in headless Chromium: the rows a visitor sees, and a phone's
// screen that the page fits (wide tables scroll inside it).

#include "browser.h"
#include "publishfixture.h"

#include "publish/meetingindex.h"
#include "publish/weblayout.h"
#include "publish/webresults.h"

namespace {

class WebBrowserTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        if (browser::chromiumPath().isEmpty())
            GTEST_SKIP() << "chromium is not installed (Debian's package chromium)";
        const qint64 club = key();
        exec("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE) values (" +
             db::sqlInt(club) + ", " + db::sqlInt(m_meetingNo) +
             ", 'Pretoria O''Neill Aquatic Academy', 'PDA', 0)");
        free = addEvent(m_free50);
        const qint64 zoe = swimmer("Müller-Zoë van Westhuizen", "Chloé", club);
        const qint64 obr = swimmer("O'Brien", "Seán");
        const qint64 tag = swimmer("<b>Bold</b>", "Tag");
        heat = drawHeat(free, "A", 1, 4, {obr, zoe, tag});
        swim(heat, {"0:31.00", "0:30.00", "DNS"});
        publish::WebSite web = site();
        ASSERT_TRUE(publish::publishResults(web, heat));
        page = dayFile(publish::resultsFileName(4, m_free50, "A", 1, heat));
    }

    qint64 free = 0, heat = 0;
    QString page;
};

TEST_F(WebBrowserTest, AResultsPageShowsTheRowsAPersonReads)
{
    QString error;
    const QString dom = browser::dumpDom(page, &error);
    ASSERT_FALSE(dom.isEmpty()) << error.toStdString();
    const QList<QStringList> rows = browser::tableRows(dom);
    ASSERT_EQ(rows.size(), 4) << dom.toStdString();
    EXPECT_EQ(rows[0], (QStringList{"Place", "Performance", "Athlete", "Team"}));
    EXPECT_EQ(rows[1].value(0), "1");
    EXPECT_EQ(rows[1].value(2), "Müller-Zoë van Westhuizen, Chloé");
    EXPECT_EQ(rows[1].value(3), "Pretoria O'Neill Aquatic Academy");
    EXPECT_EQ(rows[2].value(0), "2");
    EXPECT_EQ(rows[2].value(2), "O'Brien, Seán");
    // Times as people write them, not in their padded stored form.
    EXPECT_EQ(rows[1].value(1), "30.00");
    EXPECT_EQ(rows[2].value(1), "31.00");
    // Markup typed into a name is shown as text, not obeyed.
    EXPECT_EQ(rows[3], (QStringList{"", "DNS", "<b>Bold</b>, Tag", "DOL School"}));
    EXPECT_FALSE(dom.contains("<b>Bold</b>"));
}

TEST_F(WebBrowserTest, TheIndexPageLinksThePublishedResults)
{
    QString error;
    const QString dom = browser::dumpDom(dayFile(publish::kSequenceIndex), &error);
    ASSERT_FALSE(dom.isEmpty()) << error.toStdString();
    const QStringList seen = browser::links(dom);
    ASSERT_EQ(seen.size(), 1) << dom.toStdString();
    EXPECT_EQ(seen[0].toStdString(),
              (publish::resultsFileName(4, m_free50, "A", 1, heat) + " -> 004 " +
               run().items().ItemDescription(m_free50, false) + " - Semi-Final 1")
                  .toStdString());
    EXPECT_TRUE(dom.contains("All results are preliminary, subject to corrections."));
}

TEST_F(WebBrowserTest, OnAPhoneOnlyTheTablesScrollSideways)
{
    QString error;
    for (const QString& file : {page, dayFile(publish::kSequenceIndex)}) {
        const std::optional<browser::Layout> phone = browser::layoutAtWidth(file, 390, &error);
        ASSERT_TRUE(phone.has_value()) << error.toStdString();
        EXPECT_EQ(phone->viewportWidth, 390);
        EXPECT_LE(phone->scrollWidth, 390) << file.toStdString();
    }
    // The results table itself is wider than the phone: it is the table that scrolls.
    const std::optional<browser::Layout> phone = browser::layoutAtWidth(page, 390, &error);
    ASSERT_TRUE(phone.has_value()) << error.toStdString();
    EXPECT_GT(phone->widestTable, 390);
}

TEST_F(WebBrowserTest, TheMasterIndexLinksEveryDaysIndexes)
{
    setConfig("MUST_PUBLISH_PROGRAM", "1");
    publish::WebSite web = site();
    ASSERT_TRUE(publish::writeMeetingIndex(web));
    QString error;
    const QString dom = browser::dumpDom(QDir(m_root).filePath(publish::kMeetingIndex), &error);
    ASSERT_FALSE(dom.isEmpty()) << error.toStdString();
    EXPECT_EQ(browser::links(dom),
              (QStringList{"Day1/Program.html -> Program Day 1",
                           "Day1/ResultsIndexSeq.html -> Results by Seq Day 1",
                           "Day1/ResultsIndexGrp.html -> Results by Item Day 1"}));
    const std::optional<browser::Layout> phone =
        browser::layoutAtWidth(QDir(m_root).filePath(publish::kMeetingIndex), 390, &error);
    ASSERT_TRUE(phone.has_value()) << error.toStdString();
    EXPECT_LE(phone->scrollWidth, 390);
}

} // namespace
