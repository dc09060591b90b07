#include "base/forms/pdfoutput.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>

namespace base {

QString pdfPathProblem(const QString& path)
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("Enter the name of the PDF file.");
    if (QFileInfo(path).isDir())
        return QStringLiteral("Cannot write ") + path + QStringLiteral(": it is a folder");
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return QStringLiteral("Cannot write ") + path + QStringLiteral(": ") + probe.errorString();
    probe.close();
    if (!existed)
        probe.remove();
    return QString();
}

void setUpPdfPrinter(QPrinter& printer, const QString& path, const QString& title)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Dolvane"));
}

} // namespace base
