#pragma once

#include "sheets/forms/sheetpainter.h"
#include "sheets/sheetprinting.h"

#include <QString>

class QWidget;

namespace base {
class Run;
}

namespace sheets {

// The meeting's name and report logos, read once for a print.
SheetHeading sheetHeading(base::Run& run);

// Writes the pages into a PDF file; refuses a file that cannot be written with the
// message and writes nothing.
class PdfSheetOutput : public PageOutput {
public:
    PdfSheetOutput(base::Run& run, QString path) : m_run(run), m_path(std::move(path)) {}
    bool write(const QList<SheetPage>& pages) override;
    // The sheets written by the last write.
    int sheetsWritten() const { return m_written; }

private:
    base::Run& m_run;
    QString m_path;
    int m_written = 0;
};

// The desktop's print: a preview on screen to print from, or straight to the printer
// chosen in the print dialog.
class ScreenSheetOutput : public PageOutput {
public:
    ScreenSheetOutput(base::Run& run, QWidget* parent, bool preview)
        : m_run(run), m_parent(parent), m_preview(preview)
    {
    }
    bool write(const QList<SheetPage>& pages) override;

private:
    base::Run& m_run;
    QWidget* m_parent;
    bool m_preview;
};

} // namespace sheets
