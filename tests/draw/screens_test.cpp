#include "drawfixture.h"

#include "base/run.h"
#include "db/sqltext.h"
#include "draw/forms/additemdialog.h"
#include "draw/forms/determineprogramdialog.h"
#include "draw/forms/indicateheatsform.h"
#include "draw/forms/programform.h"
#include "draw/forms/programrowdialog.h"
#include "draw/forms/selectitemsform.h"
#include "draw/programeditor.h"
#include "draw/programorder.h"
#include "draw/programrelease.h"
#include "meeting/meetingsettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace draw;

namespace {

// A swimming gala of 40 events set up as an official would: four ages, boys and girls,
// freestyle to medley relay, heats proposed from the expected swimmers, two days.
class ScreensTest : public DrawFixture {
protected:
    void setUpGala()
    {
        const QStringList types{"FRE_____50", "BCK_____50", "BRE_____50", "BFL_____50",
                                "M_R4X50___"};
        int expected = 5;
        for (const char* age : {"09", "11", "13", "15"}) {
            for (const QString& type : types) {
                for (const char* gender : {"F", "M"}) {
                    const qint64 e = addSelected(type + gender + age + "W");
                    m_events->setEstimatedCount(e, expected);
                    expected = expected % 31 + 7;
                }
            }
        }
    }

