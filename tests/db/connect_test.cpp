#include "support/firebirdserver.h"
#include "support/testdatabase.h"

#include "base/paths.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "meeting/runservices.h"

#include <QDir>
#include <QFile>

using testing_support::TempHome;

namespace {

std::unique_ptr<base::Run> newRun(base::ScriptedSink& sink)
{
    auto run = std::make_unique<base::Run>(sink);
    meeting::createRunSettings(*run);
    return run;
}

// A run over a temporary profile, answering from a script.
struct ConnectFixture : public ::testing::Test {
    TempHome home;
    base::ScriptedSink sink;
    std::unique_ptr<base::Run> run = newRun(sink);

    QString defaultPath() { return base::defaultDatabasePath(run->globals()); }
    QString makeDefault() { return home.freshDatabase("Dolvane/Data/Dolvane.gdb"); }
    bool connect(bool offerSelect = false)
    {
        db::ConnectOptions options;
        options.offerSelect = offerSelect;
        return db::connectDatabase(*run, options);
    }
    // Runs SQL on a file through an attachment of its own.
    void alter(const QString& path, const QString& sql)
    {
        db::DbError error;
        auto attachment =
            db::FbAttachment::attach(path, db::Credentials{"SYSDBA", "masterkey"}, &error);
        ASSERT_TRUE(attachment) << error.message.toStdString();
        db::FbTransaction t(db::TransactionKind::Modify);
        ASSERT_TRUE(t.start(*attachment, &error));
        ASSERT_TRUE(db::fbExecute(*attachment, t, sql, &error)) << error.message.toStdString();
        ASSERT_TRUE(t.commit(&error));
    }
};

} // namespace

TEST_F(ConnectFixture, WithNoStoredLocationTheDefaultIsUsedWithoutAsking)
{
    ASSERT_EQ(makeDefault(), defaultPath());
    ASSERT_TRUE(connect());
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
    EXPECT_EQ(sink.shown().size(), 0);
    EXPECT_EQ(run->database()->loginAttemptUsed(), 1);
    EXPECT_EQ(run->config().readInt(db::kUseRemoteDatabase), 2);
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), defaultPath());
}

TEST_F(ConnectFixture, AStoredDatabaseIsUsedDirectly)
{
    makeDefault();
    const QString other = home.freshDatabase("elsewhere/meet.gdb");
    run->config().writeText(db::kLocalDatabaseName, other);
    ASSERT_TRUE(connect());
    EXPECT_EQ(run->database()->connectionText(), other);
    EXPECT_EQ(sink.shown().size(), 0);
}

TEST_F(ConnectFixture, ADeletedStoredDatabaseWarnsAndOffersTheDefault)
{
    makeDefault();
    run->config().writeText(db::kLocalDatabaseName, home.dir() + "/gone.gdb");
    sink.answerNo();
    EXPECT_FALSE(connect());
    EXPECT_TRUE(sink.saw("Specified database does not exist: \r" + home.dir() + "/gone.gdb"));
    EXPECT_TRUE(sink.saw("The default database exists: \r" + defaultPath() +
                         "\r\rDo you want to connect to that instead ?"));

    run = newRun(sink);
    sink.answerYes();
    ASSERT_TRUE(connect());
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), defaultPath());
}

TEST_F(ConnectFixture, NothingToConnectToWarnsAndMayAskForAFile)
{
    EXPECT_FALSE(connect());
    EXPECT_TRUE(sink.saw("Current Database not specified yet"));
    EXPECT_TRUE(sink.saw("Default Database does not exist: \r" + defaultPath()));

    run = newRun(sink);
    const QString chosen = home.freshDatabase("picked.gdb");
    const QString empty = home.freshDatabase("EmptyTemplate.gdb");
    sink.answerYes();
    sink.answerFile(empty);
    sink.answerYes();
    sink.answerFile(chosen);
    ASSERT_TRUE(connect(true));
    EXPECT_TRUE(sink.saw("You are not allowed to connect to a file\rthat starts with \"Empty\"."));
    EXPECT_EQ(run->database()->connectionText(), chosen);
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), chosen);
}

