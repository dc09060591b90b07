#include "scoring/athleticsfixture.h"
#include "support/untippedbuttons.h"

#include "draw/events.h"
#include "results/captureprogram.h"
#include "results/forms/attemptdialog.h"
#include "results/forms/capturepanel.h"
#include "results/forms/perfhistoryform.h"
#include "support/modaldialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

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
    QString place(qint64 athlete)
    {
        return value("select PLACE from PARTICIPATE where ATHLETENO = " + QString::number(athlete));
    }
    QString stepAthlete(const results::PerfHistoryForm& form)
    {
        const auto step = form.runThroughPanel()->step();
        if (!step)
            return {};
        return value("select SURNAME from ATHLETE where ATHLETENO = " +
                     QString::number(step->athleteNo));
    }
    // Types into the run-through's mark field (and the wind when given) with Enter after each.
    static void type(results::PerfHistoryForm& form, const QString& mark,
                     const QString& wind = QString())
    {
        QLineEdit* edit = form.runThroughPanel()->markEdit();
        QTest::keyClicks(edit, mark);
        QTest::keyClick(edit, Qt::Key_Return);
        if (!wind.isNull()) {
            QTest::keyClicks(form.runThroughPanel()->windEdit(), wind);
            QTest::keyClick(form.runThroughPanel()->windEdit(), Qt::Key_Return);
        }
    }
    static void addHeights(results::PerfHistoryForm& form, base::ScriptedSink& sink,
                           const QStringList& heights)
    {
        for (const QString& h : heights) {
            sink.answerText(h);
            form.addHeight();
        }
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

    using Attempts = testing_support::ModalDialogs<results::AttemptDialog>;
    // Types a mark and a wind into the attempt dialog and accepts it; the wind field must be
    // there when a wind is given.
    static Attempts::Action typing(const QString& perf, const QString& wind)
    {
        return [perf, wind](results::AttemptDialog* d) {
            EXPECT_TRUE(d->asksPerformance());
            d->performanceEdit()->setText(perf);
            if (!wind.isEmpty()) {
                EXPECT_TRUE(d->asksWind());
                d->windEdit()->setText(wind);
            }
            d->accept();
        };
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
    ASSERT_EQ(form->grid()->columnCount(), 11);
    EXPECT_EQ(form->grid()->horizontalHeaderItem(10)->text(), "1.65");
    auto mark = [&](const QString& surname, int column, const QString& marks) {
        const int r = rowOf(*form, surname);
        form->grid()->setCurrentCell(r, column);
        m_sink.answerText(marks);
        form->editMarks();
        return form->grid()->item(r, column)->text();
    };
    EXPECT_EQ(mark("Ames", 9, "XO"), "XO");
    EXPECT_EQ(mark("Bell", 9, "O"), "O");
    EXPECT_EQ(mark("Ames", 10, "XX"), "XX"); // half a performance, shown until finished
    EXPECT_EQ(mark("Bell", 10, "OX"), "");   // refused
    EXPECT_TRUE(m_sink.saw("The \"O\" must be the last char: OX"));
    // The refused marks are asked for again, to be corrected rather than typed anew.
    EXPECT_EQ(m_sink.shown().last().offered, "OX");
    EXPECT_EQ(m_sink.unanswered(), 1);
    m_sink.clear();
    m_sink.answerText("1.60");
    m_sink.answerText("1.70");
    form->addHeight();
    EXPECT_TRUE(m_sink.saw("The new height must be above the last height"));
    EXPECT_EQ(form->grid()->horizontalHeaderItem(11)->text(), "1.70");
    m_sink.answerYes();
    form->deleteHeight();
    ASSERT_EQ(form->grid()->columnCount(), 11);
    EXPECT_EQ(mark("Ames", 10, "XXX"), "XXX");
    EXPECT_EQ(mark("Bell", 10, "XXO"), "XXO");
    m_sink.answerYes();
    form->calculate();
    grab(*form, "perfhistory-highjump");
    EXPECT_EQ(form->grid()->item(rowOf(*form, "Bell"), 4)->text(), "1");
    EXPECT_EQ(form->grid()->item(rowOf(*form, "Ames"), 4)->text(), "2");
    EXPECT_EQ(value("select PLACE from PARTICIPATE where ATHLETENO = " + QString::number(bell)),
              "1");
    EXPECT_EQ(value("select PLACE from PARTICIPATE where ATHLETENO = " + QString::number(ames)),
              "2");
}

TEST_F(PerfHistoryScreenTest, CaptureOpensTheHistoryOnF3AndShowsWhatItCalculated)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    const qint64 program = value("select PROGRAMNO from PROGRAM where ROUND = 'F' and EVENTNO = " +
                                 QString::number(longJump))
                               .toLongLong();
    results::CapturePanel panel(run(), false);
    panel.setProgramRow(results::captureProgramRow(database(), run().items(), program));
    QSignalSpy changed(&panel, &results::CapturePanel::changed);
    QString title;
    // The history screen is modal: what it does is done here, as the official would.
    testing_support::ModalDialogs<results::PerfHistoryForm> screens(
        {[&](results::PerfHistoryForm* form) {
            title = form->windowTitle();
            results::PerfHistory history(database(), run().items(), run().meeting());
            const std::optional<results::FieldRace> race = history.race(longJump, "F", 0);
            ASSERT_TRUE(race.has_value());
            ASSERT_TRUE(history.setAttempt(*race, ames, 1, "6.10", "+1.2"));
            m_sink.answerYes();
            form->calculate();
            form->reject();
        }});
    EXPECT_TRUE(panel.handleKey(Qt::Key_F3));
    EXPECT_EQ(screens.answered(), 1);
    EXPECT_TRUE(title.startsWith("Performance History for (")) << title.toStdString();
    EXPECT_EQ(panel.athletes().value(0).performance, "6.10");
    // The program row's placed count and state are read again as after any other change.
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PerfHistoryScreenTest, AttemptsWithWindGoInOrderAndTheBestIsKept)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    auto form = open(longJump);
    form->grid()->setCurrentCell(0, 0);
    // By default the attempt dialog asks for the mark and the wind.
    {
        Attempts dialogs({typing("6.10", "+1.2"), typing("X", ""), typing("6.25", "+2.4")});
        for (int i = 0; i < 3; ++i)
            form->addAttempt();
        EXPECT_EQ(dialogs.answered(), 3);
    }
    EXPECT_EQ(form->grid()->item(0, 11)->text(), "6.25  +2.4");
    // A foul with a wind is refused and the dialog stays open until corrected.
    {
        Attempts dialogs({[](results::AttemptDialog* d) {
            d->performanceEdit()->setText("X");
            d->windEdit()->setText("+1.0");
            d->accept();
            EXPECT_TRUE(d->isVisible());
            d->windEdit()->clear();
            d->accept();
        }});
        form->grid()->setCurrentCell(0, 9);
        form->editAttempt();
        EXPECT_EQ(dialogs.answered(), 1);
    }
    EXPECT_TRUE(m_sink.saw("You have no performance.  The WindSpeed must be empty"));
    EXPECT_EQ(form->grid()->item(0, 9)->text(), "X");
    m_sink.answerYes();
    form->calculate();
    grab(*form, "perfhistory-longjump");
    EXPECT_EQ(
        value("select WIND_SPEED from PARTICIPATE where ATHLETENO = " + QString::number(ames)),
        "+2.4");
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

