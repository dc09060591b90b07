#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace testing_support {

// A Firebird server of the test's own: Debian's server binary run from a root folder with
// its own firebird.conf, lock folder and security database, listening on a free port of
// the loopback address only. No system service is touched. The server stops with the
// object (or with stop()); kill() and pause() make it go away or answer slowly.
class FirebirdServer {
public:
    // `sysdbaPassword` is the administrator's password in the server's security database.
    explicit FirebirdServer(QString sysdbaPassword = QStringLiteral("masterkey"));
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    // Prepares the root on the first call, then starts the server process and waits until
    // it accepts connections. A restart keeps the port and the security database.
    bool start();
    // Ends the server the polite way (SIGTERM), then by force when it lingers.
    void stop();
    // The server goes away at once, as when its computer loses power.
    void kill();
    // SIGSTOP / SIGCONT: a server that does not answer for a while.
    void pause();
    void resume();
    bool isRunning() const;

    // Why start() failed.
    const QString& error() const { return m_error; }
    int port() const { return m_port; }
    qint64 processId() const;
    // "127.0.0.1/PORT", the address part of a connection text.
    QString address() const;
    // address() + ":" + path.
    QString connectionText(const QString& path) const;
    const QString& root() const { return m_root; }

    // The addresses the process listens on, as "a.b.c.d:port" (IPv6 in brackets).
    QStringList listeningAddresses() const;

    // The one server of a test program, started on first use and stopped at its end.
    // Null (with the reason in sharedError()) when it cannot run here.
    static FirebirdServer* shared();
    static QString sharedError();
    // Stops the shared server (a suite's TearDownTestSuite).
    static void stopShared();

private:
    bool prepareRoot();
    bool createSecurityDatabase();
    bool waitUntilListening(int milliseconds);

    QString m_password;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
    int m_port = 0;
    int m_auxPort = 0;
    QString m_error;
    std::unique_ptr<QProcess> m_process;
};

} // namespace testing_support
