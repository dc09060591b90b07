#include "drawfixture.h"

#include "base/run.h"
#include "db/sqltext.h"
#include "draw/forms/complexformatdialog.h"
#include "draw/forms/heatsarefinalsform.h"
#include "draw/forms/indicateheatsform.h"
#include "draw/forms/listwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace draw;

namespace {

// The heat screens offscreen, answered from a script, on a gala of eight lanes.
class HeatScreensTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_groups = std::make_unique<HeatGroups>(*m_items, lanes());
    }

    qint64 eventWith(const QString& code, int entered, int estimated)
    {
        const qint64 e = addSelected(code);
        enter(e, entered);
        m_events->setEstimatedCount(e, estimated);
        return e;
    }

    int rowOf(QTableWidget* table, const QString& title)
    {
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, 0)->text() == title)
                return r;
        }
        return -1;
    }

    void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }

    std::unique_ptr<HeatGroups> m_groups;
};

TEST_F(HeatScreensTest, IndicateHeatsShowsWhatTheFirstRoundProvides)
{
    const qint64 free = eventWith("FRE____100M13W", 19, 30);
    const qint64 breast = eventWith("BRE____100M13W", 12, 0);
    const qint64 back = eventWith("BCK____100M13W", 3, 0);
    m_events->addOneItem("BFL____100M13W", false);
    saveFormat(free, "2,3,2");
    saveFormat(breast, "2,3,2");
    saveFormat(back, "2,3,2");
    IndicateHeatsForm form(run());
    form.show();
    QTableWidget* t = form.table();
    ASSERT_EQ(t->rowCount(), 3); // the unselected item is not listed
    const int r = rowOf(t, "100m Freestyle 13 Male");
    ASSERT_GE(r, 0);
    EXPECT_EQ(t->item(r, IndicateHeatsForm::Format)->text(), "2,3,2");
    EXPECT_EQ(t->item(r, IndicateHeatsForm::Heats)->text(), "2");
    EXPECT_EQ(t->item(r, IndicateHeatsForm::Places)->text(), "16");
    EXPECT_EQ(t->item(r, IndicateHeatsForm::Entered)->text(), "19");
    EXPECT_EQ(t->item(r, IndicateHeatsForm::Estimated)->text(), "30");
    EXPECT_EQ(t->item(r, IndicateHeatsForm::TooFew)->text(), "3");
    // Red too few, green enough, yellow too many.
    const auto colour = [&](const QString& title) {
        return t->item(rowOf(t, title), IndicateHeatsForm::Heats)->background().color();
    };
    EXPECT_GT(colour("100m Freestyle 13 Male").red(), colour("100m Freestyle 13 Male").green());
    EXPECT_GT(colour("100m Breaststroke 13 Male").green(),
              colour("100m Breaststroke 13 Male").red());
    EXPECT_GT(colour("100m Backstroke 13 Male").red(), colour("100m Backstroke 13 Male").blue());
    EXPECT_GT(colour("100m Backstroke 13 Male").green(), colour("100m Backstroke 13 Male").blue());
    EXPECT_EQ(form.measureButton()->text(), "Athletes");
    EXPECT_EQ(form.againstButton()->text(), "Actual");
    grab(form, "indicateheats");
    // Nothing of the working copies is lost when the screen closes.
    EXPECT_TRUE(form.selectEvent(free));
    m_sink.answerYes();
    form.autoformat();
    EXPECT_EQ(t->item(rowOf(t, "100m Freestyle 13 Male"), IndicateHeatsForm::Format)->text(),
              "4,3,4/2,3,2");
    form.accept();
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT where EVENTNO = " + db::sqlInt(free)),
              "4,3,4/2,3,2");
    EXPECT_EQ(heats(free, "B"), 4);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(HeatScreensTest, EnterOpensTheFormatEditorAndEscapeSavesOnLeaving)
{
    const qint64 e = eventWith("FRE____100M13W", 0, 20);
    IndicateHeatsForm form(run());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.table()->setFocus();
    ASSERT_TRUE(form.table()->hasFocus());
    ASSERT_TRUE(form.selectEvent(e));
    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<ComplexFormatDialog*>(QApplication::activeModalWidget())) {
            opened = dialog->windowTitle();
            dialog->fillDefaults();
            dialog->accept();
        }
    });
    QTest::keyClick(form.table(), Qt::Key_Return);
    EXPECT_EQ(opened, "Edit Heat Format");
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT"), "");
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT"), "3,2,2");
    EXPECT_EQ(heats(e, "A"), 3);
}

