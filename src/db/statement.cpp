#include "db/statement.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <cstring>

using namespace Firebird;

namespace db {

namespace {

void fail(DbError* error, const QString& message)
{
    if (!error)
        return;
    error->clear();
    error->message = message;
}

template <typename T> void put(unsigned char* at, T value)
{
    std::memcpy(at, &value, sizeof value);
}

} // namespace

Statement::Statement(IStatement* statement, IMessageMetadata* meta, QString sql)
    : m_statement(statement), m_meta(meta), m_sql(std::move(sql))
{
}

Statement::~Statement()
{
    if (m_meta)
        m_meta->release();
    if (m_statement) {
        ThrowStatusWrapper status(fbMaster()->getStatus());
        try {
            m_statement->free(&status);
        } catch (const FbException&) {
            m_statement->release();
        }
        status.dispose();
    }
}

std::unique_ptr<Statement> Statement::prepare(FbAttachment& attachment, FbTransaction& transaction,
                                              const QString& sql, DbError* error)
{
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const QByteArray text = sql.toUtf8();
    IStatement* statement = nullptr;
    std::unique_ptr<Statement> result;
    try {
        statement = attachment.handle()->prepare(&status, transaction.handle(), text.size(),
                                                 text.constData(), SQL_DIALECT_V6, 0);
        IMessageMetadata* meta = statement->getInputMetadata(&status);
        result.reset(new Statement(statement, meta, sql));
        statement = nullptr;
        const unsigned count = meta->getCount(&status);
        result->m_params.resize(count);
        for (unsigned i = 0; i < count; ++i) {
            Param& p = result->m_params[i];
            p.type = meta->getType(&status, i) & ~1u;
            p.length = meta->getLength(&status, i);
            p.offset = meta->getOffset(&status, i);
            p.nullOffset = meta->getNullOffset(&status, i);
        }
        result->m_buffer.assign(meta->getMessageLength(&status), 0);
    } catch (const FbException& e) {
        captureError(e.getStatus(), error);
        if (statement)
            statement->release();
        result.reset();
    }
    status.dispose();
    return result;
}

bool Statement::bind(int index, const QVariant& value, DbError* error)
{
    const Param& p = m_params[size_t(index)];
    unsigned char* at = m_buffer.data() + p.offset;
    put<short>(m_buffer.data() + p.nullOffset, value.isValid() ? 0 : -1);
    if (!value.isValid())
        return true;
    switch (p.type) {
    case SQL_SHORT:
        put<ISC_SHORT>(at, ISC_SHORT(value.toLongLong()));
        return true;
    case SQL_LONG:
        put<ISC_LONG>(at, ISC_LONG(value.toLongLong()));
        return true;
    case SQL_INT64:
        put<ISC_INT64>(at, ISC_INT64(value.toLongLong()));
        return true;
    case SQL_VARYING:
    case SQL_TEXT: {
        const QByteArray utf8 = value.toString().toUtf8();
        if (unsigned(utf8.size()) > p.length) {
            fail(error, QStringLiteral("The value is longer than its column: ") + value.toString());
            return false;
        }
        if (p.type == SQL_TEXT) { // CHAR: padded with blanks to its width
            std::memset(at, ' ', p.length);
            std::memcpy(at, utf8.constData(), size_t(utf8.size()));
        } else {
            put<unsigned short>(at, static_cast<unsigned short>(utf8.size()));
            std::memcpy(at + 2, utf8.constData(), size_t(utf8.size()));
        }
        return true;
    }
    default:
        fail(error, QStringLiteral("No value of this kind can be bound: ") + m_sql);
        return false;
    }
}

bool Statement::execute(FbTransaction& transaction, const QList<QVariant>& values, DbError* error,
                        qint64* affected)
{
    if (affected)
        *affected = 0;
    if (values.size() != qsizetype(m_params.size())) {
        fail(error, QStringLiteral("The statement takes ") + QString::number(m_params.size()) +
                        QStringLiteral(" values, not ") + QString::number(values.size()) +
                        QStringLiteral(": ") + m_sql);
        return false;
    }
    for (int i = 0; i < values.size(); ++i)
        if (!bind(i, values[i], error))
            return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    bool ok = true;
    try {
        m_statement->execute(&status, transaction.handle(), m_params.empty() ? nullptr : m_meta,
                             m_params.empty() ? nullptr : m_buffer.data(), nullptr, nullptr);
        if (affected)
            *affected = qint64(m_statement->getAffectedRecords(&status));
    } catch (const FbException& e) {
        captureError(e.getStatus(), error);
        ok = false;
    }
    status.dispose();
    return ok;
}

} // namespace db
