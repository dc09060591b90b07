#include "support/testdatabase.h"

#include "db/sqltext.h"

using testing_support::DatabaseTest;

namespace {

class TransactionsTest : public DatabaseTest {
protected:
    QString insertTeam(int teamNo, const QString& name = QStringLiteral("Sharks"))
    {
        return "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME) values (" + db::sqlInt(teamNo) +
               ", 1, " + db::quoted(name) + ")";
    }
};

TEST_F(TransactionsTest, KeyNumbersOfTwoProgramsOnOneDatabaseNeverMeet)
{
    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    QList<qint64> drawn;
    for (int i = 0; i < 5; ++i) {
        drawn << database().nextKeyNumber();
        drawn << other->database()->nextKeyNumber();
    }
    for (int i = 1; i < drawn.size(); ++i)
        EXPECT_GT(drawn[i], drawn[i - 1]) << "draw " << i;
    // Rows keyed by both programs all land.
    for (int i = 0; i < drawn.size(); i += 2) {
        EXPECT_TRUE(database().execute(insertTeam(int(drawn[i]))));
        EXPECT_TRUE(other->database()->execute(insertTeam(int(drawn[i + 1]))));
    }
    EXPECT_EQ(count("TEAM"), drawn.size());
}

TEST_F(TransactionsTest, EachModifyIsCommittedAtOnceAndSeenByAnotherProgram)
{
    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    ASSERT_TRUE(database().execute(insertTeam(1)));
    EXPECT_EQ(other->database()->ZSqlCount("TEAM", "TEAMNO = 1"), 1);
    EXPECT_EQ(database().executeRowsAffected("update TEAM set TEAMNAME = 'Orcas'"), 1);
    EXPECT_EQ(other->database()->selectOneValue("TEAMNAME", "TEAM", "TEAMNO = 1"), "Orcas");
    EXPECT_TRUE(other->database()->executeOneRow("delete from TEAM where TEAMNO = 1"));
    EXPECT_EQ(count("TEAM"), 0);
    EXPECT_TRUE(otherSink.shown().isEmpty());
}

TEST_F(TransactionsTest, ABatchIsInvisibleToOthersUntilCommittedAndARollbackLeavesNothing)
{
    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    ASSERT_TRUE(database().execute(insertTeam(1, "Before")));

    ASSERT_TRUE(database().startBatch());
    qint64 affected = -1;
    EXPECT_TRUE(database().batchExecute(insertTeam(2), &affected));
    EXPECT_EQ(affected, 1);
    EXPECT_TRUE(database().batchExecute("update TEAM set TEAMNAME = 'Batch'", &affected));
    EXPECT_EQ(affected, 2);
    EXPECT_EQ(other->database()->ZSqlCount("TEAM", "1=1"), 1);
    EXPECT_EQ(other->database()->selectOneValue("TEAMNAME", "TEAM", "TEAMNO = 1"), "Before");

    // A statement that fails inside the batch does not end it; the caller decides.
    EXPECT_FALSE(database().batchExecute(insertTeam(2)));
    EXPECT_FALSE(database().lastError().message.isEmpty());
    EXPECT_TRUE(database().batchActive());
    database().rollbackBatch();
    EXPECT_FALSE(database().batchActive());
    EXPECT_EQ(count("TEAM"), 1);
    EXPECT_EQ(value("select TEAMNAME from TEAM"), "Before");
    EXPECT_EQ(other->database()->ZSqlCount("TEAM", "1=1"), 1);

    ASSERT_TRUE(database().startBatch());
    EXPECT_TRUE(database().batchExecute(insertTeam(3)));
    EXPECT_TRUE(database().commitBatch());
    EXPECT_FALSE(database().batchActive());
    EXPECT_EQ(other->database()->ZSqlCount("TEAM", "1=1"), 2);
}

TEST_F(TransactionsTest, BatchCallsOutOfOrderAreReportedAndWriteNothing)
{
    EXPECT_FALSE(database().batchExecute(insertTeam(1)));
    EXPECT_TRUE(m_sink.saw("Batch: \"oTscBatch\" is not active"));
    EXPECT_FALSE(database().commitBatch());
    database().rollbackBatch(); // nothing to roll back: harmless
    EXPECT_EQ(count("TEAM"), 0);
    // The internal error is counted like any other.
    EXPECT_EQ(count("T_DEBUG_MARK", "SHORT_MSG starting with 'Batch:'"), 1);
}

TEST_F(TransactionsTest, AListOfStatementsIsWrittenWholeOrNotAtAll)
{
    EXPECT_TRUE(database().executeAll({insertTeam(1), insertTeam(2, "Dolphins")}));
    EXPECT_EQ(count("TEAM"), 2);
    // The second statement fails on the key the first one took: the first goes too.
    EXPECT_FALSE(database().executeAll({insertTeam(3), insertTeam(3, "Again"), insertTeam(4)}));
    EXPECT_EQ(count("TEAM"), 2);
    EXPECT_FALSE(database().lastError().message.isEmpty());
    EXPECT_FALSE(database().batchActive()) << "the next list has a transaction of its own";
    EXPECT_TRUE(database().executeAll({insertTeam(3)}));
    EXPECT_EQ(count("TEAM"), 3);
}

TEST_F(TransactionsTest, ASingleModifyBesideAnOpenBatchStandsOnItsOwn)
{
    ASSERT_TRUE(database().startBatch());
    EXPECT_TRUE(database().batchExecute(insertTeam(1, "Batch")));
    // Its own transaction: committed although the batch is rolled back after it.
    EXPECT_TRUE(database().execute(insertTeam(2, "Single")));
    // The same key as the batch's uncommitted row: the lock conflict fails at once
    // instead of waiting, and leaves the batch usable.
    EXPECT_FALSE(database().execute(insertTeam(1, "Clash")));
    EXPECT_FALSE(database().lastError().message.isEmpty());
    EXPECT_TRUE(database().batchActive());
    database().rollbackBatch();
    EXPECT_EQ(value("select list(TEAMNAME) from TEAM"), "Single");
    // The failed statement did not leave the modify transaction open.
    EXPECT_TRUE(database().execute(insertTeam(1, "After")));
    EXPECT_EQ(count("TEAM"), 2);
}

TEST_F(TransactionsTest, AFailedOneRowModifyLeavesTheNextModifyFree)
{
    EXPECT_FALSE(database().executeOneRow("update NO_SUCH_TABLE set X = 1"));
    EXPECT_FALSE(database().executeOneRow(insertTeam(1) + " returning NOPE"));
    EXPECT_EQ(count("TEAM"), 0);
    EXPECT_FALSE(m_sink.saw("oTscMdfy already active"));
    EXPECT_TRUE(database().executeOneRow(insertTeam(1)));
    EXPECT_EQ(database().executeRowsAffected("delete from TEAM where TEAMNO = 2"), 0);
    EXPECT_EQ(database().executeRowsAffected("delete from TEAM"), 1);
    EXPECT_FALSE(m_sink.saw("oTscMdfy already active"));
}

TEST_F(TransactionsTest, QueriesLeftOpenAtTheEndAreReported)
{
    db::DmdCoreDbs::resetCounters();
    database().checkOpenObjects();
    EXPECT_FALSE(m_sink.saw("Qry="));
    {
        db::Query closed = database().openQuery("select TEAMNO from TEAM");
        EXPECT_EQ(db::DmdCoreDbs::counters().queries, 1);
    }
    EXPECT_EQ(db::DmdCoreDbs::counters().queries, 0);
    database().checkOpenObjects();
    EXPECT_FALSE(m_sink.saw("Qry="));

    auto leaked = std::make_unique<db::Query>(database().openQuery("select TEAMNO from TEAM"));
    database().checkOpenObjects();
    EXPECT_TRUE(m_sink.saw("Qry=1\rSql=0\rDst=0"));
    leaked.reset();
    EXPECT_EQ(db::DmdCoreDbs::counters().queries, 0);
}

TEST_F(TransactionsTest, InternalErrorsAreKeptWhenTheWorkAroundThemIsRolledBack)
{
    database().execute(insertTeam(1));
    database().execute(insertTeam(2));
    // Two rows touched: the update is undone, its two reports stay.
    EXPECT_FALSE(database().executeOneRow("update TEAM set TEAMNAME = 'Z'"));
    EXPECT_EQ(count("TEAM", "TEAMNAME = 'Z'"), 0);
    EXPECT_EQ(count("T_DEBUG_MARK", "SHORT_MSG starting with 'Not 1 row affected but 2'"), 1);
    EXPECT_EQ(count("T_DEBUG_MARK", "SHORT_MSG starting with 'Action not executed:'"), 1);

    ASSERT_TRUE(database().startBatch());
    EXPECT_TRUE(database().batchExecute(insertTeam(3)));
    messages().internalError(4242, "The swimmer's lane is taken");
    database().rollbackBatch();
    EXPECT_EQ(count("TEAM", "TEAMNO = 3"), 0);
    EXPECT_EQ(value("select SHORT_MSG from T_DEBUG_MARK where MARK_NO = 4242"),
              "The swimmer's lane is taken");

    // Another program sees the marks at once.
    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->database()->ZSqlCount("T_DEBUG_MARK", "MARK_NO = 4242"), 1);
}

} // namespace
