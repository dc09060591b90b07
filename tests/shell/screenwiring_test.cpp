// The checks the desktop program runs before "2. Items" and "8. Capture", as wired for the
// main screen: the item codes' swimming marks and the stored performances' formats.

#include "support/testdatabase.h"

#include "app/screenwiring.h"
#include "base/appglobals.h"
#include "meeting/currentmeeting.h"
#include "shell/forms/mainscreen.h"
#include "shellrows.h"
#include "support/editionrun.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace shell_test;

namespace {

class ScreenWiringTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::prepareMeetingRun(run());
        m_meetingNo = addMeeting(database(), "Winter Gala");
        meeting::setCurrentMeeting(run(), m_meetingNo);
        addTeam(database(), m_meetingNo);
        m_sink.clear();
    }
    // The program's own wiring, with the two screens replaced by a note that they opened.
    base::ScreenOpeners wiredOpeners()
    {
        base::ScreenOpeners o = screenOpeners();
        o.openItems = [this](QWidget*, base::Run&) { m_opened << "items"; };
        o.openCapture = [this](QWidget*, base::Run&, bool) { m_opened << "capture"; };
        return o;
    }
    void pressItemsAndCapture()
    {
        shell::MainScreen screen(run(), wiredOpeners());
        screen.show();
        QTest::keyClick(&screen, Qt::Key_2);
        QTest::keyClick(&screen, Qt::Key_8);
    }
    // A selected item, with the copies of its gender and age that the capture reads.
    int addItem(const QString& itemCode)
    {
        const int eventNo = addEvent(database(), m_meetingNo, "X", itemCode);
        EXPECT_TRUE(
            database().execute("update MYEVENT set C_GENDER = substring(ITEMCODE from 11 for 1), "
                               "C_AGE = substring(ITEMCODE from 12 for 2) where EVENTNO = " +
                               db::sqlInt(eventNo)));
        return eventNo;
    }

    // A 400 m time captured as seconds, before the item's format became "M:SS.DD".
    void addPerformanceInSeconds()
    {
        const int eventNo = addItem("FRE____400M17W");
        ASSERT_TRUE(database().execute(
            "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, PERFORMANCE) values (" +
            db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
            db::sqlInt(eventNo) + ", '65.32')"));
    }

    int m_meetingNo = 0;
    QStringList m_opened;
};

TEST_F(ScreenWiringTest, ItemsAndCaptureWarnOfItemCodesWithoutTheSwimmingMarkAndStillOpen)
{
    addItem("BRE_____50F11");
    pressItemsAndCapture();
    // The items screen is where such items are removed, so neither button stops.
    EXPECT_EQ(m_opened, (QStringList{"items", "capture"}));
    const auto warnings = m_sink.ofKind(base::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 2);
    for (const auto& warning : warnings) {
        EXPECT_EQ(warning.title, "Invalid swim Items");
        EXPECT_TRUE(warning.text.contains("11 Female 50m Breaststroke"));
    }
    // The check asks nothing first: it speaks only when something is wrong.
    EXPECT_TRUE(m_sink.ofKind(base::MessageKind::Confirm).isEmpty());

    ASSERT_TRUE(database().execute("update MYEVENT set ITEMCODE = 'BRE_____50F11W'"));
    m_sink.clear();
    m_opened.clear();
    pressItemsAndCapture();
    EXPECT_EQ(m_opened, (QStringList{"items", "capture"}));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(ScreenWiringTest, CaptureOffersToStopAtPerformancesInAnotherFormat)
{
    addPerformanceInSeconds();
    m_sink.answerNo();
    pressItemsAndCapture();
    EXPECT_EQ(m_opened, QStringList{"items"}) << "No stops the capture";
    const auto questions = m_sink.ofKind(base::MessageKind::Confirm);
    ASSERT_EQ(questions.size(), 1) << "asked once, by capture alone";
    EXPECT_TRUE(questions[0].text.startsWith("There are some Performance errors."));
    EXPECT_EQ(value("select PERFORMANCE from HEATPART"), "65.32") << "the check changes nothing";

    m_sink.clear();
    m_opened.clear();
    m_sink.answerYes();
    pressItemsAndCapture();
    EXPECT_EQ(m_opened, (QStringList{"items", "capture"})) << "Yes goes on anyway";
}

TEST_F(ScreenWiringTest, TheAthleticsEditionLeavesTheSwimmingMarksAlone)
{
    addItem("BRE_____50F11");
    testing_support::restartRunAs(m_run, m_sink, m_path, QString::fromLatin1(base::kAthleticsCode));
    meeting::prepareMeetingRun(run());
    meeting::setCurrentMeeting(run(), m_meetingNo);
    m_sink.clear();
    pressItemsAndCapture();
    EXPECT_EQ(m_opened, (QStringList{"items", "capture"}));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

} // namespace
