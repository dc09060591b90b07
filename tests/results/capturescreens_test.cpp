#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "draw/forms/lateathleteform.h"
#include "draw/forms/manualdrawform.h"
#include "results/forms/captureactions.h"
#include "results/forms/capturecolours.h"
#include "results/forms/capturedrawmenu.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/captureitemsform.h"
#include "results/forms/capturepanel.h"
#include "results/forms/disqualifydialog.h"
#include "results/forms/editperformancedialog.h"
#include "results/forms/programtable.h"
#include "results/forms/thirddigitdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace results;

namespace {

// Answers the modal dialogs as they open, one step each, as a person at the keyboard would.
class DialogDriver {
public:
    using Step = std::function<void(QWidget*)>;
    explicit DialogDriver(QList<Step> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            // Dialogs on the stack reuse their address: each is marked once it was answered.
            if (!dialog || dialog->property("driven").toBool() || m_steps.isEmpty())
                return;
            dialog->setProperty("driven", true);
            m_steps.takeFirst()(dialog);
        });
        m_timer.start(10);
    }
    int left() const { return int(m_steps.size()); }

private:
    QList<Step> m_steps;
    QTimer m_timer;
};

// Types a time into the edit dialog and presses Enter.
DialogDriver::Step typeTime(const QString& text)
{
    return [text](QWidget* w) {
        auto* dialog = qobject_cast<EditPerformanceDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->performanceEdit()->selectAll();
        QTest::keyClicks(dialog->performanceEdit(), text);
        QTest::keyClick(dialog->performanceEdit(), Qt::Key_Return);
    };
}

// A status key and Enter in the edit dialog.
DialogDriver::Step statusKey(Qt::Key key)
{
    return [key](QWidget* w) {
        auto* dialog = qobject_cast<EditPerformanceDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->performanceEdit()->clear();
        QTest::keyClick(dialog->performanceEdit(), key);
        QTest::keyClick(dialog->performanceEdit(), Qt::Key_Return);
    };
}

class CaptureScreensTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(4);
        m_heat = drawHeat(m_event, "A", 1, m_swimmers);
        m_sink.clear();
    }
    void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
    int rowOf(const CaptureEventsForm& form, qint64 programNo)
    {
        for (int r = 0; r < form.rows().size(); ++r)
            if (form.rows()[r].programNo == programNo)
                return r;
        return -1;
    }
    QString cell(QTableWidget* table, int row, int column)
    {
        return table->item(row, column) ? table->item(row, column)->text() : QString();
    }
    // The colour the screen shows inside a cell, right of its text.
    QColor shownColour(QTableWidget* table, int row, int column)
    {
        const QRect rect = table->visualItemRect(table->item(row, column));
        const QImage image = table->viewport()->grab().toImage();
        return image.pixelColor(rect.right() - 6, rect.center().y());
    }
    bool waitUntil(const std::function<bool()>& done, int milliseconds = 15000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return done();
    }

    qint64 m_event = 0;
    qint64 m_heat = 0;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(CaptureScreensTest, AHeatIsCapturedDisqualifiedAndPlacedWithTheKeyboardOnly)
{
    CaptureEventsForm form(run());
    form.show();
    form.selectProgramRow(m_heat);
    ASSERT_EQ(form.panel()->athletes().size(), 4);

    // Runthrough (F8) opens the dialog for each lane in turn.
    const QStringList times{time(m_free50, 31.20), time(m_free50, 30.85), time(m_free50, 31.20),
                            time(m_free50, 32.00)};
    {
        DialogDriver driver(
            {typeTime(times[0]), typeTime(times[1]), typeTime(times[2]), statusKey(Qt::Key_F9)});
        QTest::keyClick(&form, Qt::Key_F8);
        EXPECT_EQ(driver.left(), 0);
    }
    EXPECT_EQ(column(m_heat, m_swimmers[1], "PERFORMANCE"), times[1]);
    EXPECT_EQ(column(m_heat, m_swimmers[3], "DISQ_STATUS"), "3"); // DNS by F9 in the dialog
    const int row = rowOf(form, m_heat);
    ASSERT_GE(row, 0);
    EXPECT_EQ(cell(form.programTable(), row, calculatedColumn()), "Calc");
    // The heat's row is the selected one, and its red tag still shows through the selection.
    ASSERT_EQ(form.programTable()->currentRow(), row);
    EXPECT_EQ(shownColour(form.programTable(), row, calculatedColumn()), tagColour(TagColour::Red));
    // Equal times are marked as needing a third digit.
    EXPECT_EQ(form.panel()->athletes()[0].digitState, ThirdDigitState::Needed);

    // Disqualify lane 3 (F4) through the type dialog.
    form.panel()->selectAthlete(m_swimmers[2]);
    {
        DialogDriver driver({[](QWidget* w) {
            auto* dialog = qobject_cast<DisqualifyDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            QTest::keyClick(dialog, Qt::Key_1);
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        QTest::keyClick(&form, Qt::Key_F4);
    }
    EXPECT_EQ(column(m_heat, m_swimmers[2], "DISQ_STATUS"), "1");
    EXPECT_EQ(column(m_heat, m_swimmers[2], "PERFORMANCE"), "");
    grab(form, "capture-before-calculate");

    // Calculate Places (F9): the red column clears.
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(column(m_heat, m_swimmers[1], "E_PLACE"), "1");
    EXPECT_EQ(column(m_heat, m_swimmers[0], "E_PLACE"), "2");
    EXPECT_EQ(cell(form.programTable(), rowOf(form, m_heat), calculatedColumn()), "");
    EXPECT_EQ(
        form.programTable()->item(rowOf(form, m_heat), calculatedColumn())->background().style(),
        Qt::NoBrush);
    EXPECT_EQ(shownColour(form.programTable(), rowOf(form, m_heat), calculatedColumn()),
              form.programTable()->palette().color(QPalette::Highlight));
    // The selection stayed on the heat and the swimmer.
    EXPECT_EQ(form.currentProgramNo(), m_heat);
    EXPECT_EQ(form.panel()->currentAthlete().athleteNo, m_swimmers[2]);
    grab(form, "capture-calculated");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(CaptureScreensTest, RunthroughNeedsTheLaneOrderAndStopsOnCancel)
{
    CaptureEventsForm form(run());
    form.show();
    form.selectProgramRow(m_heat);
    form.panel()->orderBox()->setCurrentIndex(2); // surname
    QTest::keyClick(&form, Qt::Key_F8);
    EXPECT_TRUE(m_sink.saw("The athletes must be \"Ordered\" by \"Lane\" for this option."));
    form.panel()->orderBox()->setCurrentIndex(0);
    DialogDriver driver(
        {typeTime(time(m_free50, 30.0)), [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
    QTest::keyClick(&form, Qt::Key_F8);
    EXPECT_EQ(count("HEATPART", "PERFORMANCE <> ''"), 1);
}

TEST_F(CaptureScreensTest, RunthroughOfADrawnFinalEndsWithTheLastLane)
{
    const qint64 back = addEvent("BCK_____50M13W");
    const qint64 final = drawFinal(back, {m_swimmers[0], m_swimmers[1]});
    enter(back, m_swimmers[2]); // entered, not drawn into the final
    CaptureEventsForm form(run());
    form.show();
    form.selectProgramRow(final);
    ASSERT_EQ(form.panel()->athletes().size(), 3);
    bool undrawnOffered = false;
    DialogDriver driver({typeTime(time(m_free50, 30.0)), typeTime(time(m_free50, 31.0)),
                         [&undrawnOffered](QWidget* w) {
                             undrawnOffered = true;
                             qobject_cast<QDialog*>(w)->reject();
                         }});
    QTest::keyClick(&form, Qt::Key_F8);
    EXPECT_FALSE(undrawnOffered);
    EXPECT_EQ(driver.left(), 1);
    EXPECT_EQ(column(final, m_swimmers[1], "PERFORMANCE"), time(m_free50, 31.0));
}

TEST_F(CaptureScreensTest, ARefusedEntryKeepsTheDialogOpenUntilItIsRight)
{
    CaptureEventsForm form(run());
    form.show();
    form.selectProgramRow(m_heat);
    DialogDriver driver({[this](QWidget* w) {
        auto* dialog = qobject_cast<EditPerformanceDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->placeEdit(), "100");
        QTest::keyClicks(dialog->performanceEdit(), time(m_free50, 30.0));
        QTest::keyClick(dialog->performanceEdit(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << "refused: the dialog stays";
        dialog->placeEdit()->clear();
        QTest::keyClick(dialog->performanceEdit(), Qt::Key_Return);
    }});
    QTest::keyClick(&form, Qt::Key_F7);
    EXPECT_TRUE(m_sink.saw("The place may not be more than 2 digits"));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "PERFORMANCE"), time(m_free50, 30.0));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "E_PLACE"), "0");
}

TEST_F(CaptureScreensTest, SeekFindAndGoToFinal)
{
    const qint64 second = addEvent("BCK_____50M13W");
    database().execute("update PROGRAM set SEQ = 1 where EVENTNO = " + db::sqlInt(m_event));
    database().execute("update PROGRAM set SEQ = 2 where EVENTNO = " + db::sqlInt(second));
    CaptureEventsForm form(run());
    form.show();
    m_sink.answerText("2");
    QTest::keyClick(&form, Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(m_sink.saw("Seek Sequence"));
    EXPECT_EQ(form.currentProgramNo(), programNoOf(database(), second, "F", 0));
    form.selectProgramRow(m_heat);
    EXPECT_TRUE(form.goToFinal());
    EXPECT_EQ(form.currentProgramNo(), programNoOf(database(), m_event, "F", 0));
    EXPECT_TRUE(form.findItem(second));
    EXPECT_EQ(form.panel()->programRow()->eventNo, second);
    m_sink.answerText("9");
    QTest::keyClick(&form, Qt::Key_9, Qt::ControlModifier);
    EXPECT_TRUE(m_sink.saw("There is no Item with sequence 9"));
}

TEST_F(CaptureScreensTest, TheSequenceStaysBlankUntilTheProgramIsNumbered)
{
    const qint64 final = programNoOf(database(), m_event, "F", 0);
    const QString item = captureProgramRow(database(), run().items(), final)->item;
    ASSERT_FALSE(item.isEmpty());
    // As a program that was never renumbered has it.
    database().execute("update PROGRAM set SEQ = 0 where EVENTNO = " + db::sqlInt(m_event));
    CaptureEventsForm events(run());
    CaptureItemsForm items(run());
    const auto seqCells = [&] {
        return QStringList{cell(events.programTable(), rowOf(events, m_heat), 0),
                           cell(events.programTable(), rowOf(events, final), 0)};
    };
    EXPECT_EQ(seqCells(), QStringList({"", ""}));
    ASSERT_EQ(items.itemList()->count(), 1);
    EXPECT_EQ(items.itemList()->item(0)->text(), item);

    database().execute("update PROGRAM set SEQ = 7 where EVENTNO = " + db::sqlInt(m_event));
    events.refresh();
    items.refresh();
    EXPECT_EQ(seqCells(), QStringList({"7", "7"}));
    EXPECT_EQ(items.itemList()->item(0)->text(), "7  " + item);
}

TEST_F(CaptureScreensTest, PrintingAskWhenNotCalculatedAndWritesAPdf)
{
    for (int i = 0; i < 4; ++i)
        database().execute(
            "update HEATPART set PERFORMANCE = " + db::quoted(time(m_free50, 30.0 + i)) +
            " where ATHLETENO = " + db::sqlInt(m_swimmers[i]));
    database().execute("update PROGRAM set NOT_CALCULATED_YET = 1 where PROGRAMNO = " +
                       db::sqlInt(m_heat));
    CaptureEventsForm form(run());
    form.show();
    form.selectProgramRow(m_heat);
    m_sink.answerNo();
    QTest::keyClick(&form, Qt::Key_F11);
    EXPECT_TRUE(m_sink.saw("The Event is not Calculated yet: Print anyway"));
    EXPECT_FALSE(programRow(m_heat).resultsPrinted);
    EXPECT_TRUE(form.panel()->lastPrint().isEmpty());

    QTest::keyClick(&form, Qt::Key_F9);
    m_sink.clear();
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0) << "calculated: no question";
    const QString pdf = form.panel()->lastPrint();
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(programRow(m_heat).resultsPrinted);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains("Spring Gala")) << out.toStdString();
    EXPECT_TRUE(out.contains("Swimmer 01, Sam"));
    EXPECT_TRUE(out.contains(time(m_free50, 33.0)));
    // Places in order: swimmer 1 first, swimmer 4 last.
    EXPECT_LT(out.indexOf("Swimmer 01"), out.indexOf("Swimmer 04"));
}

TEST_F(CaptureScreensTest, TheComplexScreenOffersOnlyThirdDigitsOnACalculatedFinal)
{
    ASSERT_TRUE(database().execute("update MYEVENT set FINAL_NOT_RUN = 1 where EVENTNO = " +
                                   db::sqlInt(m_event)));
    const QString tied = time(m_free50, 31.16);
    database().execute("update HEATPART set PERFORMANCE = " + db::quoted(tied) +
                       " where ATHLETENO in (" + db::sqlInt(m_swimmers[0]) + ", " +
                       db::sqlInt(m_swimmers[1]) + ")");
    CaptureItemsForm form(run());
    form.show();
    ASSERT_TRUE(form.selectEvent(m_event));
    ASSERT_TRUE(form.goToFinal());
    QTest::keyClick(&form, Qt::Key_F9); // the final takes the heats' results
    ASSERT_EQ(form.panel()->programRow()->round, "F");
    form.panel()->selectAthlete(m_swimmers[0]);
    DialogDriver driver({[](QWidget* w) {
        auto* dialog = qobject_cast<ThirdDigitDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->table()->rowCount(), 2);
        dialog->table()->item(0, 2)->setText("8");
        dialog->table()->item(1, 2)->setText("2");
        dialog->accept();
    }});
    QTest::keyClick(&form, Qt::Key_F7);
    EXPECT_TRUE(m_sink.saw("This is a calculated final.  You can only edit ThirdDigits."));
    EXPECT_EQ(value("select THIRD_DIGIT from HEATPART where ROUND = 'A' and ATHLETENO = " +
                    db::sqlInt(m_swimmers[1])),
              "2");
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(column(programNoOf(database(), m_event, "F", 0), m_swimmers[1], "E_PLACE"), "1");
    grab(form, "capture-complex");
}

TEST_F(CaptureScreensTest, AResultCapturedByAnotherProgramAppearsWithoutReopening)
{
    run().config().writeInt("GDB_TRIGGERS_ACTIVE", 1);
    CaptureEventsForm form(run());
    form.show();
    ASSERT_TRUE(form.isListening());
    form.selectProgramRow(m_heat);
    const QString t = time(m_free50, 29.87);
    QString out, err;
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "result", "set", QString::number(m_event),
                                       "A", QString::number(m_swimmers[2]), t, "--meeting",
                                       QString::number(m_meetingNo)},
                                      &out, &err),
              0)
        << err.toStdString();
    auto shown = [&] {
        for (const CaptureAthleteRow& a : form.panel()->athletes())
            if (a.athleteNo == m_swimmers[2])
                return a.performance == t;
        return false;
    };
    EXPECT_TRUE(waitUntil(shown)) << "the screen did not refresh";
    // The heat's state is written after the swimmer's row, and is heard too.
    EXPECT_TRUE(waitUntil([&] {
        return cell(form.programTable(), rowOf(form, m_heat), calculatedColumn()) == "Calc";
    }));
    EXPECT_EQ(form.currentProgramNo(), m_heat);

    // Places calculated by another program clear the red column on this screen.
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "places", "calc", QString::number(m_event),
                                       "--meeting", QString::number(m_meetingNo)},
                                      &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(waitUntil([&] {
        return cell(form.programTable(), rowOf(form, m_heat), calculatedColumn()).isEmpty();
    })) << "the calculated state did not reach the screen";
    grab(form, "capture-refreshed");
}

