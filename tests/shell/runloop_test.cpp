#include "support/testdatabase.h"

#include "backup/backupnames.h"
#include "base/processformats.h"
#include "base/scriptedsink.h"
#include "db/connect.h"
#include "db/runservices.h"
#include "meeting/runservices.h"
#include "shell/forms/mainscreen.h"
#include "shell/loginpassword.h"
#include "shell/mainscreenstate.h"
#include "shell/runloop.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using shell::kMainScreenExit;
using shell::kMainScreenRestart;

namespace {

const QString kBackupAfter = QStringLiteral("Do you want to backup the current database?");
const QString kBackupBefore = QStringLiteral("Do you want to create a backup of the database");

// The main screen as the test wants it: each pass runs the next step of the script.
class ScriptedHost : public shell::MainScreenHost {
public:
    std::function<int(base::Run&, int pass)> step = [](base::Run&, int) { return kMainScreenExit; };
    int showMainScreen(base::Run& run) override
    {
        connected << db::isConnected(run);
        remote << run.database()->isRemote();
        return step(run, calls++);
    }
    int calls = 0;
    QList<bool> connected;
    QList<bool> remote;
};

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_home = std::make_unique<testing_support::TempHome>();
        m_now = QDateTime(QDate(2026, 3, 14), QTime(8, 0));
        m_options.clock = [this] { return m_now; };
        m_options.developerMarkerFolder = m_home->dir();
    }
    QString dataFolder() const { return m_home->dir() + "/Dolvane/"; }
    QString defaultDatabase() const { return dataFolder() + "Data/Dolvane.gdb"; }
    void makeDefaultDatabase() { m_home->freshDatabase("Dolvane/Data/Dolvane.gdb"); }
    QString snapshot(const QDateTime& at) const
    {
        return dataFolder() + "Snapshots2/" + backup::snapshotName(at);
    }
    int shownContaining(const QString& part) const
    {
        int n = 0;
        for (const auto& s : m_sink.shown())
            n += s.text.contains(part) ? 1 : 0;
        return n;
    }
    void exec()
    {
        shell::RunLoop loop(m_sink, m_host, m_options);
        loop.exec();
        m_passes = loop.passes();
        m_results = loop.results();
        EXPECT_FALSE(loop.running());
        EXPECT_EQ(loop.run(), nullptr);
    }

    std::unique_ptr<testing_support::TempHome> m_home;
    QDateTime m_now;
    shell::RunLoopOptions m_options;
    base::ScriptedSink m_sink;
    ScriptedHost m_host;
    int m_passes = 0;
    QList<int> m_results;
};

TEST_F(RunLoopTest, AFirstStartWithoutADatabaseMakesTheDefaultOneAndShowsTheMainScreen)
{
    exec();
    EXPECT_TRUE(QFile::exists(defaultDatabase()));
    EXPECT_EQ(m_host.calls, 1);
    EXPECT_EQ(m_host.connected, QList<bool>{true});
    EXPECT_EQ(m_results, QList<int>{kMainScreenExit});
    // The default database is where it should be: no folder warning.
    EXPECT_EQ(shownContaining("preferred folder"), 0);
}

TEST_F(RunLoopTest, ARestartRunsTheWholeStartAgainWithoutTheMorningOffer)
{
    makeDefaultDatabase();
    QList<const base::Run*> runs;
    m_host.step = [&](base::Run& run, int pass) {
        runs << &run;
        EXPECT_EQ(run.config().readText("LOCAL_DATABASENAME"), defaultDatabase());
        return pass == 0 ? kMainScreenRestart : kMainScreenExit;
    };
    exec();
    EXPECT_EQ(m_passes, 2);
    EXPECT_EQ(m_results, (QList<int>{kMainScreenRestart, kMainScreenExit}));
    EXPECT_EQ(m_host.connected, (QList<bool>{true, true}));
    EXPECT_EQ(shownContaining(kBackupBefore), 1);
    ASSERT_EQ(runs.size(), 2);
}

