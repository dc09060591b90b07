#include "scoring/athleticsfixture.h"

#include "db/meetingdelete.h"
#include "draw/events.h"
#include "draw/programsetup.h"
#include "results/captureprogram.h"
#include "results/forms/perfhistoryform.h"
#include "results/forms/startheightsform.h"
#include "results/perfhistory.h"
#include "results/startheights.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTableWidget>

namespace {

using testing_support::runCli;

class StartHeightsTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        setMeeting("HAS_PERF_HIST = 1");
        reload();
        m_high = event("JMPHigh___M17");
        m_pole = event("JMPPole___F17");
        m_long = event("JMPLong___M17");
        m_sink.clear();
    }
    qint64 event(const QString& itemCode)
    {
        draw::NewEvent e;
        e.itemCode = itemCode;
        e.selected = true;
        return draw::Events(database(), run().items(), m_meetingNo).addEvent(e);
    }
    results::StartHeights heights()
    {
        return results::StartHeights(database(), run().items(), m_meetingNo);
    }
    QString stored(qint64 eventNo)
    {
        return value("select SPEC_GRAM_OR_MM from NON_CRUCIAL_SPEC where EVENTNO = " +
                     QString::number(eventNo));
    }
    int cli(const QStringList& args, QString* out, QString* err = nullptr)
    {
        return runCli(QStringList{"--db", m_path, "--edition", "athletics", "--meeting",
                                  QString::number(m_meetingNo)} +
                          args,
                      out, err);
    }

    qint64 m_high = 0;
    qint64 m_pole = 0;
    qint64 m_long = 0;
};

TEST_F(StartHeightsTest, VerticalJumpsKeepAHeightInTheirFormatAndRefuseBadInput)
{
    const QList<results::StartHeight> before = heights().list();
    ASSERT_EQ(before.size(), 2); // the long jump has none
    for (const results::StartHeight& h : before)
        EXPECT_EQ(h.height, "0.00");
    ASSERT_TRUE(heights().set(m_high, " 1.5 "));
    EXPECT_EQ(heights().of(m_high)->height, "1.50");
    EXPECT_FALSE(stored(m_high).isEmpty());
    ASSERT_TRUE(heights().set(m_pole, "3.20"));
    ASSERT_TRUE(heights().set(m_high, "1.55")); // a second set replaces the first
    EXPECT_EQ(count("NON_CRUCIAL_SPEC"), 2);
    EXPECT_EQ(heights().of(m_high)->height, "1.55");
    // Not a height of the item: the message, and the stored height stays.
    m_sink.clear();
    for (const QString bad : {"1.5x", "abc", "1:55.00"}) {
        EXPECT_FALSE(heights().set(m_high, bad)) << bad.toStdString();
        EXPECT_EQ(heights().of(m_high)->height, "1.55");
    }
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 3);
    EXPECT_FALSE(heights().set(m_long, "6.00"));
    EXPECT_TRUE(m_sink.saw("Starting heights are only for vertical jumps: "));
    EXPECT_EQ(count("NON_CRUCIAL_SPEC", "EVENTNO = " + QString::number(m_long)), 0);
    // 0.00 is no height at all.
    ASSERT_TRUE(heights().set(m_pole, "0.00"));
    EXPECT_EQ(count("NON_CRUCIAL_SPEC", "EVENTNO = " + QString::number(m_pole)), 0);
    EXPECT_EQ(heights().of(m_pole)->height, "0.00");
}

TEST_F(StartHeightsTest, HeightsGoWithTheirEventsAndOrphansArePurged)
{
    ASSERT_TRUE(heights().set(m_high, "1.50"));
    ASSERT_TRUE(heights().set(m_pole, "3.00"));
    // An unselected event that is removed takes its height along.
    exec("update MYEVENT set SELECTED = '', C_SELECTEDEDIT = '' where EVENTNO = " +
         QString::number(m_pole));
    EXPECT_EQ(draw::Events(database(), run().items(), m_meetingNo).removeUnselected(), 1);
    EXPECT_EQ(count("NON_CRUCIAL_SPEC", "EVENTNO = " + QString::number(m_pole)), 0);
    // So does a removed n-athlon's high jump.
    draw::Events events(database(), run().items(), m_meetingNo);
    ASSERT_TRUE(draw::ProgramSetup(events).addStandardCombined("Men", 25, "Decathlon"));
    const qint64 decathlonHigh = eventOf("JMPHigh___M25");
    ASSERT_TRUE(heights().set(decathlonHigh, "1.70"));
    EXPECT_EQ(heights().of(decathlonHigh)->description,
              "HighJump 25 Male  (part of the Decathlon 25 Male)");
    m_sink.answerYes();
    ASSERT_TRUE(draw::ProgramSetup(events).deleteNathlon(decathlonHigh));
    EXPECT_EQ(count("NON_CRUCIAL_SPEC", "EVENTNO = " + QString::number(decathlonHigh)), 0);
    EXPECT_EQ(count("NON_CRUCIAL_SPEC"), 1);
    // Rows left behind by an event deleted elsewhere are cleared away, saying so.
    exec("insert into NON_CRUCIAL_SPEC (EVENTNO, SPEC_GRAM_OR_MM, MEETINGNO) values (987654, "
         "'1.40', " +
         QString::number(m_meetingNo) + ")");
    m_sink.clear();
    EXPECT_EQ(results::purgeOrphanStartHeights(database()), 1);
    EXPECT_TRUE(m_sink.saw("1 orphan EditVertJumpStartHgts were removed."));
    EXPECT_EQ(results::purgeOrphanStartHeights(database()), 0);
    EXPECT_EQ(count("NON_CRUCIAL_SPEC"), 1);
    // The meeting's deletion leaves none.
    db::deleteMeetingRows(database(), m_meetingNo);
    EXPECT_EQ(count("NON_CRUCIAL_SPEC"), 0);
}

