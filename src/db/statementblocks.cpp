#include "db/statementblocks.h"

#include "db/dmdcoredbs.h"

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

} // namespace db