TEST_F(CaptureScreensTest, TheDisqualificationTypeIsAnsweredFromTheKeyboard)
{
    // A number picks the type, a status key of the edit dialog does too, Enter accepts,
    // Escape cancels; Enter with nothing picked asks for a type and stays open.
    const auto answer = [](QList<int> keys) {
        return [keys](QWidget* w) {
            ASSERT_NE(qobject_cast<DisqualifyDialog*>(w), nullptr);
            for (int key : keys)
                QTest::keyClick(w, Qt::Key(key));
        };
    };
    {
        DialogDriver driver({answer({Qt::Key_3, Qt::Key_Return})});
        EXPECT_EQ(SelectDisqStatus(messages()), std::optional<int>(3));
    }
    {
        DialogDriver driver({answer({Qt::Key_F10, Qt::Key_Return})});
        EXPECT_EQ(SelectDisqStatus(messages()), std::optional<int>(4));
    }
    {
        DialogDriver driver({answer({Qt::Key_Return, Qt::Key_Escape})});
        EXPECT_EQ(SelectDisqStatus(messages()), std::nullopt);
    }
    EXPECT_TRUE(m_sink.saw("Select the Disqualification type"));
}

TEST_F(CaptureScreensTest, ABurstOfEventsFromAnotherProgramRefreshesOnceAfterItIsOver)
{
    run().config().writeInt("GDB_TRIGGERS_ACTIVE", 1);
    int refreshed = 0;
    // A wide settling time, so that the test hears the burst of two programs as one.
    CaptureListener listener(
        run(), [&] { ++refreshed; }, nullptr, 5000);
    ASSERT_TRUE(listener.isListening());
    QString out, err;
    for (int swimmer : {0, 1}) {
        ASSERT_EQ(testing_support::runCli(
                      {"--db", m_path, "result", "set", QString::number(m_event), "A",
                       QString::number(m_swimmers[swimmer]), time(m_free50, 30.0 + swimmer),
                       "--meeting", QString::number(m_meetingNo)},
                      &out, &err),
                  0)
            << err.toStdString();
    }
    EXPECT_TRUE(waitUntil([&] { return refreshed > 0; })) << "nothing was heard";
    // Each result sends its row's and its heat's events; the screen read them once.
    EXPECT_GE(listener.heard(), 2);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(listener.refreshes(), 1);
}

