#include "db/dmdcoredbs.h"

namespace db {

// A query's rows, read at once; the counters catch queries left open.

Query::Query(DmdCoreDbs*, QString sql) : m_owner(nullptr), m_sql(std::move(sql))
{
    ++DmdCoreDbs::counters().queries;
}

Query::Query(Query&& other) noexcept
    : m_owner(other.m_owner), m_sql(std::move(other.m_sql)), m_rows(std::move(other.m_rows)),
      m_error(std::move(other.m_error)), m_pos(other.m_pos), m_open(other.m_open)
{
    ++DmdCoreDbs::counters().queries;
}

Query::~Query()
{
    --DmdCoreDbs::counters().queries;
}

QVariant Query::value(QAnyStringView field) const
{
    const int column = m_rows.columnIndex(field);
    if (column < 0 || m_pos < 0 || m_pos >= recordCount())
        return {};
    return m_rows.rows[size_t(m_pos)][size_t(column)];
}

} // namespace db
