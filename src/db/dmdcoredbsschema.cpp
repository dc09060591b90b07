#include "db/dmdcoredbs.h"

#include "base/messages.h"
#include "db/sqltext.h"

namespace db {

// The data module's look at the schema: tables, fields, indexes, and deleting rows.

bool DmdCoreDbs::tableExists(const QString& table)
{
    return ZSqlRecCount(QStringLiteral(" select  count(*) as NRECS  from  rdb$relations \r"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper())) > 0;
}

bool DmdCoreDbs::fieldExists(const QString& table, const QString& field)
{
    return ZSqlRecCount(QStringLiteral("select count(*) as NRECS from rdb$relation_fields\r"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper()) + QStringLiteral(" and rdb$field_name = ") +
                        quoted(field.toUpper())) > 0;
}

int DmdCoreDbs::fieldLength(const QString& table, const QString& field, int* typeNumber)
{
    Query q = openQuery(
        QStringLiteral("select f.rdb$field_length as FIELD_LENGTH, f.rdb$character_length as "
                       "CHARS, f.rdb$field_type as TYPE_NUMBER\r"
                       " from rdb$relation_fields r join rdb$fields f"
                       " on r.rdb$field_source = f.rdb$field_name\r"
                       " where r.rdb$relation_name = ") +
        quoted(table.toUpper()) + QStringLiteral(" and r.rdb$field_name = ") +
        quoted(field.toUpper()));
    if (!q.isOpen() || q.isEmpty())
        return 0;
    if (typeNumber)
        *typeNumber = int(q.integer(QStringLiteral("TYPE_NUMBER")));
    // Text columns count characters in a UTF8 database.
    if (!q.isNull(QStringLiteral("CHARS")))
        return int(q.integer(QStringLiteral("CHARS")));
    return int(q.integer(QStringLiteral("FIELD_LENGTH")));
}

bool DmdCoreDbs::indexExists(const QString& index)
{
    return ZSqlRecCount(QStringLiteral("select count(*) as NRECS from RDB$INDEX_SEGMENTS\r"
                                       " where RDB$INDEX_NAME = ") +
                        quoted(index.toUpper())) > 0;
}

QString DmdCoreDbs::firstField(const QString& table)
{
    return selectOneValue(QStringLiteral("rdb$field_name"), QStringLiteral("rdb$relation_fields"),
                          QStringLiteral("rdb$relation_name = ") + quoted(table.toUpper()) +
                              QStringLiteral(" and rdb$field_position = 0"))
        .trimmed();
}

QString DmdCoreDbs::fieldList(const QString& table, const QString& prefix)
{
    if (!prefix.isEmpty() && !prefix.endsWith(QLatin1Char('.'))) {
        m_messages.internalError(
            10220, QStringLiteral("If supplied, the prefix must have a dot: ") + prefix);
        return {};
    }
    Query q = openQuery(QStringLiteral("select rdb$field_name as NAME from rdb$relation_fields"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper()) + QStringLiteral(" order by rdb$field_position"));
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << prefix + q.text(QStringLiteral("NAME")).trimmed();
    return names.join(QStringLiteral(", "));
}

bool DmdCoreDbs::deleteAllRows(const QString& table)
{
    return execute(QStringLiteral("delete from ") + table);
}

int DmdCoreDbs::deleteChildren(const QString& childTable, const QString& childKey,
                               const QString& parentTable, const QString& parentKey,
                               qint64 parentValue)
{
    Query q = openQuery(QStringLiteral("select ") + childKey + QStringLiteral(" from ") +
                        parentTable + QStringLiteral(" where ") + parentKey +
                        QStringLiteral(" = ") + sqlInt(parentValue));
    int deleted = 0;
    const QString title = QStringLiteral("Deleting from ") + childTable;
    for (q.first(); !q.eof(); q.next()) {
        m_messages.progress(title, QString(), q.position(), q.recordCount());
        deleted += int(executeRowsAffected(QStringLiteral("delete from ") + childTable +
                                           QStringLiteral(" where ") + childKey +
                                           QStringLiteral(" = ") + sqlInt(q.integer(childKey))));
    }
    m_messages.progressDone();
    return deleted;
}

} // namespace db
