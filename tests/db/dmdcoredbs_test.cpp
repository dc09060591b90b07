#include "support/testdatabase.h"

#include "db/sqltext.h"

using base::MessageKind;
using testing_support::DatabaseTest;

class DmdCoreDbsTest : public DatabaseTest {};

TEST_F(DmdCoreDbsTest, KeyNumbersAreDrawnOneAfterTheOtherAcrossTables)
{
    const qint64 a = database().nextKeyNumber();
    const qint64 b = database().nextKeyNumber();
    ASSERT_GT(a, 0);
    EXPECT_EQ(b, a + 1);
    ASSERT_TRUE(database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (" +
                                   db::sqlInt(database().nextKeyNumber()) + ", 1, 'A')"));
    ASSERT_TRUE(database().execute("insert into MYEVENT (EVENTNO, MEETINGNO) values (" +
                                   db::sqlInt(database().nextKeyNumber()) + ", 1)"));
    EXPECT_NE(value("select TEAMNO from TEAM"), value("select EVENTNO from MYEVENT"));
}

TEST_F(DmdCoreDbsTest, QuotedTextSurvivesTheRoundTrip)
{
    const QString name = QStringLiteral("O'Brien's \"Sharks\" – Zoë");
    EXPECT_EQ(db::quoted("it's"), "'it''s'");
    ASSERT_TRUE(database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (1, 1, " +
                                   db::quoted(name) + ")"));
    EXPECT_EQ(value("select TEAMNAME from TEAM where TEAMNO = 1"), name);
    EXPECT_EQ(database().selectOneValue("TEAMNAME", "TEAM", "TEAMNAME = " + db::quoted(name)),
              name);
}

TEST_F(DmdCoreDbsTest, ExecuteOneRowThatTouchesNoRowRollsBackAndReports)
{
    EXPECT_FALSE(database().executeOneRow("update TEAM set TEAMNAME = 'X' where TEAMNO = 99"));
    EXPECT_TRUE(m_sink.saw("Not 1 row affected but 0"));
    EXPECT_TRUE(m_sink.saw("Action not executed:\r\r"));

    // Two rows touched: rolled back, both keep their names.
    database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (1, 5, 'A')");
    database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (2, 5, 'B')");
    EXPECT_FALSE(database().executeOneRow("update TEAM set TEAMNAME = 'Z' where MEETINGNO = 5"));
    EXPECT_EQ(count("TEAM", "TEAMNAME = 'Z'"), 0);
    EXPECT_TRUE(database().executeOneRow("update TEAM set TEAMNAME = 'Z' where TEAMNO = 2"));
    EXPECT_EQ(count("TEAM", "TEAMNAME = 'Z'"), 1);
}

TEST_F(DmdCoreDbsTest, FailedStatementLeavesNothingAndTheNextOneWorks)
{
    ASSERT_TRUE(database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 1)"));
    EXPECT_FALSE(database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 2)"));
    EXPECT_FALSE(database().lastError().message.isEmpty());
    EXPECT_EQ(database().executeRowsAffected("insert into NO_SUCH_TABLE values (1)"), 0);
    EXPECT_EQ(count("TEAM"), 1);
    EXPECT_EQ(database().executeRowsAffected("update TEAM set MEETINGNO = 3"), 1);
}

TEST_F(DmdCoreDbsTest, BatchCommitsAllOrNothing)
{
    ASSERT_TRUE(database().startBatch());
    EXPECT_FALSE(database().startBatch());
    EXPECT_TRUE(m_sink.saw("Batch: \"oTscBatch\" ALREADY ACTIVE!!"));
    EXPECT_TRUE(database().batchExecute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 1)"));
    EXPECT_TRUE(database().batchExecute("insert into TEAM (TEAMNO, MEETINGNO) values (2, 1)"));
    // Not visible to the reads before the commit.
    EXPECT_EQ(count("TEAM"), 0);
    database().rollbackBatch();
    EXPECT_EQ(count("TEAM"), 0);

    ASSERT_TRUE(database().startBatch());
    EXPECT_TRUE(database().batchExecute("insert into TEAM (TEAMNO, MEETINGNO) values (3, 1)"));
    EXPECT_TRUE(database().commitBatch());
    EXPECT_EQ(count("TEAM"), 1);
}

