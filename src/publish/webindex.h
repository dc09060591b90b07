#pragma once

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
// Whether the page has both markers; false with "End of index not found" when not.
bool hasIndexMarkers(const QStringList& page, QString* error);
// Puts `line` among the index lines unless it is there (sorted as text, case does not
// count) and keeps the rest of the page. `changed` tells whether it was added. `sorted`
// says the lines are known to be in order already (one this function left), which spares
// checking them.
bool addIndexLine(QStringList* page, const QString& line, bool* changed, QString* error,
                  bool sorted = false);
// Whether the index holds a results line of the program row other than `line`.
bool hasOtherResultsLine(const QStringList& page, qint64 programNo, const QString& line);
// Removes the results lines of a program row: "Line not found in Index:" when there is none.
bool removeResultsLine(QStringList* page, qint64 programNo, QString* error);

} // namespace publish
