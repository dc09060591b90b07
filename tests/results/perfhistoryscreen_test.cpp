#include "scoring/athleticsfixture.h"
#include "support/untippedbuttons.h"

#include "draw/events.h"
#include "results/captureprogram.h"
#include "results/forms/perfhistoryform.h"

#include <QTableWidget>

namespace {

class PerfHistoryScreenTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        setMeeting("HAS_PERF_HIST = 1");
        reload();
        m_team = addTeam("OAK");
        m_sink.clear();
    }
    qint64 event(const QString& itemCode)
    {
        draw::NewEvent e;
        e.itemCode = itemCode;
        e.selected = true;
        return draw::Events(database(), run().items(), m_meetingNo).addEvent(e);
    }
    qint64 enter(qint64 eventNo, const QString& surname)
    {
        const qint64 athlete = addAthlete(m_team, surname, "M", 17);
        addResult(eventNo, athlete, m_team, "", 0);
        return athlete;
    }
    std::unique_ptr<results::PerfHistoryForm> open(qint64 eventNo)
    {
        const qint64 program =
            value("select PROGRAMNO from PROGRAM where ROUND = 'F' and EVENTNO = " +
                  QString::number(eventNo))
                .toLongLong();
        const std::optional<results::CaptureProgramRow> row =
            results::captureProgramRow(database(), run().items(), program);
        EXPECT_TRUE(row.has_value());
        results::PerfHistory history(database(), run().items(), run().meeting());
        const std::optional<results::FieldRace> race = history.race(eventNo, "F", 0);
        EXPECT_TRUE(race.has_value());
        return std::make_unique<results::PerfHistoryForm>(run(), *row, *race);
    }
    static void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
    int rowOf(const results::PerfHistoryForm& form, const QString& surname)
    {
        for (int r = 0; r < form.grid()->rowCount(); ++r) {
            form.grid()->setCurrentCell(r, 0);
            if (value("select SURNAME from ATHLETE where ATHLETENO = " +
                      QString::number(form.currentAthlete())) == surname)
                return r;
        }
        return -1;
    }

    qint64 m_team = 0;
};

TEST_F(PerfHistoryScreenTest, EveryButtonOfTheHeightsAndTheAttemptsSaysWhatItDoes)
{
    const qint64 high = event("JMPHigh___M17");
    const qint64 longJump = event("JMPLong___M17");
    enter(high, "Ames");
    enter(longJump, "Bell");
    auto heights = open(high);
    auto attempts = open(longJump);
    const QStringList missing = testing_support::untippedButtons({heights.get(), attempts.get()});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
}

TEST_F(PerfHistoryScreenTest, HeightsAndMarksAreEnteredAndCalculatedFromTheGrid)
{
    const qint64 high = event("JMPHigh___M17");
    const qint64 ames = enter(high, "Ames");
    const qint64 bell = enter(high, "Bell");
    auto form = open(high);
    EXPECT_TRUE(form->windowTitle().startsWith("Performance History for ("));
    m_sink.answerText("1.60");
    form->addHeight();
    m_sink.answerText("1.65");
    form->addHeight();
    ASSERT_EQ(form->grid()->columnCount(), 10);
    EXPECT_EQ(form->grid()->horizontalHeaderItem(9)->text(), "1.65");
    auto mark = [&](const QString& surname, int column, const QString& marks) {
        const int r = rowOf(*form, surname);
        form->grid()->setCurrentCell(r, column);
        m_sink.answerText(marks);
        form->editMarks();
        return form->grid()->item(r, column)->text();
    };
    EXPECT_EQ(mark("Ames", 8, "XO"), "XO");
    EXPECT_EQ(mark("Bell", 8, "O"), "O");
    EXPECT_EQ(mark("Ames", 9, "XX"), "XX"); // half a performance, shown until finished
    EXPECT_EQ(mark("Bell", 9, "OX"), "");   // refused
    EXPECT_TRUE(m_sink.saw("The \"O\" must be the last char: OX"));
    EXPECT_EQ(mark("Ames", 9, "XXX"), "XXX");
    EXPECT_EQ(mark("Bell", 9, "XXO"), "XXO");
    m_sink.answerYes();
    form->calculate();
    grab(*form, "perfhistory-highjump");
    EXPECT_EQ(form->grid()->item(rowOf(*form, "Bell"), 3)->text(), "1");
    EXPECT_EQ(form->grid()->item(rowOf(*form, "Ames"), 3)->text(), "2");
    EXPECT_EQ(value("select PLACE from PARTICIPATE where ATHLETENO = " + QString::number(bell)),
              "1");
    EXPECT_EQ(value("select PLACE from PARTICIPATE where ATHLETENO = " + QString::number(ames)),
              "2");
}

TEST_F(PerfHistoryScreenTest, AttemptsWithWindGoInOrderAndTheBestIsKept)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    auto form = open(longJump);
    form->grid()->setCurrentCell(0, 0);
    for (const auto& [perf, wind] : {std::pair{"6.10", "+1.2"}, {"X", ""}, {"6.25", "+2.4"}}) {
        m_sink.answerText(perf);
        if (QString(perf) != "X")
            m_sink.answerText(wind);
        form->addAttempt();
    }
    EXPECT_EQ(form->grid()->item(0, 10)->text(), "6.25  +2.4");
    // Editing the first attempt to a foul drops its wind.
    form->grid()->setCurrentCell(0, 8);
    m_sink.answerText("X");
    form->editAttempt();
    EXPECT_EQ(form->grid()->item(0, 8)->text(), "X");
    m_sink.answerYes();
    form->calculate();
    grab(*form, "perfhistory-longjump");
    EXPECT_EQ(
        value("select WIND_SPEED from PARTICIPATE where ATHLETENO = " + QString::number(ames)),
        "+2.4");
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

} // namespace
