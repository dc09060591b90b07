#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/perfformatrepair.h"
#include "support/testdatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using base::MessageKind;
using meeting::PerfFixOutcome;

namespace {

// Stored performances written before their items changed format: a 400 m stored as
// seconds, a 1500 m with one-digit minutes, a record without its leading zero.
class PerfFormatRepairTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        addEvent(10, "FRE____400M17W");
        addEvent(11, "FRE___1500M17W");
        addEvent(12, "FRE_____25F11W");
        addRow("HEATPART", "HEATPARTNO", 101, 10, "65.32");   // -> 1:05.32
        addRow("HEATPART", "HEATPARTNO", 102, 10, "1:05.32"); // right
        addRow("HEATPART", "HEATPARTNO", 103, 10, "");        // nothing captured
        addRow("PARTICIPATE", "PARTNO", 201, 11, "9:45.10");  // -> 09:45.10
        addRow("PARTICIPATE", "PARTNO", 202, 12, "100.50");   // above 99.99
        addRow("PARTICIPATE", "PARTNO", 203, 12, "0:00.00");  // blank
        addRow("PERF_HIST", "PERF_HISTNO", 301, 12, "X");     // a failed attempt
        addRow("PERF_HIST", "PERF_HISTNO", 302, 12, "DNF");   // not a performance
        exec("insert into RECORD (RECORDNO, RECORDSETNO, ITEMCODE, RECORD) values "
             "(401, 1, 'FRE_____25F11W', '9.5')"); // -> 09.50
        m_sink.clear();
    }

    void addEvent(int eventNo, const char* itemCode)
    {
        exec(QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE) values (%1, 1, %2)")
                 .arg(eventNo)
                 .arg(db::quoted(QString::fromLatin1(itemCode))));
    }
    void addRow(const char* table, const char* key, int keyNo, int eventNo, const char* perf)
    {
        exec(QStringLiteral("insert into %1 (%2, MEETINGNO, EVENTNO, PERFORMANCE) values "
                            "(%3, 1, %4, %5)")
                 .arg(QString::fromLatin1(table), QString::fromLatin1(key))
                 .arg(keyNo)
                 .arg(eventNo)
                 .arg(db::quoted(QString::fromLatin1(perf))));
    }
    void exec(const QString& sql) { ASSERT_TRUE(database().execute(sql)) << sql.toStdString(); }

    meeting::ItemTypes items{meeting::Edition::Swimming, messages()};
};

TEST_F(PerfFormatRepairTest, FindsEveryPerformanceOutOfFormat)
{
    const meeting::PerfFormatScan scan = meeting::scanPerformanceFormats(database(), items);
    ASSERT_TRUE(scan.complete);
    EXPECT_EQ(scan.checked, 6);
    EXPECT_EQ(scan.reportLines(),
              QStringList({"There ARE  differences in Performance formats",
                           "101 : 65.32 -> 1:05.32", "201 : 9:45.10 -> 09:45.10",
                           "401 : 9.5 -> 09.50", "", "These large performances cannot be fixed",
                           "202 : 100.50", "", "These performances cannot be read", "302 : DNF"}));
    EXPECT_EQ(m_sink.shown().size(), 0);
}

TEST_F(PerfFormatRepairTest, FixesAfterConfirmAndLeavesTheRest)
{
    m_sink.answerYes();
    int reports = 0;
    EXPECT_EQ(meeting::fixPerformanceFormats(database(), items,
                                             [&](const meeting::PerfFormatScan&) { ++reports; }),
              PerfFixOutcome::Fixed);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(m_sink.saw("Do you want to fix all invalid performances ?"));
    EXPECT_TRUE(m_sink.saw("Performances fixed"));
    EXPECT_EQ(value("select PERFORMANCE from HEATPART where HEATPARTNO = 101"), "1:05.32");
    EXPECT_EQ(value("select PERFORMANCE from PARTICIPATE where PARTNO = 201"), "09:45.10");
    EXPECT_EQ(value("select RECORD from RECORD where RECORDNO = 401"), "09.50");
    EXPECT_EQ(value("select PERFORMANCE from PARTICIPATE where PARTNO = 202"), "100.50");
    EXPECT_EQ(value("select PERFORMANCE from PERF_HIST where PERF_HISTNO = 302"), "DNF");

    m_sink.clear();
    EXPECT_EQ(meeting::fixPerformanceFormats(database(), items, {}), PerfFixOutcome::NothingWrong);
    EXPECT_TRUE(m_sink.saw("No performances are in the wrong formats."));
    EXPECT_TRUE(meeting::continueDespitePerformanceErrors(database(), items));
}

TEST_F(PerfFormatRepairTest, ChangesNothingWhenDeclined)
{
    m_sink.answerNo();
    EXPECT_EQ(meeting::fixPerformanceFormats(database(), items, {}), PerfFixOutcome::Declined);
    EXPECT_EQ(value("select PERFORMANCE from HEATPART where HEATPARTNO = 101"), "65.32");

    m_sink.answerNo();
    EXPECT_FALSE(meeting::continueDespitePerformanceErrors(database(), items));
    EXPECT_TRUE(m_sink.saw("There are some Performance errors."));
    EXPECT_TRUE(m_sink.saw("Continue anyway ?"));
}

TEST_F(PerfFormatRepairTest, SkipsTheAttemptsOfVerticalJumps)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    exec("update MYEVENT set ITEMCODE = 'JMPHigh___F15' where EVENTNO = 12");
    exec("update PERF_HIST set PERFORMANCE = '1.5' where PERF_HISTNO = 302");
    exec("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE) values (13, 1, 'JMPLong___F15')");
    exec("insert into PERF_HIST (PERF_HISTNO, MEETINGNO, EVENTNO, PERFORMANCE) values "
         "(303, 1, 13, '5.5')");
    const meeting::PerfFormatScan scan = meeting::scanPerformanceFormats(database(), athletics);
    QStringList keys;
    for (const auto& f : scan.wrong)
        keys << f.table + ":" + QString::number(f.key);
    EXPECT_TRUE(keys.contains("PERF_HIST:303"));
    EXPECT_FALSE(keys.contains("PERF_HIST:302"));
}

TEST_F(PerfFormatRepairTest, CliListsAndFixesWithYes)
{
    database().close();
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "--no", "perf", "fix-formats"}, &out, &err),
              1);
    EXPECT_TRUE(out.contains("There ARE  differences in Performance formats\n101 : 65.32 -> "
                             "1:05.32\n"))
        << out.toStdString();
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "--yes", "perf", "fix-formats"}, &out, &err),
              0)
        << err.toStdString();
    ASSERT_EQ(
        testing_support::runCli({"--db", m_path, "--json", "perf", "fix-formats"}, &out, &err), 0)
        << err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(result["checked"].toInt(), 6) << out.toStdString();
    EXPECT_TRUE(result["wrong"].toArray().isEmpty());
    EXPECT_EQ(result["too_large"].toArray().size(), 1);
}

} // namespace
