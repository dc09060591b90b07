#pragma once

#include "results/resultsheet.h"

#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace base {
class Run;
}

namespace results {

// Draws a result sheet on pages of a printer or a PDF writer.
void paintResultSheet(QPagedPaintDevice& device, const ResultSheet& sheet);

// Prints a sheet: "Directly" to the default printer when there is one, else (and for a
// preview) to a PDF file in the data's Temp folder, which a preview opens. Returns where
// the PDF went (empty when it went to a printer), or empty with a warning on failure.
QString printResultSheet(base::Run& run, const ResultSheet& sheet, bool preview,
                         const QString& fileStem);

} // namespace results
