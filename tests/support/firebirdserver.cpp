#include "support/firebirdserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

namespace {

QString systemRoot()
{
    const QByteArray configured = qgetenv("DOLVANE_FIREBIRD_SYSTEM_ROOT");
    return configured.isEmpty() ? QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0")
                                : QString::fromUtf8(configured);
}

QString serverBinary()
{
    const QByteArray configured = qgetenv("DOLVANE_FIREBIRD_SERVER");
    return configured.isEmpty() ? QStringLiteral("/usr/sbin/firebird")
                                : QString::fromUtf8(configured);
}

// A port of the loopback address that nobody listens on now.
int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool acceptsConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// The engine's environment: this root, its lock and temporary folders, no login taken
// from the caller's environment.
QProcessEnvironment serverEnvironment(const QString& root)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), root);
    env.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
    env.insert(QStringLiteral("FIREBIRD_TMP"), root + QStringLiteral("/tmp"));
    env.remove(QStringLiteral("ISC_USER"));
    env.remove(QStringLiteral("ISC_PASSWORD"));
    return env;
}

QString sqlQuoted(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// "0100007F:1F90" of /proc/net/tcp as "127.0.0.1:8080"; the IPv6 form in brackets.
QString procAddress(const QString& field)
{
    const QString hex = field.section(QLatin1Char(':'), 0, 0);
    const int port = field.section(QLatin1Char(':'), 1, 1).toInt(nullptr, 16);
    QStringList parts;
    // Each group of four bytes is printed as a number in the machine's order.
    for (int group = 0; group < hex.size() / 8; ++group)
        for (int byte = 3; byte >= 0; --byte)
            parts << QString::number(hex.mid(group * 8 + byte * 2, 2).toInt(nullptr, 16));
    if (parts.size() == 4)
        return parts.join(QLatin1Char('.')) + QLatin1Char(':') + QString::number(port);
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QStringLiteral("]:") +
           QString::number(port);
}

} // namespace

FirebirdServer::FirebirdServer(QString sysdbaPassword) : m_password(std::move(sysdbaPassword)) {}

FirebirdServer::~FirebirdServer()
{
    stop();
}

bool FirebirdServer::prepareRoot()
{
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                            QStringLiteral("/dolvane-fbserver-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("no temporary folder for the server");
        return false;
    }
    m_root = m_dir->path();
    QDir().mkpath(m_root + QStringLiteral("/lock"));
    QDir().mkpath(m_root + QStringLiteral("/tmp"));
    const QString system = systemRoot();
    for (const char* name : {"plugins", "intl", "UDF", "plugins.conf", "firebird.msg"})
        QFile::link(system + QLatin1Char('/') + QLatin1String(name),
                    m_root + QLatin1Char('/') + QLatin1String(name));
    return createSecurityDatabase();
}

bool FirebirdServer::createSecurityDatabase()
{
    // The embedded engine of isql, pointed at this root, creates the file and the
    // administrator in it: the file is its own security database.
    const QString file = m_root + QStringLiteral("/security3.fdb");
    QFile conf(m_root + QStringLiteral("/firebird.conf"));
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write ") + conf.fileName();
        return false;
    }
    conf.write(QStringLiteral("SecurityDatabase = %1\n").arg(file).toUtf8());
    conf.close();

    QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    if (isql.isEmpty())
        isql = QStandardPaths::findExecutable(QStringLiteral("isql"));
    if (isql.isEmpty()) {
        m_error = QStringLiteral("isql-fb is not installed (firebird3.0-utils)");
        return false;
    }
    QProcess process;
    process.setProcessEnvironment(serverEnvironment(m_root));
    process.setWorkingDirectory(m_root);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(isql, {QStringLiteral("-q")});
    const QString script = QStringLiteral("create database %1 user 'SYSDBA';\n"
                                          "create user SYSDBA password %2 using plugin Srp;\n"
                                          "commit;\nexit;\n")
                               .arg(sqlQuoted(file), sqlQuoted(m_password));
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0 || !QFile::exists(file)) {
        m_error = QStringLiteral("the security database was not made: ") +
                  QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool FirebirdServer::start()
{
    if (isRunning())
        return true;
    if (m_root.isEmpty() && !prepareRoot())
        return false;
    if (!QFileInfo(serverBinary()).isExecutable()) {
        m_error = serverBinary() + QStringLiteral(" is not installed (firebird3.0-server)");
        return false;
    }
    const bool restart = m_port != 0;
    // A port found free may be taken before the server binds it: then another one.
    for (int tries = 0; tries < 3; ++tries) {
        if (!restart || tries > 0) {
            m_port = freeLoopbackPort();
            // The port for event notification is fixed too, so that it binds to the
            // loopback address like the main one.
            m_auxPort = freeLoopbackPort();
        }
        QFile conf(m_root + QStringLiteral("/firebird.conf"));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            m_error = QStringLiteral("cannot write ") + conf.fileName();
            return false;
        }
        conf.write(QStringLiteral("ServerMode = Super\n"
                                  "RemoteBindAddress = 127.0.0.1\n"
                                  "RemoteServicePort = %1\n"
                                  "RemoteAuxPort = %2\n"
                                  "SecurityDatabase = %3/security3.fdb\n")
                       .arg(m_port)
                       .arg(m_auxPort)
                       .arg(m_root)
                       .toUtf8());
        conf.close();

        m_process = std::make_unique<QProcess>();
        m_process->setProcessEnvironment(serverEnvironment(m_root));
        m_process->setWorkingDirectory(m_root);
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        m_process->setStandardOutputFile(m_root + QStringLiteral("/server.log"), QIODevice::Append);
        // Should the test program die, the server goes with it.
        m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        m_process->start(serverBinary(), {});
        if (!m_process->waitForStarted(10000)) {
            m_error = QStringLiteral("the server did not start: ") + m_process->errorString();
            return false;
        }
        if (waitUntilListening(30000))
            return true;
        stop();
    }
    QFile log(m_root + QStringLiteral("/server.log"));
    log.open(QIODevice::ReadOnly);
    m_error = QStringLiteral("the server does not listen on port %1: ").arg(m_port) +
              QString::fromLocal8Bit(log.readAll());
    return false;
}

