#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace scoring {

struct Report;

// Lays a report out as a page of text: the meeting's name, the title, and the rows in a
// table under their headings, sections under their sub-titles.
void layOutReport(QTextDocument& document, const Report& report, const QString& meetingName);

// Prints the report through Qt's printing: to the printer given, or to a PDF file. False
// (with nothing written) when the file cannot be written.
bool printReport(const Report& report, const QString& meetingName, QPrinter& printer);
bool printReportToPdf(const Report& report, const QString& meetingName, const QString& path);

} // namespace scoring
