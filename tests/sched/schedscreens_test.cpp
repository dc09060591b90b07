#include "schedfixture.h"

#include "base/run.h"
#include "db/sqltext.h"
#include "draw/forms/programform.h"
#include "sched/forms/clashesform.h"
#include "sched/forms/daytimeline.h"
#include "sched/forms/dayviewform.h"
#include "sched/forms/restguidelinesdialog.h"
#include "sched/forms/schedulerform.h"
#include "sched/forms/timeparamsdialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace sched;

namespace {

// Eight events of a morning session and three swimmers, as an official schedules them.
class SchedScreensTest : public SchedFixture {
protected:
    void SetUp() override
    {
        SchedFixture::SetUp();
        int minute = 0;
        for (const char* code :
             {"FRE_____50F11W", "FRE_____50M11W", "BCK____100F13W", "BCK____100M13W",
              "BRE____200F15W", "BRE____200M15W", "FRE____400F15W", "FRE____400M15W"}) {
            m_events.append(addEvent(code));
            setSlot(programNo(m_events.last()), 1,
                    QTime(8, 0).addSecs(60 * minute).toString("hh:mm"));
            minute += 5;
        }
        m_mia = addSwimmer("NEL", "Mia");
        enter(m_mia, m_events[0]);
        enter(m_mia, m_events[2]);
        enter(m_mia, m_events[6]);
        m_ruan = addSwimmer("VENTER", "Ruan");
        enter(m_ruan, m_events[1]);
        enter(m_ruan, m_events[7]);
        m_sink.clear();
    }
    void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
    QPushButton* button(QWidget& form, const QString& text)
    {
        for (QPushButton* b : form.findChildren<QPushButton*>()) {
            if (b->text().remove('&') == text)
                return b;
        }
        return nullptr;
    }

    QList<qint64> m_events;
    qint64 m_mia = 0;
    qint64 m_ruan = 0;
};

TEST_F(SchedScreensTest, TheProgramScreenOpensTheSchedulerWhenItIsWiredIn)
{
    {
        draw::ProgramForm plain(run());
        EXPECT_EQ(button(plain, "Scheduler..."), nullptr);
    }
    int opened = 0;
    draw::ProgramForm form(run(), nullptr, [&](QWidget*, base::Run&) { ++opened; });
    QPushButton* scheduler = button(form, "Scheduler...");
    ASSERT_NE(scheduler, nullptr);
    scheduler->click();
    EXPECT_EQ(opened, 1);
}

TEST_F(SchedScreensTest, TheFastPresetIsLoadedAfterTheConfirmationAndStored)
{
    SchedulerForm form(run());
    TimeParamsDialog dialog(TimeParameters::of(run().meeting()), true, messages(), &form);
    ASSERT_NE(dialog.field(TimeParam::Gap), nullptr);
    EXPECT_EQ(dialog.field(TimeParam::Shotput), nullptr); // athletics only
    m_sink.answerNo();
    dialog.loadPreset(true);
    EXPECT_EQ(dialog.field(TimeParam::Gap)->text(), "");
    m_sink.answerYes();
    dialog.loadPreset(true);
    EXPECT_TRUE(m_sink.saw("Wipe your edits and replace with the \"Fast\" values (in blue)"));
    EXPECT_EQ(dialog.field(TimeParam::Per1500m)->text(), "8:00");
    dialog.field(TimeParam::Gap)->setText("3:0x");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(m_sink.saw("\"3:0x\" is not a time"));
    dialog.field(TimeParam::Gap)->setText("2:30");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(storeTimeParameters(run(), dialog.values()));
    EXPECT_EQ(configOther(), "8:00;2:30;;;;;;;;");
}

TEST_F(SchedScreensTest, TheGuidelineGridRefusesANonNumber)
{
    RestGuidelinesDialog dialog(restGuidelinesOf(run()), messages());
    m_sink.answerYes();
    dialog.loadPreset(false);
    EXPECT_EQ(dialog.field(0)->text(), "120");
    EXPECT_EQ(dialog.field(15)->text(), "20");
    dialog.field(5)->setText("1/2");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.field(5)->setText("25");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(storeRestGuidelines(run(), dialog.values()));
    EXPECT_EQ(restGuidelinesOf(run()).text(5), "25");
}

TEST_F(SchedScreensTest, PackingFromTheSelectedRowAsksDayAndTime)
{
    useFastPresets();
    SchedulerForm form(run());
    form.show();
    ASSERT_EQ(form.table()->rowCount(), 8);
    EXPECT_EQ(form.table()->item(0, 6)->text(), "1:02"); // 50 m at 11: 124 % of 50 s
    ASSERT_TRUE(form.selectProgramRow(programNo(m_events[2])));
    m_sink.answerText("1");
    m_sink.answerText("09:30");
    m_sink.answerYes();
    form.pack();
    EXPECT_EQ(m_sink.unanswered(), 0);
    EXPECT_EQ(slotOf(programNo(m_events[1])), "1 08:05:00");
    EXPECT_EQ(slotOf(programNo(m_events[2])), "1 09:30:00");
    // 100 m at 13: 1:56, then the gap of 3:00.
    EXPECT_EQ(slotOf(programNo(m_events[3])), "1 09:34:56");
    EXPECT_EQ(form.table()->item(3, 1)->text(), "09:34:56");
    grab(form, "scheduler");
    // Shifting needs the time order.
    form.orderBox()->setCurrentIndex(1);
    form.selectProgramRow(programNo(m_events[3]));
    m_sink.answerText("10");
    form.shift();
    EXPECT_TRUE(m_sink.saw("The Events must be ordered by Time"));
    EXPECT_EQ(slotOf(programNo(m_events[3])), "1 09:34:56");
    form.orderBox()->setCurrentIndex(0);
    form.selectProgramRow(programNo(m_events[3]));
    m_sink.answerText("ten");
    form.shift();
    EXPECT_TRUE(m_sink.saw("Not a number:ten"));
    EXPECT_EQ(slotOf(programNo(m_events[3])), "1 09:34:56");
    m_sink.answerText(" -4 ");
    form.shift();
    EXPECT_EQ(slotOf(programNo(m_events[3])), "1 09:30:56");
    EXPECT_EQ(slotOf(programNo(m_events[2])), "1 09:30:00");
}

TEST_F(SchedScreensTest, TheDayViewMarksASwimmersEventsAndShortRests)
{
    useFastPresets();
    DayViewForm form(run());
    form.resize(1200, 700);
    form.show();
    ASSERT_EQ(form.timeline()->rows().size(), 8);
    form.showAthlete(m_mia);
    // The 50 m at 08:00 ends 08:01:02, the 100 m at 08:10: 8:58 of 15 minutes; the 400 m at
    // 08:30 after the 100 m that ends 08:11:56: 18:04 of 15.
    ASSERT_EQ(form.rests()->rowCount(), 2);
    EXPECT_EQ(form.rests()->item(0, 3)->text(), "9.0");
    EXPECT_EQ(form.rests()->item(0, 4)->text(), "60");
    EXPECT_EQ(form.rests()->item(1, 4)->text(), "120");
    grab(form, "dayview");
    form.showAthlete(0);
    EXPECT_EQ(form.rests()->rowCount(), 0);
    // The 400 m of 15-year-olds at 08:35 swims 7:12 and closes the morning.
    EXPECT_TRUE(form.summary().startsWith("8 rows from 08:00 to 08:42."))
        << form.summary().toStdString();
    // Part of a name and Enter choose the swimmer.
    form.swimmers()->setEditText("vent");
    QTest::keyClick(form.swimmers()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.swimmers()->currentData().toLongLong(), m_ruan);
    EXPECT_TRUE(form.summary().startsWith("VENTER, Ruan: 2 of 2 events"))
        << form.summary().toStdString();
    form.swimmers()->setEditText("nobody by that name");
    QTest::keyClick(form.swimmers()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.swimmers()->currentData().toLongLong(), m_ruan);
}

TEST_F(SchedScreensTest, ALongDayScrollsToTheSwimmersFirstEvent)
{
    useFastPresets();
    const qint64 late = addSwimmer("ZULU", "Xola");
    enter(late, m_events[7]);
    DayViewForm form(run());
    form.resize(1000, 330);
    form.show();
    QScrollArea* scroll = form.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    // The eight lines do not fit: the day scrolls instead of losing its last rows.
    EXPECT_GT(form.timeline()->height(), scroll->viewport()->height());
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 0);
    form.showAthlete(late);
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(form.summary().startsWith("ZULU, Xola: 1 of 1 events on day 1, 0 rests"))
        << form.summary().toStdString();
}

