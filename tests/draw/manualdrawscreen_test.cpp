#include "handdrawfixture.h"

#include "draw/forms/listwindow.h"
#include "draw/forms/manualdrawform.h"
#include "draw/forms/manualdrawmenu.h"
#include "draw/forms/teamdrawsettings.h"
#include "draw/teamlanes.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

using namespace draw;

namespace {

// The manual draw screens driven as an official would, on round A (two heats of three).
class ManualDrawScreenTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected("BFL_____50F11W");
        saveFormat(m_event, "2,2,2");
        const qint64 team = addTeam("DOL");
        for (int i = 0; i < 6; ++i) {
            const qint64 a = addSwimmer(team, QString("Swimmer%1").arg(i), "F");
            enterSwimmer(m_event, a);
            m_athletes.append(a);
            seat(m_event, "A", i / 3 + 1, a, i % 3 + 1);
        }
        m_sink.clear();
    }
    void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }

    qint64 m_event = 0;
    QList<qint64> m_athletes;
};

TEST_F(ManualDrawScreenTest, TwoSwimmersMovedByHandAreVerifiedAndAccepted)
{
    ManualDrawForm form(run(), m_event, "A", ManualAction::EditLanes);
    ASSERT_TRUE(form.isOpen());
    ASSERT_EQ(form.table()->rowCount(), 6);
    form.show();
    form.selectLine(m_athletes[0]);
    ASSERT_TRUE(form.setHeatLane("2", "1"));
    form.selectLine(m_athletes[3]);
    ASSERT_TRUE(form.setHeatLane("1", "1"));
    // The screen shows the edits before anything is written.
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "1/1");
    form.verify();
    EXPECT_TRUE(m_sink.saw("Verified: The lanes are correct"));
    grab(form, "manualdraw-edited");
    form.acceptEdits();
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "2/1");
    EXPECT_EQ(where(m_event, "A", m_athletes[3]), "1/1");
    // The list in this heat and lane order now starts with swimmer 3 in heat 1, lane 1.
    EXPECT_EQ(form.table()->item(0, 1)->text(), "Swimmer3");
    form.reject();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(ManualDrawScreenTest, LeavingWithEditsAsksAndATextLaneIsRefused)
{
    ManualDrawForm form(run(), m_event, "A", ManualAction::EditLanes);
    form.show();
    form.selectLine(m_athletes[1]);
    EXPECT_FALSE(form.setHeatLane("1", "x"));
    EXPECT_TRUE(m_sink.saw("The Lane must be a number.  0 is also allowed"));
    ASSERT_TRUE(form.setHeatLane("2", "4"));
    m_sink.answerNo();
    form.reject();
    EXPECT_TRUE(m_sink.saw("OK to lose edits"));
    EXPECT_TRUE(form.isVisible());
    m_sink.answerYes();
    form.reject();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(where(m_event, "A", m_athletes[1]), "1/2");
}

TEST_F(ManualDrawScreenTest, F5SelectsAndTheDrawButtonDrawsTheSelected)
{
    ManualDrawForm form(run(), m_event, "A", ManualAction::SelectAndDraw);
    form.setSeed(11);
    form.show();
    form.table()->setFocus();
    form.selectLine(m_athletes[2]);
    QTest::keyClick(&form, Qt::Key_F5);
    form.selectLine(m_athletes[4]);
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(form.manualDraw().selectedCount(), 2);
    form.swap(); // not part of this action
    EXPECT_TRUE(m_sink.saw("Swopping is not part of"));
    form.drawSelected();
    EXPECT_TRUE(m_sink.saw("Done: Manually selected athletes drawn"));
    EXPECT_EQ(count("HEATPART", "ROUND = 'A'"), 2);
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "-");
}

TEST_F(ManualDrawScreenTest, TheSummaryOpensBesideTheScreenAndAFirstRoundHasNoCheck)
{
    ManualDrawForm form(run(), m_event, "A", ManualAction::SwapAny);
    form.showDrawCheck();
    EXPECT_TRUE(m_sink.saw("There is no draw check for round A"));
    EXPECT_EQ(form.findChild<ListWindow*>(), nullptr);
    form.showDrawSummary();
    const ListWindow* summary = form.findChild<ListWindow*>();
    ASSERT_NE(summary, nullptr);
    ASSERT_EQ(summary->lines().size(), 6);
    EXPECT_TRUE(summary->lines().first().startsWith("Swimmer0, Sam"));
    EXPECT_TRUE(summary->lines().first().contains("1/1 0"))
        << summary->lines().first().toStdString();
}

TEST_F(ManualDrawScreenTest, TheMenuOffersTheRoundsOfTheProgramAndTheFiveActions)
{
    ManualDrawMenu menu(run(), m_event, "F");
    ASSERT_EQ(menu.rounds()->count(), 2);
    EXPECT_EQ(menu.chosenRound().round, "F");
    EXPECT_TRUE(menu.rounds()->itemText(0).contains("Round A (2 heats)"));
    EXPECT_EQ(menu.actions()->count(), 5);
    menu.actions()->setCurrentRow(2);
    EXPECT_EQ(menu.chosenAction(), ManualAction::SwapSameTeam);
    grab(menu, "manualdraw-menu");
}

TEST_F(ManualDrawScreenTest, ConstantLanesAreOrderedOnTheirScreen)
{
    addTeam("AAA");
    addTeam("BBB", true, false);
    ConstantTeamLanes(database(), messages(), m_meetingNo).setLanes("F", {"DOL", "AAA"});
    ConstantTeamDrawForm form(run());
    form.gender()->setCurrentIndex(1);
    ASSERT_EQ(form.lanes()->count(), 2);
    form.lanes()->setCurrentRow(1);
    form.moveLane(-1);
    EXPECT_EQ(value("select FEMALE_TEAMS from MEETING"), "AAA;DOL");
    m_sink.answerYes();
    form.lanes()->setCurrentRow(0);
    form.removeLane();
    EXPECT_TRUE(m_sink.saw("Remove lane 1 and move all Lanes up."));
    // AAA has girls and comes back as the last lane.
    EXPECT_EQ(value("select FEMALE_TEAMS from MEETING"), "DOL;AAA");
    form.gender()->setCurrentIndex(0);
    EXPECT_EQ(form.lanes()->count(), 0);
    form.moveLane(1);
    EXPECT_TRUE(m_sink.saw("No Male teams to order"));
}

} // namespace
