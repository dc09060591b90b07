#include "support/testdatabase.h"

#include "db/meetingdelete.h"
#include "db/sqltext.h"

using testing_support::DatabaseTest;

namespace {

class MeetingDeleteTest : public DatabaseTest {
protected:
    // A meeting with a row in every table that hangs from it; returns its number.
    int makeMeeting(const QString& name)
    {
        auto key = [this] { return database().nextKeyNumber(); };
        const qint64 meeting = key(), event = key(), team = key(), athlete = key(), race = key(),
                     eifRace = key();
        const QString m = db::sqlInt(meeting);
        auto run = [this](const QString& sql) {
            EXPECT_TRUE(database().execute(sql)) << sql.toStdString();
        };
        run("insert into MEETING (MEETINGNO, DESCRIPTION) values (" + m + ", " + db::quoted(name) +
            ")");
        run("insert into MYEVENT (EVENTNO, MEETINGNO) values (" + db::sqlInt(event) + ", " + m +
            ")");
        run("insert into TEAM (TEAMNO, MEETINGNO) values (" + db::sqlInt(team) + ", " + m + ")");
        run("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO) values (" + db::sqlInt(athlete) +
            ", " + m + ", " + db::sqlInt(team) + ")");
        run("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO) values (" +
            db::sqlInt(key()) + ", " + m + ", " + db::sqlInt(event) + ", 'F', 0)");
        run("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO) values (" +
            db::sqlInt(key()) + ", " + m + ", " + db::sqlInt(event) + ", " + db::sqlInt(team) +
            ", " + db::sqlInt(athlete) + ")");
        run("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ATHLETENO) "
            "values (" +
            db::sqlInt(key()) + ", " + m + ", " + db::sqlInt(event) + ", 'A', 1, " +
            db::sqlInt(athlete) + ")");
        run("insert into RACE (RACENO, MEETINGNO) values (" + db::sqlInt(race) + ", " + m + ")");
        run("insert into RANK (RANKNO, RACENO) values (" + db::sqlInt(key()) + ", " +
            db::sqlInt(race) + ")");
        run("insert into EIF_RACE (RACENO, MEETINGNO) values (" + db::sqlInt(eifRace) + ", " + m +
            ")");
        run("insert into EIF_RANK (RANKNO, RACENO) values (" + db::sqlInt(key()) + ", " +
            db::sqlInt(eifRace) + ")");
        for (const char* table : {"PLACEPOINT", "DISTRIBUTION", "MEETINGSET", "CATEGORY",
                                  "COMBINED", "AWOL_QUE", "PROGRAM_BREAK", "RELAY_ATHLETE"}) {
            const QString keyColumn = database().firstField(table);
            run(QString("insert into %1 (%2, MEETINGNO) values (%3, %4)")
                    .arg(table, keyColumn, db::sqlInt(key()), m));
        }
        return int(meeting);
    }