TEST_F(RunLoopTest, ADatabaseThatCannotBeUpgradedEndsTheProgramBeforeTheMainScreen)
{
    makeDefaultDatabase();
    {
        base::ScriptedSink sink;
        base::Run run(sink);
        meeting::createRunSettings(run);
        db::ConnectOptions options;
        options.offerSelect = false;
        options.upgrade = false;
        options.storeLocation = false;
        ASSERT_TRUE(db::connectTo(run, defaultDatabase(), options));
        ASSERT_TRUE(run.database()->execute("update DATABASE_VERSION set VERSION = '2.849'"));
    }
    exec();
    EXPECT_EQ(m_host.calls, 0);
    EXPECT_EQ(m_passes, 1);
    EXPECT_EQ(shownContaining("The database is outdated and will now be upgraded!"), 1);
    EXPECT_EQ(shownContaining("The database could not be updated:"), 1);
    EXPECT_EQ(shownContaining(kBackupBefore), 0);
}

TEST_F(RunLoopTest, AnUnreachableServerAndNoFileChosenEndTheProgram)
{
    base::ConfigStore config(base::ConfigStore::defaultPath("DLVN"));
    config.writeInt("USE_REMOTE_DATABASE", 1);
    config.writeText("REMOTE_IP_ADDRESS", "127.0.0.1/3999");
    config.writeText("REMOTE_DATABASENAME", "/srv/club.gdb");
    m_sink.answerYes(); // connect to the remote database again
    m_sink.answerNo();  // do not select a database
    exec();
    EXPECT_EQ(m_host.calls, 0);
    EXPECT_EQ(m_passes, 1);
    EXPECT_EQ(shownContaining("Could not find the network-database\r127.0.0.1/3999:/srv/club.gdb"),
              1);
    EXPECT_EQ(shownContaining("Current Database not specified yet"), 1);
    EXPECT_EQ(shownContaining("Do you want to select a database"), 1);
    // No default database is made behind the user's back while a server is the choice.
    EXPECT_FALSE(QFile::exists(defaultDatabase()));
    EXPECT_EQ(config.readInt("USE_REMOTE_DATABASE"), 1);
}

TEST_F(RunLoopTest, AMarkerFileTurnsOnDeveloperModeWhichReportsQueriesLeftOpenAtTheEnd)
{
    makeDefaultDatabase();
    std::unique_ptr<db::Query> leaked;
    QList<bool> developer;
    m_host.step = [&](base::Run& run, int) {
        developer << run.messages().developerMode();
        leaked = std::make_unique<db::Query>(run.database()->openQuery("select 1 from CONFIG"));
        return kMainScreenExit;
    };
    exec();
    leaked.reset();
    EXPECT_EQ(developer, QList<bool>{false});
    EXPECT_EQ(shownContaining("Qry=1\rSql=0\rDst=0"), 0);

    QFile marker(m_home->dir() + "/dolvane-programmer.mark");
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    exec();
    EXPECT_EQ(developer, (QList<bool>{false, true}));
    EXPECT_EQ(shownContaining("Qry=1\rSql=0\rDst=0"), 1);
    leaked.reset();
}

TEST_F(RunLoopTest, AStoredMeetingThatIsGoneBecomesNoneAndIsWrittenBack)
{
    makeDefaultDatabase();
    base::ConfigStore(base::ConfigStore::defaultPath("DLVN")).writeInt("CURRENT_MEET_NO", 7);
    QString meetingText;
    m_host.step = [&](base::Run& run, int) {
        shell::MainScreen screen(run, {});
        meetingText = screen.meetingText();
        EXPECT_EQ(run.currentMeetingNo(), 0);
        EXPECT_EQ(run.config().readText("CURRENT_MEET_NO"), "0");
        return kMainScreenExit;
    };
    exec();
    EXPECT_EQ(meetingText, "Not Selected");
}

