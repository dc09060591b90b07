#include "meetingfixture.h"

#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;

namespace {

class MeetingCliTest : public meeting_testing::MeetingTest {
protected:
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.prepend(m_path);
        args.prepend("--db");
        return runCli(args, out ? out : &m_out, err ? err : &m_err);
    }
    QString m_out;
    QString m_err;
};

TEST_F(MeetingCliTest, NewSelectShowAndSetWorkOnTheStoredCurrentMeeting)
{
    ASSERT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/03/14"}),
              0)
        << m_err.toStdString();
    const int first = value("select max(MEETINGNO) from MEETING").toInt();
    ASSERT_EQ(
        cli({"meeting", "new", "--name", "Gala 2", "--venue", "Pool", "--date", "2025/12/30"}), 0);
    EXPECT_EQ(count("PLACEPOINT"), 16);

    // The newest is current; select goes back to the first.
    ASSERT_EQ(cli({"meeting", "set", "DAY_COUNT", "3"}), 0) << m_err.toStdString();
    ASSERT_EQ(cli({"meeting", "describe", "--afrikaans"}), 0);
    EXPECT_EQ(m_out.trimmed(), "2025/12/30 tot 2026/01/01:   Gala 2 by Pool");
    ASSERT_EQ(cli({"meeting", "select", QString::number(first)}), 0);
    ASSERT_EQ(cli({"--json", "meeting", "show"}), 0);
    const QJsonObject shown = QJsonDocument::fromJson(m_out.toUtf8()).object();
    EXPECT_EQ(shown.value("MEETINGNO").toString(), QString::number(first));
    EXPECT_EQ(shown.value("DESCRIPTION").toString(), "Gala");
    EXPECT_EQ(shown.value("DRAW_METHOD").toString(), "6");
    EXPECT_EQ(shown.value("description_text").toString(), "2025/03/14:   Gala at Pool");

    ASSERT_EQ(cli({"meeting", "describe", QString::number(first), "--two-lines"}), 0);
    EXPECT_EQ(m_out, "Gala\n2025/03/14  at  Pool\n");
}

TEST_F(MeetingCliTest, BadInputIsRefusedAndNothingIsWritten)
{
    EXPECT_EQ(cli({"meeting", "new", "--name", "", "--venue", "Pool", "--date", "2025/03/14"}), 1);
    EXPECT_TRUE(m_err.contains("Enter a name"));
    EXPECT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/02/30"}),
              1);
    EXPECT_TRUE(m_err.contains("Invalid date"));
    EXPECT_EQ(cli({"meeting", "new", "--name", QString(60, 'n'), "--venue", "Pool"}), 1);
    EXPECT_TRUE(m_err.contains("may not be longer than 50"));
    EXPECT_EQ(count("MEETING"), 0);

    EXPECT_EQ(cli({"meeting", "set", "DAY_COUNT", "2"}), 1);
    EXPECT_TRUE(m_err.contains("There is no current meeting selected!"));
    ASSERT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/03/14"}),
              0);
    EXPECT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/03/14"}),
              1);
    EXPECT_TRUE(
        m_err.contains("There is already a Meeting with this date, venue and description."));
    EXPECT_EQ(cli({"meeting", "set", "DAY_COUNT", "x"}), 1);
    EXPECT_EQ(cli({"meeting", "set", "VENUE", QString(51, 'v')}), 1);
    EXPECT_EQ(cli({"meeting", "set", "NOPE", "1"}), 2);
    EXPECT_EQ(cli({"meeting", "select", "abc"}), 2);
    EXPECT_EQ(cli({"meeting", "select", "999999"}), 1);
    EXPECT_EQ(value("select DAY_COUNT || VENUE from MEETING"), "1Pool");
}

TEST_F(MeetingCliTest, CategoriesOfTheCurrentMeeting)
{
    ASSERT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/03/14"}),
              0);
    ASSERT_EQ(cli({"category", "add", "S1", "Class one"}), 0) << m_err.toStdString();
    EXPECT_EQ(cli({"category", "add", "s1", "Again"}), 1);
    EXPECT_TRUE(m_err.contains("The Category already exists"));
    ASSERT_EQ(cli({"category", "list"}), 0);
    EXPECT_EQ(m_out, "S1\tClass one\t0\t0\n");
    EXPECT_EQ(cli({"--no", "category", "delete", "S1"}), 1);
    EXPECT_EQ(count("CATEGORY"), 1);
    EXPECT_EQ(cli({"--yes", "category", "delete", "s1"}), 0);
    EXPECT_EQ(count("CATEGORY"), 0);
}

TEST_F(MeetingCliTest, AgesFromIdentityNumbersAndText)
{
    ASSERT_EQ(cli({"age", "from-id", "1203055009087", "--meeting-date", "2025/03/14"}), 0);
    EXPECT_EQ(m_out, "birthdate: 2012/03/05\nage: 13\n");
    EXPECT_EQ(cli({"age", "from-id", "12A3055009087"}), 1);
    EXPECT_TRUE(m_err.contains("Id must be 6 digits: 12A305"));
    EXPECT_EQ(cli({"age", "from-id", "1203"}), 1);
    EXPECT_EQ(cli({"age", "from-id", "1203055009087", "--meeting-date", "14/03/2025"}), 2);
    ASSERT_EQ(cli({"age", "parse", "u/18"}), 0);
    EXPECT_EQ(m_out, "age: 17\ntext: 17\n");
    ASSERT_EQ(cli({"age", "parse", "master", "--gender", "m"}), 0);
    EXPECT_TRUE(m_out.startsWith("age: 50\n"));
    EXPECT_EQ(cli({"age", "parse", "old"}), 1);
    EXPECT_TRUE(m_err.contains("Not a valid age: old"));
}

} // namespace
