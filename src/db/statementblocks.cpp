#include "db/statementblocks.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace db {

namespace {

// A statement's text and its compiled form must each stay below 64 KB, whatever the
// characters.
constexpr int kBlockChars = 16000;

} // namespace

bool StatementBlocks::add(const QString& sql)
{
    if (m_pendingChars + sql.size() > kBlockChars && !flush())
        return false;
    m_pending.append(sql);
    m_pendingChars += int(sql.size()) + 2;
    return true;
}

bool StatementBlocks::flush()
{
    if (m_pending.isEmpty())
        return true;
    const QString sql = m_pending.size() == 1
                            ? m_pending.first()
                            : QStringLiteral("execute block as begin\n") +
                                  m_pending.join(QStringLiteral(";\n")) + QStringLiteral(";\nend");
    m_pending.clear();
    m_pendingChars = 0;
    if (m_db.batchExecute(sql))
        return true;
    m_failure = m_db.lastError().message;
    return false;
}

qint64 StatementBlocks::reserveKeys(DmdCoreDbs& database, int count, QString* failure)
{
    if (count < 1)
        return 0;
    Query q = database.openQuery(QStringLiteral("select gen_id(GEN_GLOBAL_NO, ") + sqlInt(count) +
                                 QStringLiteral(") from rdb$database"));
    if (!q.isOpen() || q.isEmpty()) {
        if (failure)
            *failure = QStringLiteral("No key numbers could be drawn: ") + q.error().message;
        return 0;
    }
    return q.resultSet().rows[0][0].toLongLong() - count + 1;
}

} // namespace db
