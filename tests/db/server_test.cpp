// The database on a Firebird server of the test's own, reached as "127.0.0.1/PORT:path":
// logins, events between two programs, and a server that refuses, goes away or stalls.

#include "support/dbvalidation.h"
#include "support/eventwait.h"
#include "support/firebirdserver.h"
#include "support/testdatabase.h"

#include "db/connect.h"
#include "db/dbevents.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "db/schemaversion.h"
#include "db/sqltext.h"
#include "meeting/runservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <thread>

using testing_support::FirebirdServer;
using testing_support::TempHome;

namespace {

class ServerTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { FirebirdServer::stopShared(); }

    void SetUp() override
    {
        m_server = FirebirdServer::shared();
        ASSERT_TRUE(m_server) << FirebirdServer::sharedError().toStdString();
        m_path = m_home.freshDatabase("served.gdb");
        m_text = m_server->connectionText(m_path);
    }

    // A run of its own connected through the server, as the program on another computer.
    std::unique_ptr<base::Run> connectRun(base::ScriptedSink& sink, const QString& text)
    {
        auto run = std::make_unique<base::Run>(sink);
        meeting::createRunSettings(*run);
        db::ConnectOptions options;
        options.offerSelect = false;
        options.storeLocation = false;
        if (!db::connectTo(*run, text, options))
            return nullptr;
        return run;
    }

    static int configRows(db::DmdCoreDbs& database, const QString& like)
    {
        database.refreshReads();
        return database.ZSqlCount("CONFIG", "SLOT like " + db::quoted(like));
    }

    TempHome m_home;
    FirebirdServer* m_server = nullptr;
    QString m_path;
    QString m_text;
};

bool waitFor(const QStringList& received, int n, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (received.size() < n && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return received.size() >= n;
}

} // namespace

// A server that answers but has no file at the path: the first attempt's "I/O error " ends
// the login, with the one report of a database that cannot be found.
TEST_F(ServerTest, AWrongPathOnTheServerEndsTheLoginAtTheFirstAttempt)
{
    base::ScriptedSink sink;
    base::Run run(sink);
    meeting::createRunSettings(run);
    db::createDatabaseModule(run);
    const QString text = m_server->connectionText(m_home.dir() + "/nowhere/absent.gdb");
    EXPECT_FALSE(run.database()->login(text, 0));
    EXPECT_TRUE(sink.saw("Could not find the network-database\r" + text + "\r\r"));
    EXPECT_EQ(run.database()->loginFailures().size(), 1);
}

TEST_F(ServerTest, TwoProgramsShareTheDatabaseAndHearEachOthersEvents)
{
    base::ScriptedSink sinkA;
    base::ScriptedSink sinkB;
    auto a = connectRun(sinkA, m_text);
    auto b = connectRun(sinkB, m_text);
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->database()->isRemote());

    ASSERT_TRUE(
        db::createEventTrigger(*a->database(), "TRIGGER_CONFIG_WRITTEN", "CONFIG", "RACE_DONE"));
    db::DbEventListener listener(*a->database());
    QStringList received;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&received](const QString& name) { received << name; });
    ASSERT_TRUE(listener.registerEvents(db::capturedEventNames()));
    ASSERT_TRUE(testing_support::waitForEventBaseline(listener));

    ASSERT_TRUE(b->database()->execute("insert into CONFIG (SLOT, THEVALUE) values ('B1', 'x')"));
    ASSERT_TRUE(waitFor(received, 1)) << "the other program's event did not arrive";
    EXPECT_EQ(received, QStringList{"RACE_DONE"});
    EXPECT_EQ(configRows(*a->database(), "B1"), 1);

    // The event channel too listens on the loopback address only.
    const QStringList listening = m_server->listeningAddresses();
    ASSERT_FALSE(listening.isEmpty());
    for (const QString& address : listening)
        EXPECT_TRUE(address.startsWith("127.0.0.1:")) << address.toStdString();
    EXPECT_TRUE(listening.contains("127.0.0.1:" + QString::number(m_server->port())));
    listener.unregisterEvents();
}