TEST_F(PerfHistoryScreenTest, AGridThatNoLongerShowsTheTableIsReadAgainBeforeAnyChange)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    auto form = open(longJump);
    form->show();
    {
        Attempts dialogs({typing("6.10", "+1.2")});
        form->addAttempt();
        EXPECT_EQ(dialogs.answered(), 1);
    }
    // Another computer turns the attempt into a foul while this grid still shows 6.10.
    exec("update PERF_HIST set PERFORMANCE = 'X', WIND_SPEED = '' where ATHLETENO = " +
         QString::number(ames));
    const int attempt1 = 9;
    form->grid()->setCurrentCell(0, attempt1);
    EXPECT_EQ(form->grid()->item(0, attempt1)->text(), "6.10  +1.2");
    m_sink.clear();
    Attempts dialogs({});
    form->editAttempt();
    EXPECT_TRUE(m_sink.saw("Lost sync : athlete " + QString::number(ames) + ", attempt 1"));
    EXPECT_EQ(form->grid()->item(0, attempt1)->text(), "X");
    // Deleting what the grid shows goes the same way, and deletes nothing.
    exec("update PERF_HIST set PERFORMANCE = '-' where ATHLETENO = " + QString::number(ames));
    m_sink.clear();
    form->deleteAttempt();
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 1);
    EXPECT_EQ(count("PERF_HIST"), 1);
    EXPECT_EQ(form->grid()->item(0, attempt1)->text(), "-");
    QTest::qWait(20);
    EXPECT_EQ(dialogs.answered() + dialogs.extra(), 0);
}

