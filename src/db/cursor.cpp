#include "db/cursor.h"

#include "db/dmdcoredbs.h"

namespace db {

Cursor::Cursor(DmdCoreDbs& database, const QString& sql) : m_database(database), m_sql(sql)
{
    ++DmdCoreDbs::counters().queries;
    m_cursor = database.openCursor(sql, &m_error);
    if (m_cursor)
        m_names.columns = m_cursor->columns();
}

Cursor::~Cursor()
{
    --DmdCoreDbs::counters().queries;
}

int Cursor::column(QAnyStringView name) const
{
    return m_names.columnIndex(name);
}

bool Cursor::next()
{
    if (!m_cursor || !m_error.message.isEmpty())
        return false;
    // A value of the last row that could not be read (a blob) ends the walk as a failed
    // fetch does.
    if (const DbError* failed = m_cursor->readFailure())
        m_error = *failed;
    else if (m_cursor->fetch(&m_error))
        return true;
    if (!m_error.message.isEmpty())
        m_database.reportReadFailure(m_sql, m_error);
    return false;
}

} // namespace db
