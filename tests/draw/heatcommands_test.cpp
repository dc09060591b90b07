#include "drawfixture.h"

#include "db/sqltext.h"

using testing_support::runCli;

namespace {

// The heat checks, listings, expected counts and heats-are-finals as commands.
class HeatCommandsTest : public DrawFixture {
protected:
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
};

TEST_F(HeatCommandsTest, CheckOneEventOrTheMeetingsHeatCounts)
{
    const qint64 e = addSelected("FRE____100M13W");
    const qint64 ok = addSelected("BRE____100M13W");
    saveFormat(e, "2,3,2");
    enter(e, 20);
    enter(ok, 5);
    QString out;
    EXPECT_EQ(cli({"format", "check", QString::number(e)}, &out), 1);
    EXPECT_TRUE(out.contains("100m Freestyle 13 Male: 2,3,2, 20 athletes, 8 per heat"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("The first round for 20 athletes and 8 athletes per heat requires "
                             "3 heats, not 2"))
        << out.toStdString();
    EXPECT_EQ(cli({"format", "check", QString::number(ok)}, &out), 0);
    EXPECT_TRUE(out.contains("No errors")) << out.toStdString();

    EXPECT_EQ(cli({"format", "check"}, &out), 1);
    EXPECT_TRUE(out.startsWith("Heatcounts for Items\n\nThe following Track Items has either "
                               "too\nmany or too few Heats"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("1 ERRORS : too little heats\n0 Hints  : too many heats\n"
                             "1 Correct number of Heats\n\nDiffer  Item  Seq  Time\n"
                             "ERROR:   1 too few for 100m Freestyle 13 Male"))
        << out.toStdString();
    saveFormat(e, "3,2,2");
    EXPECT_EQ(cli({"format", "check"}, &out), 0) << out.toStdString();
    EXPECT_EQ(cli({"format", "check", "x"}), 2);
}

TEST_F(HeatCommandsTest, TheMeetingOptionLoadsThatMeetingsSettings)
{
    // The stored current meeting has 8 lanes; the other one 6.
    const int other = createMeeting(1, 6);
    draw::Events otherEvents(database(), *m_items, other);
    draw::NewEvent event;
    event.itemCode = "FRE____100F13W";
    event.selected = true;
    const qint64 e = otherEvents.addEvent(event);
    ASSERT_GT(e, 0);
    QString out;
    EXPECT_EQ(runCli({"--db", m_path, "format", "check", QString::number(e), "--meeting",
                      QString::number(other)},
                     &out),
              0);
    EXPECT_TRUE(out.contains("0 athletes, 6 per heat")) << out.toStdString();
    QString err;
    EXPECT_EQ(runCli({"--db", m_path, "format", "check", "--meeting", "999999"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("There is no meeting 999999")) << err.toStdString();
}

TEST_F(HeatCommandsTest, ListingsOfTheRulesAndTheMeeting)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"format", "listing", "rules"}, &out), 0);
    EXPECT_TRUE(out.startsWith("The formats of the WorldAth rules\n\n")) << out.toStdString();
    ASSERT_EQ(cli({"format", "listing", "groups"}, &out), 0);
    EXPECT_TRUE(out.contains("Items and their format group in the WorldAth rules"));
    EXPECT_EQ(cli({"format", "listing", "tracks"}, &out, &err), 1);
    EXPECT_TRUE((out + err).contains("No events for this Meeting")) << err.toStdString();
    const qint64 e = addSelected("FRE____100M13W");
    ASSERT_EQ(cli({"format", "listing", "tracks"}, &out), 0);
    EXPECT_TRUE(out.contains("As specified by the WorldAth rules\n\n100m Freestyle = 8"))
        << out.toStdString();
    saveFormat(e, "2,3,4");
    enter(e, 12);
    // The errors listing asks first; without --yes it stops.
    EXPECT_EQ(cli({"format", "listing", "errors"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("saved formats of the previous edit session.")) << err.toStdString();
    EXPECT_EQ(cli({"--yes", "format", "listing", "errors"}, &out, &err), 1);
    EXPECT_TRUE(out.contains("Round A: you select 10 instead of 8")) << out.toStdString();
    EXPECT_EQ(cli({"format", "listing", "lanes"}), 2);
}

TEST_F(HeatCommandsTest, EstimatesAndHeatsAreFinals)
{
    const qint64 e = addSelected("FRE____100M13W");
    QString err;
    EXPECT_EQ(cli({"event", "estimate", QString::number(e), "many"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Not a number:many")) << err.toStdString();
    ASSERT_EQ(cli({"event", "estimate", QString::number(e), "24"}), 0);
    EXPECT_EQ(value("select ESTIMATEDATHLETECOUNT from MYEVENT"), "24");
    enter(e, 7);
    EXPECT_EQ(cli({"event", "estimate", "--actual"}), 1); // not agreed
    ASSERT_EQ(cli({"--yes", "event", "estimate", "--actual"}), 0);
    EXPECT_EQ(value("select ESTIMATEDATHLETECOUNT from MYEVENT"), "7");

    EXPECT_EQ(cli({"event", "finals", QString::number(e), "yes"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("You cannot select \"Heats Are Finals\" if there are no Heats."))
        << err.toStdString();
    saveFormat(e, "3,0,8");
    ASSERT_EQ(cli({"event", "finals", QString::number(e), "yes"}), 0);
    EXPECT_EQ(value("select FINAL_NOT_RUN from MYEVENT"), "1");
    ASSERT_EQ(cli({"event", "finals", QString::number(e), "no"}), 0);
    EXPECT_EQ(value("select FINAL_NOT_RUN from MYEVENT"), "0");
    EXPECT_EQ(cli({"event", "finals", QString::number(e), "maybe"}), 2);
}

} // namespace
