#include "support/testdatabase.h"

#include "backup/backupnames.h"
#include "base/appglobals.h"
#include "base/paths.h"
#include "db/connect.h"
#include "db/runservices.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"
#include "shell/backupoffers.h"
#include "shell/loginpassword.h"
#include "shell/meetingchoice.h"
#include "shell/singleinstance.h"
#include "shell/startupchecks.h"
#include "shell/workflowchecks.h"
#include "shellrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shell_test;

namespace {

class WorkflowChecksTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::prepareMeetingRun(run());
    }
    void makeCurrent(int meetingNo)
    {
        meeting::setCurrentMeeting(run(), meetingNo);
        m_sink.clear();
    }
    bool warned(const QString& text) const
    {
        return m_sink.shown().size() == 1 && m_sink.shown()[0].text == text;
    }
};

TEST_F(WorkflowChecksTest, MeetingButtonsNeedAMeetingOfAnyKind)
{
    EXPECT_FALSE(shell::canEditMeetings(run()));
    EXPECT_TRUE(warned("There are no meetings to edit.\rUse \"New Meeting\" to add one."));
    m_sink.clear();
    EXPECT_FALSE(shell::canSelectMeeting(run()));
    EXPECT_TRUE(
        warned("There are no meetings to select from.\rUse \"New (Edit) Meeting\" to add one"));

    // Any meeting will do, current or not.
    addMeeting(database(), "Summer League");
    m_sink.clear();
    EXPECT_TRUE(shell::canEditMeetings(run()));
    EXPECT_TRUE(shell::canSelectMeeting(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(WorkflowChecksTest, ItemsAndTeamsOfAnotherMeetingDoNotOpenThisOnesScreens)
{
    const int gala = addMeeting(database(), "Winter Gala");
    const int other = addMeeting(database(), "Schools");
    addEvent(database(), other, "X");
    addTeam(database(), other);
    makeCurrent(gala);

    EXPECT_FALSE(shell::canOpenAthletes(run()));
    EXPECT_TRUE(warned("No Items selected yet"));
    m_sink.clear();
    EXPECT_FALSE(shell::canOpenRecords(run()));
    EXPECT_TRUE(m_sink.saw("There are no Items selected for this meeting.\r\r"));
    m_sink.clear();
    EXPECT_FALSE(shell::hasItemsAndTeams(run()));
    EXPECT_TRUE(warned("There are no items selected for this meeting"));

    // An item that is not selected opens the athletes but not the records or capture.
    addEvent(database(), gala, "");
    m_sink.clear();
    EXPECT_TRUE(shell::canOpenAthletes(run()));
    EXPECT_FALSE(shell::canOpenRecords(run()));
    m_sink.clear();
    EXPECT_FALSE(shell::hasItemsAndTeams(run()));
    EXPECT_TRUE(warned("There are no items selected for this meeting"));

    addEvent(database(), gala, "X");
    m_sink.clear();
    EXPECT_TRUE(shell::canOpenRecords(run()));
    EXPECT_FALSE(shell::hasItemsAndTeams(run()));
    EXPECT_TRUE(warned("There are no teams entered for this meeting"));

    addTeam(database(), gala);
    m_sink.clear();
    EXPECT_TRUE(shell::hasItemsAndTeams(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(WorkflowChecksTest, TheCaptureViewIsStoredForTheCurrentMeetingOnly)
{
    const int gala = addMeeting(database(), "Winter Gala");
    const int other = addMeeting(database(), "Schools", 1, 1);
    makeCurrent(gala);
    EXPECT_FALSE(shell::complexCaptureView(run()));
    shell::storeCaptureView(run(), true);
    EXPECT_TRUE(shell::complexCaptureView(run()));
    shell::storeCaptureView(run(), false);
    EXPECT_EQ(value("select VIEW_HEATS_COMPLEX from MEETING where MEETINGNO = " + db::sqlInt(gala)),
              "0");
    EXPECT_EQ(
        value("select VIEW_HEATS_COMPLEX from MEETING where MEETINGNO = " + db::sqlInt(other)),
        "1");
}

TEST_F(WorkflowChecksTest, AMeetingThatCannotBeStoredAsCurrentIsReportedAndStillUsed)
{
    const int gala = addMeeting(database(), "Winter Gala");
    // A store whose file name is taken by a folder cannot be written, whatever the rights.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/DLVN.ini"));
    base::ScriptedSink sink;
    base::Run other(sink, "DLVN", dir.path() + "/DLVN.ini");
    meeting::createRunSettings(other);
    db::ConnectOptions options;
    options.offerSelect = false;
    options.storeLocation = false;
    ASSERT_TRUE(db::connectTo(other, m_path, options));
    meeting::prepareMeetingRun(other);
    shell::useAsCurrentMeeting(other, gala);
    EXPECT_TRUE(sink.saw("The \"Current Meeting\" could not be saved properly.\rYou can select a "
                         "\"Current Meeting\" under \"Select Meeting\"."));
    EXPECT_EQ(other.currentMeetingNo(), gala);

    // Choosing the meeting that is already current writes nothing and asks nothing.
    sink.clear();
    shell::useAsCurrentMeeting(other, gala);
    EXPECT_TRUE(sink.shown().isEmpty());
}

class StartupChecksTest : public testing_support::DatabaseTest {};

TEST_F(StartupChecksTest, TheRoundingReminderIsShownOnlyWhenTheSettingIsOne)
{
    shell::roundScoresDownWarning(run());
    run().config().writeInt(shell::kRoundScoresDown, 0);
    shell::roundScoresDownWarning(run());
    run().config().writeInt(shell::kRoundScoresDown, 2);
    shell::roundScoresDownWarning(run());
    EXPECT_TRUE(m_sink.shown().isEmpty());
    run().config().writeInt(shell::kRoundScoresDown, 1);
    shell::roundScoresDownWarning(run());
    ASSERT_EQ(m_sink.shown().size(), 1);
    EXPECT_TRUE(m_sink.shown()[0].text.startsWith(
        "The setting of the program is currently to round\rscores from the tables down to the "
        "nearest 5."));
}

TEST_F(StartupChecksTest, TheWriteTestLeavesAValueThatReadsBack)
{
    EXPECT_TRUE(shell::configWriteTest(run()));
    EXPECT_TRUE(run().config().exists(shell::kDummyTest));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(StartupChecksTest, TheDefaultDatabaseIsMadeOnlyWhenNoDatabaseCanBeFound)
{
    const QString defaultPath = base::defaultDatabasePath(run().globals());
    run().config().writeText(db::kLocalDatabaseName, m_path);
    EXPECT_FALSE(shell::createDefaultDatabaseIfNone(run()));
    EXPECT_FALSE(QFile::exists(defaultPath));

    // The stored one is gone: an empty default is made to fall back on, once.
    run().config().writeText(db::kLocalDatabaseName, m_home->dir() + "/gone.gdb");
    EXPECT_TRUE(shell::createDefaultDatabaseIfNone(run()));
    ASSERT_TRUE(QFile::exists(defaultPath));
    const QDateTime made = QFileInfo(defaultPath).lastModified();
    EXPECT_FALSE(shell::createDefaultDatabaseIfNone(run()));
    EXPECT_EQ(QFileInfo(defaultPath).lastModified(), made);
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST(PreferredFolderTest, TheSameFolderWrittenDifferentlyIsNotWarnedAbout)
{
    EXPECT_EQ(shell::preferredFolderText("/home/ann/Dolvane/Data/club.gdb",
                                         "/home/ann/Dolvane/Data/Dolvane.gdb"),
              "");
    EXPECT_EQ(shell::preferredFolderText("/home/ann/Dolvane/Data/../Data/./club.gdb",
                                         "/home/ann/Dolvane/Data/Dolvane.gdb"),
              "");
    // Folder names on the machines the program comes from ignore case.
    EXPECT_EQ(shell::preferredFolderText("/home/ann/dolvane/DATA/club.gdb",
                                         "/home/ann/Dolvane/Data/Dolvane.gdb"),
              "");
    // A folder below the data folder is another folder.
    const QString below = shell::preferredFolderText("/home/ann/Dolvane/Data/old/club.gdb",
                                                     "/home/ann/Dolvane/Data/Dolvane.gdb");
    EXPECT_TRUE(below.contains("It is in the folder \"/home/ann/Dolvane/Data/old\"."));
    EXPECT_TRUE(below.contains("It should be under \"/home/ann/Dolvane/Data\"."));
    EXPECT_TRUE(below.endsWith("and it can reduce interference by a firewall."));
}

class BackupOfferTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        run().setClock([this] { return m_now; });
        m_folder = backup::snapshotFolder(run().globals());
    }
    QStringList snapshots() const { return backup::snapshotNames(m_folder); }

    QDateTime m_now{QDate(2026, 3, 14), QTime(7, 45)};
    QString m_folder;
};

TEST_F(BackupOfferTest, LaterTakesNoSnapshotAndTheOfferComesBackTheSameDay)
{
    m_sink.answerButton(0); // Later
    EXPECT_FALSE(shell::offerBackupBeforeWork(run()));
    EXPECT_TRUE(snapshots().isEmpty());
    ASSERT_EQ(m_sink.shown().size(), 1);
    EXPECT_TRUE(m_sink.shown()[0].title.endsWith(": Create a backup of the database"));

    m_now = m_now.addSecs(3600);
    m_sink.answerButton(1); // Yes
    EXPECT_TRUE(shell::offerBackupBeforeWork(run()));
    EXPECT_EQ(snapshots(), QStringList{backup::snapshotName(m_now)});

    // The next day asks again although yesterday's snapshot is there.
    m_now = m_now.addDays(1);
    m_sink.clear();
    m_sink.answerButton(0);
    EXPECT_FALSE(shell::offerBackupBeforeWork(run()));
    EXPECT_EQ(m_sink.shown().size(), 1);
}

TEST_F(BackupOfferTest, AfterWorkNoWritesNothingAndASnapshotOfThisMinuteIsNotOffered)
{
    m_sink.answerNo();
    EXPECT_FALSE(shell::offerBackupAfterWork(run()));
    EXPECT_TRUE(snapshots().isEmpty());
    EXPECT_TRUE(m_sink.saw("The backup folder is " + m_folder));

    m_sink.answerYes();
    EXPECT_TRUE(shell::offerBackupAfterWork(run()));
    ASSERT_EQ(snapshots().size(), 1);

    // Within the same minute the name is taken: no question, and the old file stays.
    m_sink.clear();
    EXPECT_FALSE(shell::offerBackupAfterWork(run()));
    EXPECT_FALSE(m_sink.saw("Do you want to backup the current database?"));
    EXPECT_TRUE(m_sink.saw("Please wait a minute before taking the next snapshot"));
    EXPECT_EQ(snapshots().size(), 1);
}

TEST_F(BackupOfferTest, NothingIsOfferedWithoutAConnection)
{
    database().close();
    m_sink.clear();
    EXPECT_FALSE(shell::offerBackupBeforeWork(run()));
    EXPECT_FALSE(shell::offerBackupAfterWork(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_TRUE(snapshots().isEmpty());
}

TEST(SingleInstanceTest, ASecondCopyIsKeptOutUntilTheFirstEnds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto first = std::make_unique<shell::SingleInstance>("DLVN", dir.path() + "/run");
    EXPECT_EQ(first->lockPath(), dir.path() + "/run/DLVN.lock");
    ASSERT_TRUE(first->acquire());

    shell::SingleInstance second("DLVN", dir.path() + "/run");
    EXPECT_FALSE(second.acquire());
    // The other edition has a lock of its own.
    shell::SingleInstance athletics("TMRK", dir.path() + "/run");
    EXPECT_TRUE(athletics.acquire());

    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstanceTest, TheLockOfACrashedCopyIsTakenOver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A process that has ended stands for the crashed copy.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() > 0 ? gone.processId() : 999999;
    shell::SingleInstance guard("DLVN", dir.path());
    QFile lock(guard.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\ndolvane\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    EXPECT_TRUE(guard.acquire());
}

TEST(SecretTest, PasswordsRoundTripPerEditionAndPlainTextIsReadAsItStands)
{
    const base::AppGlobals swimming;
    const base::AppGlobals athletics(base::kAthleticsCode);
    const QString password = QStringLiteral("Zoë's lane 4 – night");
    const QString stored = shell::encipherSecret(swimming, password);
    EXPECT_TRUE(stored.startsWith("DV1:"));
    EXPECT_FALSE(stored.contains("lane"));
    EXPECT_EQ(shell::decipherSecret(swimming, stored), password);
    // The other edition's key does not open it.
    EXPECT_NE(shell::decipherSecret(athletics, stored), password);
    // Longer than one key block.
    const QString longer(100, QLatin1Char('p'));
    EXPECT_EQ(shell::decipherSecret(swimming, shell::encipherSecret(swimming, longer)), longer);
    EXPECT_EQ(shell::decipherSecret(swimming, "legacy"), "legacy");
    EXPECT_EQ(shell::decipherSecret(swimming, shell::encipherSecret(swimming, "")), "");
}

class LoginPasswordTest : public testing_support::DatabaseTest {};

TEST_F(LoginPasswordTest, AnEmptyPasswordRemovesTheLogin)
{
    EXPECT_TRUE(shell::loginPasses(run()));
    shell::setLoginPassword(run(), "Lane4!");
    EXPECT_EQ(count("CONFIG", "SLOT = 'LOGIN_PASSWORD'"), 1);
    m_sink.answerText("Lane4!");
    EXPECT_TRUE(shell::loginPasses(run()));

    shell::setLoginPassword(run(), "");
    EXPECT_EQ(count("CONFIG", "SLOT = 'LOGIN_PASSWORD'"), 0);
    m_sink.clear();
    EXPECT_TRUE(shell::loginPasses(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
}

TEST_F(LoginPasswordTest, APasswordStoredAsPlainTextStillLogsIn)
{
    database().configWrite(shell::kLoginPassword, "poolside");
    m_sink.answerText("Poolside");
    m_sink.answerText("poolside");
    EXPECT_TRUE(shell::loginPasses(run()));
    EXPECT_TRUE(m_sink.saw("Invalid Password"));
}

} // namespace

namespace {

class DatabaseModuleTest : public testing_support::DatabaseTest {};

TEST_F(DatabaseModuleTest, TheModuleIsMadeOnceAndFreedOnce)
{
    db::DmdCoreDbs* module = run().database();
    EXPECT_EQ(&db::createDatabaseModule(run()), module);
    EXPECT_TRUE(m_sink.saw("dmdCoreDbs Already created"));
    // The connection of the first survives the refused second.
    EXPECT_TRUE(db::isConnected(run()));

    db::freeDatabaseModule(run());
    EXPECT_EQ(run().database(), nullptr);
    EXPECT_FALSE(db::isConnected(run()));
    m_sink.clear();
    db::freeDatabaseModule(run());
    EXPECT_TRUE(m_sink.saw("dmdCoreDbs Already nil"));

    // Freeing closed the file: another program can open and change it.
    base::ScriptedSink otherSink;
    auto other = secondRun(otherSink);
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->database()->execute("delete from CONFIG"));
}

} // namespace
