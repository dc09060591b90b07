#include "db/preparedstatement.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <algorithm>
#include <cstring>

namespace db {

using namespace Firebird;

namespace {

void capture(const FbException& e, DbError* error)
{
    char text[1024];
    fbMaster()->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
    error->message = QString::fromUtf8(text);
}

} // namespace

PreparedStatement::PreparedStatement(FbAttachment& attachment, FbTransaction& transaction,
                                     const QString& sql)
    : m_transaction(transaction)
{
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const QByteArray text = sql.toUtf8();
    try {
        m_statement = attachment.handle()->prepare(&status, transaction.handle(), text.size(),
                                                   text.constData(), SQL_DIALECT_V6, 0);
        m_meta = m_statement->getInputMetadata(&status);
        m_buffer.assign(m_meta->getMessageLength(&status), 0);
        for (unsigned i = 0; i < m_meta->getCount(&status); ++i) {
            Slot slot{m_meta->getType(&status, i) & ~1u, m_meta->getOffset(&status, i),
                      m_meta->getNullOffset(&status, i), m_meta->getLength(&status, i)};
            m_slots.push_back(slot);
        }
    } catch (const FbException& e) {
        capture(e, &m_error);
        if (m_meta)
            m_meta->release();
        m_meta = nullptr;
        if (m_statement)
            m_statement->release();
        m_statement = nullptr;
    }
    status.dispose();
}

PreparedStatement::~PreparedStatement()
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

void PreparedStatement::setInt(int index, qint64 value)
{
    const Slot& s = m_slots.at(size_t(index));
    unsigned char* at = m_buffer.data() + s.offset;
    *reinterpret_cast<short*>(m_buffer.data() + s.nullOffset) = 0;
    if (s.type == SQL_SHORT)
        *reinterpret_cast<qint16*>(at) = qint16(value);
    else if (s.type == SQL_INT64)
        *reinterpret_cast<qint64*>(at) = value;
    else
        *reinterpret_cast<qint32*>(at) = qint32(value);
}

void PreparedStatement::setText(int index, const QString& text)
{
    const Slot& s = m_slots.at(size_t(index));
    const QByteArray utf8 = text.toUtf8();
    const size_t size = std::min(size_t(utf8.size()), size_t(s.length));
    unsigned char* at = m_buffer.data() + s.offset;
    *reinterpret_cast<short*>(m_buffer.data() + s.nullOffset) = 0;
    if (s.type == SQL_TEXT) { // CHAR: blank-padded to its width
        std::memset(at, ' ', s.length);
        std::memcpy(at, utf8.constData(), size);
        return;
    }
    *reinterpret_cast<unsigned short*>(at) = static_cast<unsigned short>(size);
    std::memcpy(at + 2, utf8.constData(), size);
}

bool PreparedStatement::execute()
{
    if (!m_statement || !m_transaction.isActive())
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    bool ok = true;
    try {
        m_statement->execute(&status, m_transaction.handle(), m_meta, m_buffer.data(), nullptr,
                             nullptr);
    } catch (const FbException& e) {
        capture(e, &m_error);
        ok = false;
    }
    status.dispose();
    return ok;
}

} // namespace db
