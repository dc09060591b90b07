#pragma once

#include "publish/fieldrows.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace publish {

// Text made safe inside an HTML element or attribute: & < > " and ' as entities.
QString htmlEscaped(const QString& text);
// The text of an escaped title back as it was typed.
QString htmlUnescaped(const QString& text);

// The small style sheet all pages share, kept in the web root: tables scroll sideways
// inside the page on a narrow screen instead of widening it.
inline constexpr char kStyleSheetName[] = "dolvane.css";
QByteArray styleSheet();
// Writes the style sheet into `root` unless it is there with the same text.
bool ensureStyleSheet(const QString& root, QString* error);

// The page's opening lines up to the title's font: the document head (character set,
// the phone's viewport, the shared style sheet at `styleHref`, the title), "<body>", the
// title lines under "<h2>" with the 30-second refresh line when `refresh`, and
// "<Font Size="4">". The title lines are plain text, escaped here.
QStringList pageHeader(const QStringList& titleLines, const QString& styleHref, bool refresh);
QStringList pageFooter();

// A table of a page: its titles as the header row, then the rows, made a value at a time
// and each value escaped as it goes in, so that no list is made for a row. A table without
// rows is "No data.<BR>".
class HtmlTable {
public:
    explicit HtmlTable(const QStringList& titles);
    // A value of the row being made.
    HtmlTable& operator<<(QStringView value);
    // Ends the row being made.
    void endRow();
    // The table's lines after `lines`.
    void appendTo(QStringList* lines) const;

private:
    QStringList m_lines; // the header row, then the rows ended
    QString m_row;       // the row being made
    qsizetype m_rows = 0;
};

// One table of a listing: a row per record. False (and nothing added) when the titles and
// the fields do not pair up: "Header and qry fieldcount does not match".
bool appendTable(const Listing& listing, QStringList* lines, QString* error);

} // namespace publish
