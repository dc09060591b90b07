#pragma once

#include <QString>

namespace scoring {
struct Report;
}

namespace cli {

class Context;

// Prints a report as the options ask: to the PDF file when one is named, else as JSON
// with --json, else as text. The exit code.
int printReport(Context& ctx, const scoring::Report& report, const QString& pdf);

} // namespace cli
