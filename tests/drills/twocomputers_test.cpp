// Two officials' computers capturing into one meeting at the same time through the
// server, while a third has the capture screen open: every result lands exactly once,
// either computer's places agree, the open screen hears of each result, and two writes to
// one row never lose the first.

#include "support/capturefixture.h"
#include "support/eventwait.h"
#include "support/firebirdserver.h"
#include "support/killdrill.h"

#include "base/configstore.h"
#include "base/triggersetting.h"
#include "db/connect.h"
#include "db/dbevents.h"
#include "db/fbclient.h"
#include "db/sqltext.h"
#include "meeting/runservices.h"
#include "results/captureevents.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <iostream>
#include <map>

using testing_support::FirebirdServer;

namespace {

constexpr int kLanes = 8;
constexpr int kHeats = 25; // 200 results through the server

// One computer's work: the commands it runs one after the other.
struct Computer {
    QList<QStringList> commands;
    int next = 0;
    std::unique_ptr<QProcess> running;
    QStringList failures;
};

class TwoComputersTest : public CaptureFixture {
protected:
    static void TearDownTestSuite() { FirebirdServer::stopShared(); }

    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        const QList<qint64> all = swimmers(kLanes * kHeats);
        for (int h = 0; h < kHeats; ++h)
            drawHeat(m_event, "A", h + 1, all.mid(h * kLanes, kLanes));
        m_swimmers = all;
        for (int i = 0; i < all.size(); ++i)
            m_times << time(m_free50, 25.0 + 0.37 * ((i * 53) % 211));
    }

    // Each swimmer's time: all different, so that places have one right answer.
    // Worked out while the fixture's own run is open: the tests hand the file to the server.
    const QString& timeOf(int index) const { return m_times[index]; }

    QStringList command(const QString& connection, const QStringList& words) const
    {
        return QStringList{"--db", connection} + words +
               QStringList{"--meeting", QString::number(m_meetingNo)};
    }

    // Computer A takes the odd heats and B the even ones, of the first `heats` heats; both
    // run at the same time. Returns the seconds until both were done.
    double captureOnTwoComputers(const QString& connection, int heats,
                                 const std::function<void()>& whileRunning = {})
    {
        Computer computers[2];
        for (int h = 0; h < heats; ++h) {
            for (int lane = 0; lane < kLanes; ++lane) {
                const int index = h * kLanes + lane;
                computers[h % 2].commands
                    << command(connection, {"result", "set", QString::number(m_event), "A",
                                            QString::number(m_swimmers[index]), timeOf(index)});
            }
        }
        QElapsedTimer timer;
        timer.start();
        bool busy = true;
        while (busy) {
            busy = false;
            for (Computer& c : computers) {
                if (c.running && c.running->state() != QProcess::NotRunning) {
                    c.running->waitForFinished(2);
                    busy = true;
                    continue;
                }
                if (c.running && c.running->exitCode() != 0)
                    c.failures << QString::fromUtf8(c.running->readAllStandardError());
                c.running.reset();
                if (c.next < c.commands.size()) {
                    c.running = drills::startCli(c.commands[c.next++]);
                    busy = true;
                }
            }
            if (whileRunning)
                whileRunning();
            if (timer.elapsed() > 300000)
                break;
        }
        const double seconds = double(timer.elapsed()) / 1000.0;
        for (const Computer& c : computers) {
            EXPECT_EQ(c.next, c.commands.size()) << "a computer did not finish its results";
            EXPECT_TRUE(c.failures.isEmpty()) << c.failures.join("\n").toStdString();
        }
        return seconds;
    }

    // A run of its own connected through the server, as the computer with the screen.
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

    // Athlete number to (performance, place, placed in event) of the event's heats.
    static std::map<qint64, QStringList> heatRows(drills::DatabaseWatcher& watcher, qint64 eventNo)
    {
        std::map<qint64, QStringList> out;
        const db::ResultSet rows = watcher.rows(
            "select ATHLETENO, PERFORMANCE, PLACE, E_PLACE from HEATPART where EVENTNO = " +
            db::sqlInt(eventNo));
        for (const auto& row : rows.rows)
            out[row[0].toLongLong()] = {row[1].toString(), row[2].toString(), row[3].toString()};
        return out;
    }

    qint64 m_event = 0;
    QList<qint64> m_swimmers;
    QStringList m_times;
};

} // namespace

