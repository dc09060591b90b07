#include "drills/drillsupport.h"

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

KillOutcome killWhen(QProcess& process, const std::function<bool()>& ready, int timeoutMilliseconds)
{
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
        process.readAllStandardOutput();
        process.readAllStandardError();
    }
    process.kill();
    process.waitForFinished(10000);
    return KillOutcome::NeverReady;
}

InsertWatcher::InsertWatcher(const QString& connectionText)
{
    db::DbError error;
    m_attachment = db::FbAttachment::attach(
        connectionText,
        db::Credentials{QStringLiteral("SYSDBA"), QString::fromLatin1(db::kServerDefaultPassword)},
        &error);
}

InsertWatcher::~InsertWatcher()
{
    if (m_attachment)
        m_attachment->detach(nullptr);
}

bool InsertWatcher::isOpen() const
{
    return m_attachment && m_attachment->isConnected();
}

qint64 InsertWatcher::insertedByOthers()
{
    if (!isOpen())
        return 0;
    // The monitoring tables are a snapshot per transaction: a new one each time.
    db::FbTransaction transaction(db::TransactionKind::Read);
    db::DbError error;
    if (!transaction.start(*m_attachment, &error))
        return 0;
    db::ResultSet rows;
    const bool ok = db::fbSelect(
        *m_attachment, transaction,
        QStringLiteral("select coalesce(sum(r.MON$RECORD_INSERTS), 0) from MON$ATTACHMENTS a "
                       "join MON$RECORD_STATS r on r.MON$STAT_ID = a.MON$STAT_ID "
                       "where a.MON$ATTACHMENT_ID <> current_connection"),
        &rows, &error);
    transaction.commit(nullptr);
    return ok && !rows.rows.empty() ? rows.rows[0][0].toLongLong() : 0;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace drills