TEST_F(ConnectFixture, BadFilesGetTheirMessageAndStayUntouched)
{
    base::Messages& messages = run->messages();
    EXPECT_FALSE(db::checkDatabaseFile(messages, ""));
    EXPECT_TRUE(sink.saw("The database is not specified. \rPlease select one"));
    EXPECT_FALSE(db::checkDatabaseFile(messages, home.dir() + "/missing.gdb"));
    EXPECT_TRUE(sink.saw("The database does not exist: \r" + home.dir() + "/missing.gdb" +
                         "\r\rPlease select one before trying to connect to it."));
    const QString readOnly = home.freshDatabase("ro.gdb");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    if (QFileInfo(readOnly).isWritable()) {
        // Running as root: the file stays writable whatever its mode says.
        GTEST_LOG_(INFO) << "read-only check not possible as root";
    } else {
        EXPECT_FALSE(db::checkDatabaseFile(messages, readOnly));
        EXPECT_TRUE(sink.saw("The database is read-only: \r"));
    }

    const QString text = home.dir() + "/notes.gdb";
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some notes, not a database\n");
    file.close();
    EXPECT_FALSE(db::connectTo(*run, text, db::ConnectOptions{}));
    EXPECT_TRUE(sink.saw("Tamrok could not connect to the database driver (Firebird)."));
    EXPECT_TRUE(sink.saw("You wanted to connect to: " + text));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("just some notes, not a database\n"));
}

TEST_F(ConnectFixture, AnOldFormatDatabaseIsRefused)
{
    const QString path = home.freshDatabase("old.gdb");
    alter(path, "drop table DATABASE_VERSION");
    db::ConnectOptions options;
    options.offerSelect = false;
    EXPECT_FALSE(db::connectTo(*run, path, options));
    EXPECT_TRUE(sink.saw("This database is a Tamrok 2000 database.\rYou cannot connect to it, "
                         "but you can\rimport Meetings from it under Manage Data."));
    EXPECT_FALSE(db::isConnected(*run));
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), "");
}

TEST_F(ConnectFixture, AnUnreachableServerStopsAfterTheFirstAttempt)
{
    // Nothing listens on this port of the loopback address.
    db::createDatabaseModule(*run);
    const QString text = "127.0.0.1/3999:/srv/nowhere.gdb";
    EXPECT_FALSE(run->database()->login(text, 0));
    EXPECT_TRUE(sink.saw("Could not find the network-database\r" + text + "\r\r"));
    EXPECT_EQ(run->database()->loginFailures().size(), 1);
    EXPECT_FALSE(sink.saw("Tamrok could not connect"));
}

// A server that answers but has no file at the path says "I/O error ": no other login
// can help, so the login stops as for an unreachable one.
TEST_F(ConnectFixture, AMissingFileIsAnUnreachableDatabaseNotANetworkError)
{
    db::DbError error;
    const QString missing = home.dir() + "/nowhere/absent.gdb";
    EXPECT_FALSE(db::FbAttachment::attach(missing, db::Credentials{"SYSDBA", "masterkey"}, &error));
    ASSERT_TRUE(error.message.contains("I/O error ")) << error.message.toStdString();
    EXPECT_FALSE(error.isNetworkError());
    EXPECT_TRUE(error.isUnreachableDatabase());
    db::DbError refused{QStringLiteral("Your user name and password are not defined."), {}};
    EXPECT_FALSE(refused.isUnreachableDatabase());
}

TEST_F(ConnectFixture, AStoredRemoteDatabaseIsAskedForOnTheFirstRunOnly)
{
    makeDefault();
    run->config().writeInt(db::kUseRemoteDatabase, 1);
    run->config().writeText(db::kRemoteIpAddress, "127.0.0.1/3999");
    run->config().writeText(db::kRemoteDatabaseName, "/srv/meet.gdb");
    sink.answerNo();  // not the remote one
    sink.answerYes(); // the default instead
    ASSERT_TRUE(connect());
    EXPECT_TRUE(sink.saw("The last time you connected to a remote database :\r127.0.0.1/3999   "
                         "/srv/meet.gdb\r\rDo you still want to connect to that database ?"));
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
}

TEST_F(ConnectFixture, AServerOnThisComputerIsReachedThroughItsAddress)
{
    testing_support::FirebirdServer* server = testing_support::FirebirdServer::shared();
    ASSERT_TRUE(server) << testing_support::FirebirdServer::sharedError().toStdString();
    const QString path = home.freshDatabase("served.gdb");
    db::createDatabaseModule(*run);
    const QString text = server->connectionText(path);
    ASSERT_TRUE(run->database()->login(text, 0));
    EXPECT_TRUE(run->database()->isRemote());
    EXPECT_EQ(run->database()->loginAttemptUsed(), 1);
    EXPECT_EQ(run->database()->connectionText(), text);
    EXPECT_EQ(run->database()->ZSqlCount("DATABASE_VERSION", "1=1"), 1);
    // The engine of the server has the file, not ours.
    EXPECT_EQ(run->database()->selectOneValue("MON$REMOTE_PROTOCOL", "MON$ATTACHMENTS",
                                              "MON$ATTACHMENT_ID = current_connection"),
              "TCPv4");
}

