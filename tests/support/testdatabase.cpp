#include "support/testdatabase.h"

#include "db/connect.h"
#include "db/schemacreate.h"
#include "meeting/runservices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>

namespace testing_support {

QString templateDatabasePath()
{
    static const QString path = [] {
        const QByteArray schema = db::schemaStatements().join(QStringLiteral("\n;\n")).toUtf8();
        const QString key = QString::fromLatin1(
            QCryptographicHash::hash(schema, QCryptographicHash::Sha1).toHex().left(12));
        const QString dir = QDir::tempPath() + QStringLiteral("/dolvane-test-templates");
        QDir().mkpath(dir);
        const QString file = dir + QStringLiteral("/empty-") + key + QStringLiteral(".gdb");
        // Test programs run in parallel: one makes the template, the others wait.
        QLockFile lock(file + QStringLiteral(".lock"));
        lock.setStaleLockTime(120000);
        lock.lock();
        if (!QFile::exists(file)) {
            base::ScriptedSink sink;
            base::Messages messages(sink);
            const QString building = file + QStringLiteral(".new");
            QFile::remove(building);
            if (db::createEmptyDatabase(messages, building, false))
                QFile::rename(building, file);
        }
        lock.unlock();
        return file;
    }();
    return path;
}

TempHome::TempHome()
{
    m_dirPath = m_dir.path();
    qputenv("DOLVANE_CONFIG_DIR", (m_dirPath + QStringLiteral("/config")).toUtf8());
    qputenv("USERPROFILE", m_dirPath.toUtf8());
}

QString TempHome::freshDatabase(const QString& name) const
{
    const QString target = m_dirPath + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(templateDatabasePath(), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

void DatabaseTest::SetUp()
{
    m_home = std::make_unique<TempHome>();
    m_path = m_home->freshDatabase();
    ASSERT_TRUE(QFile::exists(m_path)) << "no template database";
    m_run = std::make_unique<base::Run>(m_sink);
    meeting::createRunSettings(*m_run);
    db::ConnectOptions options;
    options.offerSelect = false;
    ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
    m_sink.clear();
}

void DatabaseTest::TearDown()
{
    m_run.reset();
    m_home.reset();
}

std::unique_ptr<base::Run> DatabaseTest::secondRun(base::ScriptedSink& sink)
{
    auto run = std::make_unique<base::Run>(sink);
    meeting::createRunSettings(*run);
    db::ConnectOptions options;
    options.offerSelect = false;
    options.storeLocation = false;
    if (!db::connectTo(*run, m_path, options))
        return nullptr;
    return run;
}

QString DatabaseTest::value(const QString& sql)
{
    database().refreshReads();
    db::Query q = database().openQuery(sql);
    if (!q.isOpen() || q.isEmpty())
        return {};
    return q.resultSet().rows[0][0].toString();
}

int DatabaseTest::count(const QString& table, const QString& where)
{
    database().refreshReads();
    return database().ZSqlCount(table, where);
}

int runCli(const QStringList& arguments, QString* out, QString* err,
           const QProcessEnvironment* environment)
{
    QProcess process;
    process.setProcessEnvironment(environment ? *environment
                                              : QProcessEnvironment::systemEnvironment());
    process.start(QStringLiteral(DOLVANE_CLI_PATH), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return -1;
    if (out)
        *out = QString::fromUtf8(process.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace testing_support