TEST_F(StartHeightsTest, TheCommandListsSetsAndRefuses)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"heights", "start", QString::number(m_high), "1.65"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("\t1.65")) << out.toStdString();
    EXPECT_EQ(cli({"heights", "start", QString::number(m_high), "1.6o"}, &out, &err), 1);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(cli({"heights", "start", QString::number(m_long), "6.00"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Starting heights are only for vertical jumps")) << err.toStdString();
    ASSERT_EQ(cli({"--json", "heights", "start"}, &out, &err), 0) << err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    QHash<QString, QString> byItem;
    for (const QJsonValue& row : rows)
        byItem.insert(row.toObject().value("itemcode").toString(),
                      row.toObject().value("height").toString());
    EXPECT_EQ(byItem.value("JMPHigh___M17"), "1.65");
    EXPECT_EQ(byItem.value("JMPPole___F17"), "0.00");
    EXPECT_EQ(cli({"heights", "start", "1", "2", "3"}, &out, &err), 2);
}

TEST_F(StartHeightsTest, TheScreenStoresTypedHeightsAndShowsTheStoredOneAfterARefusal)
{
    ASSERT_TRUE(heights().set(m_pole, "3.10"));
    exec("insert into NON_CRUCIAL_SPEC (EVENTNO, SPEC_GRAM_OR_MM, MEETINGNO) values (987654, "
         "'1.40', " +
         QString::number(m_meetingNo) + ")");
    results::StartHeightsForm form(run(), m_pole);
    EXPECT_TRUE(m_sink.saw("1 orphan EditVertJumpStartHgts were removed."));
    QTableWidget* table = form.table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->currentRow(), form.rowOf(m_pole));
    const int high = form.rowOf(m_high);
    EXPECT_EQ(table->item(high, 2)->text(), "0.00");
    table->item(high, 2)->setText("1.7");
    EXPECT_EQ(table->item(high, 2)->text(), "1.70");
    EXPECT_EQ(heights().of(m_high)->height, "1.70");
    m_sink.clear();
    table->item(high, 2)->setText("1,7x");
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_EQ(table->item(high, 2)->text(), "1.70");
    EXPECT_EQ(heights().of(m_high)->height, "1.70");
    // The item cannot be typed over.
    EXPECT_FALSE(table->item(high, 1)->flags() & Qt::ItemIsEditable);
    // After edits the height column still takes the rest of the width.
    form.resize(560, 380);
    const int used = table->columnWidth(0) + table->columnWidth(1) + table->columnWidth(2);
    EXPECT_GE(used, table->viewport()->width() - 2);
    const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        form.grab().save(QString::fromLocal8Bit(dir) + "/startheights.png");
}

TEST_F(StartHeightsTest, TheHistoryOffersTheStartingHeightAsTheFirstBar)
{
    const qint64 team = addTeam("OAK");
    const qint64 athlete = addAthlete(team, "Ames", "M", 17);
    addResult(m_high, athlete, team, "", 0);
    ASSERT_TRUE(heights().set(m_high, "1.60"));
    const qint64 program = value("select PROGRAMNO from PROGRAM where ROUND = 'F' and EVENTNO = " +
                                 QString::number(m_high))
                               .toLongLong();
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(database(), run().items(), program);
    ASSERT_TRUE(row.has_value());
    results::PerfHistory history(database(), run().items(), run().meeting());
    const results::FieldRace race = *history.race(m_high, "F", 0);
    EXPECT_EQ(history.offeredHeight(race), "1.60");
    results::PerfHistoryForm form(run(), *row, race);
    m_sink.clear();
    m_sink.answerText("1.60");
    form.addHeight();
    ASSERT_FALSE(m_sink.shown().isEmpty());
    EXPECT_EQ(m_sink.shown().last().offered, "1.60");
    // Once the first bar is up, the next one is the official's to say.
    EXPECT_EQ(history.offeredHeight(race), "");
    m_sink.answerText("1.65");
    form.addHeight();
    EXPECT_EQ(m_sink.shown().last().offered, "");
    ASSERT_EQ(history.heights(race).size(), 2);
}

} // namespace