TEST_F(HeatScreensTest, TooFewTogglesAreKeptForTheNextTime)
{
    const qint64 e = eventWith("FRE____100M13W", 19, 30);
    saveFormat(e, "2,3,2");
    {
        IndicateHeatsForm form(run());
        form.measureButton()->click();
        EXPECT_EQ(form.measureButton()->text(), "Heats");
        EXPECT_EQ(form.table()->item(0, IndicateHeatsForm::TooFew)->text(), "1");
        form.againstButton()->click();
        EXPECT_EQ(form.againstButton()->text(), "Maximim");
        EXPECT_EQ(form.table()->item(0, IndicateHeatsForm::TooFew)->text(), "2");
        form.reject();
    }
    EXPECT_EQ(run().config().readBool("TOOFEW_ATHSNOTHEATS"), false);
    EXPECT_EQ(run().config().readBool("TOOFEW_ACTNOTMAX"), false);
    IndicateHeatsForm again(run());
    EXPECT_EQ(again.measureButton()->text(), "Heats");
    EXPECT_EQ(again.againstButton()->text(), "Maximim");
    again.setTooFewInAthletes(true);
    EXPECT_EQ(again.table()->item(0, IndicateHeatsForm::TooFew)->text(), "14");
    EXPECT_TRUE(run().config().readBool("TOOFEW_ATHSNOTHEATS"));
}

