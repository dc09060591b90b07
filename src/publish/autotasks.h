#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace publish {

class WebSite;

// What "[alt-P] = Auto" did for one heat or final: the names of the tasks done, the
// clipboard text when that task was ticked (the screen puts it on the clipboard).
struct AutoTasksDone {
    bool ok = true;
    QStringList done;
    QString clipboard;
};

// Runs the ticked auto tasks of the launcher (PUB_AUTO_WEB results to the web site,
// PUB_AUTO_CLIP the clipboard text, PUB_AUTO_CSV_BCAST and PUB_AUTO_XML_BCAST the result
// files in the results folder) and reports "The following Auto-tasks were done:" or "No
// Auto-tasks selected". A task that fails stops the rest.
AutoTasksDone runAutoTasks(WebSite& site, qint64 programNo);

} // namespace publish
