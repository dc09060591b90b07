#include "handdrawfixture.h"

#include "db/sqltext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::runCli;

namespace {

// The hand-made draws from the command line, on round A of two heats of three.
class DrawManualCliTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "2,2,2");
        m_dol = addTeam("DOL");
        m_sha = addTeam("SHA", false, true);
        for (int i = 0; i < 6; ++i) {
            const qint64 a = addSwimmer(i < 4 ? m_dol : m_sha, QString("S%1").arg(i));
            enterSwimmer(m_event, a, "00:01:20.00");
            m_athletes.append(a);
            seat(m_event, "A", i / 3 + 1, a, i % 3 + 1);
        }
    }
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    QString athlete(int i) const { return QString::number(m_athletes[i]); }

    qint64 m_event = 0;
    qint64 m_dol = 0;
    qint64 m_sha = 0;
    QList<qint64> m_athletes;
};

TEST_F(DrawManualCliTest, BadHeatsLanesAndSwapsLeaveTheDrawUntouched)
{
    const QString event = QString::number(m_event);
    const QString before = drawPicture(m_event, "A");
    QString out, err;
    EXPECT_EQ(cli({"draw", "set", event, "A", athlete(0), "1", "two"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The Lane must be a number")) << err.toStdString();
    EXPECT_EQ(cli({"draw", "set", event, "A", athlete(0), "9", "1"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Round A has only 2 heats, not 9")) << err.toStdString();
    // Lanes 1, 1, 3 need "Accept with errors": no answer is No.
    EXPECT_EQ(cli({"draw", "set", event, "A", athlete(1), "1", "1"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Heat 1, Has Duplicates, Has Gaps")) << err.toStdString();
    EXPECT_EQ(cli({"draw", "swap", event, "A", athlete(2), athlete(2)}, &out, &err), 1);
    EXPECT_TRUE(err.contains("You must select two athletes")) << err.toStdString();
    EXPECT_EQ(cli({"--yes", "draw", "swap", event, "A", athlete(0), athlete(4), "--same-team"},
                  &out, &err),
              1);
    EXPECT_TRUE(err.contains("The two athletes must be from the same team"));
    EXPECT_EQ(cli({"draw", "set", event, "Q", athlete(0), "1", "1"}, &out, &err), 2);
    EXPECT_EQ(drawPicture(m_event, "A"), before);
}

TEST_F(DrawManualCliTest, SetSwapAndAddLateChangeTheDraw)
{
    const QString event = QString::number(m_event);
    QString out, err;
    ASSERT_EQ(cli({"--yes", "draw", "swap", event, "A", athlete(0), athlete(3)}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "2/1");
    EXPECT_EQ(where(m_event, "A", m_athletes[3]), "1/1");
    ASSERT_EQ(cli({"draw", "set", event, "A", athlete(5), "2", "0"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(where(m_event, "A", m_athletes[5]), "2/0");
    const qint64 late = addSwimmer(m_sha, "Late");
    enterSwimmer(m_event, late);
    ASSERT_EQ(cli({"draw", "undrawn", event, "--json"}, &out), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).array().size(), 1);
    EXPECT_EQ(cli({"draw", "add-late", event, QString::number(late), "one", "4"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Select a Heat"));
    EXPECT_EQ(cli({"draw", "add-late", event, QString::number(late), "2", "2"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The lane is already occupied."));
    ASSERT_EQ(cli({"draw", "add-late", event, QString::number(late), "2", "3"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(where(m_event, "A", late), "2/3");
}

TEST_F(DrawManualCliTest, TheSelectedAreDrawnAgainTheSameWayWithTheSameSeed)
{
    const QString event = QString::number(m_event);
    QString out, err;
    ASSERT_EQ(cli({"draw", "select", event, "A", "--seed", "42"}, &out, &err), 0)
        << err.toStdString();
    const QString first = drawPicture(m_event, "A");
    ASSERT_EQ(cli({"draw", "select", event, "A", "--seed", "42"}, &out, &err), 0);
    EXPECT_EQ(drawPicture(m_event, "A"), first);
    EXPECT_EQ(count("HEATPART", "ROUND = 'A'"), 6);
    EXPECT_EQ(cli({"draw", "select", event, "A", "--seed", "x"}, &out, &err), 2);
}

TEST_F(DrawManualCliTest, CheckSummaryAndTeamLanesAreListedAsJson)
{
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = LANE, PERFORMANCE = "
                                   "'00:01:1' || LANE || '.00'"));
    ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = 1 where ATHLETENO = " +
                                   db::sqlInt(m_athletes[0])));
    const QString event = QString::number(m_event);
    QString out, err;
    ASSERT_EQ(cli({"draw", "check", event, "F", "--json"}, &out, &err), 0) << err.toStdString();
    const QJsonArray check = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(check.size(), 6);
    EXPECT_EQ(check[0].toObject()["group"].toString(), "Place");
    EXPECT_EQ(check[0].toObject()["lane"].toInt(), 1);
    EXPECT_EQ(check[5].toObject()["group"].toString(), "Time");
    EXPECT_EQ(cli({"draw", "check", event, "A"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no draw check for round A") ||
                out.contains("There is no draw check for round A"));

    ASSERT_EQ(cli({"draw", "summary", event, "--json"}, &out, &err), 0) << err.toStdString();
    const QJsonArray summary = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(summary.size(), 6);
    const QJsonObject rounds = summary[0].toObject()["rounds"].toObject();
    EXPECT_EQ(rounds["A"].toObject()["performance"].toString(), "00:01:11.00");
    EXPECT_EQ(rounds["F"].toObject()["lane"].toInt(), 1);

    EXPECT_EQ(cli({"draw", "team-lanes", "set", "F", "SHA;XYZ"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("There is no team \"XYZ\" in this meeting"));
    ASSERT_EQ(cli({"draw", "team-lanes", "set", "M", "DOL"}, &out, &err), 0);
    ASSERT_EQ(cli({"draw", "team-lanes", "show", "--json"}, &out, &err), 0);
    const QJsonObject lanes = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(lanes["M"].toObject()["lanes"].toArray().at(0).toString(), "DOL");
    EXPECT_EQ(lanes["F"].toObject()["missing"].toArray(), QJsonArray({"DOL", "SHA"}));
}

TEST_F(DrawManualCliTest, APatternWithWrongTeamCountsIsRefusedUntilItMatches)
{
    QString out, err;
    EXPECT_EQ(cli({"draw", "pattern", "show"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("You must first Configure the Pattern Draw settings"));
    EXPECT_EQ(cli({"draw", "pattern", "lanes", "10"}, &out, &err), 1);
    ASSERT_EQ(cli({"draw", "pattern", "lanes", "5"}, &out, &err), 0);
    EXPECT_EQ(cli({"draw", "pattern", "teams", "M", "DOL;SHA"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("must be equal to the Lane-Count (5)")) << err.toStdString();
    ASSERT_EQ(cli({"draw", "pattern", "show", "--json"}, &out, &err), 0);
    const QJsonObject pattern = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(pattern["lanes"].toInt(), 5);
    EXPECT_EQ(pattern["cycles"].toArray().size(), 19);
    EXPECT_EQ(pattern["male"].toObject()["2"].toString(), "SHA");
    // Swimming strokes are no bend races: nothing is numbered.
    ASSERT_EQ(cli({"draw", "pattern", "renumber"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("0 heats numbered"));
}

} // namespace
