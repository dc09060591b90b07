#include "db/statementblock.h"

#include "db/dmdcoredbs.h"

namespace db {

bool StatementBlock::add(const QString& statement)
{
    if (!m_ok)
        return false;
    m_text += statement;
    m_text += QStringLiteral(";\n");
    if (++m_count >= m_perBlock)
        return flush();
    return true;
}

bool StatementBlock::flush()
{
    if (m_ok && m_count > 0)
        m_ok = m_database.batchExecute(QStringLiteral("execute block as begin\n") + m_text +
                                       QStringLiteral("end"));
    m_text.clear();
    m_count = 0;
    return m_ok;
}

} // namespace db
