#include "support/killdrill.h"

#include "db/dmdcoredbs.h"
#include "db/fbclient.h"

#include <QElapsedTimer>
#include <QFile>

namespace drills {

std::unique_ptr<QProcess> startCli(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process->start(QStringLiteral(DOLVANE_CLI_PATH), arguments);
    process->closeWriteChannel();
    process->waitForStarted(10000);
    return process;
}

KillOutcome killWhen(QProcess& process, const std::function<bool()>& ready, int timeoutMilliseconds,
                     QByteArray* output)
{
    QByteArray ignored;
    QByteArray& printed = output ? *output : ignored;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMilliseconds) {
        if (process.state() == QProcess::NotRunning)
            return KillOutcome::FinishedFirst;
        if (ready()) {
            process.kill();
            process.waitForFinished(10000);
            // It may have finished in the very moment.
            return process.exitStatus() == QProcess::CrashExit ? KillOutcome::Killed
                                                               : KillOutcome::FinishedFirst;
        }
        // Reading the process's pipes keeps it from blocking on a full one.
        process.waitForReadyRead(1);
        printed += process.readAllStandardOutput();
        printed += process.readAllStandardError();
    }
    process.kill();
    process.waitForFinished(10000);
    return KillOutcome::NeverReady;
}

KillOutcome killWatched(QProcess& process, std::unique_ptr<DatabaseWatcher>& watcher,
                        const std::function<bool(DatabaseWatcher&)>& reached,
                        int timeoutMilliseconds, QByteArray* output)
{
    const KillOutcome outcome = killWhen(
        process,
        [&] {
            if (!reached(*watcher))
                return false;
            watcher.reset();
            return true;
        },
        timeoutMilliseconds, output);
    watcher.reset();
    return outcome;
}

DatabaseWatcher::DatabaseWatcher(const QString& connectionText)
{
    db::DbError error;
    m_attachment = db::FbAttachment::attach(
        connectionText,
        db::Credentials{QStringLiteral("SYSDBA"), QString::fromLatin1(db::kServerDefaultPassword)},
        &error);
}

DatabaseWatcher::~DatabaseWatcher()
{
    if (m_attachment)
        m_attachment->detach(nullptr);
}

bool DatabaseWatcher::isOpen() const
{
    return m_attachment && m_attachment->isConnected();
}

qint64 DatabaseWatcher::insertedByOthers()
{
    return countedByOthers(QStringLiteral("MON$RECORD_INSERTS"));
}

qint64 DatabaseWatcher::updatedByOthers()
{
    return countedByOthers(QStringLiteral("MON$RECORD_UPDATES"));
}

qint64 DatabaseWatcher::countedByOthers(const QString& statColumn)
{
    return number(QStringLiteral("select coalesce(sum(r.") + statColumn +
                  QStringLiteral("), 0) from MON$ATTACHMENTS a "
                                 "join MON$RECORD_STATS r on r.MON$STAT_ID = a.MON$STAT_ID "
                                 "where a.MON$ATTACHMENT_ID <> current_connection"));
}

qint64 DatabaseWatcher::number(const QString& sql)
{
    const db::ResultSet result = rows(sql);
    return result.rows.empty() ? 0 : result.rows[0][0].toLongLong();
}

db::ResultSet DatabaseWatcher::rows(const QString& sql)
{
    db::ResultSet result;
    if (!isOpen())
        return result;
    // A new transaction each time: it sees the latest commits, and the monitoring tables
    // are a snapshot per transaction.
    db::FbTransaction transaction(db::TransactionKind::Read);
    db::DbError error;
    if (transaction.start(*m_attachment, &error)) {
        db::fbSelect(*m_attachment, transaction, sql, &result, &error);
        transaction.commit(nullptr);
    }
    return result;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace drills
