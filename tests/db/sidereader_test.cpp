// Work on a second connection to the database, on a thread of its own.

#include "support/testdatabase.h"

#include "db/cursor.h"
#include "db/sidereader.h"
#include "db/sqltext.h"

#include <QStringList>

#include <future>
#include <thread>

using testing_support::DatabaseTest;

namespace {

class SideReaderTest : public DatabaseTest {
protected:
    void addTeams(int count)
    {
        for (int i = 1; i <= count; ++i)
            ASSERT_TRUE(database().execute(
                "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (" + db::sqlInt(i) +
                ", 1, " + db::quoted(QStringLiteral("Team %1").arg(i)) + ")"));
    }
    static QStringList names(db::DmdCoreDbs& connection)
    {
        QStringList out;
        db::Cursor q(connection, "select TEAMNAME from TEAM order by TEAMNO");
        while (q.next())
            out << q.trimmed(0);
        return out;
    }
};

TEST_F(SideReaderTest, TheWorkReadsTheCommittedRowsOnAConnectionOfItsOwnInTheOrderPosted)
{
    addTeams(300);
    const QStringList expected = names(database());
    QStringList read;
    std::thread::id ranOn;
    QList<int> order;
    {
        db::SideReader side(database());
        side.post([&](db::DmdCoreDbs& connection) {
            ranOn = std::this_thread::get_id();
            EXPECT_NE(&connection, &database());
            read = names(connection);
            order << 1;
        });
        side.post([&](db::DmdCoreDbs&) { order << 2; });
        // The caller reads on its own connection meanwhile.
        EXPECT_EQ(names(database()), expected);
        side.wait();
        EXPECT_EQ(read, expected);
        EXPECT_EQ(order, (QList<int>{1, 2}));
        EXPECT_NE(ranOn, std::this_thread::get_id());
        // Work posted after a wait runs too, and going away waits for it.
        side.post([&](db::DmdCoreDbs&) { order << 3; });
    }
    EXPECT_EQ(order, (QList<int>{1, 2, 3}));
}

TEST_F(SideReaderTest, WhatTheWorkTellsIsToldOnTheCallersThreadOnceWaitedFor)
{
    db::SideReader side(database());
    side.post([](db::DmdCoreDbs& connection) {
        connection.messages().warning(QStringLiteral("There are no Athletes Placed in Finals yet"));
        // A question cannot be answered there: No.
        EXPECT_FALSE(connection.messages().confirm(QStringLiteral("Continue")));
        // A statement the engine refuses is told like any other.
        db::Cursor q(connection, "select NOSUCHCOLUMN from TEAM");
        EXPECT_FALSE(q.isOpen());
    });
    std::promise<void> done;
    side.post([&done](db::DmdCoreDbs&) { done.set_value(); });
    // Nothing reaches the user from the other thread.
    done.get_future().wait();
    EXPECT_FALSE(m_sink.saw("There are no Athletes Placed in Finals yet"));
    side.wait();
    EXPECT_TRUE(m_sink.saw("There are no Athletes Placed in Finals yet"));
    EXPECT_TRUE(m_sink.saw("NOSUCHCOLUMN"));
    const qsizetype shown = m_sink.shown().size();
    side.wait();
    EXPECT_EQ(m_sink.shown().size(), shown) << "told once";
}

TEST_F(SideReaderTest, TheConnectionKeepsItsReaderAndItsAttachmentUntilItCloses)
{
    const auto userAttachments = [](db::DmdCoreDbs& connection) {
        db::Cursor q(connection, "select count(*) from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0");
        return q.next() ? q.integer(0) : -1;
    };
    db::SideReader& side = database().sideReader();
    EXPECT_EQ(&database().sideReader(), &side);
    addTeams(2);
    const db::DmdCoreDbs* first = nullptr;
    QStringList read;
    side.post([&](db::DmdCoreDbs& connection) {
        first = &connection;
        read = names(connection);
    });
    side.wait();
    EXPECT_EQ(read, (QStringList{"Team 1", "Team 2"}));
    // A later run reads on the same attachment, and sees what was committed since.
    ASSERT_TRUE(database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (3, 1, "
                                   "'Team 3')"));
    const db::DmdCoreDbs* second = nullptr;
    side.post([&](db::DmdCoreDbs& connection) {
        second = &connection;
        read = names(connection);
    });
    side.wait();
    EXPECT_EQ(second, first);
    EXPECT_EQ(read, (QStringList{"Team 1", "Team 2", "Team 3"}));
    EXPECT_EQ(userAttachments(database()), 2);

    // Closing the connection ends its reader's attachment: another program finds itself
    // alone on the file.
    database().close();
    base::ScriptedSink sink;
    const std::unique_ptr<base::Run> other = secondRun(sink);
    ASSERT_TRUE(other && other->database() && other->database()->isConnected());
    EXPECT_EQ(userAttachments(*other->database()), 1);
}

} // namespace
