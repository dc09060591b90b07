#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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
    // A column that only repeats its section's title (the athlete of a group of rows): the
    // screen, the text and the paper name it once, in the section's heading; JSON keeps it
    // in every row so that each row stands on its own. -1 when there is none.
    int sectionColumn = -1;

    bool isEmpty() const { return rows.isEmpty(); }
    // The headings and the cells of row `row` as shown: without the section's column.
    QStringList shownHeaders() const { return shown(headers); }
    QStringList shownRow(qsizetype row) const { return shown(rows[row]); }
    // The section title that starts at `row`, if one does.
    std::optional<QString> sectionAt(qsizetype row) const;
    // Tab-separated lines with the title, the headings and the notes, for the console.
    QString toText() const;
    // {"title", "headers", "rows": [{heading: value}], "notes"}.
    QJsonObject toJson() const;

private:
    QStringList shown(QStringList cells) const;
};

} // namespace scoring
