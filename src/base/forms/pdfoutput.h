#pragma once

#include <QString>

class QPrinter;

namespace base {

// Why a PDF cannot be written at `path` ("Cannot write PATH: reason"); empty when it can.
// Leaves no file behind when there was none, so that a refused print writes nothing.
QString pdfPathProblem(const QString& path);

// Sets a printer up to write an A4 PDF at `path` under the document title.
void setUpPdfPrinter(QPrinter& printer, const QString& path, const QString& title);

} // namespace base
