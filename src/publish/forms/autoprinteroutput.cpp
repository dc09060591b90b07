#include "publish/forms/autoprinteroutput.h"

#include "base/run.h"
#include "publish/forms/autoprinterdialog.h"
#include "publish/publishsettings.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/forms/sheetpainter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace publish {

bool AutoPrinterOutput::write(const QList<sheets::SheetPage>& pages)
{
    AutoPrinter printer = PublishSettings::read(m_run.config()).autoPrinter;
    const bool gone = printer.pdfFile.isEmpty() && !printer.printerName.isEmpty() &&
                      !QPrinterInfo::availablePrinterNames().contains(printer.printerName);
    if (!printer.isSet() || gone) {
        const QString note =
            gone ? QStringLiteral("The printer ") + printer.printerName +
                       QStringLiteral(" is not available. Choose where the Auto-tasks print.")
                 : QStringLiteral("Choose where the Auto-tasks print.");
        const std::optional<AutoPrinter> chosen = chooseAutoPrinter(m_run, m_parent, printer, note);
        if (!chosen || !setAutoPrinter(m_run.config(), *chosen))
            return false;
        printer = *chosen;
    }
    if (!printer.pdfFile.isEmpty())
        return sheets::PdfSheetOutput(m_run, printer.pdfFile).write(pages);
    QPrinter device(QPrinter::HighResolution);
    device.setPrinterName(printer.printerName);
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setDocName(pages.isEmpty() ? QString() : pages.first().event);
    sheets::paintSheets(device, pages, sheets::sheetHeading(m_run));
    return true;
}

} // namespace publish
