#include "drawfixture.h"

#include "db/sqltext.h"

using testing_support::runCli;

namespace {

// The event, format and program commands as a user runs them on a database file.
class CommandsTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
    }

    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    QString programState()
    {
        return value("select list(ROUND || HEATNO || '/' || DAY_SEQ || '/' || "
                     "coalesce(cast(THETIME as varchar(13)), '-') || '/' || SEQ) from PROGRAM");
    }

    qint64 m_event = 0;
};

TEST_F(CommandsTest, FormatsAreSetDescribedAndProposed)
{
    QString out;
    // Without entries or an estimate the rules want no heats: heats need --yes.
    ASSERT_EQ(cli({"--yes", "event", "format", QString::number(m_event), "4,3,4/2,3,2"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(count("PROGRAM", "ROUND = 'B'"), 4);
    EXPECT_EQ(count("PROGRAM", "ROUND = 'A'"), 2);
    ASSERT_EQ(runCli({"format", "describe", "4,3,4/2,3,2"}, &out), 0);
    EXPECT_TRUE(out.contains("Round A (Semi-Finals): 2 heats, athletes 16")) << out.toStdString();
    EXPECT_TRUE(out.contains("Round F (Final): 1 heat, athletes 8")) << out.toStdString();
    ASSERT_EQ(runCli({"format", "propose", "FRE____100M13W", "20", "--lanes", "6"}, &out), 0);
    EXPECT_TRUE(out.contains("heatformat: 4,2,4/2,1,4")) << out.toStdString();
}

TEST_F(CommandsTest, BadFormatsAreRefusedAndChangeNothing)
{
    ASSERT_EQ(cli({"--yes", "event", "format", QString::number(m_event), "2,3,2"}), 0);
    const QString before = programState();
    QString err;
    EXPECT_EQ(cli({"event", "format", QString::number(m_event), "2,3"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("All items must be filled or left open")) << err.toStdString();
    EXPECT_EQ(cli({"format", "describe", "1,1,1/1,1,1/1,1,1/1,1,1"}, nullptr, &err), 2);
    // Without entries the rules want no heats: heats need the user's word, which a
    // command line without --yes does not give.
    EXPECT_EQ(cli({"event", "format", QString::number(m_event), "2,3,4"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("should be empty not 2,3,4")) << err.toStdString();
    EXPECT_TRUE(err.contains("Accept nevertheless")) << err.toStdString();
    EXPECT_EQ(programState(), before);
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT"), "2,3,2");
}

TEST_F(CommandsTest, BadTimesAndDaysAreRefusedAndChangeNothing)
{
    const QString programNo = value("select PROGRAMNO from PROGRAM");
    const QString before = programState();
    QString err;
    EXPECT_EQ(cli({"program", "set", programNo, "--time", "25:61"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("The hour must be from between 0 and 23")) << err.toStdString();
    EXPECT_EQ(cli({"program", "set", programNo, "--day", "3", "--time", "10:00"}, nullptr, &err),
              1);
    EXPECT_TRUE(err.contains("This more than the number of days")) << err.toStdString();
    EXPECT_EQ(programState(), before);
    QString out;
    ASSERT_EQ(cli({"program", "set", programNo, "--day", "2", "--time", "10:30", "--seq", "4"}), 0);
    ASSERT_EQ(cli({"program", "list", "--day", "2"}, &out), 0);
    EXPECT_TRUE(out.contains("   4  2  10:30  F   0  100m Freestyle 13 Male")) << out.toStdString();
}

TEST_F(CommandsTest, SelectAndUnselectFollowTheRules)
{
    ASSERT_EQ(cli({"--yes", "event", "format", QString::number(m_event), "2,3,2"}), 0);
    QString err;
    EXPECT_EQ(cli({"event", "unselect", QString::number(m_event)}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Before you can unselect, you must clear the heats"))
        << err.toStdString();
    ASSERT_EQ(cli({"event", "format", QString::number(m_event), ""}), 0);
    ASSERT_EQ(cli({"event", "unselect", QString::number(m_event)}), 0);
    EXPECT_EQ(count("PROGRAM"), 0);
    ASSERT_EQ(cli({"event", "select", QString::number(m_event)}), 0);
    EXPECT_EQ(count("PROGRAM"), 1);
}

TEST_F(CommandsTest, WholeListCommandsAskAndReportWhatTheyLeft)
{
    const qint64 withHeats = addSelected("BRE____100M13W");
    ASSERT_EQ(cli({"--yes", "event", "format", QString::number(withHeats), "2,3,2"}), 0);
    // Without an answer nothing is unselected.
    EXPECT_EQ(cli({"event", "unselect-all"}), 1);
    EXPECT_EQ(count("MYEVENT", "SELECTED = 'X'"), 2);
    QString out, err;
    ASSERT_EQ(cli({"--yes", "event", "unselect-all"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("unselected: 1")) << out.toStdString();
    EXPECT_TRUE((out + err).contains("1 Items could not be unselected because they have Heats."));
    EXPECT_EQ(count("MYEVENT", "SELECTED = 'X'"), 1);
    ASSERT_EQ(cli({"--yes", "event", "remove-unselected"}, &out), 0);
    EXPECT_EQ(count("MYEVENT"), 1);
    EXPECT_EQ(count("MYEVENT", "EVENTNO = " + db::sqlInt(withHeats)), 1);

    EXPECT_EQ(cli({"event", "nathlon", "add", "Boys", "16", "Octathlon"}, nullptr, &err), 0)
        << err.toStdString();
    EXPECT_EQ(count("MYEVENT", "N_ATHLON = 8"), 9);
    EXPECT_EQ(cli({"event", "nathlon", "delete", "x"}), 2);
    EXPECT_EQ(count("MYEVENT"), 10);
}

TEST_F(CommandsTest, HeatsAreListedReleasedAndCounted)
{
    const qint64 athlete = database().nextKeyNumber();
    ASSERT_TRUE(database().execute("insert into ATHLETE (ATHLETENO, MEETINGNO, SURNAME, "
                                   "FIRSTNAME) values (" +
                                   db::sqlInt(athlete) + ", " + db::sqlInt(m_meetingNo) +
                                   ", 'Mokoena', 'Thabo')"));
    ASSERT_TRUE(database().execute(
        "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO, LANE, PLACE) values (" +
        db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::sqlInt(m_event) + ", " + db::sqlInt(athlete) + ", 4, 1)"));
    QString out, err;
    ASSERT_EQ(cli({"program", "members", QString::number(m_event), "F", "--order", "surname"}, &out,
                  &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("Mokoena, Thabo")) << out.toStdString();
    EXPECT_EQ(cli({"program", "members", QString::number(m_event), "F", "--order", "age"}), 2);
    EXPECT_EQ(cli({"program", "members", QString::number(m_event), "A"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("nHeat is required")) << err.toStdString();

    const QString programNo = value("select PROGRAMNO from PROGRAM");
    ASSERT_EQ(cli({"--yes", "program", "release", "draw", programNo}), 0);
    EXPECT_EQ(value("select DRAW_RELEASED from PROGRAM"), "1");
    QString already;
    EXPECT_EQ(cli({"--yes", "program", "release", "draw", programNo}, &already), 1);
    EXPECT_TRUE(already.contains("was already released.")) << already.toStdString();
    ASSERT_EQ(cli({"--yes", "program", "revise", "results", programNo}), 0);
    EXPECT_EQ(value("select RESULTS_REVISION from PROGRAM"), "1");
    EXPECT_EQ(cli({"program", "retract", "everything", programNo}), 2);

    ASSERT_EQ(cli({"program", "placed-counts", "--errors"}, &out), 0);
    EXPECT_TRUE(out.contains("1 of 1 heats differ")) << out.toStdString();
    ASSERT_EQ(cli({"program", "placed-counts", "--errors", "--update"}, &out), 0);
    EXPECT_TRUE(out.contains("0 of 0 heats differ")) << out.toStdString();
    EXPECT_EQ(value("select PLACEDCOUNT from PROGRAM"), "1");
}

TEST_F(CommandsTest, ItemsAreAddedWithTheirCategoryOrDescription)
{
    QString out, err;
    EXPECT_EQ(cli({"event", "add", "BRE_____50M13W", "--category", "A"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("You want a Category Item, but the Meeting is not Categorised"))
        << err.toStdString();
    ASSERT_EQ(cli({"event", "add", "BRE_____50M13W", "--description", "Invitation"}, &out), 0);
    EXPECT_TRUE(out.contains("item: 50m Breaststroke 13 Male Invitation")) << out.toStdString();
    EXPECT_EQ(value("select ITEMCODE from MYEVENT where ITEMCODE starting 'BRE'"),
              "BRE_____50M13WZ");
    ASSERT_EQ(cli({"--yes", "event", "veterans", "BCK_____50M13W"}, &out), 0);
    EXPECT_TRUE(out.contains("added: 13")) << out.toStdString();
    EXPECT_EQ(count("MYEVENT", "ITEMCODE starting 'BCK'"), 13);
}

TEST_F(CommandsTest, AnItemCodeTheItemNamesDoNotKnowIsRefusedAndNothingAdded)
{
    const int before = count("MYEVENT", "1=1");
    QString err;
    // A typing slip (FLY for BFL) used to be added and broke every screen that names it.
    EXPECT_EQ(cli({"event", "add", "FLY_____50M13W"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("Not an item code: FLY_____50M13W (the group \"FLY\" is not one of "
                             "the swimming groups)"))
        << err.toStdString();
    EXPECT_EQ(cli({"event", "add", "BFL_____50X13W"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("the gender \"X\" is not M, F or T")) << err.toStdString();
    EXPECT_EQ(cli({"event", "add", "BFL_____50M1AW"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("the age \"1A\" is not from 02 to 95 or 99")) << err.toStdString();
    EXPECT_EQ(count("MYEVENT", "1=1"), before);
    ASSERT_EQ(cli({"event", "add", "BFL_____50M13W"}), 0);
    EXPECT_EQ(count("MYEVENT", "1=1"), before + 1);
}

} // namespace
