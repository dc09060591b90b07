#include "handdrawfixture.h"

#include "db/sqltext.h"
#include "draw/forms/drawathletesform.h"
#include "draw/forms/drawextras.h"
#include "draw/forms/hotseatsform.h"
#include "draw/forms/lateathleteform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace draw;

namespace {

// The screens that correct a drawn round, driven from the keyboard: an event of format
// "2,2,2" (round A of two heats feeding a final of six).
class DrawCorrectionScreensTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "2,2,2");
        m_team = addTeam("DOL");
        m_sink.clear();
    }
    qint64 entered(const QString& surname)
    {
        const qint64 a = addSwimmer(m_team, surname);
        enterSwimmer(m_event, a);
        return a;
    }

    qint64 m_event = 0;
    qint64 m_team = 0;
};

} // namespace

TEST_F(DrawCorrectionScreensTest, LateSwimmersAreAddedFromTheKeyboardUntilNoneIsLeft)
{
    const qint64 early = entered("Early");
    const qint64 late1 = entered("Late1");
    const qint64 late2 = entered("Late2");
    seat(m_event, "A", 1, early, 1);
    LateAthleteForm form(run(), m_event);
    ASSERT_TRUE(form.isOpen());
    form.show();
    ASSERT_EQ(form.undrawn().size(), 2);
    EXPECT_EQ(form.heats()->count(), 2);
    EXPECT_EQ(form.lanesLabel()->text(), "1");

    // An occupied lane is refused and the lane stays to be typed again.
    QTest::keyClicks(form.laneEdit(), "1");
    QTest::keyClick(form.laneEdit(), Qt::Key_Return);
    EXPECT_TRUE(m_sink.saw("The lane is already occupied."));
    EXPECT_EQ(where(m_event, "A", late1), "-");

    form.laneEdit()->clear();
    QTest::keyClicks(form.laneEdit(), "2");
    QTest::keyClick(form.laneEdit(), Qt::Key_Return);
    EXPECT_EQ(where(m_event, "A", late1), "1/2");
    EXPECT_EQ(form.lanesLabel()->text(), "1, 2");
    ASSERT_EQ(form.undrawn().size(), 1);

    // The second goes to heat 2, lane 0; then the screen is done.
    form.heats()->setFocus();
    QTest::keyClick(form.heats(), Qt::Key_Down);
    EXPECT_EQ(form.lanesLabel()->text(), "(none)");
    QTest::keyClicks(form.laneEdit(), "0");
    QTest::keyClick(form.laneEdit(), Qt::Key_Return);
    EXPECT_EQ(where(m_event, "A", late2), "2/0");
    EXPECT_TRUE(m_sink.saw("All Athletes taken care of. Exiting."));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(DrawCorrectionScreensTest, HotSeatsReplaceTheChosenSwimmerAfterAsking)
{
    QList<qint64> swimmers;
    for (int i = 0; i < 8; ++i) {
        const qint64 a = entered(QString("S%1").arg(i));
        swimmers << a;
        const int place = i / 2 + 1;
        seat(m_event, "A", i % 2 + 1, a, place, place,
             QString("00:01:%1.%2").arg(10 + place).arg((i % 2 + 1) * 10));
    }
    // The final holds the first two of each heat.
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = " + db::sqlInt(i + 1) +
                                       " where ATHLETENO = " + db::sqlInt(swimmers[i])));
    HotSeatsForm first(run(), m_event, "A");
    EXPECT_FALSE(first.isOpen());
    EXPECT_TRUE(m_sink.saw("HotSeats is not applicable to the first round (A)"));

    HotSeatsForm form(run(), m_event, "F");
    ASSERT_TRUE(form.isOpen());
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_EQ(form.drawn().size(), 4);
    ASSERT_EQ(form.waiting().size(), 4);
    EXPECT_EQ(form.waiting().first().athleteNo, swimmers[4]);
    // Lane 2's swimmer cannot start; the best in the hot seats (Enter on his row) takes it.
    form.drawnList()->setCurrentRow(1);
    ASSERT_EQ(form.drawn()[1].athleteNo, swimmers[1]);
    form.waitingList()->setFocus();
    m_sink.answerNo();
    QTest::keyClick(form.waitingList(), Qt::Key_Return);
    EXPECT_EQ(where(m_event, "F", swimmers[1]), "0/2");
    m_sink.answerYes();
    QTest::keyClick(form.waitingList(), Qt::Key_Return);
    EXPECT_EQ(where(m_event, "F", swimmers[4]), "0/2");
    EXPECT_EQ(where(m_event, "F", swimmers[1]), "-");
    // The lists follow: the replaced swimmer now waits, the new one is drawn.
    EXPECT_EQ(form.drawn()[1].athleteNo, swimmers[4]);
    EXPECT_EQ(form.waiting().size(), 4);
}

TEST_F(DrawCorrectionScreensTest, AnAlphabeticalFinalAsksForTheOrderFirst)
{
    const qint64 event = addSelected("FRE____800M13W");
    const qint64 other = addTeam("AAA");
    const qint64 zed = addSwimmer(m_team, "Zed");
    const qint64 amy = addSwimmer(m_team, "Amy");
    const qint64 moe = addSwimmer(other, "Moe");
    for (qint64 a : {zed, amy, moe})
        enterSwimmer(event, a);
    m_sink.answerButton(2); // Cancel
    EXPECT_FALSE(drawAlphabeticallyAsked(run(), event));
    EXPECT_EQ(where(event, "F", amy), "-");
    m_sink.answerButton(1); // team first: AAA's Moe, then DOL's Amy and Zed
    m_sink.answerYes();
    ASSERT_TRUE(drawAlphabeticallyAsked(run(), event));
    EXPECT_EQ(where(event, "F", moe), "0/1");
    EXPECT_EQ(where(event, "F", amy), "0/2");
    EXPECT_EQ(where(event, "F", zed), "0/3");
}

TEST_F(DrawCorrectionScreensTest, TheDrawScreenOffersTheCorrections)
{
    DrawAthletesForm form(run());
    QStringList texts;
    for (QPushButton* button : form.findChildren<QPushButton*>())
        texts << button->text();
    for (const char* text : {"Athletes &NOT Drawn", "&HotSeats", "Draw al&phabetically",
                             "&Call-room draw", "Draw Manuall&y"})
        EXPECT_TRUE(texts.contains(text)) << text;
}
