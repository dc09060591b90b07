#include "sheets/forms/sheetoutput.h"

#include "base/forms/pdfoutput.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "meeting/reportlogos.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace sheets {

SheetHeading sheetHeading(base::Run& run)
{
    SheetHeading heading;
    heading.meeting = run.meeting().description();
    const int meetingNo = run.meeting().meetingNo();
    heading.leftLogo = QImage::fromData(
        meeting::reportLogo(*run.database(), meetingNo, meeting::LogoSide::Meeting).image);
    heading.rightLogo = QImage::fromData(
        meeting::reportLogo(*run.database(), meetingNo, meeting::LogoSide::School).image);
    return heading;
}

bool PdfSheetOutput::write(const QList<SheetPage>& pages)
{
    const QString problem = base::pdfPathProblem(m_path);
    if (!problem.isEmpty()) {
        m_run.messages().warning(problem);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    base::setUpPdfPrinter(printer, m_path, pages.isEmpty() ? QString() : pages.first().event);
    paintSheets(printer, pages, sheetHeading(m_run));
    if (!QFileInfo::exists(m_path)) {
        m_run.messages().warning(QStringLiteral("The sheets could not be written to ") + m_path);
        return false;
    }
    m_written = int(pages.size());
    return true;
}

bool ScreenSheetOutput::write(const QList<SheetPage>& pages)
{
    const SheetHeading heading = sheetHeading(m_run);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(pages.isEmpty() ? QString() : pages.first().event);
    if (m_preview) {
        QPrintPreviewDialog preview(&printer, m_parent);
        preview.setWindowTitle(QStringLiteral("Sheets"));
        // A page an official can read on screen: most of the screen, not a thumbnail.
        if (const QScreen* screen =
                m_parent ? m_parent->screen() : QGuiApplication::primaryScreen())
            preview.resize(screen->availableSize() * 9 / 10);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* target) { paintSheets(*target, pages, heading); });
        preview.exec();
        return true; // shown is printed as far as the officials are concerned
    }
    QPrintDialog dialog(&printer, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paintSheets(printer, pages, heading);
    return true;
}

} // namespace sheets
