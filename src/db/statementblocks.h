#pragma once

#include <QString>
#include <QStringList>

namespace db {

class DmdCoreDbs;

// Runs many small modifying statements in the database's batch transaction, several at a
// time as one "execute block": one round trip and one compilation for each block instead
// of one per row. The caller starts and commits (or rolls back) the batch.
class StatementBlocks {
public:
    explicit StatementBlocks(DmdCoreDbs& database) : m_db(database) {}

    // Queues a statement; runs the queued block first when this one would make it too big.
    bool add(const QString& sql);
    // Runs what is queued.
    bool flush();
    // The database's message of the statement that failed.
    const QString& failure() const { return m_failure; }

private:
    DmdCoreDbs& m_db;
    QStringList m_pending;
    int m_pendingChars = 0;
    QString m_failure;
};

} // namespace db
