#include "placesfixture.h"

using testing_support::runCli;

namespace {

// The places, status and absentee commands as a user runs them on a database file.
class ResultsCliTest : public PlacesTest {
protected:
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
};

TEST_F(ResultsCliTest, PlacesAreCalculatedCheckedAndStatusesSet)
{
    const qint64 event = addEvent("FRE____100M13W");
    addProgramRow(event, "A", 1);
    const qint64 fast = addAthlete();
    const QList<qint64> heat = addHeat(event, "A", 1, {{"1:05.20"}, {"1:05.10", "", 0, fast}});
    const QList<qint64> final = addFinal(event, {{"1:04.90", "", 2}, {"1:05.00", "", 1}});
    const QString eventText = QString::number(event);

    QString out, err;
    EXPECT_EQ(cli({"places", "check", eventText}, &out), 1);
    EXPECT_TRUE(out.contains("Round A Heat 1: places must be calculated or fixed"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("Performance not placed: 1:05.20")) << out.toStdString();

    ASSERT_EQ(cli({"places", "calc", eventText, "--round", "A"}, &out), 0) << out.toStdString();
    EXPECT_EQ(ePlaces("A", heat), (QList<int>{2, 1}));
    EXPECT_EQ(ePlaces("F", final), (QList<int>{2, 1})); // the final was not asked for

    ASSERT_EQ(cli({"places", "calc", eventText}, &out), 0);
    EXPECT_TRUE(out.contains("Changed place 2 to 1")) << out.toStdString();
    EXPECT_EQ(ePlaces("F", final), (QList<int>{1, 2}));
    ASSERT_EQ(cli({"--json", "places", "check", eventText}, &out), 0);
    EXPECT_TRUE(out.contains("\"ok\": true")) << out.toStdString();

    ASSERT_EQ(cli({"result", "status", eventText, "A", QString::number(fast), "DQ", "--reason",
                   "False start"},
                  &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(value("select DISQ_STATUS || '/' || DISQ_REASON || '/' || coalesce(PERFORMANCE, '') "
                    "from HEATPART where HEATPARTNO = " +
                    db::sqlInt(heat[1])),
              "1/False start/");
    // The slower swimmer still holds place 2: flagged until calculated again.
    EXPECT_EQ(notCalculated(programRow(event, "A", 1)), 1);

    EXPECT_EQ(
        cli({"result", "status", eventText, "A", QString::number(fast), "clear", "--reason", "x"},
            nullptr, &err),
        1);
    EXPECT_TRUE(err.contains("You cannot give a reason if the performance is not disqualified."))
        << err.toStdString();
    EXPECT_EQ(cli({"result", "status", eventText, "A", QString::number(fast), "Late"}), 2);
    EXPECT_EQ(
        cli({"result", "status", eventText, "B", QString::number(fast), "DNS"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("is not in round B")) << err.toStdString();
    ASSERT_EQ(cli({"--yes", "result", "status", eventText, "A", QString::number(fast), "clear"}),
              0);
    EXPECT_EQ(value("select DISQ_STATUS from HEATPART where HEATPARTNO = " + db::sqlInt(heat[1])),
              "0");
}

TEST_F(ResultsCliTest, AbsenteesAreTaggedAndQueuedFromTheCommandLine)
{
    const qint64 first = addEvent("FRE____100M13W", 1);
    const qint64 second = addEvent("BCK____100M13W", 2);
    const qint64 absent = addAthlete();
    addFinal(first, {{"", "", 0, absent, 3, 3}});
    addFinal(second, {{"1:10.00", "", 1, absent, 2}, {"1:11.00", "", 2}});

    QString out, err;
    EXPECT_EQ(cli({"--no", "absent", "auto"}, &out, &err), 1);
    EXPECT_EQ(count("AWOL_QUE"), 0);
    ASSERT_EQ(cli({"--yes", "absent", "auto"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"--json", "absent", "queue"}, &out), 0);
    EXPECT_TRUE(out.contains("\"action\": \"CALC\"")) << out.toStdString();
    EXPECT_TRUE(out.contains("\"done\": false")) << out.toStdString();
    ASSERT_EQ(cli({"absent", "queue", "--run"}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("Recalculated: 1")) << out.toStdString();
    EXPECT_EQ(value("select E_PLACE from PARTICIPATE where EVENTNO = " + db::sqlInt(second) +
                    " and ATHLETENO <> " + db::sqlInt(absent)),
              "1");

    ASSERT_EQ(cli({"--yes", "absent", "absolve", QString::number(absent)}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(value("select DISQ_STATUS from PARTICIPATE where EVENTNO = " + db::sqlInt(first)),
              "10");
    EXPECT_EQ(cli({"--yes", "absent", "absolve", QString::number(absent)}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There are no Events tagged as \"DNS\" or \"DNR\"") ||
                out.contains("There are no Events tagged as \"DNS\" or \"DNR\""));
    ASSERT_EQ(cli({"--yes", "absent", "revert", QString::number(absent)}), 0);
    EXPECT_EQ(value("select DISQ_STATUS from PARTICIPATE where EVENTNO = " + db::sqlInt(first)),
              "3");
}

TEST_F(ResultsCliTest, TheQueueRedrawsARoundThatLostAnAbsentSwimmer)
{
    const qint64 first = addEvent("FRE____100M13W", 1);
    const qint64 second = addEvent("BCK____100M13W", 2);
    const qint64 absent = addAthlete();
    addFinal(first, {{"", "", 0, absent, 3, 3}});
    addFinal(second, {{"", "", 0, absent, 0}, {"", "", 0, 0, 0}, {"", "", 0, 0, 0}});
    const QString secondText = QString::number(second);
    QString out, err;
    ASSERT_EQ(
        cli({"--yes", "draw", "round", secondText, "--round", "F", "--seed", "3"}, &out, &err), 0)
        << out.toStdString() << err.toStdString();
    ASSERT_EQ(count("PARTICIPATE", "EVENTNO = " + db::sqlInt(second) + " and LANE > 0"), 3);

    ASSERT_EQ(cli({"--yes", "absent", "auto"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"--yes", "absent", "queue", "--run", "--seed", "3"}, &out, &err), 0)
        << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains("Redrawn: 1")) << out.toStdString();
    EXPECT_EQ(count("AWOL_QUE", "DONE = 1"), 1);
    EXPECT_EQ(count("PARTICIPATE", "EVENTNO = " + db::sqlInt(second) + " and LANE > 0"), 2);
    EXPECT_EQ(value("select DISQ_STATUS from PARTICIPATE where EVENTNO = " + secondText +
                    " and ATHLETENO = " + db::sqlInt(absent)),
              "9");
}

} // namespace
