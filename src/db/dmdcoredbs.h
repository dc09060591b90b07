#pragma once

#include "db/cursor.h"
#include "db/fbclient.h"
#include "db/query.h"
#include "db/statement.h"

#include <QString>

#include <memory>

namespace base {
class Messages;
}

namespace db {

class SideReader;

// The server's default administrator password, tried by login attempt 1.
inline constexpr const char* kServerDefaultPassword = "masterkey";
// The product's own administrator password, tried by login attempt 3.
inline constexpr const char* kProductPassword = "Dv!24poolX";

enum class ConfigMode { Read, Write, Exists };

// Counters of the query objects that exist: read queries ("Qry"), modify statements
// ("Sql") and data sets ("Dst"). Reset at the start of a run.
struct OpenObjectCounters {
    int queries = 0;
    int statements = 0;
    int dataSets = 0;
};

// The core data module: the one connection of a run and the operations every other area
// uses on it. Each modifying statement runs in its own short transaction; reads share one
// read-committed transaction; batch work has a transaction of its own; internal errors
// are recorded through a diagnostics transaction.
class DmdCoreDbs {
public:
    DmdCoreDbs(base::Messages& messages, QString applicationCode, QString version);
    ~DmdCoreDbs();
    DmdCoreDbs(const DmdCoreDbs&) = delete;
    DmdCoreDbs& operator=(const DmdCoreDbs&) = delete;

    base::Messages& messages() { return m_messages; }
    const QString& applicationCode() const { return m_code; }
    const QString& version() const { return m_version; }

    // --- connection ---
    // option 0: all three attempts; 1: attempt 1 only; 2: attempts 2 and 3.
    bool login(const QString& connectionText, int option);
    bool isConnected() const;
    bool isRemote() const { return m_remote; }
    int loginAttemptUsed() const { return m_loginAttempt; }
    // The last login's failure messages, one per attempt.
    const QStringList& loginFailures() const { return m_loginFailures; }
    const DbError& lastLoginError() const { return m_lastLoginError; }
    QString connectionText();
    void close();
    // A second connection to the same local database with the login that worked for this
    // one, its messages going to `messages`: for reads on another thread while this
    // connection goes on with its own. Null on a server's database or when it cannot
    // attach.
    std::unique_ptr<DmdCoreDbs> openSibling(base::Messages& messages) const;
    // The connection's reader on a sibling, made when first asked for and kept until the
    // connection closes: its attachment and what the engine learnt of the tables serve
    // every run that reads a whole meeting.
    SideReader& sideReader();
    // Sees the commits of others in the read transaction.
    void refreshReads();

    // --- reading ---
    Query openQuery(const QString& sql);
    int ZSqlCount(const QString& table, const QString& where);
    int ZSqlRecCount(const QString& sql);
    int ZRecordCount(Query& query, bool showProgress = false);
    QString selectOneValue(const QString& field, const QString& table, const QString& where);
    qint64 nextKeyNumber(const QString& sequence = QString());
    // `count` key numbers drawn one by one from the same key procedure, in one round trip
    // for work that adds many rows; empty after an internal error.
    QList<qint64> nextKeyNumbers(int count);

    // --- modifying, each its own transaction ---
    bool execute(const QString& sql);
    qint64 executeRowsAffected(const QString& sql);
    bool executeOneRow(const QString& sql);

    // --- batch work: one transaction for many statements ---
    bool startBatch();
    bool batchExecute(const QString& sql, qint64* affected = nullptr);
    bool commitBatch();
    void rollbackBatch();
    bool batchActive() const;
    // The statements in one transaction of their own: all of them, or none (the reason in
    // lastError).
    bool executeAll(const QStringList& statements);
    // A statement for many executions in the batch transaction, its values bound to "?"
    // markers; nothing (the reason in lastError) when the server refuses the text.
    std::unique_ptr<Statement> prepareBatch(const QString& sql);
    bool batchExecute(Statement& statement, const QList<QVariant>& values,
                      qint64* affected = nullptr);
    const DbError& lastError() const { return m_lastError; }

    // --- schema inspection ---
    bool tableExists(const QString& table);
    bool fieldExists(const QString& table, const QString& field);
    int fieldLength(const QString& table, const QString& field, int* typeNumber = nullptr);
    bool indexExists(const QString& index);
    QString firstField(const QString& table);
    QString fieldList(const QString& table, const QString& prefix = QString());
    bool deleteAllRows(const QString& table);
    int deleteChildren(const QString& childTable, const QString& childKey,
                       const QString& parentTable, const QString& parentKey, qint64 parentValue);

    // --- CONFIG ---
    QString config(ConfigMode mode, const QString& slot, const QString& value = QString());
    QString configRead(const QString& slot) { return config(ConfigMode::Read, slot); }
    void configWrite(const QString& slot, const QString& value)
    {
        config(ConfigMode::Write, slot, value);
    }
    bool configExists(const QString& slot) { return config(ConfigMode::Exists, slot) == "1"; }

    // --- internal errors ---
    // Counts the error in T_DEBUG_MARK through the diagnostics transaction.
    void recordInternalError(qint64 number, const QString& text);

    static OpenObjectCounters& counters();
    static void resetCounters() { counters() = {}; }
    // Reports queries left open at the end of a run (developer mode).
    void checkOpenObjects();

    FbAttachment* attachment() { return m_attachment.get(); }

private:
    friend class Query;
    friend class Cursor;
    bool requireConnection();
    bool runRead(const QString& sql, ResultSet* rows, DbError* error);
    // Nothing, with the failure told, when the engine refuses the read.
    std::unique_ptr<FbCursor> openCursor(const QString& sql, DbError* error);
    // "Could not open " + the statement and the server's message.
    void reportReadFailure(const QString& sql, const DbError& error);
    bool modify(const QString& sql, qint64* affected);
    bool attempt(const QString& connectionText, const std::optional<Credentials>& login);

    base::Messages& m_messages;
    QString m_code;
    QString m_version;
    QString m_connectionText;
    bool m_remote = false;
    int m_loginAttempt = 0;
    QStringList m_loginFailures;
    DbError m_lastLoginError;
    DbError m_lastError;
    std::unique_ptr<FbAttachment> m_attachment;
    std::unique_ptr<SideReader> m_sideReader;
    FbTransaction m_tscView{TransactionKind::Read};
    FbTransaction m_tscMdfy{TransactionKind::Modify};
    FbTransaction m_tscBatch{TransactionKind::Modify};
    FbTransaction m_tscDebug{TransactionKind::Modify};
};

// True when a connection text names a database on a server ("host:path").
bool isRemoteConnectionText(const QString& connectionText);

} // namespace db
