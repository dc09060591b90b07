#pragma once

#include <QString>

class QPrinter;

namespace base {

// Prints a plain text in a fixed-width font, its lines as they stand (long ones wrap),
// with the title above it and the page numbers below, on as many pages as it needs.
void printPlainText(QPrinter& printer, const QString& title, const QString& text);

} // namespace base
