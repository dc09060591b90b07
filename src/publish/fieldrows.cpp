#include "publish/fieldrows.h"

namespace publish {

FieldRow::FieldRow(std::initializer_list<std::pair<QString, QString>> fields)
{
    m_fields.reserve(qsizetype(fields.size()));
    for (const auto& [field, value] : fields)
        insert(field, value);
}

QString FieldRow::value(const QString& field) const
{
    for (const auto& [name, value] : m_fields)
        if (name == field)
            return value;
    return QString();
}

void FieldRow::insert(const QString& field, const QString& value)
{
    for (auto& [name, old] : m_fields)
        if (name == field) {
            old = value;
            return;
        }
    m_fields.append({field, value});
}

void FieldRow::insert(const FieldRow& other)
{
    for (const auto& [field, value] : other.m_fields)
        insert(field, value);
}

QStringList listItems(const QString& list)
{
    QStringList items;
    if (list.trimmed().isEmpty())
        return items;
    for (const QString& item : list.split(QLatin1Char(',')))
        items << item.trimmed();
    return items;
}

QStringList valuesOf(const FieldRow& row, const QStringList& fields)
{
    QStringList values;
    values.reserve(fields.size());
    for (const QString& field : fields)
        values << row.value(field);
    return values;
}

} // namespace publish
