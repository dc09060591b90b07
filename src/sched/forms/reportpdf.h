#pragma once

#include "sched/clashreport.h"

#include <QString>

class QPainter;

namespace sched {

// Prints a report table through Qt's printing: the title, the meeting and the subtitle on
// the first page, the column headings on every page, rows in the widths their texts need.
void paintReport(QPainter& painter, const ReportTable& table);
// The same into a PDF file; false (with `error` filled) when the file cannot be written.
bool printReportPdf(const ReportTable& table, const QString& path, QString* error = nullptr);

} // namespace sched
