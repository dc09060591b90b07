// The desktop program stopped by the system (SIGTERM when the computer shuts down, SIGINT
// from a terminal) ends as "Exit" ends it: exit code 0, the database closed and its data
// there for the next start.

#include "support/testdatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

// Reads the program's output until it says it listens for the stop signals (once connected
// to its database, while the start-up asks whether to make a backup first). False when the
// deadline passed or the program ended.
bool waitUntilListening(QProcess& program, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray output;
    while (!output.contains("Listening for stop signals\n")) {
        const qint64 left = milliseconds - clock.elapsed();
        if (left <= 0 || program.state() != QProcess::Running)
            return false;
        program.waitForReadyRead(int(std::min<qint64>(left, 500)));
        output += program.readAllStandardOutput();
    }
    return true;
}

TEST(StopSignalsTest, TheDesktopProgramClosesItsDatabaseAndEndsOnSigtermAndSigint)
{
    testing_support::TempHome home;
    const QString path = home.freshDatabase(QStringLiteral("Dolvane/Data/Dolvane.gdb"));
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli(
                  {"--db", path, "meeting", "new", "--name", "Winter Gala", "--venue", "Town Pool"},
                  &out, &err),
              0)
        << err.toStdString();
    const QString runtime = home.dir() + QStringLiteral("/run");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.dir());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    const QString lock = runtime + QStringLiteral("/DLVN.lock");

    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(DOLVANE_APP_PATH), {});
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(waitUntilListening(program, 60000))
            << "not listening within 60 s: " << program.readAllStandardError().toStdString();
        ASSERT_TRUE(QFile::exists(lock)) << "the running copy holds its lock";
        ASSERT_EQ(::kill(pid_t(program.processId()), signal), 0);
        const bool ended = program.waitForFinished(10000);
        if (!ended) {
            program.kill();
            program.waitForFinished(5000);
        }
        ASSERT_TRUE(ended) << "still running 10 s after the signal";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        // Ended through its own end: the lock of the running copy is given back.
        EXPECT_FALSE(QFile::exists(lock));
        // The database opens again with the meeting in it.
        ASSERT_EQ(testing_support::runCli({"--db", path, "meeting", "list"}, &out, &err), 0)
            << err.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("Winter Gala"))) << out.toStdString();
    }
}

} // namespace
