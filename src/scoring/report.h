#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace scoring {

// A report as rows of text under column headings: what the report screens show, the CLI
// prints and the printer lays out. `sections` split the rows under sub-titles (a row whose
// index starts a section).
struct Report {
    QString title;
    QString subtitle;
    QStringList headers;
    QList<QStringList> rows;
    QList<std::pair<int, QString>> sections;
    QStringList notes;

    bool isEmpty() const { return rows.isEmpty(); }
    // Tab-separated lines with the title, the headings and the notes, for the console.
    QString toText() const;
    // {"title", "headers", "rows": [{heading: value}], "notes"}.
    QJsonObject toJson() const;
};

} // namespace scoring