TEST_F(PerfHistoryScreenTest, TheRunThroughGoesRoundTheAttemptsAsTyped)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    const qint64 bell = enter(longJump, "Bell");
    auto form = open(longJump);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->grid()->setFocus();
    QTest::keyClick(form->grid(), Qt::Key_F5);
    ASSERT_TRUE(form->runThroughPanel()->active());
    const QString first = stepAthlete(*form);
    const QString second = first == "Ames" ? "Bell" : "Ames";
    EXPECT_TRUE(form->runThroughPanel()->stepText().startsWith("Attempt 1:  Lane"));
    type(*form, "6.10", "+1.2");
    EXPECT_EQ(stepAthlete(*form), second);
    // The grid shows who is up: the second athlete's first attempt.
    EXPECT_EQ(form->currentAthlete(), form->runThroughPanel()->step()->athleteNo);
    EXPECT_EQ(form->currentSeq(), 1);
    type(*form, "x"); // a foul asks no wind
    EXPECT_EQ(stepAthlete(*form), first);
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 2);
    type(*form, ""); // passed over for now
    EXPECT_EQ(stepAthlete(*form), second);
    m_sink.answerYes(); // "The wind is empty.  Accept it as is"
    type(*form, "6.30", "");
    EXPECT_TRUE(m_sink.saw("The wind is empty."));
    // The athlete passed over comes back before the third round.
    EXPECT_EQ(stepAthlete(*form), first);
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 2);
    // A refused mark keeps the same athlete at the same attempt.
    type(*form, "6.2x", "+1.0");
    EXPECT_EQ(stepAthlete(*form), first);
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 2);
    type(*form, "6.40", "-0.5");
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 3);
    // Escape leaves the run-through first, the screen only after that.
    QTest::keyClick(form->runThroughPanel()->markEdit(), Qt::Key_Escape);
    EXPECT_FALSE(form->runThroughPanel()->active());
    EXPECT_TRUE(form->isVisible());
    grab(*form, "perfhistory-runthrough");
    const qint64 firstNo = first == "Ames" ? ames : bell;
    const qint64 secondNo = first == "Ames" ? bell : ames;
    results::PerfHistory history(database(), run().items(), run().meeting());
    const results::FieldRace race = *history.race(longJump, "F", 0);
    const QList<results::Attempt> a = history.attempts(race, firstNo);
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a[0].wind, "+1.2");
    EXPECT_EQ(a[1].wind, "-0.5");
    const QList<results::Attempt> b = history.attempts(race, secondNo);
    ASSERT_EQ(b.size(), 2);
    EXPECT_EQ(b[0].performance, "X");
    EXPECT_EQ(b[1].wind, "");
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
    form->close();
}

