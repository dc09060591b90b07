#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace publish {

inline constexpr char kIndexStart[] = "<!-----start-of-index----->";
inline constexpr char kIndexEnd[] = "<!-----end-of-index----->";

// What an index page says above its lines.
struct IndexHeading {
    QString title;            // "Results for: " + the meeting or the item
    QString orderedBy;        // "Program Sequence" / "Item Type" for the day indexes, else empty
    bool programLink = false; // publishing without day folders links the program
};

// A new index page with no lines between its two markers.
QStringList newIndexPage(const IndexHeading& heading, const QString& styleHref, bool refresh);

// The line of a results page in the sequence index and a group page, and the line of a
// group page in the item index. The title is HTML already.
QString resultsIndexLine(const QString& fileName, const QString& htmlTitle, qint64 programNo);
QString groupIndexLine(const QString& groupFile, const QString& htmlTitle);
// The program row a results line names; 0 for another line.
qint64 programNoOfIndexLine(const QString& line);
// The file a line links to.
QString linkOfIndexLine(const QString& line);

// The lines between the markers; false with "End of index not found" when a marker is
// missing.
bool indexEntries(const QStringList& page, QStringList* entries, QString* error);
// Removes the results lines of a program row: "Line not found in Index:" when there is none.
bool removeResultsLine(QStringList* page, qint64 programNo, QString* error);
// Removes the line that links to `link`; false when there is none.
bool removeLinkLine(QStringList* page, const QString& link);

// An index page held for edits. Its markers and the program rows its results lines name are
// found once, when it is taken, so that each edit of a run over a whole meeting looks its
// lines up instead of scanning the page again.
class IndexPage {
public:
    IndexPage() = default;
    explicit IndexPage(QStringList lines);

    const QStringList& lines() const { return m_lines; }
    // Whether the page has both markers; false with "End of index not found" when not.
    bool hasMarkers(QString* error) const;
    // Puts `line` among the index lines unless it is there (sorted as text, case does not
    // count; lines found out of order are sorted with it) and keeps the rest of the page.
    // `changed` tells whether it was added.
    bool add(const QString& line, bool* changed, QString* error);
    // Whether the index holds a results line of the program row other than `line`.
    bool hasOtherResultsLine(qint64 programNo, const QString& line) const;
    // Removes the results lines of a program row: "Line not found in Index:" when there is
    // none. The lines left are put in order.
    bool removeResultsLines(qint64 programNo, QString* error);

private:
    // Finds the markers and the results lines, and whether the lines are in order.
    void takeStock();
    // The lines between the markers replaced by `entries`, sorted.
    void putEntries(QStringList entries);

    QStringList m_lines;
    qsizetype m_start = -1; // the markers' lines; the entries lie between them
    qsizetype m_end = -1;
    bool m_sorted = false;
    QHash<qint64, QStringList> m_resultsLines; // program row -> its lines
    QString m_lastLine;                        // the line last added or found, still there
};

} // namespace publish
