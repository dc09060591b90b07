#include "records/recordsfixture.h"

#include "scoring/placepoints.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

using testing_support::runCli;

class ScoreCliTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        noPlacePoints();
    }
    int cli(const QStringList& args, QString* out = nullptr, QString* err = nullptr)
    {
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    // A meeting with one event: OAK first and third, ELM second.
    void results()
    {
        scoring::PlacePointsTable table(database(), m_meetingNo);
        for (const char* p : {"5", "3", "1"})
            table.increase(0, p, p, 40);
        setMeeting("TEAMSCOREBASIS = 1, MEDALBASEDON = 1, CHECKGOLD = 1, CHECKSILVER = 1, "
                   "CHECKBRONZE = 1, POINTGOLD = 1, POINTSILVER = 2, POINTBRONZE = 3");
        const qint64 oak = addTeam("OAK");
        const qint64 elm = addTeam("ELM");
        const qint64 event = addEvent("FRE____100M12W");
        addResult(event, addAthlete(oak, "Ames", "M", 12), oak, "1:04.00", 1);
        addResult(event, addAthlete(elm, "Bell", "M", 12), elm, "1:05.00", 2);
        addResult(event, addAthlete(oak, "Cole", "M", 12), oak, "1:06.00", 3);
    }
    static QString pdfText(const QString& path)
    {
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};

TEST_F(ScoreCliTest, PointsAreSetPlaceByPlaceAndARisingTableIsRefused)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"points", "set", "0", "1", "6"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"points", "set", "0", "2", "4"}), 0);
    ASSERT_EQ(cli({"points", "set", "0", "1", "12", "--relay"}), 0);
    EXPECT_EQ(cli({"points", "set", "0", "3", "5"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The  points for place 3 (5) may not be more  than the points for "
                             "the previous place (4)"))
        << err.toStdString();
    EXPECT_EQ(cli({"points", "set", "0", "2", "-1"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The score must be a number, and not negative."));
    EXPECT_EQ(cli({"points", "set", "0", "two", "1"}, &out, &err), 2);
    ASSERT_EQ(cli({"points", "show"}, &out), 0);
    EXPECT_EQ(out, "0\t1\t6\t12\n0\t2\t4\t4\n");
    ASSERT_EQ(cli({"--json", "points", "show"}, &out), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).array()[1].toObject()["points"].toDouble(), 4);
    EXPECT_EQ(cli({"points", "check"}, &out), 0);
}

TEST_F(ScoreCliTest, TeamTotalsAndMedalsAsTextJsonAndPdf)
{
    results();
    QString out;
    QString err;
    ASSERT_EQ(cli({"--json", "team", "totals"}, &out, &err), 0) << err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).object()["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()["Team"].toString(), "OAK");
    EXPECT_EQ(rows[0].toObject()["Points"].toString(), "6");
    EXPECT_EQ(rows[1].toObject()["Points"].toString(), "3");

    // Without competitions there is no column of competition numbers.
    ASSERT_EQ(cli({"medals"}, &out), 0);
    EXPECT_TRUE(out.contains("Team\tName\tGold\tSilver\tBronze\tTotal\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("OAK\tOAK School\t1\t0\t1\t2\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("ELM\tELM School\t0\t1\t0\t1\n"));

    const QString totalsPdf = m_home->dir() + "/totals.pdf";
    const QString medalsPdf = m_home->dir() + "/medals.pdf";
    ASSERT_EQ(cli({"team", "totals", "--pdf", totalsPdf}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"medals", "--pdf", medalsPdf}, &out, &err), 0) << err.toStdString();
    const QString totals = pdfText(totalsPdf);
    EXPECT_TRUE(totals.contains("Team Totals")) << totals.toStdString();
    EXPECT_TRUE(totals.contains("Gala"));
    EXPECT_TRUE(totals.contains(QRegularExpression("1\\s+OAK\\s+OAK School\\s+6")));
    const QString medals = pdfText(medalsPdf);
    EXPECT_TRUE(medals.contains("Medals per Team"));
    EXPECT_TRUE(medals.contains(QRegularExpression("ELM\\s+ELM School\\s+0\\s+1\\s+0\\s+1")));

    EXPECT_EQ(cli({"medals", "--pdf", "/no/such/folder/m.pdf"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Could not write /no/such/folder/m.pdf"));
    EXPECT_EQ(cli({"team", "totals", "--split", "colour"}, &out, &err), 2);
}

TEST_F(ScoreCliTest, ReportsNeedTheirSettings)
{
    results();
    setMeeting("ATHLETESCOREEVENTS = 0");
    QString out;
    QString err;
    EXPECT_EQ(cli({"report", "best-per-category"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The number of events to sum for each Athlete is not defined."));
    EXPECT_EQ(cli({"report", "top-athletes"}, &out, &err), 1);
    EXPECT_EQ(cli({"report", "team-records", "--places", "0"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("__0__ Places to Sum for this report does not make sense."));
    setMeeting("ATHLETESCOREEVENTS = 1");
    const QString pdf = m_home->dir() + "/best.pdf";
    ASSERT_EQ(cli({"report", "best-per-category", "--group", "gender", "--pdf", pdf}, &out, &err),
              0)
        << err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Victor/Victrix Lodorum for: Male")) << text.toStdString();
}

} // namespace