TEST_F(TwoComputersTest, TwoComputersCaptureTogetherThroughTheServerAndNothingIsLostOrDoubled)
{
    // The same work on the embedded engine first, for the rate beside the server's.
    const int embeddedHeats = 6;
    const double embeddedSeconds = captureOnTwoComputers(m_path, embeddedHeats);
    EXPECT_EQ(count("HEATPART", "PERFORMANCE <> ''"), embeddedHeats * kLanes);
    ASSERT_TRUE(database().execute("update HEATPART set PERFORMANCE = '', PLACE = 0, E_PLACE = 0"));
    m_run.reset(); // from here on the file belongs to the server

    FirebirdServer* server = FirebirdServer::shared();
    ASSERT_TRUE(server) << FirebirdServer::sharedError().toStdString();
    const QString served = server->connectionText(m_path);

    // The third computer, with a capture screen open: it listens as the screen does.
    base::ScriptedSink screenSink;
    auto screen = connectRun(screenSink, served);
    ASSERT_TRUE(screen);
    screen->config().writeInt(base::kGdbTriggersActive, 1);
    db::DbEventListener listener(*screen->database());
    int heard = 0;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&heard](const QString& name) { heard += name == "RACE_DONE"; });
    ASSERT_TRUE(results::registerCaptureEvents(*screen, listener));
    ASSERT_TRUE(testing_support::waitForEventBaseline(listener));

    const int results = kHeats * kLanes;
    const double serverSeconds = captureOnTwoComputers(
        served, kHeats, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 1); });
    std::cout << "[ drill    ] results captured per second by two computers: "
              << double(results) / serverSeconds << " through the server, "
              << double(embeddedHeats * kLanes) / embeddedSeconds << " on the embedded engine"
              << std::endl;
    RecordProperty("results_per_second_server", int(double(results) / serverSeconds));
    RecordProperty("results_per_second_embedded",
                   int(double(embeddedHeats * kLanes) / embeddedSeconds));

    // Each result committed on its own: the screen heard at least one event for each.
    QElapsedTimer wait;
    wait.start();
    while (heard < results && wait.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_GE(heard, results);

    // Every result exactly once, each as its computer typed it.
    drills::DatabaseWatcher watcher(served);
    ASSERT_TRUE(watcher.isOpen());
    EXPECT_EQ(
        watcher.number("select count(*) from HEATPART where EVENTNO = " + db::sqlInt(m_event)),
        results);
    const auto captured = heatRows(watcher, m_event);
    for (int i = 0; i < results; ++i) {
        ASSERT_TRUE(captured.count(m_swimmers[i]));
        EXPECT_EQ(captured.at(m_swimmers[i])[0], timeOf(i)) << "swimmer " << i;
    }

    // Places calculated on A, wiped, calculated again on B: the same places.
    QString out;
    QString err;
    const QStringList calc = command(served, {"places", "calc", QString::number(m_event)});
    ASSERT_EQ(testing_support::runCli(calc, &out, &err), 0) << err.toStdString();
    const auto placedOnA = heatRows(watcher, m_event);
    EXPECT_EQ(watcher.number("select count(*) from HEATPART where EVENTNO = " +
                             db::sqlInt(m_event) + " and PLACE between 1 and 8"),
              results);
    base::ScriptedSink wipeSink;
    auto wiper = connectRun(wipeSink, served);
    ASSERT_TRUE(wiper);
    ASSERT_TRUE(wiper->database()->execute("update HEATPART set PLACE = 0, E_PLACE = 0"));
    wiper.reset();
    ASSERT_EQ(testing_support::runCli(calc, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(heatRows(watcher, m_event), placedOnA);
}

TEST_F(TwoComputersTest, AResultTypedWhileAnotherComputerHoldsTheRowIsRefusedAndNothingIsLost)
{
    m_run.reset();
    FirebirdServer* server = FirebirdServer::shared();
    ASSERT_TRUE(server) << FirebirdServer::sharedError().toStdString();
    const QString served = server->connectionText(m_path);
    base::ScriptedSink sink;
    auto first = connectRun(sink, served);
    ASSERT_TRUE(first);

    // The first computer is writing the swimmer's result and has not committed yet.
    const QString held = timeOf(1);
    db::FbAttachment& attachment = *first->database()->attachment();
    db::FbTransaction writing(db::TransactionKind::Modify);
    db::DbError error;
    ASSERT_TRUE(writing.start(attachment, &error)) << error.message.toStdString();
    ASSERT_TRUE(db::fbExecute(attachment, writing,
                              "update HEATPART set PERFORMANCE = " + db::quoted(held) +
                                  " where EVENTNO = " + db::sqlInt(m_event) +
                                  " and ATHLETENO = " + db::sqlInt(m_swimmers[0]),
                              &error))
        << error.message.toStdString();

    // The second computer types the same swimmer's result meanwhile.
    const QStringList second = command(served, {"result", "set", QString::number(m_event), "A",
                                                QString::number(m_swimmers[0]), timeOf(2)});
    QString out;
    QString err;
    EXPECT_EQ(testing_support::runCli(second, &out, &err), 1);
    EXPECT_TRUE(err.contains("Action not executed")) << err.toStdString();

    // The first computer's result stands; the second, typed again, then replaces it.
    ASSERT_TRUE(writing.commit(&error)) << error.message.toStdString();
    drills::DatabaseWatcher watcher(served);
    const auto afterFirst = heatRows(watcher, m_event);
    EXPECT_EQ(afterFirst.at(m_swimmers[0])[0], held);
    ASSERT_EQ(testing_support::runCli(second, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(heatRows(watcher, m_event).at(m_swimmers[0])[0], timeOf(2));
}