TEST_F(PerfHistoryScreenTest, TheVerticalRunThroughAsksForTheNextBarAndSkipsThoseWhoAreOut)
{
    const qint64 high = event("JMPHigh___M17");
    const qint64 ames = enter(high, "Ames");
    const qint64 bell = enter(high, "Bell");
    const qint64 cole = enter(high, "Cole");
    auto form = open(high);
    addHeights(*form, m_sink, {"1.60"});
    form->runThrough();
    ASSERT_TRUE(form->runThroughPanel()->active());
    EXPECT_TRUE(form->runThroughPanel()->stepText().startsWith("Height 1.60:  Lane"));
    QHash<QString, QString> at160{{"Ames", "o"}, {"Bell", "x"}, {"Cole", "-"}};
    for (int i = 0; i < 3; ++i)
        type(*form, at160.value(stepAthlete(*form)));
    // Only Bell still has to clear 1.60.
    EXPECT_EQ(stepAthlete(*form), "Bell");
    m_sink.answerText("1.65");
    type(*form, "o");
    EXPECT_EQ(form->grid()->horizontalHeaderItem(10)->text(), "1.65");
    QHash<QString, QString> at165{{"Ames", "xxx"}, {"Bell", "o"}, {"Cole", "xxx"}};
    for (int i = 0; i < 3; ++i)
        type(*form, at165.value(stepAthlete(*form)));
    // Bell alone is left: the next bar is asked for; no answer ends the run-through.
    EXPECT_FALSE(form->runThroughPanel()->active());
    m_sink.answerYes();
    form->calculate();
    EXPECT_EQ(place(bell), "1");
    EXPECT_EQ(place(ames), "2");
    EXPECT_EQ(
        value("select DISQ_STATUS from PARTICIPATE where ATHLETENO = " + QString::number(cole)),
        "6");
}

TEST_F(PerfHistoryScreenTest, MarksTypedOneCharacterAtATimeGoStraightIntoTheGrid)
{
    const qint64 high = event("JMPHigh___M17");
    enter(high, "Ames");
    enter(high, "Bell");
    auto form = open(high);
    addHeights(*form, m_sink, {"1.60"});
    ASSERT_NE(form->charByCharBox(), nullptr);
    form->charByCharBox()->setChecked(true);
    EXPECT_TRUE(run().config().readBool("VERTICALS_ADDCHARS_NOT_EDIT"));
    const int ames = rowOf(*form, "Ames");
    const int bell = rowOf(*form, "Bell");
    form->grid()->setCurrentCell(ames, 9);
    QTest::keyClick(form->grid(), Qt::Key_X);
    EXPECT_EQ(form->grid()->item(ames, 9)->text(), "X");
    // Half a performance stands out until it is finished.
    EXPECT_EQ(form->grid()->item(ames, 9)->background().color(), QColor(Qt::yellow));
    // The next athlete is up.
    EXPECT_EQ(form->grid()->currentRow(), bell);
    QTest::keyClick(form->grid(), Qt::Key_0);
    EXPECT_TRUE(m_sink.saw("When it is over, you press a \"O\" for \"Over\", not a zero"));
    EXPECT_EQ(form->grid()->item(bell, 9)->text(), "");
    EXPECT_EQ(form->grid()->currentRow(), bell);
    QTest::keyClick(form->grid(), Qt::Key_A);
    EXPECT_TRUE(m_sink.saw("The only valid characters in a Temporary performance is"));
    QTest::keyClick(form->grid(), Qt::Key_O);
    EXPECT_EQ(form->grid()->item(bell, 9)->text(), "O");
    EXPECT_EQ(form->grid()->currentRow(), ames);
    QTest::keyClick(form->grid(), Qt::Key_O);
    EXPECT_EQ(form->grid()->item(ames, 9)->text(), "XO");
    EXPECT_NE(form->grid()->item(ames, 9)->background().color(), QColor(Qt::yellow));
    // A second clearance at the same bar is refused; Backspace takes the last one back.
    form->grid()->setCurrentCell(ames, 9);
    QTest::keyClick(form->grid(), Qt::Key_O);
    EXPECT_TRUE(m_sink.saw("The performance may contain only one \"O\": XOO"));
    QTest::keyClick(form->grid(), Qt::Key_Backspace);
    QTest::keyClick(form->grid(), Qt::Key_Backspace);
    EXPECT_EQ(form->grid()->item(ames, 9)->text(), "");
    EXPECT_EQ(count("PERF_HIST", "PERFORMANCE = 'O'"), 1);
    grab(*form, "perfhistory-charbychar");
    // The option stays for the next time the screen opens.
    EXPECT_TRUE(open(high)->charByCharBox()->isChecked());
}

