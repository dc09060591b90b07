#include "entryfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;

class EntryCliTest : public EntryTest {
protected:
    int cli(const QStringList& args, QString* out = nullptr, QString* err = nullptr)
    {
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
};

TEST_F(EntryCliTest, teamsSwimmersAndEntriesAreMadeAndRefusedLikeOnTheScreens)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(cli({"team", "add", "Oak, Park", "OAK2"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("may not contain")) << err.toStdString();
    ASSERT_EQ(cli({"athlete", "add", "OAK", "NEL", "Jan", "M", "13", "--number", "12"}, &out, &err),
              0)
        << err.toStdString();
    const QString athleteNo = out.section(':', 1).trimmed();
    EXPECT_EQ(cli({"athlete", "add", "OAK", "BOTHA", "Kim", "M", "13", "--number", "12"}), 1);
    const qint64 event = addEvent(QStringLiteral("FRE____100M13W"));
    ASSERT_EQ(cli({"enter", athleteNo, QString::number(event), "--best", "65.32"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("best: 1:05.32")) << out.toStdString();
    EXPECT_EQ(cli({"enter", athleteNo, QString::number(event)}), 1);
    ASSERT_EQ(cli({"--json", "team", "list"}, &out), 0);
    const QJsonArray teams = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(teams.size(), 1);
    EXPECT_EQ(teams[0].toObject().value("athletes").toInt(), 1);
    EXPECT_EQ(cli({"team", "delete", "OAK"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("it has 1 athletes;"));
    EXPECT_EQ(cli({"athlete", "list", "--meeting", "999999"}, &out), 0);
    EXPECT_TRUE(out.isEmpty());
}

TEST_F(EntryCliTest, importPrintsTheReportByLineAndFailsWhenRefusedOrStopped)
{
    addEvent(QStringLiteral("FRE_____50M13W"));
    const QString file =
        writeFile(QStringLiteral("club.csv"), "Surname;Firstname;Gender;Age;Team;Item;Best\n"
                                              "NEL;Jan;M;13;OAK;50m Freestyle;0:31.25\n"
                                              "BOTHA;Kim;X;13;OAK;50m Freestyle;\n");
    const QStringList import{
        "import",      "athletes", file,           "--setup", "SURNAME=1",   "--setup",
        "FIRSTNAME=2", "--setup",  "GENDER=3",     "--setup", "AGE=4",       "--setup",
        "AGE_TYPE=1",  "--setup",  "TEAM=5",       "--setup", "HAS_ITEMS=1", "--setup",
        "HAS_BESTS=1", "--setup",  "ITEM_FIRST=6", "--setup", "ITEM_LAST=6"};
    QString out;
    QString err;
    // Without --yes the report's question is answered "Stop".
    EXPECT_EQ(cli(import, &out, &err), 1);
    EXPECT_TRUE(out.contains("     3  AthleteErr: Invalid Gender: X")) << out.toStdString();
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    ASSERT_EQ(cli(QStringList{"--yes"} + import, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("1 Athletes added")) << out.toStdString();
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE")), "0:31.25");
    // The setup was kept: a second run needs no --setup.
    EXPECT_EQ(cli({"--yes", "import", "athletes", file}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("No athletes imported")) << out.toStdString();
    EXPECT_EQ(cli({"import", "athletes", file + ".missing"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("cannot be opened")) << err.toStdString();
    EXPECT_EQ(cli({"import", "athletes", file, "--setup", "NOSUCH=1"}), 2);
}
