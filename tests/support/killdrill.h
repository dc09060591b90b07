#pragma once

#include "db/fbclient.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace drills {

// A dolvane-cli process working in the background, as an official's program does.
std::unique_ptr<QProcess> startCli(const QStringList& arguments);

enum class KillOutcome { Killed, FinishedFirst, NeverReady };

// Kills `process` with SIGKILL the moment `ready()` holds (polled about every
// millisecond). FinishedFirst when the process ended on its own before that. What the
// process printed is kept in `output` when one is given.
KillOutcome killWhen(QProcess& process, const std::function<bool()>& ready,
                     int timeoutMilliseconds = 120000, QByteArray* output = nullptr);

class DatabaseWatcher;

// Kills `process` once `reached(watcher)` holds, closing the watcher just before. Nothing of
// this process may be attached when the other one dies: an attachment that sees it die can
// hang in the engine while the dead one's locks are cleared, whereas with nobody left
// attached the next attachment starts the lock table afresh. Close your own connection to
// the database before starting the process.
KillOutcome killWatched(QProcess& process, std::unique_ptr<DatabaseWatcher>& watcher,
                        const std::function<bool(DatabaseWatcher&)>& reached,
                        int timeoutMilliseconds = 120000, QByteArray* output = nullptr);

// Watches a database from an attachment of its own: the rows other attachments have
// inserted so far, committed or not (the engine's monitoring tables).
class DatabaseWatcher {
public:
    explicit DatabaseWatcher(const QString& connectionText);
    ~DatabaseWatcher();
    bool isOpen() const;
    qint64 insertedByOthers();
    // The rows other attachments have updated so far, committed or not.
    qint64 updatedByOthers();
    // The first column of the first row of `sql`, read in a transaction of its own.
    qint64 number(const QString& sql);
    // Every row of `sql`, read the same way.
    db::ResultSet rows(const QString& sql);

private:
    qint64 countedByOthers(const QString& statColumn);

    std::unique_ptr<db::FbAttachment> m_attachment;
};

// A byte-for-byte copy of a file's content, for comparing before and after.
QByteArray fileContent(const QString& path);

} // namespace drills