TEST_F(ServerTest, TheCommandLineWorksThroughTheServerButBacksUpLocalFilesOnly)
{
    QString out;
    QString err;
    ASSERT_EQ(
        testing_support::runCli({"--db", m_text, "dbconfig", "set", "VIA", "server"}, &out, &err),
        0)
        << err.toStdString();
    ASSERT_EQ(testing_support::runCli({"--db", m_text, "db", "info"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(m_text)) << out.toStdString();
    EXPECT_EQ(testing_support::runCli({"--db", m_text, "snapshot"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("You are connected to a network database")) << err.toStdString();

    base::ScriptedSink sink;
    auto run = connectRun(sink, m_text);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->database()->configRead("VIA"), "server");
}

TEST_F(ServerTest, AServerThatRefusesThePasswordGetsTheConnectionMessage)
{
    FirebirdServer strict(QStringLiteral("not-the-default"));
    ASSERT_TRUE(strict.start()) << strict.error().toStdString();
    base::ScriptedSink sink;
    base::Run run(sink);
    meeting::createRunSettings(run);
    db::createDatabaseModule(run);
    const QString text = strict.connectionText(m_path);
    EXPECT_FALSE(run.database()->login(text, 0));
    // A refusal is not a missing server: every attempt is made and reported.
    EXPECT_FALSE(sink.saw("Could not find the network-database"));
    ASSERT_EQ(run.database()->loginFailures().size(), 3);
    EXPECT_TRUE(run.database()->loginFailures()[0].contains("password"))
        << run.database()->loginFailures()[0].toStdString();
    EXPECT_TRUE(sink.saw("Tamrok could not connect to the database driver (Firebird)."));
    EXPECT_TRUE(sink.saw("You wanted to connect to: " + text));
    EXPECT_FALSE(run.database()->isConnected());
}

TEST_F(ServerTest, AServerWithTheProductsOwnPasswordIsReachedByTheThirdAttempt)
{
    FirebirdServer own{QString::fromLatin1(db::kProductPassword)};
    ASSERT_TRUE(own.start()) << own.error().toStdString();
    base::ScriptedSink sink;
    base::Run run(sink);
    meeting::createRunSettings(run);
    db::createDatabaseModule(run);
    ASSERT_TRUE(run.database()->login(own.connectionText(m_path), 0));
    EXPECT_EQ(run.database()->loginAttemptUsed(), 3);
    EXPECT_EQ(run.database()->loginFailures().size(), 2);
    EXPECT_TRUE(run.database()->execute("insert into CONFIG (SLOT, THEVALUE) values ('A', 'B')"));
}

TEST_F(ServerTest, AServerThatGoesAwayKeepsWhatWasCommittedAndNoneOfTheOpenBatch)
{
    FirebirdServer server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    const QString text = server.connectionText(m_path);
    base::ScriptedSink sink;
    auto run = connectRun(sink, text);
    ASSERT_TRUE(run);
    db::DmdCoreDbs& database = *run->database();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(database.execute("insert into CONFIG (SLOT, THEVALUE) values (" +
                                     db::quoted("KEPT" + QString::number(i)) + ", 'x')"));
    ASSERT_TRUE(database.startBatch());
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(database.batchExecute("insert into CONFIG (SLOT, THEVALUE) values (" +
                                          db::quoted("OPEN" + QString::number(i)) + ", 'x')"));

    server.kill();
    EXPECT_FALSE(database.commitBatch());
    EXPECT_TRUE(database.lastError().isNetworkError())
        << database.lastError().message.toStdString();
    EXPECT_FALSE(database.execute("insert into CONFIG (SLOT, THEVALUE) values ('LATE', 'x')"));
    EXPECT_TRUE(database.lastError().isNetworkError());

    // While it is away a new start is told the network database is not there.
    base::ScriptedSink lateSink;
    base::Run late(lateSink);
    meeting::createRunSettings(late);
    db::createDatabaseModule(late);
    EXPECT_FALSE(late.database()->login(text, 0));
    EXPECT_TRUE(lateSink.saw("Could not find the network-database\r" + text));
    run.reset();

    // Back again: what was committed is there, the open batch is gone whole, and the
    // file passes the engine's own validation.
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    const testing_support::Validation validation = testing_support::validateDatabase(text);
    EXPECT_TRUE(validation.passed()) << validation.report.toStdString();
    base::ScriptedSink againSink;
    auto again = connectRun(againSink, text);
    ASSERT_TRUE(again);
    EXPECT_EQ(configRows(*again->database(), "KEPT%"), 20);
    EXPECT_EQ(configRows(*again->database(), "OPEN%"), 0);
    EXPECT_EQ(configRows(*again->database(), "LATE"), 0);
}

TEST_F(ServerTest, AServerThatAnswersSlowlyFinishesTheStatementWhole)
{
    FirebirdServer server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    base::ScriptedSink sink;
    auto run = connectRun(sink, server.connectionText(m_path));
    ASSERT_TRUE(run);
    server.pause();
    std::thread wake([&server] {
        QThread::msleep(1500);
        server.resume();
    });
    QElapsedTimer timer;
    timer.start();
    const bool written =
        run->database()->execute("insert into CONFIG (SLOT, THEVALUE) values ('SLOW', 'x')");
    const qint64 waited = timer.elapsed();
    wake.join();
    EXPECT_TRUE(written) << run->database()->lastError().message.toStdString();
    EXPECT_GE(waited, 1000); // it really waited for the stalled server
    EXPECT_EQ(configRows(*run->database(), "SLOW"), 1);
}