TEST_F(DmdCoreDbsTest, CountsAndTheirMisuse)
{
    database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 7)");
    database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (2, 7)");
    EXPECT_EQ(database().ZSqlCount("TEAM", "MEETINGNO = 7"), 2);
    EXPECT_EQ(database().ZSqlRecCount("select count(*) as NRECS from TEAM where TEAMNO = 2"), 1);

    EXPECT_EQ(database().ZSqlCount("NRECS", "1=1"), -1);
    EXPECT_TRUE(m_sink.saw("You meant to call ZSqlCount without the NRECS parameter."));
    EXPECT_EQ(database().ZSqlRecCount("select count(*) as N from TEAM"), -1);
    EXPECT_TRUE(m_sink.saw("The sql must be of the form\rselect count(*) as NRECS from"));
    EXPECT_EQ(database().ZSqlRecCount("select count(*) as NRECS from NOWHERE"), -1);
    EXPECT_TRUE(m_sink.saw("Could not open query"));

    db::Query q = database().openQuery("select TEAMNO from TEAM order by TEAMNO");
    EXPECT_EQ(database().ZRecordCount(q), 2);
    db::Query counted = database().openQuery("select count(*) as NRECS from TEAM");
    database().ZRecordCount(counted);
    EXPECT_TRUE(m_sink.saw("You should call ZSqlCount(), not ZRecordCount()."));
    database().openQuery("  ");
    EXPECT_TRUE(m_sink.saw("Cannot open an empty SQL"));
}

TEST_F(DmdCoreDbsTest, AQueryThatFailsShowsTheErrorList)
{
    db::Query q = database().openQuery("select NOPE from TEAM");
    EXPECT_FALSE(q.isOpen());
    EXPECT_TRUE(m_sink.saw("Could not open select NOPE from TEAM\r" + QString(38, '-') +
                           "\rERROR MESSAGE:\r"));
}

TEST_F(DmdCoreDbsTest, ConfigReadsWritesAndChopsToTheColumnWidth)
{
    EXPECT_FALSE(database().configExists("LOGIN_PASSWORD"));
    EXPECT_EQ(database().configRead("LOGIN_PASSWORD"), "");
    database().configWrite("LOGIN_PASSWORD", "abc");
    database().configWrite("LOGIN_PASSWORD", "def, with a comma");
    EXPECT_EQ(database().configRead("LOGIN_PASSWORD"), "def, with a comma");
    EXPECT_EQ(count("CONFIG", "SLOT = 'LOGIN_PASSWORD'"), 1);

    const int width = database().fieldLength("CONFIG", "THEVALUE");
    ASSERT_GT(width, 0);
    database().configWrite("LONG", QString(width + 10, 'x'));
    EXPECT_EQ(database().configRead("LONG").size(), width);
    EXPECT_TRUE(m_sink.saw("THEVALUE in Config too small for LONG"));
    EXPECT_TRUE(m_sink.saw("The value will be chopped from"));

    const QString longSlot = QString(45, 'S');
    database().configWrite(longSlot, "v");
    EXPECT_TRUE(m_sink.saw("SLOT in Config too small for "));
    EXPECT_EQ(database().configRead(longSlot.left(40)), "v");

    database().config(static_cast<db::ConfigMode>(7), "X");
    EXPECT_TRUE(m_sink.saw("Wrong mode"));
}

