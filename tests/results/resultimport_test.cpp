#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "results/resultimport.h"

#include <QFile>

using namespace results;

namespace {

class ResultImportTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(3);
        m_heat = drawHeat(m_event, "A", 1, m_swimmers);
        m_sink.clear();
    }
    QString ev() const { return QString::number(m_event); }
    QString ath(int i) const { return QString::number(m_swimmers[i]); }
    int written() { return count("HEATPART", "PERFORMANCE <> '' or DISQ_STATUS > 0"); }

    qint64 m_event = 0;
    qint64 m_heat = 0;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(ResultImportTest, AGoodFileIsWrittenByLaneOrByAthlete)
{
    const QString t1 = time(m_free50, 30.10);
    const QString t2 = time(m_free50, 30.10);
    const ResultImportReport report =
        importResultLines(run(), {"event,round,heat,lane,performance,third digit,status",
                                  ev() + ",A,1,1," + t1 + ",4,", ev() + ",a,1,2," + t2 + ",6,",
                                  ev() + ",A,1,3,,,DQ", ""});
    ASSERT_TRUE(report.ok) << report.text().toStdString();
    EXPECT_EQ(report.lines, 3);
    EXPECT_EQ(report.written, 3);
    EXPECT_EQ(column(m_heat, m_swimmers[0], "PERFORMANCE"), t1);
    EXPECT_EQ(column(m_heat, m_swimmers[0], "THIRD_DIGIT"), "4");
    EXPECT_EQ(column(m_heat, m_swimmers[2], "DISQ_STATUS"), "1");
    EXPECT_TRUE(programRow(m_heat).notCalculated);

    const ResultImportReport byAthlete =
        importResultLines(run(), {"Event;Round;Athlete;Performance",
                                  ev() + ";A;" + ath(1) + ";" + time(m_free50, 29.99)});
    ASSERT_TRUE(byAthlete.ok) << byAthlete.text().toStdString();
    EXPECT_EQ(column(m_heat, m_swimmers[1], "PERFORMANCE"), time(m_free50, 29.99));
}

TEST_F(ResultImportTest, OneBadLineRefusesTheWholeFileAndEveryBadLineIsReported)
{
    const QString good = time(m_free50, 30.0);
    const ResultImportReport report =
        importResultLines(run(), {"event,round,heat,lane,performance,status",
                                  ev() + ",A,1,1," + good + ",",    // fine
                                  ev() + ",A,1,2,3o.12,",           // letters in the time
                                  ev() + ",A,1,3," + good + ",DNS", // a status with a time
                                  ev() + ",A,1,2,,XYZ",             // unknown status
                                  ev() + ",A,1,7," + good + ",",    // nobody in lane 7
                                  ev() + ",A,1,1," + good + ","});  // lane 1 again
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(written(), 0) << "nothing is written from a refused file";
    ASSERT_EQ(report.errors.size(), 5) << report.text().toStdString();
    EXPECT_TRUE(report.errors[0].startsWith("Line 3: The format of 3o.12 should be"));
    EXPECT_EQ(report.errors[1], "Line 4: The Place or Performance may not have values if the "
                                "athlete is disqualified.");
    EXPECT_EQ(report.errors[2], "Line 5: Unknown status: XYZ");
    EXPECT_TRUE(report.errors[3].startsWith("Line 6: Nobody swims in lane 7"));
    EXPECT_TRUE(report.errors[4].contains("has a result on an earlier line"));
    EXPECT_TRUE(report.text().startsWith("The file was refused: nothing was imported."));
    // The user saw nothing of the line checks: they are in the report.
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(ResultImportTest, AnUnknownColumnOrAMissingOneRefusesTheFile)
{
    ResultImportReport report = importResultLines(
        run(), {"event,round,heat,lane,performance,colour", ev() + ",A,1,1,,red"});
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.errors, QStringList({"Unknown column: colour"}));
    report = importResultLines(run(), {"event,heat,lane,athlete,performance"});
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.errors.size(), 2); // round missing; lane and athlete both named
    EXPECT_EQ(written(), 0);
}

TEST_F(ResultImportTest, AFileIsReadFromDisk)
{
    const QString path = m_home->dir() + "/results.csv";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("\xEF\xBB\xBF"
                "event,round,heat,athlete,performance\r\n" +
                ev() + ",A,1," + ath(0) + "," + time(m_free50, 31.0) + "\r\n")
                   .toUtf8());
    file.close();
    const ResultImportReport report = importResults(run(), path);
    ASSERT_TRUE(report.ok) << report.text().toStdString();
    EXPECT_EQ(column(m_heat, m_swimmers[0], "PERFORMANCE"), time(m_free50, 31.0));
}
