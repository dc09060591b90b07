#include "recordsfixture.h"

#include "records/forms/recordsetsform.h"
#include "records/forms/recordsform.h"

#include <QFile>
#include <QTableWidget>

namespace {

class RecordScreensTest : public RecordsTest {};

TEST_F(RecordScreensTest, ANewSetIsWatchedByTheMeetingAndItsRecordsAreEdited)
{
    records::RecordSetsForm form(run());
    for (const char* answer : {"National", "NAT", "2024"})
        m_sink.answerText(answer);
    form.newSet();
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 0)->text(), "NAT");

    m_sink.answerText("3");
    form.selectForMeeting(false);
    EXPECT_EQ(form.table()->item(0, 4)->text(), "Bonus 3");
    EXPECT_EQ(run().meeting().recordSetsWithPoints(),
              QString::number(records::RecordSets(database()).byAbbreviation("NAT")->recordSetNo) +
                  ",3");

    records::RecordsForm records(run(), *records::RecordSets(database()).byAbbreviation("NAT"));
    for (const char* answer : {"fre____100m12w", "65.4", "Ames", "Jo", "OAK", "2024/05/01"})
        m_sink.answerText(answer);
    records.newRecord();
    ASSERT_EQ(records.table()->rowCount(), 1);
    EXPECT_EQ(records.table()->item(0, 3)->text(), "1:05.40");
    EXPECT_EQ(records.table()->item(0, 0)->text(), "100m Freestyle 12 Male");
    records.table()->selectRow(0);
    for (const char* answer : {"Bell", "Al", "ELM", ""})
        m_sink.answerText(answer);
    records.addCoHolder();
    ASSERT_EQ(records.table()->rowCount(), 2);
    EXPECT_EQ(records.table()->item(1, 2)->text(), "Co");
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(RecordScreensTest, ABadSetIsRefusedOnTheScreenToo)
{
    records::RecordSetsForm form(run());
    for (const char* answer : {"Old", "OLD", "1799"})
        m_sink.answerText(answer);
    form.newSet();
    EXPECT_EQ(form.table()->rowCount(), 0);
    EXPECT_TRUE(m_sink.saw("The year must be between 1800 and 2100."));
}

TEST_F(RecordScreensTest, TheImportAsksTheColumnsAndKeepsThem)
{
    const QString path = m_home->dir() + "/r.csv";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("item;gender;age;record\nFRE100;F;10;1:10.00\n");
    file.close();
    records::RecordSetsForm form(run());
    m_sink.answerFile(path);
    for (const char* answer : {"ITEM=1 GENDER=2 AGE=3 RECORD=4", "Club", "CLB", ""})
        m_sink.answerText(answer);
    form.importCsv();
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 3)->text(), "1");
    EXPECT_EQ(run().config().readInt("CSV_REC_COLMNO_AGE"), 3);
}

} // namespace
