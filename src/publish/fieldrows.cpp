#include "publish/fieldrows.h"

namespace publish {

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
