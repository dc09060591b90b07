#include "backupfixture.h"

#include "backup/restore.h"
#include "backup/snapshot.h"
#include "backup/ziparchive.h"
#include "db/runservices.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using backup_test::BackupTest;

class RestoreTest : public BackupTest {
protected:
    // A snapshot holding one meeting, then a second meeting added after it.
    QString snapshotWithOneMeeting()
    {
        addMeeting(601, "In the archive");
        const backup::SnapshotResult s = backup::takeSnapshot(run(), false);
        EXPECT_TRUE(s.written);
        addMeeting(602, "Added later");
        m_now = m_now.addSecs(120);
        m_sink.clear();
        return s.path;
    }
    // The file of the database must stay as it is: connected, with both meetings.
    void expectCurrentDataKept()
    {
        EXPECT_TRUE(db::isConnected(run()));
        EXPECT_EQ(meetings(), (QStringList{"In the archive", "Added later"}));
        EXPECT_FALSE(QFile::exists(m_path + "_"));
    }
};

TEST_F(RestoreTest, ARestoreBringsBackTheArchiveAndHidesTheCurrentFile)
{
    const QString archive = snapshotWithOneMeeting();
    m_sink.answerYes();
    ASSERT_TRUE(backup::restoreFrom(run(), archive));
    EXPECT_TRUE(db::isConnected(run()));
    EXPECT_EQ(database().connectionText(), m_path);
    EXPECT_EQ(meetings(), QStringList{"In the archive"});
    EXPECT_TRUE(m_sink.saw("Restore data from backup\r" + archive + " ?"));
    EXPECT_TRUE(m_sink.saw("Restoring completed successfully"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);

    // The file that was current is kept under the hidden name, and a snapshot of it too.
    ASSERT_TRUE(QFile::exists(m_path + "_"));
    EXPECT_TRUE(backup::isOurDatabase(m_path + "_"));
    EXPECT_TRUE(QFile::exists(snapshotPath()));
    const QString temp = m_home->dir() + "/Dolvane/Temp/";
    EXPECT_EQ(stepsOf("Restore"),
              (QStringList{"Restore: Step 1 of 5: Create a snapshot of the current data into " +
                               dataRoot() + "Snapshots2/",
                           "Restore: The program will first make a snapshot of the current "
                           "database into\r" +
                               dataRoot() + "Snapshots2/",
                           "Take a snapshot",
                           "Restore: Step 2 of 5: Clear the intermediate target " + temp,
                           "Restore: Step 3 of 5: Restore the compressed file into " + temp,
                           "Restore: Restoring the database into the folder:\r" + temp,
                           "Restore: Step 4 of 5: Hide the current database ",
                           "Restore: Step 5 of 5: Copy the expanded files into " +
                               QFileInfo(m_path).absolutePath()}));
}

TEST_F(RestoreTest, AnEarlierHiddenCopyIsKeptAndTheNextGetsTwoUnderscores)
{
    const QString archive = snapshotWithOneMeeting();
    writeFile(m_path + "_", "an older hidden copy");
    m_sink.answerYes();
    ASSERT_TRUE(backup::restoreFrom(run(), archive));
    EXPECT_TRUE(QFile::exists(m_path + "__"));
    QFile older(m_path + "_");
    older.open(QIODevice::ReadOnly);
    EXPECT_EQ(older.readAll(), "an older hidden copy");
    EXPECT_EQ(backup::hiddenName(m_path), m_path + "___");
}

TEST_F(RestoreTest, NoAtTheQuestionChangesNothing)
{
    const QString archive = snapshotWithOneMeeting();
    m_sink.answerNo();
    EXPECT_FALSE(backup::restoreFrom(run(), archive));
    expectCurrentDataKept();
    EXPECT_FALSE(QFile::exists(snapshotPath()));
}

TEST_F(RestoreTest, AMissingArchiveIsAnInternalErrorAndAnEmptyNameAWarning)
{
    snapshotWithOneMeeting();
    EXPECT_FALSE(backup::restoreFrom(run(), ""));
    EXPECT_TRUE(m_sink.saw("Empty snapshot filename"));
    EXPECT_FALSE(backup::restoreFrom(run(), m_home->dir() + "/gone.zip"));
    ASSERT_EQ(m_sink.count(base::MessageKind::Error), 1);
    EXPECT_TRUE(m_sink.ofKind(base::MessageKind::Error)[0].text.contains("5534"));
    EXPECT_TRUE(m_sink.saw("Backup file not found\r" + m_home->dir() + "/gone.zip"));
    expectCurrentDataKept();
}

TEST_F(RestoreTest, ACorruptArchiveIsRefusedBeforeAnythingIsTouched)
{
    const QString archive = snapshotWithOneMeeting();
    QFile f(archive);
    f.open(QIODevice::ReadWrite);
    f.seek(f.size() / 2);
    f.write(QByteArray(4096, '\x5a'));
    f.resize(f.size() - 100); // the central directory is cut off
    f.close();
    m_sink.answerYes();
    EXPECT_FALSE(backup::restoreFrom(run(), archive));
    EXPECT_TRUE(m_sink.saw("Restoring to the intermediate folder not successfull"));
    expectCurrentDataKept();

    writeFile(m_home->dir() + "/notes.zip", "these are notes, not an archive");
    EXPECT_FALSE(backup::restoreFrom(run(), m_home->dir() + "/notes.zip"));
    expectCurrentDataKept();
}

TEST_F(RestoreTest, AnArchiveWithoutOurDatabaseFileIsRefused)
{
    snapshotWithOneMeeting();
    const QString photo = m_home->dir() + "/photo.jpg";
    writeFile(photo, "jpeg bytes");
    const QString archive = m_home->dir() + "/photos.zip";
    QString error;
    ASSERT_TRUE(backup::zipOneFile(photo, archive, &error)) << error.toStdString();
    m_sink.answerYes();
    EXPECT_FALSE(backup::restoreFrom(run(), archive));
    EXPECT_TRUE(m_sink.saw("The archive does not hold the database test.gdb:\r" + archive));
    expectCurrentDataKept();
}

TEST_F(RestoreTest, AFileOfTheRightNameThatIsNoDatabaseOfOursIsRefused)
{
    snapshotWithOneMeeting();
    const QString fake = m_home->dir() + "/fake/test.gdb";
    writeFile(fake, QByteArray(65536, '\x01'));
    const QString archive = m_home->dir() + "/fake.zip";
    QString error;
    ASSERT_TRUE(backup::zipOneFile(fake, archive, &error));
    m_sink.answerYes();
    EXPECT_FALSE(backup::restoreFrom(run(), archive));
    EXPECT_TRUE(m_sink.saw("The archive does not hold a database of this program:\r" + archive));
    expectCurrentDataKept();
    // The snapshot of step 1 remains.
    EXPECT_TRUE(QFile::exists(snapshotPath()));
}

TEST_F(RestoreTest, TheRestoreWaitsForRoomToUnpack)
{
    const QString archive = snapshotWithOneMeeting();
    m_sink.answerButton(0); // Cancel at "Not enough space"
    EXPECT_FALSE(backup::restoreFrom(run(), archive, [](const QString&) { return 5; }));
    EXPECT_TRUE(m_sink.saw("Not enough space on "));
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
    expectCurrentDataKept();
}

TEST_F(RestoreTest, TheCommandLineRestoresAndListsSnapshots)
{
    const QString archive = snapshotWithOneMeeting();
    db::freeDatabaseModule(run());
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "snapshots"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(out, archive + "\n");
    EXPECT_EQ(testing_support::runCli({"--db", m_path, "restore", archive}, &out, &err), 1)
        << "a question without --yes is No";
    EXPECT_EQ(testing_support::runCli({"--db", m_path, "--yes", "restore", archive}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(QFile::exists(m_path + "_"));
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "meeting", "list"}, &out, &err), 0);
    EXPECT_TRUE(out.contains("In the archive"));
    EXPECT_FALSE(out.contains("Added later"));
    // The restore took a snapshot of its own first: now two, the newest last.
    ASSERT_EQ(testing_support::runCli({"--db", m_path, "snapshots"}, &out, &err), 0);
    const QStringList lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], archive);
    EXPECT_GT(lines[1], lines[0]);
}

} // namespace