TEST_F(CaptureScreensTest, TheDrawButtonDrawsAndCorrectsTheSelectedRowsEvent)
{
    // A final-only event with three entries, and the heat's event made one heat of round A
    // before its final.
    const qint64 other = addEvent("BRE_____50M13W");
    for (qint64 swimmer : swimmers(3))
        enter(other, swimmer);
    ASSERT_TRUE(database().execute("update MYEVENT set HEATFORMAT = '1,4,0' where EVENTNO = " +
                                   db::sqlInt(m_event)));
    CaptureEventsForm form(run());
    const qint64 final = programNoOf(database(), other, "F", 0);
    form.selectProgramRow(final);
    ASSERT_EQ(form.currentProgramNo(), final);
    // A first round drawn here is first reminded of the Draw Athletes option.
    m_sink.answerNo();
    runCaptureDraw(form.panel(), CaptureDraw::Final);
    EXPECT_TRUE(m_sink.saw("First rounds are normally drawn for all events together"));
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(other)), 0);
    m_sink.answerYes();
    m_sink.answerYes();
    runCaptureDraw(form.panel(), CaptureDraw::Final);
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(other)), 3);
    // The panel shows the lanes at once.
    ASSERT_EQ(form.panel()->athletes().size(), 3);
    for (const CaptureAthleteRow& a : form.panel()->athletes())
        EXPECT_GT(a.lane, 0) << a.surname.toStdString();

    // The corrections open their screens on the row's event and round.
    form.selectProgramRow(m_heat);
    {
        DialogDriver driver({[](QWidget* w) {
            EXPECT_NE(qobject_cast<draw::ManualDrawForm*>(w), nullptr);
            w->close();
        }});
        runCaptureDraw(form.panel(), CaptureDraw::EditHeatAndLane);
        EXPECT_EQ(driver.left(), 0);
    }
    const qint64 late = addSwimmer("Late");
    enter(m_event, late);
    {
        DialogDriver driver({[](QWidget* w) {
            auto* screen = qobject_cast<draw::LateAthleteForm*>(w);
            if (screen && screen->undrawn().size() == 1) {
                screen->laneEdit()->setText("5");
                EXPECT_TRUE(screen->addSelected());
            }
            if (w->isVisible()) {
                ADD_FAILURE() << "the late swimmer's screen stayed open: "
                              << w->metaObject()->className() << " "
                              << (screen ? screen->undrawn().size() : -1);
                w->close();
            }
        }});
        runCaptureDraw(form.panel(), CaptureDraw::NotDrawn);
        EXPECT_EQ(driver.left(), 0);
    }
    EXPECT_EQ(column(m_heat, late, "LANE"), "5");
    bool listed = false;
    for (const CaptureAthleteRow& a : form.panel()->athletes())
        listed = listed || a.athleteNo == late;
    EXPECT_TRUE(listed) << "the heat's list did not show the late swimmer";
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

