#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace publish {

// One record of a listing: field name to the value as it is shown.
using FieldRow = QHash<QString, QString>;

// A listing as every writer (web table, CSV, XML) takes it: comma-separated column titles,
// the field names that fill them in the same order, and the records.
struct Listing {
    QString titles;
    QString fields;
    QList<FieldRow> rows;
};

// The items of a comma-separated list, trimmed.
QStringList listItems(const QString& list);

// The values of one record in the order of `fields`; a missing field is empty.
QStringList valuesOf(const FieldRow& row, const QStringList& fields);

} // namespace publish
