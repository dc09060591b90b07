#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace results {
struct CaptureProgramRow;
}

namespace publish {

class WebSite;
struct EventResults;

// The lines of the results page of a heat or final; `historyFile` names the page of its
// attempt history, linked under the table.
QStringList resultsPageLines(base::Run& run, const EventResults& results,
                             const QString& historyFile = QString());

// Publishes the results of one heat or final: the page into its day folder, its line into
// the sequence index and the item's group page, the group into the item index. Asks before
// publishing an event that is not calculated or has nobody placed; with `ask` the user
// also confirms the file. False when refused or when something could not be written
// (then no page or index is half-written).
bool publishResults(WebSite& site, qint64 programNo, bool ask = false);
// The same for many heats and finals in the order given, the meeting's results read in a
// few grouped queries and each index page written once at the end. Stops at the first
// refusal or failure; what was published before it stays, with its index lines.
bool publishManyResults(WebSite& site, const QList<qint64>& programNos, bool ask = false);
// The program rows of `programNos` in that order, from the site's reading where it has
// them; false with "There is no program row " when one is not there.
bool resultsRows(WebSite& site, const QList<qint64>& programNos,
                 QList<results::CaptureProgramRow>* rows);
// The part of publishManyResults inside an index batch the caller has begun (and ends):
// the root and the refresh setting are checked already.
bool publishRowsInBatch(WebSite& site, const QList<results::CaptureProgramRow>& rows, bool ask);
// Takes a published result off the site: the page and its lines in the indexes.
bool withdrawResults(WebSite& site, qint64 programNo);

} // namespace publish
