#pragma once

#include "sheets/sheetprinting.h"

class QWidget;

namespace base {
class Run;
}

namespace publish {

// The printing of the auto tasks: straight to the remembered printer (or PDF file), no
// print dialog. The printer is asked for once, when none is remembered or the remembered
// one is gone, and then remembered in the user's settings.
class AutoPrinterOutput : public sheets::PageOutput {
public:
    AutoPrinterOutput(base::Run& run, QWidget* parent) : m_run(run), m_parent(parent) {}
    bool write(const QList<sheets::SheetPage>& pages) override;

private:
    base::Run& m_run;
    QWidget* m_parent;
};

} // namespace publish
