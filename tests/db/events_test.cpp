#include "support/eventwait.h"
#include "support/testdatabase.h"

#include "db/dbevents.h"
#include "db/schemaversion.h"
#include "db/sqltext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

using testing_support::DatabaseTest;

namespace {

class EventsTest : public DatabaseTest {
protected:
    // Waits for `n` received names, handling queued calls meanwhile.
    bool waitFor(const QStringList& received, int n, int milliseconds = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (received.size() < n && timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return received.size() >= n;
    }
};

} // namespace

TEST_F(EventsTest, AnotherProcessInsertingARowReachesTheListenerEachTime)
{
    // Every new CONFIG row posts RACE_DONE, as a timing program's trigger would.
    ASSERT_TRUE(
        db::createEventTrigger(database(), "TRIGGER_CONFIG_WRITTEN", "CONFIG", "RACE_DONE"));
    db::DbEventListener listener(database());
    QStringList received;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&received](const QString& name) { received << name; });
    ASSERT_TRUE(listener.registerEvents(db::capturedEventNames()));
    ASSERT_TRUE(testing_support::waitForEventBaseline(listener));

    for (int i = 1; i <= 3; ++i) {
        QString err;
        ASSERT_EQ(testing_support::runCli(
                      {"--db", m_path, "dbconfig", "set", "SLOT" + QString::number(i), "x"},
                      nullptr, &err),
                  0)
            << err.toStdString();
        ASSERT_TRUE(waitFor(received, i)) << "event " << i << " did not arrive";
    }
    EXPECT_EQ(received, QStringList({"RACE_DONE", "RACE_DONE", "RACE_DONE"}));

    listener.unregisterEvents();
    EXPECT_FALSE(listener.isRegistered());
}

TEST_F(EventsTest, ASecondAttachmentInThisProcessIsHeardToo)
{
    ASSERT_TRUE(db::createEventTrigger(database(), "TRIGGER_CLRM", "TEAM", "CLRM_STATUS"));
    db::DbEventListener listener(database());
    QStringList received;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&received](const QString& name) { received << name; });
    ASSERT_TRUE(listener.registerEvents(db::capturedEventNames()));
    ASSERT_TRUE(testing_support::waitForEventBaseline(listener));

    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    other->database()->execute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 1)");
    other->database()->execute("insert into TEAM (TEAMNO, MEETINGNO) values (2, 1)");
    ASSERT_TRUE(waitFor(received, 2));
    EXPECT_EQ(received, QStringList({"CLRM_STATUS", "CLRM_STATUS"}));

    // Once the screen has closed its listener, nothing more arrives.
    listener.unregisterEvents();
    other->database()->execute("insert into TEAM (TEAMNO, MEETINGNO) values (3, 1)");
    EXPECT_FALSE(waitFor(received, 3, 1500));
    EXPECT_EQ(received.size(), 2);
}

TEST_F(EventsTest, ARaceFileReadOnAnotherAttachmentTellsTheCaptureScreens)
{
    // The empty database's own trigger: no trigger is made by the test.
    db::DbEventListener listener(database());
    QStringList received;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&received](const QString& name) { received << name; });
    ASSERT_TRUE(listener.registerEvents(db::capturedEventNames()));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);

    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    // The listener may still be settling on a busy machine: another race file follows
    // when the first was not heard in time.
    for (int race = 1; race <= 5 && received.isEmpty(); ++race) {
        ASSERT_TRUE(other->database()->execute(
            "insert into EIF_RACE (RACENO, MEETINGNO, FILE_NAME) values (" + db::sqlInt(race) +
            ", 1, 'race00" + QString::number(race) + ".lif')"));
        waitFor(received, 1, 3000);
    }
    ASSERT_FALSE(received.isEmpty());
    EXPECT_EQ(received.count("RACE_DONE"), received.size());
}

TEST_F(EventsTest, NamesThatWereNotRegisteredAreNotHeard)
{
    ASSERT_TRUE(db::createEventTrigger(database(), "TRIGGER_RUN", "TEAM", "RUN_STARTED"));
    ASSERT_TRUE(db::createEventTrigger(database(), "TRIGGER_DRAWN", "ATHLETE", "CLRM_DRAWN"));
    db::DbEventListener listener(database());
    QStringList received;
    QObject::connect(&listener, &db::DbEventListener::received,
                     [&received](const QString& name) { received << name; });
    ASSERT_TRUE(listener.registerEvents({"CLRM_DRAWN"}));
    ASSERT_TRUE(testing_support::waitForEventBaseline(listener));

    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    other->database()->execute("insert into TEAM (TEAMNO, MEETINGNO) values (1, 1)");
    other->database()->execute(
        "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO) values (2, 1, 1)");
    ASSERT_TRUE(waitFor(received, 1));
    EXPECT_FALSE(waitFor(received, 2, 1000));
    EXPECT_EQ(received, QStringList{"CLRM_DRAWN"});
}

TEST_F(EventsTest, NamesAreDispatchedToTheirViews)
{
    EXPECT_EQ(db::dispatchEvent(database(), "CLRM_STATUS"), db::EventTarget::CallRoomViews);
    EXPECT_EQ(db::dispatchEvent(database(), "RACE_DONE"), db::EventTarget::CaptureViews);
    EXPECT_EQ(db::dispatchEvent(database(), "RUN_STARTED"), db::EventTarget::CaptureViews);
    EXPECT_EQ(db::dispatchEvent(database(), "SOMETHING"), db::EventTarget::None);
    EXPECT_TRUE(m_sink.saw("Unkown database trigger event:\rSOMETHING"));
}
