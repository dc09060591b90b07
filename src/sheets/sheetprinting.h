#pragma once

#include "sheets/heatsheet.h"
#include "sheets/sheetpage.h"

#include <QList>
#include <QString>

#include <functional>

namespace base {
class Run;
}

namespace sheets {

// Where printed pages go: a printer, a PDF file or a preview (the screens' printing).
class PageOutput {
public:
    virtual ~PageOutput() = default;
    // False (after the message) when nothing could be printed.
    virtual bool write(const QList<SheetPage>& pages) = 0;
};

// The sheets of one round of an event, or of one of its heats.
struct PrintRequest {
    qint64 eventNo = 0;
    QString round = QStringLiteral("F");
    int heatNo = -1; // every heat of the round
    bool ignoreDistribution = false;
};

class SheetPrinting {
public:
    explicit SheetPrinting(base::Run& run) : m_run(run) {}

    // The heats of the request in heat order, after the questions about athletes not
    // drawn; empty when a question was declined or the program has no such heat.
    QList<HeatRef> heatsToPrint(const PrintRequest& request);
    // The pages of the heats, in heat order.
    QList<SheetPage> pages(const QList<HeatRef>& heats, bool ignoreDistribution);
    // SHEETSPRINTED of the heat, or of every program row of a combined group.
    bool markPrinted(const HeatRef& heat);

    // The whole print: questions, `acceptOptions` (the sheet options screen; absent
    // accepts), pages to the output, the marks and "Done: all sheets displayed". The
    // number of heats marked printed; nothing is marked when the output fails.
    int print(const PrintRequest& request, PageOutput& output,
              const std::function<bool(const QString& title)>& acceptOptions = {});

private:
    bool confirmDrawn(const PrintRequest& request, qint64 combinedNo);
    qint64 combinedNoOf(qint64 eventNo);

    base::Run& m_run;
};

// The title of the options for a round: "Print sheets for round A" or "... the Final".
QString optionsTitle(const QString& round);

} // namespace sheets
