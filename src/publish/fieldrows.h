#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

namespace publish {

// One record of a listing: field name to the value as it is shown. A record has a handful
// of fields and a page thousands of records, so they are kept in a flat list in the order
// given rather than hashed.
class FieldRow {
public:
    FieldRow() = default;
    // A field named twice keeps its last value.
    FieldRow(std::initializer_list<std::pair<QString, QString>> fields);

    // Empty when the record has no such field.
    QString value(const QString& field) const;
    // Sets the field, replacing its value when it is there.
    void insert(const QString& field, const QString& value);
    // Sets every field of `other`.
    void insert(const FieldRow& other);

private:
    QList<std::pair<QString, QString>> m_fields;
};

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
