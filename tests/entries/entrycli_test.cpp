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
    ASSERT_EQ(cli({"enter", athleteNo, QString::number(event), "--best", "1:05.32"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("best: 1:05.32")) << out.toStdString();
    EXPECT_EQ(cli({"enter", athleteNo, QString::number(event)}), 1);
    EXPECT_EQ(cli({"enter", "999999", QString::number(event)}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no athlete 999999")) << err.toStdString();
    EXPECT_FALSE(err.contains("Internal error"));
    ASSERT_EQ(cli({"--json", "team", "list"}, &out), 0);
    const QJsonArray teams = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(teams.size(), 1);
    EXPECT_EQ(teams[0].toObject().value("athletes").toInt(), 1);
    EXPECT_EQ(cli({"team", "delete", "OAK"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("it has 1 athletes;"));
    // Another meeting is named with --meeting; one that does not exist is refused.
    const int other = makeMeeting(QStringLiteral("2026/04/01"));
    EXPECT_EQ(cli({"athlete", "list", "--meeting", QString::number(other)}, &out), 0);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(cli({"athlete", "list", "--meeting", "999999"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no meeting 999999")) << err.toStdString();
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

TEST_F(EntryCliTest, relayTeamsAndTheirSwimmersAreScriptable)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}, &out, &err), 0) << err.toStdString();
    QStringList swimmers;
    for (const char* surname : {"NEL", "BOTHA", "DU TOIT", "VAN WYK", "SMIT"}) {
        ASSERT_EQ(cli({"athlete", "add", "OAK", surname, "Jan", "M", "13"}, &out, &err), 0)
            << err.toStdString();
        swimmers << out.section(':', 1).trimmed();
    }
    const QString relay = QString::number(addEvent(QStringLiteral("F_R4X50___M13W")));
    ASSERT_EQ(cli({"relay", "add", "OAK", relay, "A"}, &out, &err), 0) << err.toStdString();
    const QString relayTeam = out.section('\t', 0, 0);
    ASSERT_EQ(cli({"relay", "list"}, &out), 0);
    EXPECT_TRUE(out.contains("\t1\tOAK (A)\n")) << out.toStdString();

    ASSERT_EQ(cli({"relay", "members", "candidates", relayTeam, relay}, &out), 0);
    EXPECT_EQ(out.count('\n'), 5);
    QStringList rows;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(cli({"relay", "members", "add", relayTeam, relay, swimmers[i]}, &out, &err), 0)
            << err.toStdString();
        rows << out.section(':', 1).trimmed();
    }
    EXPECT_EQ(cli({"relay", "members", "add", relayTeam, relay, swimmers[4]}, &out, &err), 1);
    EXPECT_TRUE(err.contains("You already entered 4 legs for this Relay")) << err.toStdString();
    EXPECT_EQ(cli({"relay", "members", "add", relayTeam, relay, swimmers[4], "--reserve"}), 1);
    ASSERT_EQ(cli({"relay", "members", "leg", rows[0], "2"}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(cli({"relay", "members", "leg", rows[1], "5"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("This Relay only has 4 legs.")) << err.toStdString();
    EXPECT_EQ(cli({"relay", "members", "leg", rows[1], "two"}), 2);
    ASSERT_EQ(cli({"--json", "relay", "members", "list", relayTeam, relay}, &out), 0);
    const QJsonArray members = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(members.size(), 4);
    EXPECT_EQ(members[0].toObject().value("kind").toString(), "F");
    // Removing asks first; without --yes nothing is removed.
    EXPECT_EQ(cli({"relay", "members", "remove", rows[3]}), 1);
    ASSERT_EQ(cli({"--yes", "relay", "members", "remove", rows[3]}), 0);
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 3);
    ASSERT_EQ(cli({"relay", "check"}, &out), 0);
    EXPECT_TRUE(out.isEmpty());
    ASSERT_TRUE(
        database().execute(QStringLiteral("delete from ATHLETE where ATHLETENO = ") + swimmers[0]));
    EXPECT_EQ(cli({"relay", "check"}, &out, &err), 1);
    EXPECT_TRUE(out.startsWith("Athlete=" + swimmers[0])) << out.toStdString();
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 2);
    // Taking the relay team out of its only relay takes its swimmers and itself away too.
    ASSERT_EQ(cli({"--yes", "entry", "remove", relayTeam, relay}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(count(QStringLiteral("RELAY_ATHLETE")), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"), QStringLiteral("SURNAME = 'RELAY TEAM'")), 0);
}

TEST_F(EntryCliTest, entriesAreListedPerEventAndPerSwimmerAndRemoved)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"athlete", "add", "OAK", "NEL", "Jan", "M", "13"}, &out, &err), 0);
    const QString athlete = out.section(':', 1).trimmed();
    const QString free = QString::number(addEvent(QStringLiteral("FRE_____50M13W")));
    addEvent(QStringLiteral("F_R4X50___M13W"));
    ASSERT_EQ(cli({"enter", athlete, free, "--best", "0:31.50"}, &out, &err), 0)
        << err.toStdString();
    const QString partNo = out.section('\n', 0, 0).section(':', 1).trimmed();
    ASSERT_EQ(cli({"--json", "entry", "events"}, &out), 0);
    const QJsonArray events = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].toObject().value("athletes").toInt(), 1);
    ASSERT_EQ(cli({"entry", "events", "--relays"}, &out), 0);
    EXPECT_EQ(out.count('\n'), 1);
    ASSERT_EQ(cli({"entry", "list", "--event", free}, &out), 0);
    EXPECT_TRUE(out.contains("NEL, Jan\tOAK\t0:31.50")) << out.toStdString();
    EXPECT_EQ(cli({"entry", "list"}), 2);
    EXPECT_EQ(cli({"entry", "best", partNo, "0:71.4"}, &out, &err), 1);
    ASSERT_EQ(cli({"entry", "best", partNo, "31.4"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE((out + err).contains("was stored as 0:31.40")) << (out + err).toStdString();
    ASSERT_EQ(cli({"entry", "list", "--athlete", athlete}, &out), 0);
    EXPECT_TRUE(out.contains("0:31.40")) << out.toStdString();
    // The last swimmer out: the event is offered for deletion, and --no keeps it.
    ASSERT_EQ(cli({"--no", "entry", "remove", athlete, free}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    EXPECT_EQ(count(QStringLiteral("MYEVENT")), 2);
}

TEST_F(EntryCliTest, anNathlonSwimmerComesWithAllTheEventsOfItsCompetition)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}, &out, &err), 0) << err.toStdString();
    for (const char* code : {"FLY_____50M13W", "BCK_____50M13W", "BRS_____50M13W"}) {
        ASSERT_TRUE(
            database().execute(QStringLiteral("update MYEVENT set N_ATHLON = 3 where EVENTNO = ") +
                               db::sqlInt(addEvent(QString::fromLatin1(code)))));
    }
    addEvent(QStringLiteral("FRE_____50M13W"));
    ASSERT_EQ(cli({"athlete", "add", "OAK", "NEL", "Jan", "M", "13", "--nathlon", "3"}, &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("entries: 3")) << out.toStdString();
    const QString athlete = out.section('\n', 0, 0).section(':', 1).trimmed();
    ASSERT_EQ(cli({"entry", "list", "--athlete", athlete}, &out), 0);
    EXPECT_EQ(out.count('\n'), 3);
    // Removed only as a whole, with the swimmer.
    EXPECT_EQ(cli({"--yes", "entry", "remove", athlete, out.section('\t', 1, 1)}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Delete athletes for n-athlons")) << err.toStdString();
    ASSERT_EQ(cli({"--yes", "athlete", "delete", athlete}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    // The competition's size as named, and the sizes refused with nothing stored.
    ASSERT_EQ(cli({"athlete", "add", "OAK", "VAN", "Piet", "M", "13", "--nathlon", "Triathlon"},
                  &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("entries: 3")) << out.toStdString();
    const int athletes = count(QStringLiteral("ATHLETE"));
    for (const char* size : {"1", "21", "Marathon", "3x"}) {
        EXPECT_EQ(
            cli({"athlete", "add", "OAK", "BOS", "Koos", "M", "13", "--nathlon", size}, &out, &err),
            1)
            << size;
        EXPECT_TRUE(err.contains(QStringLiteral("n-Athlon error: ") + size +
                                 ": min is 2-Athlon, maximum is 20-Athlon."))
            << err.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), athletes);
}

TEST_F(EntryCliTest, teamsAreSplitByGenderOnlyWhenTheOfficialSaysYes)
{
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}), 0);
    ASSERT_EQ(cli({"team", "add", "Bravo", "BRA"}), 0);
    for (const char* gender : {"M", "F"}) {
        ASSERT_EQ(cli({"athlete", "add", "OAK", "NEL", gender, gender, "13"}), 0);
        ASSERT_EQ(cli({"athlete", "add", "BRA", "NEL", gender, gender, "13"}), 0);
    }
    QString out;
    QString err;
    EXPECT_EQ(cli({"team", "split", "OAK"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("DO NOT USE THIS IF YOU ARE NOT SURE WHAT IT DOES !"));
    EXPECT_EQ(count(QStringLiteral("TEAM")), 2);
    EXPECT_EQ(cli({"team", "split", "OAK", "--from", "BRA"}), 2);
    EXPECT_EQ(cli({"--yes", "team", "split", "NONE"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no team NONE"));

    ASSERT_EQ(cli({"--yes", "team", "split", "--all", "--from", "OAK"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("split: 1")) << out.toStdString();
    ASSERT_EQ(cli({"--json", "team", "list"}, &out), 0);
    QStringList names;
    for (const QJsonValue& team : QJsonDocument::fromJson(out.toUtf8()).array())
        names << team.toObject().value("name").toString();
    EXPECT_EQ(names, (QStringList{"Bravo", "_BOYS:Oak Park", "_GIRLS:Oak Park"}));
    // OAK has one gender now: it is listed among those that cannot be split.
    EXPECT_EQ(cli({"--yes", "team", "split", "OAK"}, &out, &err), 1);
    EXPECT_TRUE(out.contains("They cannot be split.")) << out.toStdString();
}

TEST_F(EntryCliTest, nameCaseAndTheNumbersTableWorkOnTheMeeting)
{
    ASSERT_EQ(cli({"team", "add", "Oak Park", "OAK"}), 0);
    ASSERT_EQ(cli({"athlete", "add", "OAK", "nel", "JAN", "M", "13", "--number", "7"}), 0);
    ASSERT_EQ(cli({"athlete", "add", "OAK", "BOTHA", "Kim", "F", "13", "--number", "X1"}), 0);
    QString out;
    QString err;
    EXPECT_EQ(cli({"athlete", "fix-case", "--team", "OAK"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Oak Park: nel, JAN")) << err.toStdString();
    ASSERT_EQ(cli({"--yes", "athlete", "fix-case"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("corrected: 1"));
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = 'NEL'")),
              QStringLiteral("Jan"));
    ASSERT_EQ(cli({"athlete", "fix-case"}, &out, &err), 0);
    EXPECT_TRUE(out.contains("All 2 Athletenames are in the correct case"));

    EXPECT_EQ(cli({"athlete", "numbers"}, &out, &err), 1);
    EXPECT_TRUE(out.contains("\"Athletes has Numbers\"")) << out.toStdString();
    setMeeting(QStringLiteral("ATH_HAS_NUMBERS"), 1);
    ASSERT_EQ(cli({"athlete", "numbers"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("OAK\tOak Park\t2\t7-7\t1\t7-7\t1\t-\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("There are 1 athlete numbers that are not integers."));
    ASSERT_EQ(cli({"--json", "athlete", "numbers"}, &out), 0);
    const QJsonObject numbers = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(numbers.value("notIntegers").toInt(), 1);
    const QJsonObject males =
        numbers.value("teams").toArray()[0].toObject().value("males").toObject();
    EXPECT_EQ(males.value("highest").toInt(), 7);
}
