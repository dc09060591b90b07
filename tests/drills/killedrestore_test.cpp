// A restore killed at each of its steps: the database file or the hidden copy of it stays
// usable (the engine's validation passes and it holds the data it should), a half-written
// snapshot is never listed, and the next restore works.

#include "support/dbvalidation.h"
#include "support/killdrill.h"
#include "support/testdatabase.h"

#include "backup/ziparchive.h"
#include "db/sqltext.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

using testing_support::DatabaseTest;

namespace {

class KilledRestoreTest : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        // Some bulk, so that unpacking and copying the file take a moment.
        ASSERT_TRUE(database().execute("create table BALLAST (N integer, T varchar(4000))"));
        ASSERT_TRUE(database().startBatch());
        for (int i = 0; i < 5000; ++i)
            ASSERT_TRUE(database().batchExecute(
                "insert into BALLAST (N, T) values (" + db::sqlInt(i) + ", rpad(" +
                db::quoted(QString::number(i * 7919)) + ", 4000, 'pool'))"));
        ASSERT_TRUE(database().commitBatch());
        database().configWrite("STATE", "archive");
        m_run.reset();

        QString out;
        QString err;
        ASSERT_EQ(testing_support::runCli({"--db", m_path, "--json", "snapshot"}, &out, &err), 0)
            << err.toStdString();
        const QString snapshot =
            QJsonDocument::fromJson(out.toUtf8()).object()["snapshot"].toString();
        m_archive = m_home->dir() + "/archive.zip";
        ASSERT_TRUE(QFile::rename(snapshot, m_archive)) << out.toStdString();

        ASSERT_EQ(state(m_path), "archive");
        ASSERT_EQ(testing_support::runCli({"--db", m_path, "dbconfig", "set", "STATE", "original"},
                                          nullptr, &err),
                  0)
            << err.toStdString();
        m_original = m_home->dir() + "/original.keep";
        ASSERT_TRUE(QFile::copy(m_path, m_original));
    }

    // Puts the original file back and empties the folders a restore works in.
    void resetFiles()
    {
        for (QString hidden = m_path + "_"; QFile::exists(hidden); hidden += "_")
            QFile::remove(hidden);
        QFile::remove(m_path);
        ASSERT_TRUE(QFile::copy(m_original, m_path));
        ASSERT_TRUE(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner));
        QDir(folder("Temp")).removeRecursively();
        QDir(folder("Snapshots2")).removeRecursively();
    }

    QString folder(const QString& name) const { return m_home->dir() + "/Dolvane/" + name; }

    // The STATE the file holds, read by a program of its own; empty when it cannot be read.
    static QString state(const QString& path)
    {
        QString out;
        if (testing_support::runCli({"--db", path, "dbconfig", "get", "STATE"}, &out) != 0)
            return {};
        return out.trimmed();
    }

    // Validated first (validation wants the file to itself), then read.
    static QString soundState(const QString& path)
    {
        if (!QFile::exists(path))
            return {};
        const testing_support::Validation v = testing_support::validateDatabase(path);
        if (!v.passed()) {
            ADD_FAILURE() << path.toStdString() << " fails validation: " << v.report.toStdString();
            return {};
        }
        return state(path);
    }

    QString m_archive;
    QString m_original;
};

struct Step {
    const char* name;
    std::function<bool()> reached;
};

} // namespace

TEST_F(KilledRestoreTest, KilledAtAnyStepTheFileOrItsHiddenCopyIsUsableAndTheNextRestoreWorks)
{
    const QString hidden = m_path + "_";
    const QString unpacked = folder("Temp") + "/" + QFileInfo(m_path).fileName();
    const std::vector<Step> steps{
        {"taking the snapshot first",
         [&] { return !QDir(folder("Snapshots2")).isEmpty(QDir::Files | QDir::Hidden); }},
        {"unpacking the archive", [&] { return QFile::exists(unpacked); }},
        {"hiding the current file", [&] { return QFile::exists(hidden); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        resetFiles();
        auto cli = drills::startCli({"--db", m_path, "--yes", "restore", m_archive});
        const drills::KillOutcome outcome = drills::killWhen(*cli, step.reached);
        ASSERT_EQ(outcome, drills::KillOutcome::Killed)
            << cli->readAllStandardError().toStdString();

        const QString current = soundState(m_path);
        const QString kept = soundState(hidden);
        if (QFile::exists(hidden)) {
            // The current file was hidden: it is the original, whole.
            EXPECT_EQ(kept, "original");
            // In its place the restored file, whole, or nothing yet.
            if (QFile::exists(m_path)) {
                EXPECT_EQ(current, "archive");
            }
        } else {
            EXPECT_EQ(current, "original");
        }

        // A half-written snapshot is never offered for a restore.
        QString out;
        ASSERT_EQ(testing_support::runCli({"snapshots"}, &out), 0);
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            QStringList names;
            qint64 size = 0;
            QString error;
            EXPECT_TRUE(backup::archiveContents(line, &names, &size, &error))
                << line.toStdString() << ": " << error.toStdString();
        }

        // As an official would: the hidden file put back when the current one is missing,
        // and the restore done again (a minute later: one snapshot a minute).
        QDir(folder("Snapshots2")).removeRecursively();
        if (!QFile::exists(m_path)) {
            ASSERT_TRUE(QFile::rename(hidden, m_path));
        }
        QString err;
        ASSERT_EQ(
            testing_support::runCli({"--db", m_path, "--yes", "restore", m_archive}, &out, &err), 0)
            << err.toStdString();
        EXPECT_EQ(soundState(m_path), "archive");
    }
}
