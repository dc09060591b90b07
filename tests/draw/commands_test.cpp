#include "drawfixture.h"

#include "db/sqltext.h"

using testing_support::runCli;

namespace {

// The event, format and program commands as a user runs them on a database file.
class CommandsTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
    }

    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    QString programState()
    {
        return value("select list(ROUND || HEATNO || '/' || DAY_SEQ || '/' || "
                     "coalesce(cast(THETIME as varchar(13)), '-') || '/' || SEQ) from PROGRAM");
    }

    qint64 m_event = 0;
};

TEST_F(CommandsTest, FormatsAreSetDescribedAndProposed)
{
    QString out;
    ASSERT_EQ(cli({"event", "format", QString::number(m_event), "4,3,4/2,3,2"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(count("PROGRAM", "ROUND = 'B'"), 4);
    EXPECT_EQ(count("PROGRAM", "ROUND = 'A'"), 2);
    ASSERT_EQ(runCli({"format", "describe", "4,3,4/2,3,2"}, &out), 0);
    EXPECT_TRUE(out.contains("Round A (Semi-Finals): 2 heats, athletes 16")) << out.toStdString();
    EXPECT_TRUE(out.contains("Round F (Final): 1 heat, athletes 8")) << out.toStdString();
    ASSERT_EQ(runCli({"format", "propose", "FRE____100M13W", "20", "--lanes", "6"}, &out), 0);
    EXPECT_TRUE(out.contains("heatformat: 4,2,4/2,1,4")) << out.toStdString();
}

TEST_F(CommandsTest, BadFormatsAreRefusedAndChangeNothing)
{
    ASSERT_EQ(cli({"event", "format", QString::number(m_event), "2,3,2"}), 0);
    const QString before = programState();
    QString err;
    EXPECT_EQ(cli({"event", "format", QString::number(m_event), "2,3"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("All items must be filled or left open")) << err.toStdString();
    EXPECT_EQ(cli({"event", "format", QString::number(m_event), "0,3,2"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Round A must have at least one heat")) << err.toStdString();
    // Two heats of 3 places and 4 times send 10 to a final of 8 lanes.
    EXPECT_EQ(cli({"event", "format", QString::number(m_event), "2,3,4"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Round A: you select 10 instead of 8")) << err.toStdString();
    EXPECT_EQ(programState(), before);
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT"), "2,3,2");
}

TEST_F(CommandsTest, BadTimesAndDaysAreRefusedAndChangeNothing)
{
    const QString programNo = value("select PROGRAMNO from PROGRAM");
    const QString before = programState();
    QString err;
    EXPECT_EQ(cli({"program", "set", programNo, "--time", "25:61"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("The hour must be from between 0 and 23")) << err.toStdString();
    EXPECT_EQ(cli({"program", "set", programNo, "--day", "3", "--time", "10:00"}, nullptr, &err),
              1);
    EXPECT_TRUE(err.contains("This more than the number of days")) << err.toStdString();
    EXPECT_EQ(programState(), before);
    QString out;
    ASSERT_EQ(cli({"program", "set", programNo, "--day", "2", "--time", "10:30", "--seq", "4"}), 0);
    ASSERT_EQ(cli({"program", "list", "--day", "2"}, &out), 0);
    EXPECT_TRUE(out.contains("   4  2  10:30  F   0  100m Freestyle 13 Male")) << out.toStdString();
}

TEST_F(CommandsTest, SelectAndUnselectFollowTheRules)
{
    ASSERT_EQ(cli({"event", "format", QString::number(m_event), "2,3,2"}), 0);
    QString err;
    EXPECT_EQ(cli({"event", "unselect", QString::number(m_event)}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Before you can unselect, you must clear the heats"))
        << err.toStdString();
    ASSERT_EQ(cli({"event", "format", QString::number(m_event), ""}), 0);
    ASSERT_EQ(cli({"event", "unselect", QString::number(m_event)}), 0);
    EXPECT_EQ(count("PROGRAM"), 0);
    ASSERT_EQ(cli({"event", "select", QString::number(m_event)}), 0);
    EXPECT_EQ(count("PROGRAM"), 1);
}

} // namespace