TEST_F(ConnectFixture, ShowCurrentDatabaseNamesFileVersionAndRelease)
{
    makeDefault();
    ASSERT_TRUE(connect());
    const QString text = db::currentDatabaseText(*run);
    EXPECT_TRUE(text.startsWith("We are currently connecting to this database:\r" + defaultPath()));
    EXPECT_TRUE(text.contains("The version of the database is 2.855"));
    EXPECT_TRUE(text.contains("The release of the program is 24.150"));
}

TEST_F(ConnectFixture, ChangingToAnotherLocalDatabaseStoresItAndEndsTheProgram)
{
    makeDefault();
    ASSERT_TRUE(connect());
    const QString other = home.freshDatabase("other.gdb");

    sink.answerButton(2); // Cancel
    EXPECT_EQ(db::changeDatabase(*run), db::ChangeResult::Cancelled);

    sink.answerButton(0);
    sink.answerFile(defaultPath());
    EXPECT_EQ(db::changeDatabase(*run), db::ChangeResult::Refused);
    EXPECT_TRUE(sink.saw("This is the database you are currently connected to:\r" + defaultPath()));

    sink.answerButton(1);
    sink.answerText("");
    sink.answerText("/srv/meet.gdb");
    EXPECT_EQ(db::changeDatabase(*run), db::ChangeResult::Refused);
    EXPECT_TRUE(sink.saw("The IP-address is not entered"));

    sink.answerButton(0);
    sink.answerFile(other);
    EXPECT_EQ(db::changeDatabase(*run), db::ChangeResult::EndProgram);
    EXPECT_TRUE(sink.saw("Connecting to\r" + other));
    EXPECT_TRUE(sink.saw("The application will now be terminated.\rPlease restart the "
                         "program.\rThe new database will then be used."));
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), other);
    // The run keeps its own connection until it ends.
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
}

TEST_F(ConnectFixture, ChangingDatabaseRefusesWhatCannotBeUsedAndKeepsTheStoredLocation)
{
    makeDefault();
    ASSERT_TRUE(connect());
    const QString stored = run->config().readText(db::kLocalDatabaseName);
    ASSERT_EQ(stored, defaultPath());
    const auto refused = [&](const QString& expected) {
        EXPECT_EQ(db::changeDatabase(*run), db::ChangeResult::Refused) << expected.toStdString();
        EXPECT_TRUE(sink.saw(expected)) << expected.toStdString();
        EXPECT_FALSE(sink.saw("The application will now be terminated."));
        EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), stored);
        EXPECT_NE(run->config().readInt(db::kUseRemoteDatabase), 1);
    };

    sink.answerButton(0);
    sink.answerFile("");
    refused("The database is not selected");

    sink.answerButton(0);
    sink.answerFile(home.dir() + "/gone.gdb");
    refused("Did you click ON the file ITSELF?");

    // The installation may overwrite a file of that name.
    sink.answerButton(0);
    sink.answerFile(home.freshDatabase("EmptyDolvane.gdb"));
    refused("You are not allowed to connect to a file\rthat starts with \"Empty\".");

    sink.answerButton(1);
    sink.answerText("192.0.2.7");
    sink.answerText("   ");
    refused("The database is not selected");

    // A server that does not answer: nothing is stored for the next start.
    sink.answerButton(1);
    sink.answerText("127.0.0.1/3999");
    sink.answerText("/srv/nowhere.gdb");
    refused("Could not find the network-database\r127.0.0.1/3999:/srv/nowhere.gdb");

    // A file of the older format is opened on a trial connection and turned away.
    const QString old = home.freshDatabase("old.gdb");
    alter(old, "drop table DATABASE_VERSION");
    sink.answerButton(0);
    sink.answerFile(old);
    refused("This database is a Tamrok 2000 database.");

    // None of the trials disturbed the run's own connection.
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
    EXPECT_EQ(run->database()->ZSqlCount("DATABASE_VERSION", "1=1"), 1);
}

