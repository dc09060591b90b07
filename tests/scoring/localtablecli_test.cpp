#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// The local table of set 39 as the program finds it: scoretables/set39.txt in the
// configuration folder, read by the command line program at start.

namespace {

using testing_support::runCli;

class LocalTableCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        ASSERT_TRUE(QDir(m_config.path()).mkpath("scoretables"));
        m_env.insert("DOLVANE_CONFIG_DIR", m_config.path());
    }
    void writeLocal(const QString& text)
    {
        QFile file(m_config.filePath("scoretables/set39.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    int cli(const QStringList& args, QString* out, QString* err = nullptr)
    {
        return runCli(args, out, err, &m_env);
    }
    QJsonObject set39(const QString& listJson)
    {
        for (const QJsonValue v : QJsonDocument::fromJson(listJson.toUtf8()).array()) {
            if (v.toObject()["number"].toInt() == 39)
                return v.toObject();
        }
        return {};
    }

    QTemporaryDir m_config;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
};

TEST_F(LocalTableCliTest, ALocalTableInTheConfigurationFolderScoresItsItems)
{
    // A made-up turbo javelin table of our own: 10.00 m at row 0, 0.30 m more a row.
    QStringList rows;
    for (int row = 0; row <= 100; ++row)
        rows << QString::number(1000 + 30 * row);
    writeLocal("set 39\nsource the club's own turbo javelin table (made-up)\n"
               "item THRTrbJavlM12 F first=1000 middle=2500 last=4000 values=" +
               rows.join(',') + "\n");
    QString out;
    QString err;
    ASSERT_EQ(cli({"--json", "score", "39", "THRTrbJavlM12", "25.00"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["points"].toString(), "500");
    ASSERT_EQ(cli({"--json", "score", "perf", "39", "THRTrbJavlM12", "600"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["value"].toString(), "28.00");
    // ABSA 2007 sends the turbo javelin to its options.
    EXPECT_EQ(cli({"score", "15", "THRTrbJavlM12", "25.00"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Go to the turbo-javelin options")) << err.toStdString();

    ASSERT_EQ(cli({"--json", "scoresets", "list"}, &out), 0);
    const QJsonObject row = set39(out);
    EXPECT_EQ(row["state"].toString(), "loaded");
    EXPECT_EQ(row["items"].toInt(), 1);
    EXPECT_EQ(row["source"].toString(), "the club's own turbo javelin table (made-up)");
}

TEST_F(LocalTableCliTest, ABadLocalFileIsListedWithItsReasonAndNotUsed)
{
    writeLocal("set 39\nsource ours\nitem THRTrbJavlM12 F first=1000 middle=2500 last=4000 "
               "values=1000,1030\n");
    QString out;
    ASSERT_EQ(cli({"scoresets", "list"}, &out), 0);
    EXPECT_TRUE(
        out.contains("Local table not loaded: " + m_config.filePath("scoretables/set39.txt") +
                     " line 3: the item THRTrbJavlM12 needs 101 row values, found 2"))
        << out.toStdString();
    ASSERT_EQ(cli({"--json", "scoresets", "list"}, &out), 0);
    const QJsonObject row = set39(out);
    EXPECT_EQ(row["state"].toString(), "not loaded");
    EXPECT_EQ(row["problems"].toArray().size(), 1);
}

} // namespace