    int rowsOf(int meetingNo)
    {
        int total = 0;
        for (const char* table :
             {"MEETING", "MYEVENT", "TEAM", "ATHLETE", "PROGRAM", "PARTICIPATE", "HEATPART", "RACE",
              "EIF_RACE", "PLACEPOINT", "DISTRIBUTION", "MEETINGSET", "CATEGORY", "COMBINED",
              "AWOL_QUE", "PROGRAM_BREAK", "RELAY_ATHLETE"})
            total += count(table, "MEETINGNO = " + db::sqlInt(meetingNo));
        return total;
    }
};

TEST_F(MeetingDeleteTest, TheOrphanCheckFindsRowsThatHangFromTheMeetingButNameAnother)
{
    const int gala = makeMeeting("Gala");
    const int other = makeMeeting("Other");
    m_sink.clear();
    EXPECT_TRUE(db::orphanCheck(database(), gala).isEmpty());
    // A clean meeting is checked without any error along the way.
    EXPECT_TRUE(m_sink.shown().isEmpty()) << m_sink.shown().first().text.toStdString();

    // Rows under the gala's event and team that carry the other meeting's number.
    const QString event =
        value("select EVENTNO from MYEVENT where MEETINGNO = " + db::sqlInt(gala));
    const QString team = value("select TEAMNO from TEAM where MEETINGNO = " + db::sqlInt(gala));
    const QString o = db::sqlInt(other);
    for (const QString& sql :
         {"insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO) values (800001, " +
              o + ", " + event + ", 'A', 1)",
          "insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO) values (800002, " +
              o + ", " + event + ", 'A', 2)",
          "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO) values (800003, " +
              o + ", " + event + ", 'A', 1)",
          "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO) values (800004, " + o + ", " +
              event + ")",
          "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO) values (800005, " + o + ", " + team +
              ")"})
        ASSERT_TRUE(database().execute(sql)) << sql.toStdString();
    EXPECT_EQ(db::orphanCheck(database(), gala),
              QStringList({"PROGRAM: 2", "HEATPART: 1", "PARTICIPATE: 1", "ATHLETE: 1"}));
    // Seen from the other meeting they are not orphans: their parents are not its own.
    EXPECT_TRUE(db::orphanCheck(database(), other).isEmpty());
    EXPECT_TRUE(m_sink.shown().isEmpty());

    // Deleting the gala takes them with their parents.
    m_sink.answerYes();
    ASSERT_TRUE(db::deleteMeeting(database(), gala));
    EXPECT_EQ(count("PROGRAM", "PROGRAMNO between 800001 and 800005"), 0);
    EXPECT_EQ(count("ATHLETE", "ATHLETENO = 800005"), 0);
    EXPECT_EQ(count("PARTICIPATE", "PARTNO = 800004"), 0);
    EXPECT_TRUE(db::orphanCheck(database(), other).isEmpty());
}

} // namespace

TEST_F(MeetingDeleteTest, DeletesEveryRowOfTheMeetingAndNothingElse)
{
    const int doomed = makeMeeting("Doomed");
    const int kept = makeMeeting("Kept");
    const int keptRows = rowsOf(kept);
    ASSERT_GT(rowsOf(doomed), 15);

    m_sink.answerYes();
    EXPECT_TRUE(db::deleteMeeting(database(), doomed));
    EXPECT_TRUE(m_sink.saw("All data for this meeting will be lost\r\rContinue ?"));
    EXPECT_TRUE(m_sink.saw("Meeting deleted"));
    EXPECT_EQ(rowsOf(doomed), 0);
    EXPECT_EQ(count("RANK"), 1);
    EXPECT_EQ(count("EIF_RANK"), 1);
    EXPECT_EQ(rowsOf(kept), keptRows);
}

TEST_F(MeetingDeleteTest, AnAthleteOnATeamOfAnotherMeetingIsNotDeleted)
{
    const int doomed = makeMeeting("Doomed");
    const int kept = makeMeeting("Kept");
    const QString keptTeam = value("select TEAMNO from TEAM where MEETINGNO = " + db::sqlInt(kept));
    // Carries the doomed meeting's number but hangs from the other meeting's team.
    database().execute("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO) values (999999, " +
                       db::sqlInt(doomed) + ", " + keptTeam + ")");
    EXPECT_EQ(db::orphanCheck(database(), kept), QStringList({"ATHLETE: 1"}));
    m_sink.answerYes();
    db::deleteMeeting(database(), doomed);
    EXPECT_EQ(count("ATHLETE", "ATHLETENO = 999999"), 1);
}

TEST_F(MeetingDeleteTest, NoAndNothingChosenDeleteNothing)
{
    const int meeting = makeMeeting("Stays");
    const int rows = rowsOf(meeting);
    m_sink.answerNo();
    EXPECT_FALSE(db::deleteMeeting(database(), meeting));
    EXPECT_EQ(rowsOf(meeting), rows);
    EXPECT_FALSE(db::deleteMeeting(database(), 0));
    EXPECT_TRUE(m_sink.saw("No meeting to delete"));
    EXPECT_TRUE(db::orphanCheck(database(), meeting).isEmpty());
}