TEST_F(PerfHistoryScreenTest, TheOldRuleOptionComparesFailuresHeightByHeight)
{
    const qint64 high = event("JMPHigh___M17");
    const qint64 ames = enter(high, "Ames");
    const qint64 bell = enter(high, "Bell");
    auto form = open(high);
    addHeights(*form, m_sink, {"1.55", "1.60", "1.65", "1.70"});
    results::PerfHistory history(database(), run().items(), run().meeting());
    const results::FieldRace race = *history.race(high, "F", 0);
    // Both clear 1.65 first time. Ames: 2 failures below, none at 1.60; Bell: 1 at 1.60.
    for (const auto& [athlete, marks] : {std::pair{ames, QStringList{"XXO", "O", "O", "XXX"}},
                                         std::pair{bell, QStringList{"O", "XO", "O", "XXX"}}})
        for (int seq = 1; seq <= 4; ++seq)
            ASSERT_TRUE(history.setMarks(race, athlete, seq, marks[seq - 1]));
    m_sink.answerYes();
    form->calculate();
    EXPECT_EQ(place(bell), "1"); // fewer failures in all
    EXPECT_EQ(place(ames), "2");
    form->oldRuleBox()->setChecked(true);
    EXPECT_TRUE(run().config().readBool("VERTICALS_PLACE_WITH_OLD_RULE"));
    m_sink.answerYes();
    form->calculate();
    EXPECT_EQ(place(ames), "1"); // clean at 1.60, the first height down that differs
    EXPECT_EQ(place(bell), "2");
}

