#include "support/testdatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;
using testing_support::TempHome;

namespace {

QJsonArray events(const QString& path, const QString& meetingNo)
{
    QString out, err;
    // Every option after the command's words, --json and --db among them.
    EXPECT_EQ(runCli({"event", "list", "--json", "--db", path, "--meeting", meetingNo}, &out, &err),
              0)
        << err.toStdString();
    return QJsonDocument::fromJson(out.toUtf8()).array();
}

TEST(CliOptionsTest, GlobalOptionsStandAnywhereAndACommandsOwnMayComeFirst)
{
    TempHome home;
    const QString path = home.freshDatabase();
    QString out, err;
    ASSERT_EQ(
        runCli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--db", path}, &out, &err),
        0)
        << err.toStdString();
    ASSERT_EQ(
        runCli({"--db", path, "meeting", "new", "--name", "Other", "--venue", "Pool"}, &out, &err),
        0);
    ASSERT_EQ(runCli({"--db", path, "--json", "meeting", "list"}, &out), 0);
    const QJsonArray meetings = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(meetings.size(), 2);
    const QString gala = meetings[0].toObject().value("meetingno").toVariant().toString();
    const QString other = meetings[1].toObject().value("meetingno").toVariant().toString();
    ASSERT_NE(gala, other);

    // The command's own options before its words: "--meeting N" with its value, and a flag
    // ("--selected") that a command word follows.
    ASSERT_EQ(
        runCli({"--meeting", gala, "--db", path, "event", "add", "FRE_____50M13W"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(
        runCli({"--selected", "event", "add", "BCK_____50M13W", "--db", path, "--meeting", gala},
               &out, &err),
        0)
        << err.toStdString();
    const QJsonArray galaEvents = events(path, gala);
    ASSERT_EQ(galaEvents.size(), 2);
    EXPECT_FALSE(galaEvents[0].toObject().value("selected").toBool());
    EXPECT_TRUE(galaEvents[1].toObject().value("selected").toBool());
    EXPECT_TRUE(events(path, other).isEmpty()); // the stored current meeting was not used

    // An option the program does not know, with no command, is named as such.
    EXPECT_EQ(runCli({"--bogus"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("unknown option --bogus"));
    EXPECT_EQ(runCli({"--db", path, "frobnicate", "now"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("unknown command frobnicate now"));
}

// "--edition" after the words of an item command is the command's own (which item list it
// reads), not the edition the program runs as.
TEST(CliOptionsTest, ACommandKeepsTheGlobalNamesItsUsageGivesItsOwnMeaning)
{
    TempHome home;
    QString out, err;
    EXPECT_EQ(runCli({"item", "describe", "JMPHigh___M17", "--edition", "athletics"}, &out, &err),
              0)
        << err.toStdString();
    EXPECT_FALSE(out.trimmed().isEmpty());
}

} // namespace
