#include "support/testdatabase.h"

#include "db/connect.h"
#include "meeting/runservices.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;
using testing_support::TempHome;

TEST(DbCliTest, CreateInfoCheckAndTheirFailures)
{
    TempHome home;
    const QString path = home.dir() + "/cli.gdb";
    QString out, err;
    ASSERT_EQ(runCli({"db", "create", path}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("version: 2.855"));
    EXPECT_EQ(runCli({"db", "create", path}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The database already exists:"));

    ASSERT_EQ(runCli({"--db", path, "db", "info"}, &out, &err), 0);
    EXPECT_TRUE(out.startsWith("We are currently connecting to this database:\n" + path));
    ASSERT_EQ(runCli({"--db", path, "--json", "db", "check"}, &out), 0);
    const QJsonObject check = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(check["up_to_date"].toString(), "yes");
    EXPECT_EQ(check["version"].toString(), "2.855");
    ASSERT_EQ(runCli({"--db", path, "db", "upgrade"}, &out), 0);

    EXPECT_EQ(runCli({"--db", home.dir() + "/none.gdb", "db", "info"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The database does not exist: "));
    EXPECT_EQ(runCli({"db", "frobnicate"}, &out, &err), 2);
    EXPECT_EQ(runCli({"--db", path, "db", "info", "extra"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("usage: dolvane-cli db info"));
}

TEST(DbCliTest, WithoutDbTheStoredLocationIsUsed)
{
    TempHome home;
    const QString path = home.freshDatabase("Dolvane/Data/Dolvane.gdb");
    QString out, err;
    ASSERT_EQ(runCli({"meeting", "list"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(runCli({"config", "get", "LOCAL_DATABASENAME"}, &out), 0);
    EXPECT_EQ(out.trimmed(), path);
}

TEST(DbCliTest, ConfigStoreAndConfigTableKeepValuesAsTyped)
{
    TempHome home;
    const QString path = home.freshDatabase();
    QString out, err;
    ASSERT_EQ(runCli({"config", "set", "SCHED_START_TIME", "08:30, then 14:00"}), 0);
    ASSERT_EQ(runCli({"config", "get", "SCHED_START_TIME"}, &out), 0);
    EXPECT_EQ(out, "08:30, then 14:00\n");
    QFile ini(home.dir() + "/config/DLVN.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[AUTO_GENERATED]\nSCHED_START_TIME=08:30, then 14:00"));
    ASSERT_EQ(runCli({"config", "delete", "SCHED_START_TIME"}), 0);
    EXPECT_EQ(runCli({"config", "get", "SCHED_START_TIME"}), 1);

    ASSERT_EQ(runCli({"--db", path, "dbconfig", "set", "LOGIN_PASSWORD_TIP", "it's blue"}), 0);
    ASSERT_EQ(runCli({"--db", path, "dbconfig", "get", "LOGIN_PASSWORD_TIP"}, &out), 0);
    EXPECT_EQ(out, "it's blue\n");
    EXPECT_EQ(runCli({"--db", path, "dbconfig", "get", "NOT_THERE"}), 1);
}

TEST(DbCliTest, MeetingDeleteAsksAndAnswersNoWithoutATerminal)
{
    TempHome home;
    const QString path = home.freshDatabase();
    QString out, err;
    EXPECT_EQ(runCli({"--db", path, "meeting", "delete", "5"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no meeting 5"));
    EXPECT_EQ(runCli({"--db", path, "meeting", "delete", "five"}, &out, &err), 2);
}

TEST(DbCliTest, AnOlderDatabaseIsReportedAndNotUsedByTheCommands)
{
    TempHome home;
    const QString path = home.freshDatabase("old.gdb");
    {
        base::ScriptedSink sink;
        base::Run run(sink);
        meeting::createRunSettings(run);
        db::ConnectOptions options;
        options.offerSelect = false;
        options.upgrade = false;
        options.storeLocation = false;
        ASSERT_TRUE(db::connectTo(run, path, options));
        ASSERT_TRUE(run.database()->execute("update DATABASE_VERSION set VERSION = '2.849'"));
    }
    QString out, err;
    EXPECT_EQ(runCli({"--db", path, "--json", "db", "check"}, &out, &err), 1);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["up_to_date"].toString(), "no");
    EXPECT_EQ(runCli({"--db", path, "db", "upgrade"}, &out, &err), 1);
    EXPECT_TRUE(out.contains("upgraded: no")) << out.toStdString();
    EXPECT_TRUE(out.contains("version: 2.849")) << out.toStdString();
    EXPECT_TRUE(err.contains("The database version was left at 2.849")) << err.toStdString();
    EXPECT_EQ(runCli({"--db", path, "meeting", "list"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The database could not be updated:")) << err.toStdString();
}