    void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
};

TEST_F(ScreensTest, TheItemsScreenProposesHeatsAndSavesThemWhenItCloses)
{
    setUpGala();
    SelectItemsForm form(run());
    form.show();
    ASSERT_EQ(form.table()->rowCount(), 40);
    m_sink.answerYes();
    form.autoformat(true);
    // Nothing reaches the program before the screen is left.
    EXPECT_EQ(count("PROGRAM"), 40);
    const int withHeats = count("MYEVENT", "C_HEATFORMATEDIT <> ''");
    EXPECT_GT(withHeats, 10);
    grab(form, "items");
    form.accept();
    EXPECT_EQ(count("MYEVENT", "HEATFORMAT <> ''"), withHeats);
    EXPECT_GT(count("PROGRAM", "ROUND = 'A'"), withHeats);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ScreensTest, AutoFormatAllAsksFirstKeepsHandSetFormatsAndSaysWhatChanged)
{
    const qint64 hand = addSelected("FRE_____50M11W");
    const qint64 plain = addSelected("BCK_____50M11W");
    const qint64 none = addSelected("BRE_____50M11W");
    m_events->setEstimatedCount(hand, 20);
    m_events->setEstimatedCount(plain, 20);
    saveFormat(hand, "2,4,2");
    auto format = [this](qint64 e) {
        return value("select C_HEATFORMATEDIT from MYEVENT where EVENTNO = " + db::sqlInt(e));
    };
    SelectItemsForm form(run());
    form.show();
    // Cancelled: nothing changes.
    m_sink.answerButton(2);
    form.autoformat(true);
    EXPECT_TRUE(m_sink.saw("1 items have a format of their own (set by hand):"));
    EXPECT_EQ(format(hand), "2,4,2");
    EXPECT_EQ(format(plain), "");
    // Keeping the formats of their own: only the empty one is proposed.
    m_sink.answerButton(0);
    form.autoformat(true);
    const QString proposed = format(plain);
    EXPECT_FALSE(proposed.isEmpty());
    EXPECT_EQ(format(hand), "2,4,2");
    EXPECT_EQ(format(none), "");
    EXPECT_TRUE(
        m_sink.saw("1 formats changed:\r50m Backstroke 11 Male: final only -> " + proposed));
    EXPECT_TRUE(m_sink.saw("1 formats set by hand were left as they are."));
    // Beside each format, what it means.
    for (int r = 0; r < form.table()->rowCount(); ++r) {
        if (form.table()->item(r, 2)->text() == "2,4,2") {
            EXPECT_EQ(form.table()->item(r, 3)->text(),
                      "2 heats; the first 4 of each heat and the 2 fastest of the rest (10) go "
                      "to the final.");
        }
    }
    // Told to, the hand-set format is replaced too.
    m_sink.answerButton(1);
    form.autoformat(true);
    EXPECT_EQ(format(hand), proposed);
    EXPECT_TRUE(m_sink.saw("50m Freestyle 11 Male: 2,4,2 -> " + proposed));
    // Nothing left to do is said as well.
    form.autoformat(true);
    EXPECT_TRUE(m_sink.saw("already has the proposed format."));
    // Too few swimmers for heats: the question says the hand-set format becomes a final only.
    m_events->setEstimatedCount(hand, 6);
    saveFormat(hand, "2,4,2");
    m_sink.answerButton(1);
    form.autoformat(true);
    EXPECT_TRUE(m_sink.saw("50m Freestyle 11 Male: 2,4,2 -> final only"));
    EXPECT_EQ(format(hand), "");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ScreensTest, LeavingTheItemsScreenRefreshesTheRunsDayCount)
{
    const qint64 event = addSelected("FRE_____50M09W");
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set DAY_SEQ = 3 where EVENTNO = ") + db::sqlInt(event)));
    const int before = run().meeting().dayCount();
    ASSERT_LT(before, 3);
    SelectItemsForm form(run());
    form.show();
    form.accept();
    // The save raised DAY_COUNT to the program's last day, and the run knows it.
    EXPECT_EQ(value(QStringLiteral("select DAY_COUNT from MEETING where MEETINGNO = ") +
                    db::sqlInt(m_meetingNo)),
              "3");
    EXPECT_EQ(run().meeting().dayCount(), 3);
}

TEST_F(ScreensTest, SpaceTicksItemsInAndOutOfTheSelection)
{
    setUpGala();
    SelectItemsForm form(run());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.table()->setFocus();
    form.table()->selectRow(2);
    const QString item = form.table()->item(2, 1)->text();
    QTest::keyClick(form.table(), Qt::Key_Space);
    // The same row stays current, now unticked, and the working copy says so.
    EXPECT_EQ(form.table()->currentRow(), 2);
    EXPECT_EQ(form.table()->item(2, 1)->text(), item);
    EXPECT_EQ(form.table()->item(2, 0)->text(), "");
    EXPECT_EQ(count("MYEVENT", "C_SELECTEDEDIT = 'X'"), 39);
    QTest::keyClick(form.table(), Qt::Key_Down);
    QTest::keyClick(form.table(), Qt::Key_Space);
    EXPECT_EQ(count("MYEVENT", "C_SELECTEDEDIT = 'X'"), 38);
    QTest::keyClick(form.table(), Qt::Key_Up);
    QTest::keyClick(form.table(), Qt::Key_Space);
    EXPECT_EQ(form.table()->item(2, 0)->text(), "X");
    EXPECT_EQ(count("MYEVENT", "C_SELECTEDEDIT = 'X'"), 39);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ScreensTest, AddItemTakesAStrokeAndAnAgeByTheKeyboardWithoutErrorsOnTheWay)
{
    AddItemDialog dialog(*m_items);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* age = dialog.findChild<QSpinBox*>();
    ASSERT_NE(age, nullptr);
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    const auto typeAge = [&](const char* text) {
        age->setFocus();
        age->selectAll();
        QTest::keyClicks(age, QString::fromLatin1(text));
    };
    // The first "1" of "11" is not an age of its own.

    typeAge("11");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    EXPECT_TRUE(dialog.itemCode().endsWith("M11W")) << dialog.itemCode().toStdString();
    EXPECT_TRUE(ok->isEnabled());
    typeAge("97");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    bool explained = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        explained = explained || label->text().startsWith("The age must be between 2 and 95");
    EXPECT_TRUE(explained);
    typeAge("99");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(dialog.itemCode().endsWith("M99W"));
    // Another stroke by the keyboard refills the distances without a word.
    auto* stroke = dialog.findChildren<QComboBox*>().at(0);
    stroke->setFocus();
    QTest::keyClick(stroke, Qt::Key_Down);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    EXPECT_TRUE(dialog.itemCode().startsWith(stroke->currentData().toString()));
    EXPECT_EQ(dialog.itemCode().size(), 14) << dialog.itemCode().toStdString();
}

TEST_F(ScreensTest, RemoveUnselectedLeavesItemsUnselectedOnlyInThisVisit)
{
    const qint64 kept = addSelected("FRE_____50M09W");
    addSelected("BCK_____50M09W");
    ASSERT_GT(m_events->addOneItem("BRE_____50M09W", false), 0);
    SelectItemsForm form(run());
    form.show();
    int row = -1;
    for (int r = 0; r < form.table()->rowCount(); ++r)
        if (form.table()->item(r, 1)->text().startsWith("50m Freestyle"))
            row = r;
    ASSERT_GE(row, 0);
    form.table()->selectRow(row);
    form.toggleSelected();
    ASSERT_EQ(value("select C_SELECTEDEDIT from MYEVENT where EVENTNO = " + db::sqlInt(kept)), "");
    m_sink.answerYes();
    form.removeUnselected();
    // Only the item that was never selected goes; the freestyle is still stored as selected.
    EXPECT_TRUE(m_sink.saw("1 Items were removed"));
    EXPECT_EQ(count("MYEVENT"), 2);
    EXPECT_EQ(count("MYEVENT", "EVENTNO = " + db::sqlInt(kept) + " and SELECTED = 'X'"), 1);
}

TEST_F(ScreensTest, TheExpectedSwimmersQuestionNamesTheEvent)
{
    const qint64 free = addSelected("FRE_____50M09W");
    const qint64 back = addSelected("BCK_____50F09W");
    m_events->setEstimatedCount(free, 12);
    {
        SelectItemsForm form(run());
        form.show();
        int row = -1;
        for (int r = 0; r < form.table()->rowCount(); ++r) {
            if (form.table()->item(r, 1)->text().startsWith("50m Backstroke"))
                row = r;
        }
        ASSERT_GE(row, 0);
        form.table()->selectRow(row);
        m_sink.answerText("24");
        form.editExpected();
        EXPECT_TRUE(m_sink.saw("Estimated Number of Athletes for this Event\r" +
                               form.table()->item(row, 1)->text()));
        EXPECT_EQ(form.table()->item(row, 5)->text(), "24");
    }
    EXPECT_EQ(
        value("select ESTIMATEDATHLETECOUNT from MYEVENT where EVENTNO = " + db::sqlInt(back)),
        "24");
    // The heats screen asks the same question; a cancelled one changes nothing.
    IndicateHeatsForm heats(run());
    heats.show();
    ASSERT_TRUE(heats.selectEvent(free));
    m_sink.answerCancel();
    heats.editEstimate();
    EXPECT_TRUE(m_sink.saw("Estimated Number of Athletes for this Event\r50m Freestyle"));
    EXPECT_EQ(
        value("select ESTIMATEDATHLETECOUNT from MYEVENT where EVENTNO = " + db::sqlInt(free)),
        "12");
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

TEST_F(ScreensTest, EnterEditsTheProgramRowNamedInTheEditorsTitle)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "2,3,2");
    ProgramForm form(run());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    int heat2 = -1;
    for (int r = 0; r < form.table()->rowCount(); ++r) {
        if (form.table()->item(r, 3)->text() == "A" && form.table()->item(r, 4)->text() == "2")
            heat2 = r;
    }
    ASSERT_GE(heat2, 0);
    form.table()->setFocus();
    form.table()->selectRow(heat2);
    const QString heat = form.table()->item(heat2, 5)->text();
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<ProgramRowDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
            ASSERT_EQ(fields.size(), 4);
            fields[1]->setText("0915"); // Day, Time, Sequence, Pit
            dialog->accept();
        }
    });
    QTest::keyClick(form.table(), Qt::Key_Return);
    EXPECT_EQ(title.toStdString(), ("Edit Program Row: " + heat).toStdString());
    EXPECT_TRUE(heat.endsWith("Heat 2")) << heat.toStdString();
    EXPECT_EQ(value("select list(ROUND || HEATNO) from PROGRAM where THETIME is not null"), "A2");
    // A day header row has no program row behind it: Enter there opens no editor.
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<ProgramRowDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            dialog->reject();
        }
    });
    form.table()->selectRow(0);
    ASSERT_EQ(form.table()->item(0, 5)->text(), "Day 1");
    QTest::keyClick(form.table(), Qt::Key_Return);
    QTest::qWait(1);
    EXPECT_FALSE(opened);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ScreensTest, TheProgramScreenListsTwoDaysInTimeOrder)
{
    setUpGala();
    m_events->collectSelection();
    for (const EventRow& e : m_events->list(true)) {
        const int athletes = e.estimated;
        m_events->setFormatEdit(e.eventNo, athletes > 16 ? "3,2,2" : athletes > 8 ? "2,3,2" : "");
    }
    m_events->saveSelection();
    // Younger swimmers on day 1, older on day 2; four minutes a heat from 09:00.
    ProgramEditor editor(run());
    int minutes[3] = {0, 0, 0};
    for (const ProgramLine& l : ProgramListing(database()).lines(m_meetingNo, ProgramOrder::Item)) {
        const int day = l.itemCode.mid(11, 2).toInt() <= 11 ? 1 : 2;
        SlotEdit edit;
        edit.day = day;
        edit.time = QTime(9, 0).addSecs(60 * minutes[day]);
        minutes[day] += 4;
        ASSERT_TRUE(editor.apply(l.programNo, edit));
    }
    ASSERT_TRUE(editor.renumber(false));
    ProgramForm form(run(), nullptr, [](QWidget*, base::Run&) {});
    form.show();
    // With every button, the screen still fits a 1280-pixel-wide display.
    EXPECT_LE(form.minimumSizeHint().width(), 1280);
    // Two day headers and every row.
    EXPECT_EQ(form.table()->rowCount(), count("PROGRAM") + 2);
    EXPECT_EQ(form.table()->item(0, 5)->text(), "Day 1");
    EXPECT_EQ(form.table()->item(1, 0)->text(), "1");
    grab(form, "program");
}

