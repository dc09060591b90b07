// Snapshots, backups and the database itself on a drive that is full or read-only: the
// system's message, nothing half-written left behind, the database sound.

#include "backup/backupfixture.h"
#include "drills/smallfilesystem.h"
#include "support/dbvalidation.h"
#include "support/killdrill.h"

#include "backup/backuptarget.h"
#include "backup/snapshot.h"
#include "db/connect.h"
#include "db/runservices.h"
#include "meeting/runservices.h"

#include <QDir>
#include <QFile>

namespace {

using drills::SmallFileSystem;

class FullDiskTest : public backup_test::BackupTest {
protected:
    static QStringList filesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden);
    }

    // The connection goes, the file passes validation, the connection comes back.
    void expectSoundDatabase()
    {
        m_run.reset();
        const testing_support::Validation v = testing_support::validateDatabase(m_path);
        EXPECT_TRUE(v.passed()) << v.report.toStdString();
        m_run = std::make_unique<base::Run>(m_sink);
        meeting::createRunSettings(*m_run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
        EXPECT_EQ(meetings(), QStringList{"Gala"});
    }
};

// A small drive mounted on `folder`, or the test skipped saying why.
#define MOUNT_OR_SKIP(fs, folder, bytes)                                                           \
    auto fs = std::make_unique<SmallFileSystem>(folder, bytes);                                    \
    if (!fs->mounted())                                                                            \
        GTEST_SKIP() << fs->error().toStdString();

} // namespace

TEST_F(FullDiskTest, ASnapshotOntoAFullDriveIsNotCreatedAndLeavesNoPartOfItself)
{
    addMeeting(1, "Gala");
    MOUNT_OR_SKIP(fs, dataRoot() + "Snapshots2", 64 * 1024);
    const backup::SnapshotResult result = backup::takeSnapshot(run(), false);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(m_sink.saw("Snapshot not created.\r"))
        << m_sink.shown().value(0).text.toStdString();
    EXPECT_TRUE(m_sink.saw("No space left on device"))
        << m_sink.shown().value(0).text.toStdString();
    EXPECT_EQ(filesIn(fs->folder()), QStringList());
    // The pause of the connection around the zipping ended.
    EXPECT_TRUE(db::isConnected(run()));
    expectSoundDatabase();
}

TEST_F(FullDiskTest, ABackupOntoADriveThatFillsUpSaysSoAndLeavesNoHalfCopy)
{
    addMeeting(1, "Gala");
    MOUNT_OR_SKIP(fs, m_home->dir() + "/stick", 96 * 1024);

    // Too little room from the start: the question, answered Cancel.
    m_sink.answerYes();
    m_sink.answerButton(0);
    EXPECT_FALSE(backup::backupTo(run(), fs->folder()));
    EXPECT_TRUE(m_sink.saw("Not enough space on " + fs->folder()))
        << m_sink.shown().last().text.toStdString();
    EXPECT_EQ(filesIn(fs->folder()), QStringList());

    // Room when asked, then another program fills the drive: the copy fails.
    m_now = m_now.addSecs(60);
    m_sink.clear();
    m_sink.answerYes();
    EXPECT_FALSE(
        backup::backupTo(run(), fs->folder(), [](const QString&) { return qint64(1) << 40; }));
    EXPECT_TRUE(m_sink.saw("Could not copy ")) << m_sink.shown().last().text.toStdString();
    EXPECT_EQ(filesIn(fs->folder()), QStringList());
    EXPECT_FALSE(m_sink.saw("Done: backup created"));
    expectSoundDatabase();
}

TEST_F(FullDiskTest, ReadOnlyTargetsGetTheSystemsMessageAndStayUntouched)
{
    addMeeting(1, "Gala");
    MOUNT_OR_SKIP(fs, m_home->dir() + "/cdrom", 16 * 1024 * 1024);
    QFile::copy(m_path, fs->folder() + "/meet.gdb");
    ASSERT_TRUE(fs->makeReadOnly()) << fs->error().toStdString();
    const QByteArray before = drills::fileContent(fs->folder() + "/meet.gdb");

    m_sink.answerYes();
    EXPECT_FALSE(backup::backupTo(run(), fs->folder()));
    EXPECT_TRUE(m_sink.saw("Could not copy ")) << m_sink.shown().last().text.toStdString();

    // A database on read-only media is not opened for work.
    m_sink.clear();
    EXPECT_FALSE(db::checkDatabaseFile(messages(), fs->folder() + "/meet.gdb"));
    EXPECT_TRUE(m_sink.saw("The database is read-only: \r" + fs->folder() + "/meet.gdb"));
    EXPECT_EQ(drills::fileContent(fs->folder() + "/meet.gdb"), before);
    EXPECT_EQ(filesIn(fs->folder()), QStringList{"meet.gdb"});
    expectSoundDatabase();
}

TEST_F(FullDiskTest, ASnapshotFolderOnReadOnlyMediaGetsTheSystemsMessage)
{
    addMeeting(1, "Gala");
    MOUNT_OR_SKIP(fs, dataRoot() + "Snapshots2", 1024 * 1024);
    ASSERT_TRUE(fs->makeReadOnly()) << fs->error().toStdString();
    EXPECT_FALSE(backup::takeSnapshot(run(), false).written);
    EXPECT_TRUE(m_sink.saw("Snapshot not created.\r"));
    EXPECT_TRUE(m_sink.saw("Read-only file system")) << m_sink.shown().value(0).text.toStdString();
    EXPECT_TRUE(db::isConnected(run()));
    expectSoundDatabase();
}