bool FirebirdServer::waitUntilListening(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        if (!isRunning())
            return false;
        if (acceptsConnections(m_port))
            return true;
        QThread::msleep(20);
    }
    return false;
}

void FirebirdServer::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        resume();
        m_process->terminate();
        // Now and then the server lingers after SIGTERM; its files are the test's own.
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }
    m_process.reset();
}

void FirebirdServer::kill()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

void FirebirdServer::pause()
{
    if (isRunning())
        ::kill(pid_t(m_process->processId()), SIGSTOP);
}

void FirebirdServer::resume()
{
    if (isRunning())
        ::kill(pid_t(m_process->processId()), SIGCONT);
}

bool FirebirdServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

qint64 FirebirdServer::processId() const
{
    return isRunning() ? m_process->processId() : 0;
}

QString FirebirdServer::address() const
{
    return QStringLiteral("127.0.0.1/") + QString::number(m_port);
}

QString FirebirdServer::connectionText(const QString& path) const
{
    return address() + QLatin1Char(':') + path;
}

QStringList FirebirdServer::listeningAddresses() const
{
    QStringList found;
    if (!isRunning())
        return found;
    const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(processId());
    QStringList sockets;
    // /proc/PID/fd/N links read "socket:[INODE]".
    for (const QString& name : QDir(fdFolder).entryList(QDir::AllEntries | QDir::System)) {
        char buffer[128] = {};
        const QByteArray path = QFile::encodeName(fdFolder + QLatin1Char('/') + name);
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer - 1);
        const QString link = QString::fromLatin1(buffer, n > 0 ? int(n) : 0);
        if (link.startsWith(QStringLiteral("socket:[")))
            sockets << link.mid(8).chopped(1);
    }
    for (const char* table : {"tcp", "tcp6"}) {
        QFile file(QStringLiteral("/proc/%1/net/%2").arg(processId()).arg(QLatin1String(table)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine(); // the header
        while (!file.atEnd()) {
            const QStringList fields =
                QString::fromLatin1(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            // sl local remote state ... inode is the tenth field; 0A is LISTEN.
            if (fields.size() > 9 && fields[3] == QStringLiteral("0A") &&
                sockets.contains(fields[9]))
                found << procAddress(fields[1]);
        }
    }
    return found;
}

namespace {

std::unique_ptr<FirebirdServer>& sharedInstance()
{
    static std::unique_ptr<FirebirdServer> server;
    return server;
}

QString& sharedFailure()
{
    static QString failure;
    return failure;
}

} // namespace

FirebirdServer* FirebirdServer::shared()
{
    std::unique_ptr<FirebirdServer>& server = sharedInstance();
    if (!server && sharedFailure().isEmpty()) {
        server = std::make_unique<FirebirdServer>();
        if (!server->start()) {
            sharedFailure() = server->error();
            server.reset();
        }
    }
    return server.get();
}

QString FirebirdServer::sharedError()
{
    return sharedFailure();
}

void FirebirdServer::stopShared()
{
    sharedInstance().reset();
}

} // namespace testing_support
