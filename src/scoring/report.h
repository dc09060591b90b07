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
    // Sections whose columns differ from the others' (a score table's boys' and girls'
    // items): the headings of the section that starts at a row. When there are any, every
    // section has its own and they stand under the section's title instead of on top.
    QList<std::pair<int, QStringList>> sectionHeaders;

    bool isEmpty() const { return rows.isEmpty(); }
    // The headings and the cells of row `row` as shown: without the section's column.
    QStringList shownHeaders() const { return shown(headers); }
    QStringList shownRow(qsizetype row) const { return shown(rows[row]); }
    // The section title that starts at `row`, if one does.
    std::optional<QString> sectionAt(qsizetype row) const;
    // The headings of the section that starts at `row`, if it has its own.
    std::optional<QStringList> sectionHeadersAt(qsizetype row) const;
    // The headings row `row` stands under: its section's own, or `headers`.
    QStringList headersOf(qsizetype row) const;
    // The widest row's number of shown columns.
    int shownColumnCount() const;
    // Tab-separated lines with the title, the headings and the notes, for the console.
    QString toText() const;
    // {"title", "headers", "rows": [{heading: value}], "notes"}.
    QJsonObject toJson() const;

private:
    QStringList shown(QStringList cells) const;
};

} // namespace scoring
