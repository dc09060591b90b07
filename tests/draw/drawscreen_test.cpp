// The draw screens driven as an official uses them: the Before screen's "Draw Athletes",
// all first rounds, one round, the Draw Information and clearing.

#include "drawnfield.h"

#include "base/run.h"
#include "db/sqltext.h"
#include "draw/forms/beforeform.h"
#include "draw/forms/drawathletesform.h"
#include "draw/forms/listwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

using namespace draw;

namespace {

class DrawScreenTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        changeMeeting({{"DRAW_METHOD", "6"}, {"HAS_BEST_BEFORES", "1"}});
        m_heats = addSelected("FRE____100M13W");
        m_final = addSelected("BRE____100M13W");
        saveFormat(m_heats, "3,0,8");
        enterField(m_heats, 20, true);
        enterField(m_final, 6, false);
    }
    QString cell(const DrawAthletesForm& form, int row, int column)
    {
        return form.table()->item(row, column)->text();
    }

    qint64 m_heats = 0;
    qint64 m_final = 0;
};

TEST_F(DrawScreenTest, DrawAllFirstRoundsThenLookAtTheDrawInformation)
{
    DrawAthletesForm form(run());
    form.show();
    ASSERT_EQ(form.table()->rowCount(), 2);
    EXPECT_EQ(cell(form, 0, DrawAthletesForm::Item), "100m Freestyle 13 Male");
    EXPECT_EQ(cell(form, 0, DrawAthletesForm::Entries), "20");
    EXPECT_EQ(cell(form, 0, DrawAthletesForm::LastDrawn), "");
    EXPECT_EQ(form.roundBox()->currentData().toString(), "A");

    m_sink.answerYes();
    form.drawAllFirstRounds();
    EXPECT_TRUE(m_sink.saw("Done: All Athletes for the first rounds were Drawn"));
    EXPECT_FALSE(m_sink.progressTexts().isEmpty());
    EXPECT_EQ(cell(form, 0, DrawAthletesForm::LastDrawn), "A");
    EXPECT_EQ(cell(form, 1, DrawAthletesForm::LastDrawn), "F");
    // After round A the final is the round to draw next.
    EXPECT_EQ(form.roundBox()->currentData().toString(), "F");

    form.selectRound("A");
    ListWindow* info = form.showDrawInformation();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->lines().size(), 20);
    EXPECT_TRUE(info->heading().startsWith("100m Freestyle 13 Male   Round A"));
    EXPECT_TRUE(info->lines().last().startsWith("A        3    7"))
        << info->lines().last().toStdString();
    info->close();

    // The final is not drawn yet: the last round drawn is shown instead.
    form.selectRound("F");
    info = form.showDrawInformation();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->heading().startsWith("100m Freestyle 13 Male   Round A"));
    info->close();

    // Nothing drawn at all: said so, no window.
    form.selectRound("A");
    m_sink.answerYes();
    form.clearRound();
    EXPECT_EQ(count("HEATPART", "EVENTNO = " + db::sqlInt(m_heats)), 0);
    form.selectRound("A");
    EXPECT_EQ(form.showDrawInformation(), nullptr);
    EXPECT_TRUE(m_sink.saw("Round A of 100m Freestyle 13 Male is not drawn yet."));
}

TEST_F(DrawScreenTest, DrawOneRoundWithDetailsAndClearIt)
{
    DrawAthletesForm form(run());
    form.show();
    ASSERT_TRUE(form.selectEvent(m_final));
    EXPECT_EQ(form.roundBox()->count(), 1);
    form.detailsBox()->setChecked(true);
    m_sink.answerYes();
    form.drawRound();
    EXPECT_TRUE(m_sink.saw("Draw this event"));
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(m_final)), 6);
    EXPECT_EQ(cell(form, 1, DrawAthletesForm::LastDrawn), "F");
    bool listed = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* list = qobject_cast<ListWindow*>(w); list && list->isVisible()) {
            listed = list->lines().size() == 6;
            list->close();
        }
    }
    EXPECT_TRUE(listed);

    m_sink.answerYes();
    form.clearRound();
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(m_final)), 0);
}

TEST_F(DrawScreenTest, TheBeforeScreenOffersDrawAthletes)
{
    BeforeForm form(run(), {{"&Draw Athletes", &openDrawAthletes, "Draws"},
                            {"&Print Sheets", nullptr, "Prints"}});
    ASSERT_NE(form.button("&Draw Athletes"), nullptr);
    EXPECT_TRUE(form.button("&Draw Athletes")->isEnabled());
    EXPECT_FALSE(form.button("&Print Sheets")->isEnabled());
    // A screen not there yet says so instead of what it would do.
    EXPECT_EQ(form.button("&Draw Athletes")->toolTip(), QStringLiteral("Draws"));
    EXPECT_EQ(form.button("&Print Sheets")->toolTip(), QStringLiteral("Not available yet"));

    // Close follows the last option closely, whatever the options' count.
    form.show();
    QPushButton* close = nullptr;
    for (QPushButton* b : form.findChildren<QPushButton*>()) {
        if (b->text() == "Close")
            close = b;
    }
    ASSERT_NE(close, nullptr);
    const int gap = close->geometry().top() - form.button("&Print Sheets")->geometry().bottom();
    EXPECT_GT(gap, 0);
    EXPECT_LT(gap, 30);
    const QByteArray shots = qgetenv("DOLVANE_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        form.grab().save(QString::fromLocal8Bit(shots) + "/before.png");
}

} // namespace