TEST_F(ScreensTest, TheProgramScreenReleasesTheSelectedHeat)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "2,3,2");
    ProgramForm form(run());
    form.show();
    // Nothing selected: the screen asks for a row and changes nothing.
    form.table()->clearSelection();
    form.table()->setCurrentCell(-1, -1);
    form.setReleased(Publication::Draw, true);
    EXPECT_TRUE(m_sink.saw("Select the Event"));
    EXPECT_EQ(count("PROGRAM", "DRAW_RELEASED = 1"), 0);

    int heat2 = -1;
    for (int r = 0; r < form.table()->rowCount(); ++r) {
        if (form.table()->item(r, 3)->text() == "A" && form.table()->item(r, 4)->text() == "2")
            heat2 = r;
    }
    ASSERT_GE(heat2, 0);
    form.table()->selectRow(heat2);
    m_sink.answerYes();
    form.setReleased(Publication::Draw, true);
    EXPECT_EQ(value("select list(ROUND || HEATNO) from PROGRAM where DRAW_RELEASED = 1"), "A2");
    m_sink.answerYes();
    form.incrementRevision(Publication::Results);
    EXPECT_EQ(value("select RESULTS_REVISION from PROGRAM where ROUND = 'A' and HEATNO = 2"), "1");
    // The row stays selected after the screen refreshed, and shows what was released.
    EXPECT_EQ(form.table()->currentRow(), heat2);
    EXPECT_EQ(form.table()->item(heat2, 7)->text(), "Draw, (Results) r1");
    grab(form, "program-released");
    form.comparePlacedCounts(false);
    EXPECT_TRUE(m_sink.saw("Compare Placed Counts in all events"));
    EXPECT_TRUE(m_sink.saw("0 of 3 heats differ"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

} // namespace

namespace {

using ScreensSettingsTest = ScreensTest;

TEST_F(ScreensSettingsTest, DetermineProgramWritesOnceAndTheNextOperationSeesIt)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "2,3,2");
    DetermineProgramDialog dialog(run());
    dialog.findChild<QLineEdit*>()->setText("3");
    dialog.findChild<QSpinBox*>()->setValue(6);
    dialog.findChild<QCheckBox*>()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(value("select DAY_COUNT || '/' || DOLVANE_LANE_COUNT || '/' || ROUND_SEQ_SAME "
                    "from MEETING where MEETINGNO = " +
                    db::sqlInt(m_meetingNo)),
              "3/6/1");
    // Read from the run, not the database: the screens that follow use the new values.
    EXPECT_EQ(lanes().dolvaneLaneCount, 6);
    ProgramEditor editor(run());
    EXPECT_EQ(editor.parseDay("3"), 3);
    ASSERT_TRUE(editor.renumber(false));
    EXPECT_EQ(value("select list(distinct SEQ) from PROGRAM where ROUND = 'A'"), "1");
}

TEST_F(ScreensSettingsTest, ARefusedDayCountWritesNoSettingAtAll)
{
    DetermineProgramDialog dialog(run());
    dialog.findChild<QLineEdit*>()->setText("11");
    dialog.findChild<QSpinBox*>()->setValue(6);
    dialog.accept();
    EXPECT_TRUE(m_sink.saw("The max days is 10"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(value("select DAY_COUNT || '/' || DOLVANE_LANE_COUNT from MEETING"), "2/8");
    EXPECT_EQ(lanes().dolvaneLaneCount, 8);
    EXPECT_EQ(run().meeting().dayCount(), 2);
}

} // namespace
