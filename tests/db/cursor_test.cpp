#include "support/testdatabase.h"

#include "db/cursor.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

using testing_support::DatabaseTest;

namespace {

class CursorTest : public DatabaseTest {
protected:
    void team(int teamNo, const QString& nameSql, const QString& abrvSql)
    {
        ASSERT_TRUE(
            database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV) values (" +
                               db::sqlInt(teamNo) + ", 1, " + nameSql + ", " + abrvSql + ")"));
    }
};

// A cursor reads each value in place; a query converts every value first. Both must give
// the same: text with its blanks (a CHAR's padding dropped), trimmed text as QString
// trims it (non-ASCII blanks too), integers of every width, scaled numbers, NULLs.
TEST_F(CursorTest, ReadsEveryRowAsAQueryDoes)
{
    team(1, db::quoted(QStringLiteral("  Zoë's Sharks \t")), "'ZS'");
    team(2, "null", "null");
    team(3, db::quoted(QStringLiteral("\u00a0Müller\u00a0")), "'  M'");
    team(4, "''", "' '");
    const QString sql = QStringLiteral(
        "select T.TEAMNO, T.TEAMNAME, T.TEAMABRV, cast(T.TEAMNO * 3 as smallint) as S, "
        "cast(T.TEAMNO * 5000000000 as bigint) as B, cast(T.TEAMNO / 4.0 as numeric(9, 2)) as "
        "D, cast(T.TEAMABRV as char(6)) as C, cast(T.TEAMNO as varchar(5)) as V from TEAM T "
        "order by T.TEAMNO");
    db::Query query = database().openQuery(sql);
    db::Cursor cursor(database(), sql);
    ASSERT_TRUE(cursor.isOpen());
    const QStringList names{"TEAMNO", "TEAMNAME", "TEAMABRV", "S", "B", "D", "C", "V"};
    int rows = 0;
    for (query.first(); !query.eof(); query.next()) {
        ASSERT_TRUE(cursor.next()) << rows;
        for (const QString& name : names) {
            const int column = cursor.column(name);
            ASSERT_GE(column, 0) << name.toStdString();
            const std::string where = name.toStdString() + " row " + std::to_string(rows);
            EXPECT_EQ(cursor.value(column), query.value(name)) << where;
            EXPECT_EQ(cursor.text(column), query.text(name)) << where;
            EXPECT_EQ(cursor.trimmed(column), query.text(name).trimmed()) << where;
            EXPECT_EQ(cursor.integer(column), query.integer(name)) << where;
            EXPECT_EQ(cursor.isNull(column), query.isNull(name)) << where;
        }
        ++rows;
    }
    EXPECT_EQ(rows, 4);
    EXPECT_FALSE(cursor.next());
    EXPECT_FALSE(cursor.next());
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(CursorTest, ColumnsByNameCaseAsideAndAMissingOneReadsAsNull)
{
    team(1, "'Sharks'", "'SH'");
    db::Cursor cursor(database(), "select TEAMNAME as Name, TEAMNO from TEAM");
    ASSERT_TRUE(cursor.next());
    EXPECT_EQ(cursor.column("NAME"), 0);
    EXPECT_EQ(cursor.trimmed("name"), "Sharks");
    EXPECT_EQ(cursor.integer("teamno"), 1);
    EXPECT_EQ(cursor.column("LEAGUE"), -1);
    EXPECT_TRUE(cursor.isNull(-1));
    EXPECT_EQ(cursor.integer("LEAGUE"), 0);
    EXPECT_EQ(cursor.trimmed("LEAGUE"), QString());
    EXPECT_FALSE(cursor.next());
}

// A statement the engine refuses is told as a query's is, and the cursor walks nothing.
// Cursors count among the open queries only while they live.
TEST_F(CursorTest, ARefusedReadIsToldAndNothingStaysOpen)
{
    const int before = db::DmdCoreDbs::counters().queries;
    {
        db::Cursor cursor(database(), "select NO_SUCH_COLUMN from TEAM");
        EXPECT_EQ(db::DmdCoreDbs::counters().queries, before + 1);
        EXPECT_FALSE(cursor.isOpen());
        EXPECT_FALSE(cursor.next());
        EXPECT_FALSE(cursor.error().message.isEmpty());
        EXPECT_TRUE(m_sink.saw("Could not open select NO_SUCH_COLUMN from TEAM"));
    }
    EXPECT_EQ(db::DmdCoreDbs::counters().queries, before);
    // The read transaction goes on: the next read works.
    team(1, "'Sharks'", "'SH'");
    db::Cursor again(database(), "select TEAMNAME from TEAM");
    ASSERT_TRUE(again.next());
    EXPECT_EQ(again.trimmed(0), "Sharks");
}

} // namespace
