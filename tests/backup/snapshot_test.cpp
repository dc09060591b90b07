#include "backupfixture.h"

#include "backup/databasefile.h"
#include "backup/snapshot.h"
#include "backup/ziparchive.h"
#include "db/runservices.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using backup_test::BackupTest;

TEST(BackupNamesTest, NamesAndMaskFollowTheStampOfTheMinute)
{
    const QDateTime at(QDate(2025, 2, 13), QTime(7, 5, 59));
    EXPECT_EQ(backup::snapshotName(at), "dolvane_20250213_07h05.zip");
    EXPECT_EQ(backup::todaysSnapshotPrefix(at.date()), "dolvane_20250213");
    EXPECT_EQ(backup::snapshotMask(), "dolvane_????????_??h??.ZIP");
}

TEST(BackupNamesTest, TheListHoldsOnlyMaskedNamesOldestFirst)
{
    QTemporaryDir dir;
    for (const char* name :
         {"dolvane_20250213_14h05.zip", "dolvane_20241231_23h59.ZIP", "dolvane_20250213_09h00.zip",
          "dolvane_2025021_09h00.zip", "other_20250213_09h00.zip", "dolvane_20250213_0900.zip"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(backup::snapshotNames(dir.path() + "/"),
              (QStringList{"dolvane_20241231_23h59.ZIP", "dolvane_20250213_09h00.zip",
                           "dolvane_20250213_14h05.zip"}));
    EXPECT_TRUE(backup::todaysSnapshotExists(dir.path(), QDate(2025, 2, 13)));
    EXPECT_FALSE(backup::todaysSnapshotExists(dir.path(), QDate(2025, 2, 14)));
}

TEST_F(BackupTest, ASnapshotIsAZipOfTheDatabaseFileAndTheRunStaysConnected)
{
    addMeeting(501, "Before the snapshot");
    const backup::SnapshotResult result = backup::takeSnapshot(run(), false);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.path, snapshotPath());
    EXPECT_EQ(result.path, dataRoot() + "Snapshots2/dolvane_20260314_09h30.zip");
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_TRUE(db::isConnected(run()));
    EXPECT_EQ(meetings(), QStringList{"Before the snapshot"});

    QStringList names;
    qint64 size = 0;
    QString error;
    ASSERT_TRUE(backup::archiveContents(result.path, &names, &size, &error));
    EXPECT_EQ(names, QStringList{"test.gdb"});
    EXPECT_EQ(size, QFileInfo(m_path).size());
    const int unzip = unzipTest(result.path);
    if (unzip >= 0) {
        EXPECT_EQ(unzip, 0);
    }
    EXPECT_FALSE(QFile::exists(result.path + ".part"));
}

TEST_F(BackupTest, ASecondSnapshotInTheSameMinuteIsRefused)
{
    ASSERT_TRUE(backup::takeSnapshot(run(), false).written);
    const QByteArray first = [&] {
        QFile f(snapshotPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    m_now = m_now.addSecs(50);
    const backup::SnapshotResult second = backup::takeSnapshot(run(), true);
    EXPECT_FALSE(second.written);
    ASSERT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_EQ(m_sink.ofKind(base::MessageKind::Warning)[0].text,
              "The snapshot " + snapshotPath() +
                  " already exists.\rPlease wait a minute before taking the next snapshot");
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0); // refused before asking
    QFile f(snapshotPath());
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), first);

    m_now = m_now.addSecs(10);
    m_sink.answerYes();
    const backup::SnapshotResult third = backup::takeSnapshot(run(), true);
    EXPECT_TRUE(third.written);
    EXPECT_TRUE(m_sink.saw("Create a snapshot\r" + third.path + " ?"));
    EXPECT_TRUE(m_sink.saw("Snapshot created " + third.path));
}

TEST_F(BackupTest, NoAtTheQuestionTakesNoSnapshot)
{
    m_sink.answerNo();
    EXPECT_FALSE(backup::takeSnapshot(run(), true).written);
    EXPECT_FALSE(QFile::exists(snapshotPath()));
}

TEST_F(BackupTest, ASnapshotFolderThatCannotBeMadeGivesTheFailureMessage)
{
    writeFile(dataRoot() + "Snapshots2", "a file where the folder should be");
    EXPECT_FALSE(backup::takeSnapshot(run(), false).written);
    EXPECT_TRUE(m_sink.saw("Snapshot not created."));
    EXPECT_TRUE(db::isConnected(run()));
}

TEST_F(BackupTest, TheLatestSnapshotIsTheNewestName)
{
    EXPECT_EQ(backup::latestSnapshot(run()), "");
    EXPECT_TRUE(m_sink.saw("No backup files found under\r" + dataRoot() + "Snapshots2/"));
    backup::takeSnapshot(run(), false);
    m_now = m_now.addDays(1);
    backup::takeSnapshot(run(), false);
    EXPECT_EQ(backup::latestSnapshot(run()), snapshotPath());
}

TEST_F(BackupTest, WithoutAConnectionTheFacilitiesRefuse)
{
    database().close();
    m_sink.clear();
    EXPECT_FALSE(backup::takeSnapshot(run(), false).written);
    EXPECT_TRUE(m_sink.saw("No database is connected."));
    EXPECT_FALSE(QDir(dataRoot() + "Snapshots2").exists());
}

} // namespace