TEST_F(RunLoopTest, EscapeOnTheMainScreenAsksAndYesEndsWithoutRestart)
{
    makeDefaultDatabase();
    m_host.step = [&](base::Run& run, int) {
        shell::MainScreen screen(run, {});
        screen.show();
        m_sink.answerNo();
        QTest::keyClick(&screen, Qt::Key_Escape);
        EXPECT_TRUE(screen.isVisible());
        m_sink.answerYes();
        QTest::keyClick(&screen, Qt::Key_Escape);
        EXPECT_FALSE(screen.isVisible());
        return screen.result();
    };
    exec();
    EXPECT_EQ(m_results, QList<int>{kMainScreenExit});
    EXPECT_EQ(shownContaining("Exit Dolvane ?"), 2);
    EXPECT_EQ(m_passes, 1);
}

TEST_F(RunLoopTest, TwentyNineMinutesOfWorkOfferNoBackupAtTheEnd)
{
    makeDefaultDatabase();
    m_host.step = [&](base::Run&, int) {
        m_now = m_now.addSecs(29 * 60 + 59);
        return kMainScreenExit;
    };
    exec();
    EXPECT_EQ(shownContaining(kBackupAfter), 0);
}

TEST_F(RunLoopTest, ThirtyMinutesOfWorkOfferABackupThatYesTakes)
{
    makeDefaultDatabase();
    m_sink.answerButton(0); // "Later" in the morning
    m_host.step = [&](base::Run&, int) {
        m_now = m_now.addSecs(30 * 60);
        m_sink.answerYes();
        return kMainScreenExit;
    };
    exec();
    ASSERT_EQ(shownContaining(kBackupAfter), 1);
    EXPECT_TRUE(QFile::exists(snapshot(m_now)));
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

TEST_F(RunLoopTest, TheMorningOfferTakesASnapshotAndIsNotAskedAgainThatDay)
{
    makeDefaultDatabase();
    m_sink.answerButton(1); // "Yes"
    exec();
    EXPECT_TRUE(QFile::exists(snapshot(m_now)));
    ASSERT_EQ(m_sink.ofKind(base::MessageKind::Question).size(), 1);
    const auto offer = m_sink.ofKind(base::MessageKind::Question).first();
    EXPECT_EQ(offer.title, "Dolvane 24.150: Create a backup of the database");
    EXPECT_EQ(offer.buttons, (QStringList{"Later", "Yes"}));

    m_sink.clear();
    m_now = m_now.addSecs(3 * 3600);
    exec();
    EXPECT_EQ(shownContaining(kBackupBefore), 0);
    EXPECT_EQ(m_host.calls, 2);
}

class LoginTest : public RunLoopTest {
protected:
    void setPassword(const QString& password)
    {
        makeDefaultDatabase();
        base::ScriptedSink sink;
        base::Run run(sink);
        meeting::createRunSettings(run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(run, defaultDatabase(), options));
        shell::setLoginPassword(run, password);
        const QString stored = run.database()->configRead("LOGIN_PASSWORD");
        EXPECT_FALSE(stored.contains(password)) << "stored as plain text";
        EXPECT_EQ(shell::decipherSecret(run.globals(), stored), password);
    }
};

TEST_F(LoginTest, ARightPasswordAfterAWrongOneOpensTheMainScreen)
{
    setPassword("Lane4!");
    m_sink.answerButton(0);
    m_sink.answerText("lane4!");
    m_sink.answerText("Lane4!");
    exec();
    EXPECT_EQ(m_host.calls, 1);
    EXPECT_EQ(shownContaining("Invalid Password"), 1);
    EXPECT_EQ(shownContaining("Enter your password"), 2);
}

TEST_F(LoginTest, ThreeWrongPasswordsEndTheProgram)
{
    setPassword("Lane4!");
    m_sink.answerButton(0);
    for (int i = 0; i < 4; ++i)
        m_sink.answerText("guess");
    exec();
    EXPECT_EQ(m_host.calls, 0);
    EXPECT_EQ(shownContaining("Invalid Password"), 3);
    EXPECT_EQ(shownContaining("Enter your password"), 3);
    EXPECT_EQ(m_passes, 1);
}

TEST_F(LoginTest, CancellingThePasswordEndsTheProgram)
{
    setPassword("Lane4!");
    m_sink.answerButton(0);
    exec(); // the text prompt gets no answer: cancelled
    EXPECT_EQ(m_host.calls, 0);
}

TEST_F(RunLoopTest, ADatabaseOutsideTheDataFolderIsWarnedAboutAndUsed)
{
    const QString elsewhere = m_home->freshDatabase("meets/club.gdb");
    base::ConfigStore(base::ConfigStore::defaultPath("DLVN"))
        .writeText("LOCAL_DATABASENAME", elsewhere);
    exec();
    EXPECT_EQ(m_host.calls, 1);
    ASSERT_EQ(shownContaining("Your database is not in the preferred folder."), 1);
    EXPECT_EQ(shownContaining("It is in the folder \"" + m_home->dir() + "/meets\"."), 1);
    EXPECT_EQ(shownContaining("It should be under \"" + m_home->dir() + "/Dolvane/Data\"."), 1);
    EXPECT_EQ(shownContaining("The database file is \"club.gdb\"."), 1);
}

TEST_F(RunLoopTest, AConfigurationStoreThatCannotBeWrittenIsReportedOnceAndTheRunGoesOn)
{
    makeDefaultDatabase();
    const QString config = m_home->dir() + "/locked";
    QDir().mkpath(config);
    QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    if (QFile(config + "/probe").open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    m_options.configPath = config + "/DLVN.ini";
    exec();
    EXPECT_EQ(m_host.calls, 1);
    EXPECT_EQ(shownContaining("You may need writing rights to the folder\r" + config), 1);
    EXPECT_EQ(shownContaining("The program will now continue anyway."), 1);
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(RunLoopTest, ASecondRunWhileOneExistsIsAnInternalError)
{
    makeDefaultDatabase();
    shell::RunLoop loop(m_sink, m_host, m_options);
    base::Run& first = loop.beginRun();
    base::Run& second = loop.beginRun();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(shownContaining("xAppGlobals already created"), 1);
    loop.endRun();
    EXPECT_EQ(loop.run(), nullptr);
}

TEST(ProcessFormatsTest, ACommaDecimalSeparatorRunsWithAPointAfterStart)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    base::processFormats().decimalSeparator = QLatin1Char(',');
    base::processFormats().shortDateFormat = "dd.MM.yyyy";
    base::fixCommaSeparator(messages);
    EXPECT_EQ(base::processFormats().decimalSeparator, QLatin1Char('.'));
    EXPECT_EQ(base::processFormats().thousandSeparator, QLatin1Char(','));
    EXPECT_TRUE(sink.shown().isEmpty());

    // The date format is still wrong: the question names it and No stops.
    EXPECT_FALSE(base::checkProcessFormats(messages));
    ASSERT_EQ(sink.shown().size(), 1);
    EXPECT_TRUE(sink.shown()[0].text.startsWith(
        "The \"Windows Environmental Settings\" is incompatable with \"Tamrok\":"));
    EXPECT_TRUE(sink.shown()[0].text.contains("The \"Short Date Format\" should be  \""));
    EXPECT_FALSE(sink.shown()[0].text.contains("The \"Decimal Symbol\""));

    base::forceProcessFormats();
    EXPECT_TRUE(base::checkProcessFormats(messages));
    EXPECT_EQ(base::processFormats().shortDateFormat, "yyyy/MM/dd");
    EXPECT_EQ(base::processFormats().timeFormat, "hh:mm");
    EXPECT_EQ(QString::number(1234.5), "1234.5");
}

} // namespace
