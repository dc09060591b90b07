#include "support/testdatabase.h"

#include "db/connect.h"
#include "db/releasesteps.h"
#include "db/runservices.h"
#include "db/schemacreate.h"
#include "db/schemaversion.h"
#include "db/sqltext.h"

#include <QFile>

using testing_support::DatabaseTest;
using testing_support::TempHome;

TEST(SchemaScriptTest, SplitsStatementsAndHonoursSetTerm)
{
    const QString script = "-- a comment\n"
                           "create table A (X integer);\n"
                           "create table B (\n  Y varchar(10)\n);\n"
                           "SET TERM ^ ;\n"
                           "create procedure P returns (N integer) as\n"
                           "begin\n  N = 1;\n  suspend;\nend^\n"
                           "SET TERM ; ^\n"
                           "insert into A values (1);\r\n";
    const QStringList statements = db::splitScript(script);
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0], "create table A (X integer)");
    EXPECT_TRUE(statements[1].startsWith("create table B ("));
    EXPECT_TRUE(statements[2].contains("N = 1;\n  suspend;\nend"));
    EXPECT_FALSE(statements[2].endsWith("^"));
    EXPECT_EQ(statements[3], "insert into A values (1)");
}

TEST(SchemaCreateTest, RefusesAnExistingFileAndLeavesItUntouched)
{
    TempHome home;
    const QString path = home.dir() + "/existing.gdb";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    base::ScriptedSink sink;
    base::Messages messages(sink);
    EXPECT_FALSE(db::createEmptyDatabase(messages, path));
    EXPECT_TRUE(sink.saw("The database already exists:\r" + path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a database"));
}

class SchemaTest : public DatabaseTest {
protected:
    void setStoredVersion(const QString& version)
    {
        ASSERT_TRUE(
            database().execute("update DATABASE_VERSION set VERSION = " + db::quoted(version)));
    }
    db::UpgradeStep step(const QString& version, const QString& sql, QStringList* ran)
    {
        return {version, "Step " + version, "TBL", [sql, version, ran](db::StepContext& c) {
                    ran->append(version);
                    return c.execute(sql);
                }};
    }
};

TEST_F(SchemaTest, TheEmptyDatabaseIsAtTheCurrentVersionWithItsParts)
{
    EXPECT_EQ(db::storedVersion(database()), "2.855");
    EXPECT_TRUE(db::isUpToDate(database(), db::releaseChain()));
    EXPECT_EQ(value("select count(*) from RDB$FIELDS where RDB$FIELD_NAME = 'T_LOGICAL'"), "1");
    EXPECT_EQ(value("select trim(RDB$CHARACTER_SET_NAME) from RDB$DATABASE"), "UTF8");
    for (const char* table :
         {"MEETING", "MYEVENT", "PROGRAM", "HEATPART", "PARTICIPATE", "ATHLETE", "TEAM",
          "RELAY_ATHLETE", "CONFIG", "T_DEBUG_MARK", "TEMPLATE", "TPLTITEM", "TPLTPROGRAM",
          "SCORESET", "RECORD", "EIF_RACE", "EIF_RANK", "TPLTCATEGORY", "TMAVG_TEAM"})
        EXPECT_TRUE(database().tableExists(table)) << table;
    EXPECT_TRUE(database().fieldExists("MEETING", "DAY_COUNT"));
    EXPECT_TRUE(database().indexExists("PERF_HIST_HGT_MAIN"));
}

TEST_F(SchemaTest, ADatabaseAtTheCurrentVersionIsUsedWithoutUpgrade)
{
    QStringList ran;
    const db::UpgradeChain chain{step("2.850", "create table S1 (X integer)", &ran),
                                 step("2.851", "create table S2 (X integer)", &ran)};
    EXPECT_TRUE(db::upgradeAtConnect(database(), chain));
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_FALSE(m_sink.saw("outdated"));
}

TEST_F(SchemaTest, AnOlderDatabaseRunsExactlyTheMissingSteps)
{
    setStoredVersion("2.849");
    QStringList ran;
    const db::UpgradeChain chain{step("2.091", "create table S0 (X integer)", &ran),
                                 step("2.849", "create table S1 (X integer)", &ran),
                                 step("2.850", "create table S2 (X integer)", &ran),
                                 step("2.851", "alter table S2 add Y varchar(5)", &ran)};
    EXPECT_FALSE(db::isUpToDate(database(), chain));
    EXPECT_TRUE(db::upgradeAtConnect(database(), chain));
    EXPECT_EQ(ran, QStringList({"2.850", "2.851"}));
    EXPECT_TRUE(m_sink.saw("The database is outdated and will now be upgraded!"));
    EXPECT_TRUE(m_sink.progressTexts().contains("structure to version 2.850\rStep 2.850"));
    EXPECT_EQ(db::storedVersion(database()), "2.851");
    EXPECT_TRUE(database().fieldExists("S2", "Y"));
    EXPECT_FALSE(database().tableExists("S1"));
}

TEST_F(SchemaTest, ANewerVersionTextIsLeftAlone)
{
    setStoredVersion("2.9");
    QStringList ran;
    const db::UpgradeChain chain{step("2.851", "create table S1 (X integer)", &ran)};
    EXPECT_TRUE(db::isUpToDate(database(), chain));
    EXPECT_TRUE(db::upgradeAtConnect(database(), chain));
    EXPECT_TRUE(ran.isEmpty());
    // Called anyway, the chain says so and succeeds.
    EXPECT_TRUE(db::upgrade(database(), chain));
    EXPECT_TRUE(m_sink.saw("The calling function should not arrive\rhere if the database is up "
                           "to date"));
}

TEST_F(SchemaTest, AFailedStepStopsTheChainAtTheLastGoodVersionAndResumesLater)
{
    setStoredVersion("2.700");
    QStringList ran;
    db::UpgradeChain chain{step("2.800", "create table S1 (X integer)", &ran),
                           step("2.850", "insert into NO_SUCH_TABLE values (1)", &ran),
                           step("2.851", "create table S3 (X integer)", &ran)};
    EXPECT_FALSE(db::upgradeAtConnect(database(), chain));
    EXPECT_EQ(ran, QStringList({"2.800", "2.850"}));
    EXPECT_EQ(db::storedVersion(database()), "2.800");
    EXPECT_TRUE(m_sink.saw("The database version was left at 2.800"));
    EXPECT_TRUE(m_sink.saw(" abandoned."));
    EXPECT_FALSE(database().tableExists("S3"));

    // A step whose work fails half-way leaves none of its work behind.
    chain[1] = {"2.850", "Two statements", "SYS", [&ran](db::StepContext& c) {
                    ran.append("2.850b");
                    return c.execute("insert into CONFIG (SLOT, THEVALUE) values ('A', 'B')") &&
                           c.execute("insert into NO_SUCH_TABLE values (1)");
                }};
    EXPECT_FALSE(db::upgrade(database(), chain));
    EXPECT_EQ(count("CONFIG", "SLOT = 'A'"), 0);
    EXPECT_TRUE(m_sink.saw("This system records step:"));

    chain[1] = step("2.850", "create table S2 (X integer)", &ran);
    ran.clear();
    EXPECT_TRUE(db::upgrade(database(), chain));
    EXPECT_EQ(ran, QStringList({"2.850", "2.851"}));
    EXPECT_EQ(db::storedVersion(database()), "2.851");
}

TEST_F(SchemaTest, AChainThatStopsShortOfThisVersionFailsInsteadOfUsingTheOldSchema)
{
    setStoredVersion("2.700");
    QStringList ran;
    const db::UpgradeChain chain{step("2.800", "create table S1 (X integer)", &ran),
                                 step("2.850", "create table S2 (X integer)", &ran)};
    EXPECT_FALSE(db::upgradeAtConnect(database(), chain));
    // The steps there are still run and recorded; the next release resumes after them.
    EXPECT_EQ(ran, QStringList({"2.800", "2.850"}));
    EXPECT_EQ(db::storedVersion(database()), "2.850");
    EXPECT_TRUE(m_sink.saw("The database version was left at 2.850"));
    EXPECT_TRUE(m_sink.saw(" abandoned."));

    // This release has no steps at all: a database below its version cannot be used.
    setStoredVersion("2.849");
    m_sink.clear();
    EXPECT_FALSE(db::upgradeAtConnect(database(), db::releaseChain()));
    EXPECT_TRUE(m_sink.saw("The database version was left at 2.849"));
    EXPECT_EQ(db::storedVersion(database()), "2.849");
}

TEST_F(SchemaTest, ConnectingToADatabaseThatCannotBeUpgradedFailsAndClosesIt)
{
    setStoredVersion("2.849");
    base::ScriptedSink sink;
    base::Run other(sink);
    db::ConnectOptions options;
    options.offerSelect = false;
    options.storeLocation = false;
    EXPECT_FALSE(db::connectTo(other, m_path, options));
    EXPECT_TRUE(sink.saw("The database is outdated and will now be upgraded!"));
    EXPECT_TRUE(sink.saw("The database could not be updated:\r\nSupport may be able to recover "
                         "you from this problem.\r\n"));
    EXPECT_FALSE(db::isConnected(other));

    // Without the upgrade (a trial connection) the same file opens.
    base::ScriptedSink trialSink;
    base::Run trial(trialSink);
    options.upgrade = false;
    EXPECT_TRUE(db::connectTo(trial, m_path, options));
    EXPECT_FALSE(trialSink.saw("outdated"));
}

TEST_F(SchemaTest, AlterColumnTypeKeepsTheValues)
{
    ASSERT_TRUE(database().execute("create table WIDEN (K integer, NAME varchar(5))"));
    database().execute("insert into WIDEN values (1, 'abcde')");
    ASSERT_TRUE(db::alterColumnType(database(), "WIDEN", "NAME", "varchar(40)"));
    EXPECT_EQ(database().fieldLength("WIDEN", "NAME"), 40);
    EXPECT_EQ(value("select NAME from WIDEN where K = 1"), "abcde");
    EXPECT_FALSE(database().fieldExists("WIDEN", "ZZZZZZ"));

    EXPECT_FALSE(db::alterColumnTypeStage(database(), "WIDEN", "NAME", "integer", 5));
    EXPECT_TRUE(m_sink.saw("Invalid nStage1or2 for stage for ZAlterColumnType: 5"));
}

TEST_F(SchemaTest, EventTriggersAreCreatedListedAndDropped)
{
    // The empty database comes with the triggers that tell other programs of new results
    // and of heats added to or removed from the program.
    const QString schemaTriggers =
        "TRIGGER_EDIT_PROG_REC_DELETE on PROGRAM\rTRIGGER_EDIT_PROG_REC_INSERT on PROGRAM\r"
        "TRIGGER_FINAL_UPDATED on PARTICIPATE\rTRIGGER_PROGRAM_UPDATED on PROGRAM\r"
        "TRIGGER_RACE_DONE on EIF_RACE\rTRIGGER_RACE_UPDATED on HEATPART";
    EXPECT_EQ(db::listUserTriggers(database()), schemaTriggers);
    ASSERT_TRUE(db::createEventTrigger(database(), "TRIGGER_TEAM_ADDED", "TEAM", "CLRM_STATUS"));
    EXPECT_TRUE(db::listUserTriggers(database()).endsWith("\rTRIGGER_TEAM_ADDED on TEAM"));
    ASSERT_TRUE(db::dropTrigger(database(), "TRIGGER_TEAM_ADDED"));
    EXPECT_EQ(db::listUserTriggers(database()), schemaTriggers);
    for (const char* name :
         {"TRIGGER_EDIT_PROG_REC_DELETE", "TRIGGER_EDIT_PROG_REC_INSERT", "TRIGGER_FINAL_UPDATED",
          "TRIGGER_PROGRAM_UPDATED", "TRIGGER_RACE_DONE", "TRIGGER_RACE_UPDATED"})
        ASSERT_TRUE(db::dropTrigger(database(), name)) << name;
    EXPECT_EQ(db::listUserTriggers(database()), "No user-created triggers");
}

namespace {

// The declared widths of the columns that this release narrows, "TABLE.COLUMN width".
QStringList narrowedWidths(db::DmdCoreDbs& database)
{
    QStringList widths;
    for (const db::NarrowedColumn& c : db::narrowedColumns())
        widths << QString(c.table) + "." + c.column + " " +
                      QString::number(database.fieldLength(c.table, c.column));
    return widths;
}

const QStringList kNarrowWidths{"TPLTITEM.ITEMCODE 17", "TPLTITEM.PIT 5", "TPLTPROGRAM.PIT 5",
                                "MEETING.ELEC_TIME_PATH 20"};

} // namespace

TEST_F(SchemaTest, TheEmptyDatabaseHasTheNarrowTemplateAndTimingPathColumns)
{
    EXPECT_EQ(narrowedWidths(database()), kNarrowWidths);
    EXPECT_EQ(db::storedVersion(database()), db::programSchemaVersion());
    EXPECT_EQ(db::programSchemaVersion(), "2.855");
}

// A database made by the first release: wide columns, only the result triggers, 2.851.
class FirstReleaseDatabaseTest : public SchemaTest {
protected:
    void SetUp() override
    {
        SchemaTest::SetUp();
        for (const char* sql :
             {"alter table TPLTITEM alter column ITEMCODE type varchar(26)",
              "alter table TPLTITEM alter column PIT type varchar(6)",
              "alter table TPLTPROGRAM alter column PIT type varchar(6)",
              "alter table MEETING alter column ELEC_TIME_PATH type varchar(250)",
              "drop trigger TRIGGER_RACE_DONE", "drop trigger TRIGGER_EDIT_PROG_REC_INSERT",
              "drop trigger TRIGGER_EDIT_PROG_REC_DELETE"})
            ASSERT_TRUE(database().execute(sql)) << sql;
        setStoredVersion("2.851");
        database().refreshReads();
        ASSERT_EQ(db::listUserTriggers(database()),
                  "TRIGGER_FINAL_UPDATED on PARTICIPATE\rTRIGGER_PROGRAM_UPDATED on PROGRAM\r"
                  "TRIGGER_RACE_UPDATED on HEATPART");
        ASSERT_TRUE(
            database().execute("insert into TPLTITEM (ITEMNO, TEMPLATENO, ITEMCODE, PIT) values "
                               "(1, 1, 'BRE____100F15WZ', 'Pool')"));
        ASSERT_TRUE(database().execute(
            "insert into TPLTPROGRAM (DUMMYNO, TEMPLATENO, ITEMNO, ROUND, PIT) values "
            "(2, 1, 1, 'F', 'Lane6')"));
        ASSERT_TRUE(database().execute("insert into MEETING (MEETINGNO, ELEC_TIME_PATH) values "
                                       "(3, '/srv/timing/races/gala')"));
    }
};

TEST_F(FirstReleaseDatabaseTest, IsUpgradedToTheNarrowColumnsAndEveryEventTrigger)
{
    EXPECT_FALSE(db::isUpToDate(database(), db::releaseChain()));
    ASSERT_TRUE(db::upgradeAtConnect(database(), db::releaseChain()));
    EXPECT_EQ(db::storedVersion(database()), "2.855");
    EXPECT_EQ(narrowedWidths(database()), kNarrowWidths);
    EXPECT_FALSE(database().fieldExists("TPLTITEM", "ZZZZZZ_ITEMCODE"));
    EXPECT_EQ(value("select ITEMCODE || '|' || PIT from TPLTITEM"), "BRE____100F15WZ|Pool");
    EXPECT_EQ(value("select PIT from TPLTPROGRAM"), "Lane6");
    // A path longer than the column's width is cut and the user is told.
    EXPECT_EQ(value("select ELEC_TIME_PATH from MEETING where MEETINGNO = 3"),
              "/srv/timing/races/ga");
    EXPECT_TRUE(m_sink.saw("Some texts were longer than their column allows and were cut:\r"
                           "MEETING.ELEC_TIME_PATH: 1"));
    EXPECT_EQ(db::listUserTriggers(database()),
              "TRIGGER_EDIT_PROG_REC_DELETE on PROGRAM\rTRIGGER_EDIT_PROG_REC_INSERT on PROGRAM\r"
              "TRIGGER_FINAL_UPDATED on PARTICIPATE\rTRIGGER_PROGRAM_UPDATED on PROGRAM\r"
              "TRIGGER_RACE_DONE on EIF_RACE\rTRIGGER_RACE_UPDATED on HEATPART");
    EXPECT_TRUE(db::isUpToDate(database(), db::releaseChain()));
}

TEST_F(FirstReleaseDatabaseTest, AnUpgradeStoppedHalfWayResumesWhereItStopped)
{
    // The first two steps only: the values sit in the new columns beside the old ones.
    const db::UpgradeChain firstTwo(db::releaseChain().begin(), db::releaseChain().begin() + 2);
    db::upgrade(database(), firstTwo);
    EXPECT_EQ(db::storedVersion(database()), "2.853");
    EXPECT_EQ(value("select ZZZZZZ_ITEMCODE from TPLTITEM"), "BRE____100F15WZ");
    EXPECT_EQ(database().fieldLength("TPLTITEM", "ITEMCODE"), 26);

    m_sink.clear();
    ASSERT_TRUE(db::upgradeAtConnect(database(), db::releaseChain()));
    EXPECT_FALSE(m_sink.progressTexts().filter("to version 2.852").size() > 0);
    EXPECT_EQ(narrowedWidths(database()), kNarrowWidths);
    EXPECT_EQ(value("select ITEMCODE from TPLTITEM"), "BRE____100F15WZ");
}
