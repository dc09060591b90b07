#include "base/forms/textprinter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

namespace base {

void printPlainText(QPrinter& printer, const QString& title, const QString& text)
{
    QTextDocument document;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(title + QStringLiteral("\n\n") + text);
    printer.setDocName(title);
    // QTextDocument::print numbers the pages and keeps the margins of the printer.
    document.print(&printer);
}

} // namespace base
