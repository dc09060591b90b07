#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace base {
class Run;
}
namespace sheets {
class PageOutput;
}

namespace publish {

class WebSite;

// What "[alt-P] = Auto" did for one heat or final: the names of the tasks done, the
// clipboard text when that task was ticked (the screen puts it on the clipboard).
struct AutoTasksDone {
    bool ok = true;
    QStringList done;
    QString clipboard;
};

// Runs the ticked auto tasks of the launcher (PUB_AUTO_PRINT_COUNT copies of the results
// list to `printer`, PUB_AUTO_WEB results to the web site, PUB_AUTO_CLIP the clipboard
// text, PUB_AUTO_CSV_BCAST and PUB_AUTO_XML_BCAST the result files in the results folder,
// PUB_AUTO_LUMARO the results released to the computers that view them) and reports "The
// following Auto-tasks were done:" or "No Auto-tasks selected". A task that fails stops
// the rest. Without a printer the copies are not asked for.
AutoTasksDone runAutoTasks(WebSite& site, qint64 programNo, sheets::PageOutput* printer = nullptr);

// Prints `copies` of the results list of one heat or final (the distribution of the lists
// set aside) and marks the heat's results printed. False when nothing was printed.
bool printResultCopies(base::Run& run, qint64 programNo, int copies, sheets::PageOutput& printer);

} // namespace publish
