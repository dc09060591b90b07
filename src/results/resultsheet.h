#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace results {

struct CaptureProgramRow;

// The results of one heat or final as they are printed: placed athletes first in place
// order, then the rest, then those with a status. A final leaves out the entries who were
// not in it (no lane, place or status).
struct ResultSheet {
    QString title;    // meeting description
    QString subtitle; // "100m Freestyle 13 Male - Heat 2"
    QStringList header;
    QList<QStringList> lines;
};

ResultSheet resultSheet(base::Run& run, const CaptureProgramRow& row);

} // namespace results
