#include "scoring/forms/reportprinter.h"

#include "base/forms/pdfoutput.h"
#include "scoring/report.h"

#include <QFile>
#include <QPrinter>
#include <QTextDocument>

namespace scoring {

namespace {

QString cell(const QString& tag, const QString& text)
{
    return QLatin1Char('<') + tag + QStringLiteral(" style=\"padding: 2px 8px;\">") +
           text.toHtmlEscaped() + QStringLiteral("</") + tag + QLatin1Char('>');
}

} // namespace

void layOutReport(QTextDocument& document, const Report& report, const QString& meetingName)
{
    QString html = QStringLiteral("<html><body>");
    if (!meetingName.isEmpty())
        html += QStringLiteral("<p style=\"font-size: small;\">") + meetingName.toHtmlEscaped() +
                QStringLiteral("</p>");
    html += QStringLiteral("<h2>") + report.title.toHtmlEscaped() + QStringLiteral("</h2>");
    if (!report.subtitle.isEmpty())
        html += QStringLiteral("<p>") + report.subtitle.toHtmlEscaped() + QStringLiteral("</p>");
    auto header = [](const QStringList& names) {
        QString row = QStringLiteral("<tr>");
        for (const QString& h : names)
            row += cell(QStringLiteral("th"), h);
        return row + QStringLiteral("</tr>");
    };
    html += QStringLiteral("<table cellspacing=\"0\" border=\"1\">");
    if (report.sectionHeaders.isEmpty())
        html += header(report.shownHeaders());
    for (qsizetype i = 0; i < report.rows.size(); ++i) {
        if (const std::optional<QString> section = report.sectionAt(i))
            html += QStringLiteral("<tr><td colspan=\"") +
                    QString::number(report.shownColumnCount()) + QStringLiteral("\"><b>") +
                    section->toHtmlEscaped() + QStringLiteral("</b></td></tr>");
        if (const std::optional<QStringList> own = report.sectionHeadersAt(i))
            html += header(*own);
        html += QStringLiteral("<tr>");
        for (const QString& value : report.shownRow(i))
            html += cell(QStringLiteral("td"), value);
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    for (const QString& note : report.notes)
        html += QStringLiteral("<p>") + note.toHtmlEscaped() + QStringLiteral("</p>");
    document.setHtml(html + QStringLiteral("</body></html>"));
}

bool printReport(const Report& report, const QString& meetingName, QPrinter& printer)
{
    QTextDocument document;
    layOutReport(document, report, meetingName);
    document.print(&printer);
    return true;
}

bool printReportToPdf(const Report& report, const QString& meetingName, const QString& path)
{
    // Refuse a file that cannot be written before the printer makes an empty one.
    if (!base::pdfPathProblem(path).isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    base::setUpPdfPrinter(printer, path, report.title);
    return printReport(report, meetingName, printer) && QFile::exists(path);
}

} // namespace scoring
