#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace publish {

class WebSite;

// What managing the published files finds in the day folders: results pages that no
// index names, index lines whose page is gone, and files that are no pages of the site
// (paths relative to the web root).
struct SiteReport {
    QStringList filesNotInIndex;
    QStringList indexesWithoutFile;
    QStringList notResultsFiles;
    bool clean() const
    {
        return filesNotInIndex.isEmpty() && indexesWithoutFile.isEmpty() &&
               notResultsFiles.isEmpty();
    }
};

SiteReport inspectSite(WebSite& site);

// Deletes what the report found: the pages no index names, the index lines without a page
// (from the sequence index and the group pages), and the files that are not results files
// ("These files were deleted because they are not results files:").
bool deleteOrphans(WebSite& site, const SiteReport& report);

// The program rows with results whose page is in no sequence index ("Results not printed
// to Web-files yet"), in program order.
QList<qint64> unpublishedResults(WebSite& site);
// The program rows whose page is in a sequence index, in program order: what can be
// re-published after a correction ("Re-Print Selecteds").
QList<qint64> publishedResults(WebSite& site);

} // namespace publish
