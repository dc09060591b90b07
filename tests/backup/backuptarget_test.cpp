#include "backupfixture.h"

#include "backup/backuptarget.h"
#include "db/runservices.h"

#include <QFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

using backup_test::BackupTest;

TEST_F(BackupTest, ABackupCopiesTheSnapshotToTheTargetInThreeSteps)
{
    const QString target = m_home->dir() + "/usb/meets";
    m_sink.answerYes();
    ASSERT_TRUE(backup::backupTo(run(), target));
    const QString copy = target + "/" + backup::snapshotName(m_now);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(QFileInfo(copy).size(), QFileInfo(snapshotPath()).size());
    EXPECT_TRUE(m_sink.saw("Backup the data to\r" + target + " ?"));
    EXPECT_TRUE(m_sink.saw("Done: backup created"));
    EXPECT_EQ(stepsOf("Backup"),
              (QStringList{"Backup: Step 1 of 3: Create a snapshot", "Take a snapshot",
                           "Backup: Step 2 of 3: Check for available space on the target "
                           "folder " +
                               target,
                           "Backup: Step 3 of 3: Copy the backup to " + target}));
    const int unzip = unzipTest(copy);
    if (unzip >= 0) {
        EXPECT_EQ(unzip, 0);
    }
}

TEST_F(BackupTest, AnEmptyTargetOrAFileInTheWayStopsTheBackup)
{
    EXPECT_FALSE(backup::backupTo(run(), "  "));
    EXPECT_TRUE(m_sink.saw("The target may not be empty"));

    const QString blocked = m_home->dir() + "/blocked";
    writeFile(blocked, "not a folder");
    EXPECT_FALSE(backup::backupTo(run(), blocked + "/sub"));
    EXPECT_TRUE(m_sink.saw("Could not prepare for backup: \rCould not create the folder \r" +
                           blocked + "/sub/"));
    EXPECT_FALSE(QDir(dataRoot() + "Snapshots2").exists());
}

TEST_F(BackupTest, AnArchiveOfTheSameNameOnTheTargetIsNotOverwritten)
{
    const QString target = m_home->dir() + "/usb";
    const QString copy = target + "/" + backup::snapshotName(m_now);
    writeFile(copy, "yesterday's");
    m_sink.answerYes();
    EXPECT_FALSE(backup::backupTo(run(), target));
    EXPECT_TRUE(m_sink.saw("The file already exists:\r" + copy));
    QFile f(copy);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), "yesterday's");
}

TEST_F(BackupTest, ATargetWithoutRoomAsksUntilThereIsRoomOrTheUserGivesUp)
{
    const QString target = m_home->dir() + "/small";
    QList<qint64> space{100, 2000};
    int asked = 0;
    auto freeSpace = [&](const QString&) -> qint64 {
        return asked < space.size() ? space[asked++] : qint64(1) << 40;
    };
    m_sink.answerYes();
    m_sink.answerButton(1); // Retry
    m_sink.answerButton(1); // Retry
    ASSERT_TRUE(backup::backupTo(run(), target, freeSpace));
    const auto questions = m_sink.ofKind(base::MessageKind::Question);
    ASSERT_EQ(questions.size(), 2);
    const qint64 required = QFileInfo(snapshotPath()).size() + backup::kSpaceMargin;
    EXPECT_TRUE(questions[0].text.startsWith("Not enough space on "));
    EXPECT_TRUE(questions[0].text.contains("\rRequired=" + QString::number(required)));
    EXPECT_TRUE(questions[0].text.contains("\rAvailable=100"));
    EXPECT_TRUE(questions[1].text.contains("\rAvailable=2000"));
    EXPECT_EQ(questions[0].buttons, (QStringList{"Cancel", "Retry"}));

    // Giving up leaves no copy on the target.
    m_now = m_now.addSecs(60);
    m_sink.clear();
    m_sink.answerYes();
    m_sink.answerButton(0);
    EXPECT_FALSE(backup::backupTo(run(), target, [](const QString&) { return 10; }));
    EXPECT_FALSE(QFile::exists(target + "/" + backup::snapshotName(m_now)));
    EXPECT_FALSE(m_sink.saw("Done: backup created"));
}

} // namespace

namespace {

TEST_F(BackupTest, TheCommandLineTakesSnapshotsAndBackups)
{
    db::freeDatabaseModule(run());
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "snapshot"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_TRUE(out.startsWith("snapshot: " + dataRoot() + "Snapshots2/dolvane_"));
    const QString archive = out.mid(10).trimmed();
    EXPECT_TRUE(QFile::exists(archive));

    const QString target = m_home->dir() + "/stick";
    EXPECT_EQ(testing_support::runCli({"--db", m_path, "--no", "backup", target}, &out, &err), 1);
    EXPECT_FALSE(QDir(target).exists() && !QDir(target).isEmpty());
    EXPECT_EQ(testing_support::runCli({"--db", m_path, "backup"}, &out, &err), 2);
    // Another profile, so that the backup's own snapshot is not the one of this minute.
    QProcessEnvironment other = QProcessEnvironment::systemEnvironment();
    other.insert("USERPROFILE", m_home->dir() + "/other");
    const int code =
        testing_support::runCli({"--db", m_path, "--yes", "backup", target}, &out, &err, &other);
    ASSERT_EQ(code, 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Done: backup created"));
    EXPECT_EQ(QDir(target).entryList({"dolvane_*.zip"}, QDir::Files).size(), 1);
}

} // namespace
