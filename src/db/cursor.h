#pragma once

#include "db/fbclient.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace db {

class DmdCoreDbs;

// A read walked row by row as the engine hands the rows over, on the read transaction:
// nothing is kept, and a value is converted only when asked for. For reads of many rows,
// where Query (which holds every value of every row) costs more than the rows. Columns are
// looked up once by name, then read by their number. Counted among the open queries of its
// database while it lives.
class Cursor {
public:
    Cursor(DmdCoreDbs& database, const QString& sql);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    bool isOpen() const { return m_cursor != nullptr; }
    const DbError& error() const { return m_error; }
    // The column of that name, case aside; -1 when there is none.
    int column(QAnyStringView name) const;
    // Moves to the first row, then to the next; false after the last one. A failure on
    // the way is told like a query that cannot be opened.
    bool next();

    // The values of the row at hand; a column that is not there (-1) reads as NULL.
    bool isNull(int column) const { return column < 0 || m_cursor->isNull(column); }
    qint64 integer(int column) const { return column < 0 ? 0 : m_cursor->integer(column); }
    QString text(int column) const { return column < 0 ? QString() : m_cursor->text(column); }
    QString trimmed(int column) const { return column < 0 ? QString() : m_cursor->trimmed(column); }
    QVariant value(int column) const { return column < 0 ? QVariant() : m_cursor->value(column); }
    // The same by name, for reads of a few rows.
    qint64 integer(QAnyStringView name) const { return integer(column(name)); }
    QString trimmed(QAnyStringView name) const { return trimmed(column(name)); }
    QString text(QAnyStringView name) const { return text(column(name)); }
    QVariant value(QAnyStringView name) const { return value(column(name)); }

private:
    DmdCoreDbs& m_database;
    QString m_sql;
    std::unique_ptr<FbCursor> m_cursor;
    ResultSet m_names; // the columns only, for their look-up
    DbError m_error;
};

} // namespace db
