#pragma once
// A thin layer over Firebird's own C++ client API: attach, create, transactions,
// statements and result rows. It knows nothing of the system's rules; DmdCoreDbs and
// the operations above it add those.

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace Firebird {
class IAttachment;
class IStatement;
class IMessageMetadata;
class IResultSet;
class ThrowStatusWrapper;
class ITransaction;
class IMaster;
class IStatus;
} // namespace Firebird

namespace db {

// The server's message and status codes of one failed call.
struct DbError {
    QString message;
    std::vector<long> codes;

    bool hasCode(long code) const;
    // True when the failure is the network's (an unreachable or unknown server).
    bool isNetworkError() const;
    // True when the database cannot be reached at all: the server's "I/O error " (a
    // wrong path on a server that answered) or the network's failure. Other login
    // attempts cannot help then.
    bool isUnreachableDatabase() const;
    void clear()
    {
        message.clear();
        codes.clear();
    }
};

struct Credentials {
    QString user;
    QString password;
};

// Rows of one read, fetched whole. Values are QString for text, qint64 for integers,
// double for scaled or floating numbers, QTime/QDate/QDateTime, invalid for NULL.
struct ResultSet {
    QStringList columns;
    QList<int> columnWidths; // declared character width of text columns, else byte length
    std::vector<std::vector<QVariant>> rows;

    // The column of that name, case aside; -1 when there is none.
    int columnIndex(QAnyStringView name) const;
};

enum class TransactionKind { Read, Modify };

class FbTransaction;

class FbAttachment {
public:
    ~FbAttachment();
    FbAttachment(const FbAttachment&) = delete;
    FbAttachment& operator=(const FbAttachment&) = delete;

    // A connection text is a path (the embedded engine) or "host:path" (a server).
    static std::unique_ptr<FbAttachment>
    attach(const QString& connectionText, const std::optional<Credentials>& login, DbError* error);
    // `forcedWrites` off makes the engine leave page writes to the operating system's
    // cache: much faster, safe only for scratch files.
    static std::unique_ptr<FbAttachment> create(const QString& path, DbError* error,
                                                bool forcedWrites = true);
    // Sets a database file's forced-writes flag (the file must not be in use elsewhere).
    static bool setForcedWrites(const QString& path, bool on, DbError* error);

    bool isConnected() const { return m_attachment != nullptr; }
    bool detach(DbError* error);
    Firebird::IAttachment* handle() const { return m_attachment; }

    // Drops the attachment of a database file (used by the tests and by restore).
    bool dropDatabase(DbError* error);

private:
    explicit FbAttachment(Firebird::IAttachment* attachment) : m_attachment(attachment) {}
    Firebird::IAttachment* m_attachment = nullptr;
};

class FbTransaction {
public:
    explicit FbTransaction(TransactionKind kind) : m_kind(kind) {}
    ~FbTransaction();
    FbTransaction(const FbTransaction&) = delete;
    FbTransaction& operator=(const FbTransaction&) = delete;

    bool start(FbAttachment& attachment, DbError* error);
    bool commit(DbError* error);
    bool rollback(DbError* error);
    // A read-committed read transaction stays open; this makes it see others' commits.
    bool commitRetaining(DbError* error);
    bool isActive() const { return m_transaction != nullptr; }
    Firebird::ITransaction* handle() const { return m_transaction; }

private:
    TransactionKind m_kind;
    Firebird::ITransaction* m_transaction = nullptr;
};

// Executes one statement; `affected` receives the rows changed by an insert, update or
// delete. DDL runs through here too.
bool fbExecute(FbAttachment& attachment, FbTransaction& transaction, const QString& sql,
               DbError* error, qint64* affected = nullptr);

// A selecting statement opened on the engine, its rows fetched one at a time into one
// buffer and read from there: a value is converted only when asked for.
class FbCursor {
public:
    // Nothing, with the server's message, when the engine refuses the statement.
    static std::unique_ptr<FbCursor> open(FbAttachment& attachment, FbTransaction& transaction,
                                          const QString& sql, DbError* error);
    ~FbCursor();
    FbCursor(const FbCursor&) = delete;
    FbCursor& operator=(const FbCursor&) = delete;

    const QStringList& columns() const { return m_columns; }
    // Declared character width of a text column, else its byte length.
    int columnWidth(int column) const;
    // The next row; false after the last one, or with the server's message on a failure.
    bool fetch(DbError* error);

    // The values of the row fetched last, as ResultSet holds them (see there).
    QVariant value(int column) const;
    bool isNull(int column) const;
    // An integer column read in place; others converted from value(); 0 for NULL.
    qint64 integer(int column) const;
    // Text as value() gives it, and without the blanks at both ends (as QString::trimmed).
    QString text(int column) const;
    QString trimmed(int column) const;
    // The server's message when a value could not be read (a blob), else nothing.
    const DbError* readFailure() const { return m_readFailed ? &m_readFailure : nullptr; }

    struct Column;

private:
    FbCursor() = default;
    void close();
    Firebird::IAttachment* m_attachment = nullptr;
    Firebird::ITransaction* m_transaction = nullptr;
    Firebird::IStatement* m_statement = nullptr;
    Firebird::IMessageMetadata* m_meta = nullptr;
    Firebird::IResultSet* m_cursor = nullptr;
    Firebird::ThrowStatusWrapper* m_status = nullptr;
    std::vector<Column> m_layout;
    QStringList m_columns;
    std::vector<unsigned char> m_buffer;
    mutable DbError m_readFailure;
    mutable bool m_readFailed = false;
};

// Runs one selecting statement and fetches every row.
bool fbSelect(FbAttachment& attachment, FbTransaction& transaction, const QString& sql,
              ResultSet* result, DbError* error);

Firebird::IMaster* fbMaster();

// Fills a DbError from a failed call's status: the server's message and its codes.
void captureError(Firebird::IStatus* status, DbError* error);

} // namespace db
