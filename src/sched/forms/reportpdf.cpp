#include "sched/forms/reportpdf.h"

#include "base/forms/pdfoutput.h"

#include <QDate>
#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace sched {

namespace {

// Column widths from the widest text of each column, the first three (names and items)
// sharing what is left after the numbers.
QList<int> columnWidths(const QFontMetrics& metrics, const ReportTable& table, int pageWidth)
{
    const int columns = int(table.headers.size());
    QList<int> widths(columns, 0);
    const int pad = metrics.horizontalAdvance(QStringLiteral("MM"));
    for (int c = 0; c < columns; ++c) {
        widths[c] = metrics.horizontalAdvance(table.headers[c]) + pad;
        for (const QStringList& row : table.rows) {
            if (c < row.size())
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[c]) + pad);
        }
    }
    int total = 0;
    for (int w : widths)
        total += w;
    if (total > pageWidth && columns > 0) {
        // Shrink the text columns in proportion; numbers keep their width.
        const int textColumns = std::min(3, columns);
        int textWidth = 0;
        for (int c = 0; c < textColumns; ++c)
            textWidth += widths[c];
        const double scale = double(pageWidth - (total - textWidth)) / std::max(1, textWidth);
        for (int c = 0; c < textColumns; ++c)
            widths[c] = int(widths[c] * scale);
    }
    return widths;
}

} // namespace

void paintReport(QPainter& painter, const ReportTable& table)
{
    auto* pages = dynamic_cast<QPagedPaintDevice*>(painter.device());
    const QRect page = painter.viewport();
    QFont body(QStringLiteral("Sans Serif"), 9);
    QFont bold = body;
    bold.setBold(true);
    QFont title = body;
    title.setPointSize(16);
    title.setBold(true);
    painter.setFont(body);
    const QFontMetrics metrics(body, painter.device());
    const int line = metrics.lineSpacing() + metrics.lineSpacing() / 4;
    const QList<int> widths = columnWidths(metrics, table, page.width());
    int y = 0;
    auto drawRow = [&](const QStringList& cells, const QFont& font) {
        painter.setFont(font);
        int x = 0;
        for (int c = 0; c < widths.size(); ++c) {
            const QRect cell(x, y, widths[c], line);
            const bool number = c >= 3;
            const QString text = c < cells.size() ? cells[c] : QString();
            painter.drawText(cell, Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft),
                             QFontMetrics(font, painter.device())
                                 .elidedText(text, Qt::ElideRight, widths[c] - line / 2));
            x += widths[c];
        }
        y += line;
    };
    auto drawHeadings = [&] {
        drawRow(table.headers, bold);
        painter.drawLine(0, y, page.width(), y);
        y += line / 4;
    };
    painter.setFont(title);
    const int titleHeight = QFontMetrics(title, painter.device()).lineSpacing();
    painter.drawText(QRect(0, y, page.width(), titleHeight), Qt::AlignLeft, table.title);
    y += titleHeight;
    painter.setFont(body);
    for (const QString& text : {table.meeting, table.subtitle}) {
        if (text.isEmpty())
            continue;
        painter.drawText(QRect(0, y, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += line;
    }
    y += line / 2;
    drawHeadings();
    int pageNo = 1;
    auto footer = [&] {
        painter.setFont(body);
        painter.drawText(QRect(0, page.height() - line, page.width(), line), Qt::AlignRight,
                         QStringLiteral("Page ") + QString::number(pageNo));
    };
    if (table.rows.isEmpty())
        drawRow({QStringLiteral("No clashes")}, body);
    for (const QStringList& row : table.rows) {
        if (y + 2 * line > page.height() && pages) {
            footer();
            pages->newPage();
            ++pageNo;
            y = 0;
            drawHeadings();
        }
        drawRow(row, body);
    }
    footer();
}

bool printReportPdf(const ReportTable& table, const QString& path, QString* error)
{
    const QString problem = base::pdfPathProblem(path);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    QPdfWriter writer(path);
    writer.setTitle(table.title);
    writer.setCreator(QStringLiteral("Dolvane"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), table.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Cannot print to ") + path;
        return false;
    }
    paintReport(painter, table);
    painter.end();
    return true;
}

} // namespace sched