TEST_F(DmdCoreDbsTest, InternalErrorsAreCountedInTheDebugMarks)
{
    messages().internalError(4711, "Something odd");
    messages().internalError(4711, "Something odd");
    messages().internalError(4711, "Something else");
    messages().internalError(12345678, "A big one");
    EXPECT_EQ(value("select MARK_COUNT from T_DEBUG_MARK where MARK_NO = 4711 and "
                    "SHORT_MSG = 'Something odd'"),
              "2");
    EXPECT_EQ(count("T_DEBUG_MARK", "MARK_NO = 4711"), 2);
    EXPECT_EQ(value("select MARK_TYPE from T_DEBUG_MARK where MARK_NO = 12345678"), "NUMERR");
    EXPECT_EQ(value("select MARK_TYPE from T_DEBUG_MARK where MARK_NO = 4711 and "
                    "SHORT_MSG = 'Something else'"),
              "ERROR");
    EXPECT_EQ(value("select APP_PREFIX || '/' || APP_VERSION from T_DEBUG_MARK "
                    "where MARK_NO = 12345678"),
              "DLVN/24.150");
    // The message is still shown and the caller goes on.
    EXPECT_EQ(m_sink.count(MessageKind::Error), 4);

    const QString longText = QString(300, 'L');
    messages().internalError(99, longText);
    EXPECT_EQ(value("select char_length(SHORT_MSG) || ',' || char_length(LONG_MSG) from "
                    "T_DEBUG_MARK where MARK_NO = 99"),
              "48,199");
}

TEST_F(DmdCoreDbsTest, SchemaInspection)
{
    EXPECT_TRUE(database().tableExists("meeting"));
    EXPECT_FALSE(database().tableExists("NOT_A_TABLE"));
    EXPECT_TRUE(database().fieldExists("PROGRAM", "programno"));
    EXPECT_FALSE(database().fieldExists("PROGRAM", "NOPE"));
    EXPECT_EQ(database().fieldLength("CONFIG", "SLOT"), 40);
    int type = 0;
    EXPECT_EQ(database().fieldLength("ATHLETE", "SURNAME", &type), 25);
    EXPECT_EQ(type, 37); // varchar
    EXPECT_TRUE(database().indexExists("PERF_HIST_MAIN"));
    EXPECT_FALSE(database().indexExists("NO_SUCH_INDEX"));
    EXPECT_EQ(database().firstField("MEETING"), "MEETINGNO");
    EXPECT_TRUE(database().fieldList("EVENTDSCR", "e.").startsWith("e.EVENTDSCRNO, e.MEETINGNO"));
    EXPECT_EQ(database().fieldList("EVENTDSCR", "e"), "");
    EXPECT_TRUE(m_sink.saw("If supplied, the prefix must have a dot: "));
}

TEST_F(DmdCoreDbsTest, DeleteChildrenAndAllRows)
{
    database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (10, 1)");
    database().execute("insert into TEAM (TEAMNO, MEETINGNO) values (11, 2)");
    for (int i = 0; i < 3; ++i)
        database().execute("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO) values (" +
                           db::sqlInt(100 + i) + ", 1, " + (i < 2 ? "10" : "11") + ")");
    EXPECT_EQ(database().deleteChildren("ATHLETE", "TEAMNO", "TEAM", "MEETINGNO", 1), 2);
    EXPECT_EQ(count("ATHLETE"), 1);
    EXPECT_TRUE(m_sink.progressTexts().contains("Deleting from ATHLETE: "));
    EXPECT_TRUE(database().deleteAllRows("TEAM"));
    EXPECT_EQ(count("TEAM"), 0);
}

TEST_F(DmdCoreDbsTest, ClosingTwiceIsReported)
{
    database().close();
    EXPECT_FALSE(database().isConnected());
    database().close();
    EXPECT_TRUE(m_sink.saw("Database already disconnected:\r"));
    EXPECT_FALSE(database().execute("delete from TEAM"));
    EXPECT_TRUE(m_sink.saw("Database not created (nor opened)"));
    database().connectionText();
    EXPECT_TRUE(m_sink.saw("The database is not connected."));
}
