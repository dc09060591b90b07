#pragma once

#include "db/fbclient.h"

#include <QList>
#include <QVariant>

#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
} // namespace Firebird

namespace db {

// A statement prepared once and executed many times with its values bound to the "?"
// markers, in order: integers (int, qint64), text (QString) or NULL (an invalid QVariant).
// Values never become part of the SQL text, so no quoting is involved.
class Statement {
public:
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    static std::unique_ptr<Statement> prepare(FbAttachment& attachment, FbTransaction& transaction,
                                              const QString& sql, DbError* error);

    // False, with the server's message, when the values do not fit or the server refuses;
    // a refused statement leaves nothing behind in the transaction.
    bool execute(FbTransaction& transaction, const QList<QVariant>& values, DbError* error,
                 qint64* affected = nullptr);
    int parameterCount() const { return int(m_params.size()); }
    const QString& sql() const { return m_sql; }

private:
    struct Param {
        unsigned type = 0;
        unsigned length = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
    };
    Statement(Firebird::IStatement* statement, Firebird::IMessageMetadata* meta, QString sql);
    bool bind(int index, const QVariant& value, DbError* error);

    Firebird::IStatement* m_statement = nullptr;
    Firebird::IMessageMetadata* m_meta = nullptr;
    QString m_sql;
    std::vector<Param> m_params;
    std::vector<unsigned char> m_buffer;
};

} // namespace db
