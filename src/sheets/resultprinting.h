#pragma once

#include "sheets/sheetprinting.h"

#include <QList>

namespace base {
class Run;
}
namespace results {
struct CaptureProgramRow;
}

namespace sheets {

// The result lists of a round, or of one of its heats, for the notice board, the announcer
// and the media: each heat's results once per active distribution line of "ResultsHeat"
// (a heat) or "ResultsFinal" (a final), placed athletes first.
class ResultPrinting {
public:
    explicit ResultPrinting(base::Run& run) : m_run(run) {}

    // The program rows of the request in heat order; empty after the message when the
    // event or heat is not in the program.
    QList<results::CaptureProgramRow> rows(const PrintRequest& request);
    // The copies of one row's result list.
    QList<SheetPage> pages(const results::CaptureProgramRow& row, bool ignoreDistribution);
    // Asks before printing a heat whose places are not calculated (No leaves it out),
    // writes the lists and marks each printed heat RESULTSPRINTED. The heats printed; none
    // when the output fails.
    int print(const PrintRequest& request, PageOutput& output);

private:
    base::Run& m_run;
};

} // namespace sheets