TEST_F(PerfHistoryScreenTest, TheAttemptDialogAsksForWhatTheUserChose)
{
    const qint64 longJump = event("JMPLong___M17");
    const qint64 ames = enter(longJump, "Ames");
    const qint64 shot = event("THRShotputM17");
    enter(shot, "Bell");
    auto form = open(longJump);
    ASSERT_NE(form->attemptPromptBox(), nullptr);
    EXPECT_EQ(form->attemptPromptBox()->currentText(), "Performance and Wind");
    // A throw takes no wind: nothing to choose, the dialog asks for the mark alone.
    EXPECT_EQ(open(shot)->attemptPromptBox(), nullptr);
    results::PerfHistory history(database(), run().items(), run().meeting());
    const results::FieldRace race = *history.race(longJump, "F", 0);
    form->grid()->setCurrentCell(0, 0);

    // Performance only: no wind asked, no question about the empty wind.
    form->attemptPromptBox()->setCurrentText("Performance only");
    EXPECT_EQ(run().config().readText("WINDITEM_PROMPT_WHAT"), "Performance only");
    {
        Attempts dialogs({[](results::AttemptDialog* d) {
                              EXPECT_FALSE(d->asksWind());
                              EXPECT_FALSE(d->windEdit()->isVisible());
                              d->performanceEdit()->setText("6.10");
                              d->accept();
                          },
                          typing("6.40", "")});
        form->addAttempt();
        form->addAttempt();
        EXPECT_EQ(dialogs.answered(), 2);
    }
    EXPECT_EQ(m_sink.unanswered(), 0);
    EXPECT_FALSE(m_sink.saw("The wind is empty."));
    ASSERT_EQ(history.attempts(race, ames).size(), 2);

    // Wind only: the marks stand, the winds are typed to them.
    form->attemptPromptBox()->setCurrentText("Wind only");
    form->grid()->setCurrentCell(0, 9);
    {
        Attempts dialogs({[](results::AttemptDialog* d) {
            EXPECT_FALSE(d->asksPerformance());
            EXPECT_TRUE(d->performanceEdit()->isReadOnly());
            EXPECT_EQ(d->performanceEdit()->text(), "6.10");
            d->performanceEdit()->setText("9.99"); // cannot change the mark
            d->windEdit()->setText("+3.1x");
            d->accept(); // refused: stays open
            EXPECT_TRUE(d->isVisible());
            d->windEdit()->setText("+1.8");
            d->accept();
        }});
        form->editAttempt();
        EXPECT_EQ(dialogs.answered(), 1);
    }
    QList<results::Attempt> a = history.attempts(race, ames);
    EXPECT_EQ(a[0].performance, "6.10");
    EXPECT_EQ(a[0].wind, "+1.8");
    // The mark typed with "Performance only" keeps its wind when corrected that way.
    form->attemptPromptBox()->setCurrentText("Performance only");
    {
        Attempts dialogs({typing("6.12", "")});
        form->editAttempt();
    }
    a = history.attempts(race, ames);
    EXPECT_EQ(a[0].performance, "6.12");
    EXPECT_EQ(a[0].wind, "+1.8");
    // A new attempt under "Wind only" has no mark yet: the dialog asks for both.
    form->attemptPromptBox()->setCurrentText("Wind only");
    {
        Attempts dialogs({[](results::AttemptDialog* d) {
            EXPECT_TRUE(d->asksPerformance());
            EXPECT_TRUE(d->asksWind());
            d->reject();
        }});
        form->addAttempt();
        EXPECT_EQ(dialogs.answered(), 1);
    }
    EXPECT_EQ(history.attempts(race, ames).size(), 2);
    // The choice stays for the next time the screen opens.
    EXPECT_EQ(open(longJump)->attemptPromptBox()->currentText(), "Wind only");
    // The run-through asks for no wind either when the winds come later.
    form->attemptPromptBox()->setCurrentText("Performance only");
    form->runThrough();
    ASSERT_TRUE(form->runThroughPanel()->active());
    EXPECT_TRUE(form->runThroughPanel()->windEdit()->isHidden());
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 3);
    type(*form, "6.50");
    EXPECT_EQ(history.attempts(race, ames).size(), 3);
    EXPECT_FALSE(m_sink.saw("The wind is empty."));
    form->runThroughPanel()->stop();
}

TEST_F(PerfHistoryScreenTest, AfterThreeRoundsTheRunThroughCallsTheBestEightWorstFirst)
{
    const qint64 shot = event("THRShotputM17");
    QList<qint64> athletes;
    for (int i = 0; i < 9; ++i)
        athletes << enter(shot, QString("Thrower%1").arg(i));
    results::PerfHistory history(database(), run().items(), run().meeting());
    const results::FieldRace race = *history.race(shot, "F", 0);
    // Three rounds: thrower i's best is 10 + i metres; thrower 0 only fouls.
    for (int round = 1; round <= 3; ++round)
        for (int i = 0; i < 9; ++i)
            ASSERT_TRUE(history.setAttempt(
                race, athletes[i], round,
                i == 0 || round != 2 ? QString("X") : QString::number(10 + i) + ".00", {}));
    auto form = open(shot);
    form->runThrough();
    ASSERT_TRUE(form->runThroughPanel()->active());
    // The eighth best (thrower 1) opens round four; the leader (thrower 8) ends it.
    QStringList called;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(form->runThroughPanel()->step().has_value());
        EXPECT_EQ(form->runThroughPanel()->step()->seq, 4);
        called << stepAthlete(*form);
        type(*form, "X");
    }
    EXPECT_EQ(called.first(), "Thrower1");
    EXPECT_EQ(called.last(), "Thrower8");
    EXPECT_FALSE(called.contains("Thrower0"));
    EXPECT_EQ(form->runThroughPanel()->step()->seq, 5);
    EXPECT_EQ(stepAthlete(*form), "Thrower1");
    form->runThroughPanel()->stop();
}

} // namespace
