// The draw commands as a user runs them on a database file.

#include "drawnfield.h"

#include "db/sqltext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;

namespace {

class DrawCommandsTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        changeMeeting({{"DRAW_METHOD", "6"}, {"HAS_BEST_BEFORES", "1"}});
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "3,0,8");
        m_athletes = enterField(m_event, 20, true);
    }
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    QJsonArray list(const QString& round = "A")
    {
        QString out;
        EXPECT_EQ(cli({"--json", "draw", "list", QString::number(m_event), "--round", round}, &out),
                  0);
        return QJsonDocument::fromJson(out.toUtf8()).array();
    }
    QString event() const { return QString::number(m_event); }

    qint64 m_event = 0;
    QList<qint64> m_athletes;
};

TEST_F(DrawCommandsTest, DrawListRepeatAndClearARound)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"--yes", "draw", "round", event(), "--seed", "12"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("Done: Round \"A\" drawn")) << out.toStdString();
    const QJsonArray first = list();
    ASSERT_EQ(first.size(), 20);
    // Heat and lane order; the fastest in lane 4 of the last heat.
    for (int i = 1; i < first.size(); ++i) {
        const QJsonObject a = first[i - 1].toObject();
        const QJsonObject b = first[i].toObject();
        EXPECT_TRUE(
            a["heat"].toInt() < b["heat"].toInt() ||
            (a["heat"].toInt() == b["heat"].toInt() && a["lane"].toInt() < b["lane"].toInt()));
    }
    QJsonObject fastest;
    for (const QJsonValue& row : first) {
        if (row["heat"].toInt() == 3 && row["lane"].toInt() == 4)
            fastest = row.toObject();
    }
    EXPECT_EQ(fastest["athleteno"].toInteger(), m_athletes[0]);
    EXPECT_EQ(fastest["team"].toString(), "T1");
    EXPECT_EQ(fastest["seed"].toString(), m_items->PerfValueToText("FRE____100M13W", 60, false));

    ASSERT_EQ(cli({"--yes", "draw", "round", event(), "--round", "A", "--seed", "12"}), 0);
    EXPECT_EQ(list(), first);

    ASSERT_EQ(cli({"draw", "list", event()}, &out), 0);
    EXPECT_EQ(out.count('\n'), 20);
    EXPECT_TRUE(out.contains("SWIMMER0, Sam")) << out.toStdString();

    ASSERT_EQ(cli({"--yes", "draw", "clear", event(), "A"}), 0);
    EXPECT_EQ(list().size(), 0);
}

TEST_F(DrawCommandsTest, WithoutYesNothingIsDrawn)
{
    QString out;
    EXPECT_EQ(cli({"draw", "round", event()}, &out), 1);
    EXPECT_EQ(count("HEATPART"), 0);
}

TEST_F(DrawCommandsTest, DrawAllFirstRounds)
{
    const qint64 other = addSelected("BRE____100M13W");
    enterField(other, 5, true);
    QString out;
    QString err;
    ASSERT_EQ(cli({"--yes", "draw", "all", "--seed", "3"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Done: All Athletes for the first rounds were Drawn"));
    EXPECT_TRUE(out.contains("2 events drawn, 25 athletes")) << out.toStdString();
    EXPECT_EQ(list().size(), 20);
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(other)), 5);
    ASSERT_EQ(cli({"--yes", "draw", "all", "--combined"}, &out, &err), 0);
    EXPECT_TRUE(out.contains("0 events drawn")) << out.toStdString();
}

TEST_F(DrawCommandsTest, BadInputIsRefusedAndThePreviousDrawStays)
{
    ASSERT_EQ(cli({"--yes", "draw", "round", event(), "--seed", "1"}), 0);
    const QJsonArray before = list();
    QString out;
    QString err;
    EXPECT_EQ(cli({"--yes", "draw", "round", "nine"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("EVENTNO must be a positive number")) << err.toStdString();
    EXPECT_EQ(cli({"--yes", "draw", "round", event(), "--seed", "soon"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("--seed must be a whole number"));
    EXPECT_EQ(cli({"--yes", "draw", "round", event(), "--round", "Z"}, &out, &err), 2);
    EXPECT_EQ(cli({"--yes", "draw", "clear", event(), "AB"}, &out, &err), 2);
    EXPECT_EQ(cli({"--yes", "draw", "round", event(), "--round", "B"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Round B is not a round of 100m Freestyle 13 Male"))
        << err.toStdString();
    EXPECT_EQ(cli({"--yes", "draw", "round", "123456789"}, &out, &err), 1);
    EXPECT_EQ(cli({"--yes", "draw", "list", "123456789"}, &out, &err), 1);
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = 1 where HEATNO = 3"));
    EXPECT_EQ(cli({"--yes", "draw", "round", event(), "--seed", "2"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There are already 7 results entered for Round A"));
    EXPECT_EQ(cli({"--yes", "draw", "clear", event(), "A"}, &out, &err), 1);
    EXPECT_EQ(list(), before);
}

} // namespace
