#pragma once

#include "db/fbclient.h"

#include <QString>
#include <QVariant>

namespace db {

class DmdCoreDbs;

// A read query: its rows fetched on the read transaction, walked like a data set. It is
// counted among the open queries of its database while it lives.
class Query {
public:
    Query(DmdCoreDbs* owner, QString sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    Query(Query&& other) noexcept;

    bool isOpen() const { return m_open; }
    const QString& sql() const { return m_sql; }
    const DbError& error() const { return m_error; }

    int recordCount() const { return int(m_rows.rows.size()); }
    bool isEmpty() const { return m_rows.rows.empty(); }
    bool eof() const { return m_pos >= recordCount(); }
    void first() { m_pos = 0; }
    void next() { ++m_pos; }
    void last() { m_pos = recordCount() > 0 ? recordCount() - 1 : 0; }
    int position() const { return m_pos; }

    // Fields are named as the query names its columns, case aside.
    bool hasField(QAnyStringView field) const { return m_rows.columnIndex(field) >= 0; }
    QVariant value(QAnyStringView field) const;
    QString text(QAnyStringView field) const { return value(field).toString(); }
    qint64 integer(QAnyStringView field) const { return value(field).toLongLong(); }
    bool isNull(QAnyStringView field) const { return !value(field).isValid(); }
    const ResultSet& resultSet() const { return m_rows; }

private:
    friend class DmdCoreDbs;
    DmdCoreDbs* m_owner;
    QString m_sql;
    ResultSet m_rows;
    DbError m_error;
    int m_pos = 0;
    bool m_open = false;
};

} // namespace db