TEST_F(HeatScreensTest, IndicateHeatsActionsAskAndRefuseInTheSystemsWords)
{
    const qint64 e = eventWith("FRE____200M15W", 0, 0);
    const qint64 mixed = eventWith("FRE____100M99W", 0, 0);
    IndicateHeatsForm form(run());
    ASSERT_TRUE(form.selectEvent(e));
    m_sink.answerText("x12");
    form.editEstimate();
    EXPECT_TRUE(m_sink.saw("Not a number:x12"));
    m_sink.answerText("17");
    form.editEstimate();
    EXPECT_EQ(m_events->event(e).estimated, 17);
    m_sink.answerText("3");
    form.editSemiHeats();
    EXPECT_EQ(m_events->event(e).formatEdit, "3,0,8");
    // A semis-by-times format is not one the semis-with-places editor can be refused on,
    // but the mixed event is refused before any editor opens.
    ASSERT_TRUE(form.selectEvent(mixed));
    form.editFormat(ComplexEditor::Mode::Complex);
    EXPECT_TRUE(m_sink.saw("Heats are not allowed on Mixed events."));
    form.showLanes();
    EXPECT_TRUE(m_sink.saw("The number of lanes available for track events:"));
    enter(e, 5);
    m_sink.answerYes();
    form.estimatesFromEntries();
    EXPECT_EQ(
        form.table()
            ->item(rowOf(form.table(), "200m Freestyle 15 Male"), IndicateHeatsForm::Estimated)
            ->text(),
        "5");
    EXPECT_EQ(m_sink.unanswered(), 0);
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

TEST_F(HeatScreensTest, CheckHeatCountsListsTheMeetingInAWindow)
{
    const qint64 e = eventWith("FRE____100M13W", 20, 0);
    eventWith("BRE____100M13W", 5, 0);
    IndicateHeatsForm form(run());
    // The check reads what this screen set, saved first.
    ASSERT_TRUE(m_events->setFormatEdit(e, "2,3,2"));
    form.checkHeatCounts();
    auto* window = form.findChild<ListWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Heatcounts for Items");
    EXPECT_TRUE(window->heading().startsWith("The following Track Items has either too\r"));
    EXPECT_TRUE(window->heading().endsWith("1 ERRORS : too little heats\r0 Hints  : too many "
                                           "heats\r1 Correct number of Heats\r\rDiffer  Item  "
                                           "Seq  Time"));
    ASSERT_EQ(window->lines().size(), 1);
    EXPECT_TRUE(window->lines()[0].startsWith("ERROR:   1 too few for 100m Freestyle 13 Male"));
    grab(*window, "heatcounts");
    delete window;
    form.showListing(IndicateHeatsForm::Listing::Tracks);
    auto* tracks = form.findChild<ListWindow*>();
    ASSERT_NE(tracks, nullptr);
    EXPECT_EQ(tracks->heading(), "As specified by the WorldAth rules");
}

TEST_F(HeatScreensTest, EditHeatFormatChecksTheRowsAndAsksAboutOtherFormats)
{
    const qint64 e = eventWith("FRE____100M13W", 0, 30);
    ComplexFormatDialog dialog(*m_events, *m_groups, ComplexEditor::Mode::Complex, e);
    dialog.show();
    EXPECT_EQ(dialog.proposal(), "4,3,4/2,3,2");
    grab(dialog, "editheatformat");
    auto type = [&](FormatRows::Row row, QStringList values) {
        for (int c = 0; c < 3; ++c)
            dialog.cell(row, FormatRows::Column(c))->setText(values[c]);
    };
    type(FormatRows::C, {"4", "3", "4"});
    dialog.accept();
    EXPECT_TRUE(m_sink.saw("Round B may not be empty if there was a round C"));
    type(FormatRows::C, {"", "", ""});
    type(FormatRows::A, {"3", "2", ""});
    dialog.accept();
    EXPECT_TRUE(m_sink.saw("All items must be filled or left open"));
    type(FormatRows::A, {"3", "2", "2"});
    // The format typed is told in words under the rounds as it is typed.
    EXPECT_EQ(dialog.meaning()->text(),
              "3,2,2 : 3 heats; the first 2 of each heat and the 2 fastest of the rest (8) go to "
              "the final.");
    dialog.accept(); // not the rules' format: No
    EXPECT_TRUE(m_sink.saw("Accept nevertheless"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_events->event(e).formatEdit, "");
    m_sink.answerYes();
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");

    // Defaults puts the rules' format in; heats-are-finals comes along.
    ComplexFormatDialog second(*m_events, *m_groups, ComplexEditor::Mode::Complex, e);
    second.show();
    EXPECT_EQ(second.cell(FormatRows::A, FormatRows::Heats)->text(), "3");
    second.fillDefaults();
    EXPECT_EQ(second.cell(FormatRows::B, FormatRows::Heats)->text(), "4");
    EXPECT_EQ(second.cell(FormatRows::A, FormatRows::Times)->text(), "2");
    second.setHeatsAreFinals(true);
    m_sink.clear();
    second.accept();
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
    EXPECT_EQ(m_events->event(e).formatEdit, "4,3,4/2,3,2");
    EXPECT_EQ(m_events->event(e).finalNotRun, 1);
}

TEST_F(HeatScreensTest, SemisWithPlacesOpenOnlyRoundA)
{
    const qint64 e = eventWith("FRE____100M13W", 12, 20);
    ComplexFormatDialog dialog(*m_events, *m_groups, ComplexEditor::Mode::SemisWithPlaces, e);
    EXPECT_FALSE(dialog.cell(FormatRows::C, FormatRows::Heats)->isEnabled());
    EXPECT_FALSE(dialog.cell(FormatRows::B, FormatRows::Times)->isEnabled());
    EXPECT_TRUE(dialog.cell(FormatRows::A, FormatRows::Places)->isEnabled());
    // The count to use changes the rules' proposal.
    EXPECT_EQ(dialog.proposal(), "3,2,2");
    dialog.useEstimated(false);
    EXPECT_EQ(dialog.proposal(), "2,3,2");
    dialog.fillDefaults();
    dialog.accept();
    EXPECT_EQ(m_events->event(e).formatEdit, "2,3,2");
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
}

TEST_F(HeatScreensTest, HeatsAreFinalsScreenListsEventsWithHeats)
{
    const qint64 plain = eventWith("FRE____100M13W", 0, 0);
    const qint64 heats = eventWith("BRE____100M13W", 0, 0);
    saveFormat(heats, "3,0,8");
    HeatsAreFinalsForm form(run());
    form.show();
    ASSERT_EQ(form.table()->rowCount(), 1);
    ASSERT_TRUE(form.selectEvent(heats));
    form.toggle();
    EXPECT_EQ(form.table()->item(0, HeatsAreFinalsForm::Finals)->text(), "Yes");
    form.showWithoutHeats(true); // not agreed
    EXPECT_TRUE(m_sink.saw("You dont need Items _WITHOUT_ Heats on this page"));
    EXPECT_EQ(form.table()->rowCount(), 1);
    m_sink.answerYes();
    form.showWithoutHeats(true);
    ASSERT_EQ(form.table()->rowCount(), 2);
    ASSERT_TRUE(form.selectEvent(plain));
    form.toggle();
    EXPECT_TRUE(m_sink.saw("You cannot select \"Heats Are Finals\" if there are no Heats."));
    grab(form, "heatsarefinals");
    form.accept();
    EXPECT_EQ(value("select FINAL_NOT_RUN from MYEVENT where EVENTNO = " + db::sqlInt(heats)), "1");
    EXPECT_EQ(value("select FINAL_NOT_RUN from MYEVENT where EVENTNO = " + db::sqlInt(plain)), "0");
}

} // namespace