TEST_F(SchedScreensTest, TheDayViewMeasuresNoRestsWhileAGuidelineIsEmpty)
{
    useFastPresets();
    // Short then Short (position 16) emptied: read as 0 it would pass every rest.
    QStringList list = configOther().split(';');
    list[15].clear();
    setConfigOther(list.join(';'));
    m_sink.clear();
    DayViewForm form(run());
    form.showAthlete(m_mia);
    EXPECT_EQ(form.rests()->rowCount(), 0);
    EXPECT_TRUE(m_sink.saw("Empty Resting Guidelines"));
    EXPECT_TRUE(m_sink.saw("Short,Short"));
    EXPECT_FALSE(m_sink.saw("Long ,Long "));
    EXPECT_TRUE(form.summary().contains("Rests are not measured")) << form.summary().toStdString();
    // Told once per view, not again for every swimmer chosen.
    form.showAthlete(m_ruan);
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_TRUE(form.summary().startsWith("VENTER, Ruan: 2 of 2 events"));
}

TEST_F(SchedScreensTest, TheClashScreenShowsTheWorstFirstAndPrintsIt)
{
    useFastPresets();
    ClashesForm form(run());
    form.show();
    ASSERT_TRUE(form.check(ClashKind::Athletes));
    ASSERT_EQ(form.table()->rowCount(), 3);
    EXPECT_EQ(form.table()->item(0, 0)->text(), "NEL, Mia");
    EXPECT_EQ(form.table()->item(0, 5)->text(), "60");
    const QString pdf = m_home->dir() + "/clashes.pdf";
    ASSERT_TRUE(form.printTo(pdf));
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Athlete Clash Detector")) << printed.toStdString();
    EXPECT_LT(printed.indexOf("NEL, Mia"), printed.indexOf("VENTER, Ruan"));
    grab(form, "clashes");
    ASSERT_TRUE(form.check(ClashKind::Stations));
    EXPECT_EQ(form.table()->rowCount(), 7);
    EXPECT_EQ(form.table()->horizontalHeaderItem(0)->text(), "Station");
}

} // namespace
