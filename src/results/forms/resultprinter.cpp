#include "results/forms/resultprinter.h"

#include "base/paths.h"
#include "base/run.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

namespace results {

namespace {
// Column widths in parts of the page width: place, lane, name, age, team, performance.
const QList<int> kWidths{8, 7, 35, 7, 28, 15};
} // namespace

void paintResultSheet(QPagedPaintDevice& device, const ResultSheet& sheet)
{
    QPainter painter(&device);
    const QRect page = painter.viewport();
    const int width = page.width();
    QFont font = painter.font();
    font.setPointSize(14);
    font.setBold(true);
    painter.setFont(font);
    const int titleHeight = painter.fontMetrics().height();
    int y = titleHeight;
    painter.drawText(0, y, sheet.title);
    font.setPointSize(11);
    painter.setFont(font);
    y += painter.fontMetrics().height() * 2;
    painter.drawText(0, y, sheet.subtitle);
    font.setPointSize(10);
    const int lineHeight = QFontMetrics(font, &device).height() * 3 / 2;
    auto row = [&](const QStringList& cells, bool bold) {
        font.setBold(bold);
        painter.setFont(font);
        int x = 0;
        for (int i = 0; i < cells.size() && i < kWidths.size(); ++i) {
            painter.drawText(QRect(x, y - lineHeight, width * kWidths[i] / 100, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, cells[i]);
            x += width * kWidths[i] / 100;
        }
        y += lineHeight;
    };
    y += lineHeight * 2;
    row(sheet.header, true);
    for (const QStringList& cells : sheet.lines) {
        if (y > page.height() - lineHeight) {
            device.newPage();
            y = lineHeight * 2;
            row(sheet.header, true);
        }
        row(cells, false);
    }
}

QString printResultSheet(base::Run& run, const ResultSheet& sheet, bool preview,
                         const QString& fileStem)
{
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    if (!preview && !offscreen && !QPrinterInfo::defaultPrinter().isNull()) {
        QPrinter printer(QPrinterInfo::defaultPrinter());
        printer.setDocName(sheet.subtitle);
        paintResultSheet(printer, sheet);
        return QString();
    }
    const QString folder = base::tempFolder(run.globals());
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(fileStem + QStringLiteral(".pdf"));
    {
        QPdfWriter writer(path);
        writer.setTitle(sheet.subtitle);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        paintResultSheet(writer, sheet);
    }
    if (!QFileInfo::exists(path)) {
        run.messages().warning(QStringLiteral("The results could not be written to ") + path);
        return QString();
    }
    if (preview && !offscreen)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return path;
}

} // namespace results
