#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>

namespace {

using testing_support::runCli;

QJsonObject jsonOf(const QString& out)
{
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

TEST(ScoreTableCliTest, ScoresAPerformanceWithItsCorrections)
{
    QString out;
    QString err;
    ASSERT_EQ(runCli({"--json", "score", "5", "SHD____100M25", "10.90", "--hand"}, &out, &err), 0)
        << err.toStdString();
    QJsonObject o = jsonOf(out);
    EXPECT_EQ(o["points"].toString(), "830");
    EXPECT_EQ(o["hand correction"].toString(), "0.24");
    ASSERT_EQ(
        runCli({"--json", "score", "5", "LOD___1500M25", "4:38.49", "--altitude", "1400"}, &out),
        0);
    EXPECT_EQ(jsonOf(out)["points"].toString(), "690");
    EXPECT_EQ(jsonOf(out)["altitude correction"].toString(), "0.00");
    // Seniors are scored as the open age.
    ASSERT_EQ(runCli({"--json", "score", "5", "SHD____100M99", "10.51", "--age", "31"}, &out), 0);
    EXPECT_EQ(jsonOf(out)["item"].toString(), "SHD____100M25");
    EXPECT_EQ(jsonOf(out)["points"].toString(), "973");
    // A blank performance scores nothing; a text that is no performance is refused.
    ASSERT_EQ(runCli({"--json", "score", "5", "SHD____100M25", "0.00"}, &out), 0);
    EXPECT_EQ(jsonOf(out)["points"].toString(), "0");
    EXPECT_EQ(runCli({"score", "5", "SHD____100M25", "abc"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The performance is not a time or a distance: abc"))
        << err.toStdString();
    EXPECT_TRUE(out.isEmpty());
    // An item the set does not score is said so, not given 0 points.
    EXPECT_EQ(runCli({"score", "5", "THRHammer_M25", "60.00"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("This item is not in the Score table")) << err.toStdString();
    EXPECT_TRUE(out.isEmpty());
}

TEST(ScoreTableCliTest, GivesThePerformanceWorthAScoreWithinTheAllowedRange)
{
    QString out;
    QString err;
    ASSERT_EQ(runCli({"--json", "score", "perf", "5", "THRDiscus_M25", "924"}, &out, &err), 0)
        << err.toStdString();
    // 924.0 points lie at 52.539 m, rounded to the nearest hundredth.
    EXPECT_EQ(jsonOf(out)["value"].toString(), "52.54");
    EXPECT_EQ(runCli({"score", "perf", "5", "THRDiscus_M25", "1100"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The score must be between 100 and 1000")) << err.toStdString();
    EXPECT_EQ(runCli({"score", "perf", "5", "THRDiscus_M25", "9x"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The score must be an integer"));
    EXPECT_EQ(runCli({"score", "perf", "5", "THRHammer_M25", "900"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("This item is not in the Score table"));
}

TEST(ScoreTableCliTest, SetsWithoutDataAreListedAsNotLoadedAndRefuseToScore)
{
    QString out;
    QString err;
    ASSERT_EQ(runCli({"--json", "scoresets", "list"}, &out), 0);
    const QJsonArray sets = QJsonDocument::fromJson(out.toUtf8()).array();
    QMap<int, int> loaded; // set -> items
    for (const QJsonValue& v : sets) {
        const QJsonObject set = v.toObject();
        if (set["state"].toString() == "loaded") {
            loaded.insert(set["number"].toInt(), set["items"].toInt());
            EXPECT_FALSE(set["source"].toString().isEmpty());
        }
    }
    // The combined-event constants, the three World Athletics tables, and the masters age
    // factors by item family.
    EXPECT_EQ(loaded, (QMap<int, int>{{5, 27}, {30, 75}, {32, 120}, {35, 51}, {37, 128}}));
    EXPECT_EQ(runCli({"score", "7", "SHD____100M25", "10.51"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The ScoreTable for WorldAth 2005 is not available"));
    // A masters sprinter is graded (10.51 x 0.9578 + 0.01 -> 10.07) and scored on the 2017
    // table, whatever set is asked for: 10.07 is its row 118 (the slowest time worth 1180;
    // the formula gives 1182.9 there).
    ASSERT_EQ(runCli({"--json", "score", "5", "SHD____100M99", "10.51", "--age", "41"}, &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(jsonOf(out)["points"].toString(), "1180");
    EXPECT_EQ(runCli({"score", "5", "THRShotputM50", "12.00", "--age", "52"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("No Age-Factor for THRShotputM50 at the age of 50"))
        << err.toStdString();
    EXPECT_EQ(runCli({"score", "5", "SHD____100M25"}, &out, &err), 2);
}

TEST(ScoreTableCliTest, PrintsScoreTablesAndRefusesStepsThatDoNotFit)
{
    QString out;
    QString err;
    const QString pdf = QDir::temp().filePath(
        "dolvane-score-table-" + QString::number(QCoreApplication::applicationPid()) + ".pdf");
    ASSERT_EQ(runCli({"score", "table", "5", "HDL____100F25", "SHD____100M25", "--from", "700",
                      "--to", "1000", "--step", "100", "--hand", "--pdf", pdf},
                     &out, &err),
              0)
        << err.toStdString();
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QFile::remove(pdf);
    EXPECT_TRUE(text.contains("Hand Timing"));
    // Grouped by gender, the girls' item typed first under "Girls" after the boys': each
    // group its own headings and its own rows of scores, one performance in each.
    EXPECT_FALSE(text.contains("Boys and Girls"));
    const qsizetype boys =
        text.indexOf(QRegularExpression("^\\s*Boys\\s*$", QRegularExpression::MultilineOption));
    const qsizetype girls =
        text.indexOf(QRegularExpression("^\\s*Girls\\s*$", QRegularExpression::MultilineOption));
    ASSERT_GE(boys, 0) << text.toStdString();
    ASSERT_GT(girls, boys) << text.toStdString();
    EXPECT_GT(text.indexOf("100m 25 Male"), boys);
    EXPECT_LT(text.indexOf("100m 25 Male"), girls);
    EXPECT_GT(text.indexOf("100m Hurdles 25 Female"), girls);
    EXPECT_EQ(text.count(
                  QRegularExpression("^\\s*700\\s+\\S+\\s*$", QRegularExpression::MultilineOption)),
              2)
        << text.toStdString();
    // A hand time is 0.24 s quicker than the electronic 10.40 the points are worth.
    EXPECT_LT(text.indexOf("10.16"), girls) << text.toStdString();
    EXPECT_GT(text.indexOf("10.16"), boys);
    EXPECT_EQ(runCli({"score", "table", "5", "SHD____100M25", "--from", "700", "--to", "1000",
                      "--step", "70"},
                     &out, &err),
              1);
    EXPECT_TRUE(err.contains("The steps must go precisely from \"From\" to \"To\""));
    EXPECT_EQ(runCli({"score", "table", "5", "SHD____100M25", "--from", "900", "--to", "800",
                      "--step", "10"},
                     &out, &err),
              1);
    EXPECT_TRUE(err.contains("\"From\" must be less than \"To\""));
    EXPECT_EQ(runCli({"score", "table", "5", "SHD____100M25", "--from", "100", "--to", "1000",
                      "--step", "1"},
                     &out, &err),
              1);
    EXPECT_TRUE(err.contains("You have too many values to print"));
}

} // namespace
