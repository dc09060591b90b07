#pragma once

#include "db/fbclient.h"

#include <QString>

#include <vector>

namespace Firebird {
class IMessageMetadata;
class IStatement;
} // namespace Firebird

namespace db {

// A modifying statement with "?" parameters, prepared once on a transaction and executed
// for many rows with their values bound: no SQL text and no compilation per row. Whole
// numbers and texts only.
class PreparedStatement {
public:
    PreparedStatement(FbAttachment& attachment, FbTransaction& transaction, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // False when the engine refused to prepare it.
    bool isValid() const { return m_statement != nullptr; }
    void setInt(int index, qint64 value);
    void setText(int index, const QString& text);
    bool execute();
    const DbError& error() const { return m_error; }

private:
    struct Slot {
        unsigned type = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
        unsigned length = 0;
    };

    FbTransaction& m_transaction;
    Firebird::IStatement* m_statement = nullptr;
    Firebird::IMessageMetadata* m_meta = nullptr;
    std::vector<unsigned char> m_buffer;
    std::vector<Slot> m_slots;
    DbError m_error;
};

} // namespace db