TEST_F(ConnectFixture, TheLoginOptionChoosesTheAttemptsAndAFailureListsEachOfThem)
{
    db::createDatabaseModule(*run);
    db::DmdCoreDbs& database = *run->database();
    const QString notes = home.dir() + "/notes.gdb";
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database\n");
    file.close();

    // Options other than 0, 1 and 2 make no attempt and say nothing.
    EXPECT_FALSE(database.login(notes, 3));
    EXPECT_FALSE(database.login(notes, -1));
    EXPECT_TRUE(sink.shown().isEmpty());
    EXPECT_TRUE(database.loginFailures().isEmpty());

    EXPECT_FALSE(database.login(notes, 1));
    EXPECT_EQ(database.loginFailures().size(), 1);
    EXPECT_FALSE(database.login(notes, 2));
    EXPECT_EQ(database.loginFailures().size(), 2);
    sink.clear();
    EXPECT_FALSE(database.login(notes, 0));
    ASSERT_EQ(database.loginFailures().size(), 3);
    EXPECT_EQ(database.loginAttemptUsed(), 0);
    EXPECT_FALSE(database.isConnected());
    ASSERT_EQ(sink.shown().size(), 1);
    const QString report = sink.shown()[0].text;
    for (const QString& failure : database.loginFailures())
        EXPECT_TRUE(report.contains("\r" + failure)) << failure.toStdString();
    EXPECT_TRUE(sink.progressTexts().contains(notes + ": busy Connecting"));

    // In developer mode the hint about the client library comes first.
    run->messages().setDeveloperMode(true);
    sink.clear();
    EXPECT_FALSE(database.login(notes, 0));
    ASSERT_EQ(sink.shown().size(), 2);
    EXPECT_TRUE(sink.shown()[0].text.contains("You may need to copy gds32.dll to two places"));
    EXPECT_TRUE(sink.shown()[1].text.contains("Tamrok could not connect to the database driver"));
}

TEST_F(ConnectFixture, ALoginAfterAFailedOneWorksAndReadsAtOnce)
{
    db::createDatabaseModule(*run);
    db::DmdCoreDbs& database = *run->database();
    EXPECT_FALSE(database.login(home.dir() + "/missing.gdb", 1));
    const QString path = home.freshDatabase("club.gdb");
    ASSERT_TRUE(database.login(path, 1));
    EXPECT_EQ(database.loginAttemptUsed(), 1);
    EXPECT_TRUE(database.loginFailures().isEmpty());
    EXPECT_EQ(database.connectionText(), path);
    EXPECT_EQ(database.ZSqlCount("DATABASE_VERSION", "1=1"), 1);
    EXPECT_FALSE(sink.saw("Transaction was already active"));
    // Attempts 2 and 3 only: the embedded engine takes the login without a password.
    database.close();
    ASSERT_TRUE(database.login(path, 2));
    EXPECT_EQ(database.loginAttemptUsed(), 2);
    EXPECT_TRUE(database.execute("insert into CONFIG (SLOT, THEVALUE) values ('A', 'B')"));
}

TEST_F(ConnectFixture, AfterARemoteDatabaseTheStoredLocalOneIsAskedForAndThenStored)
{
    makeDefault();
    const QString local = home.freshDatabase("club/local.gdb");
    auto storeRemoteAndLocal = [&] {
        run->config().writeInt(db::kUseRemoteDatabase, 1);
        run->config().writeText(db::kRemoteIpAddress, "127.0.0.1/3999");
        run->config().writeText(db::kRemoteDatabaseName, "/srv/meet.gdb");
        run->config().writeText(db::kLocalDatabaseName, local);
    };
    storeRemoteAndLocal();
    sink.answerNo(); // not the remote one
    sink.answerNo(); // not the last local one either
    sink.answerNo(); // nor the default
    EXPECT_FALSE(connect());
    EXPECT_TRUE(sink.saw("The last local database that you specified exists:\r" + local +
                         "\r\rDo you want to connect to that instead ?"));
    EXPECT_TRUE(sink.saw("The default database exists: \r" + defaultPath()));
    EXPECT_EQ(run->config().readInt(db::kUseRemoteDatabase), 1);

    run = newRun(sink);
    sink.clear();
    sink.answerNo();
    sink.answerYes();
    ASSERT_TRUE(connect());
    EXPECT_EQ(run->database()->connectionText(), local);
    EXPECT_FALSE(sink.saw("The default database exists"));
    // The next start goes straight to the local database.
    EXPECT_EQ(run->config().readInt(db::kUseRemoteDatabase), 2);
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), local);
    EXPECT_EQ(run->config().readText(db::kRemoteIpAddress), "127.0.0.1/3999");
}

TEST_F(ConnectFixture, AStoredDatabaseOfTheOldFormatIsRefusedAndTheDefaultOffered)
{
    makeDefault();
    const QString old = home.freshDatabase("old.gdb");
    alter(old, "drop table DATABASE_VERSION");
    run->config().writeText(db::kLocalDatabaseName, old);
    sink.answerYes();
    ASSERT_TRUE(connect());
    EXPECT_TRUE(sink.saw("This database is a Tamrok 2000 database."));
    EXPECT_EQ(run->database()->connectionText(), defaultPath());
    EXPECT_EQ(run->config().readText(db::kLocalDatabaseName), defaultPath());
}