// An action in a dialog of the screen (a draw put right, then Escape) can take away the
// shown heat: the panel follows the row the list highlights instead of showing none.
TEST_F(CaptureScreensTest, APanelWhoseHeatWentAwayFollowsTheHighlightedRow)
{
    const qint64 otherHeat = drawHeat(m_event, "A", 2, {addSwimmer("Other")});
    const auto removeHeat = [this](qint64 programNo) {
        database().execute("delete from HEATPART where PROGRAMNO = " + db::sqlInt(programNo));
        database().execute("delete from PROGRAM where PROGRAMNO = " + db::sqlInt(programNo));
    };
    const auto shownMatchesHighlight = [](QTableWidget* table, CapturePanel* panel,
                                          const QList<CaptureProgramRow>& rows) {
        const int r = table->currentRow();
        ASSERT_TRUE(r >= 0 && r < rows.size());
        EXPECT_TRUE(table->selectionModel()->isRowSelected(r, QModelIndex()));
        ASSERT_TRUE(panel->programRow().has_value());
        EXPECT_EQ(panel->programRow()->programNo, rows[r].programNo);
    };
    {
        CaptureEventsForm form(run());
        form.show();
        form.selectProgramRow(m_heat);
        removeHeat(m_heat);
        form.panel()->refresh();
        emit form.panel()->changed();
        shownMatchesHighlight(form.programTable(), form.panel(), form.rows());
    }
    {
        CaptureItemsForm form(run());
        form.show();
        ASSERT_TRUE(form.selectEvent(m_event));
        form.selectProgramRow(otherHeat);
        ASSERT_EQ(form.panel()->programRow()->programNo, otherHeat);
        removeHeat(otherHeat);
        form.panel()->refresh();
        emit form.panel()->changed();
        shownMatchesHighlight(form.programTable(), form.panel(), form.rows());
    }
}
