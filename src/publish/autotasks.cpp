#include "publish/autotasks.h"

#include "base/messages.h"
#include "base/run.h"
#include "draw/programrelease.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/textexports.h"
#include "publish/webresults.h"
#include "publish/website.h"
#include "results/captureprogram.h"
#include "sheets/resultprinting.h"

namespace publish {

namespace {

// Every page the results printing hands over, `copies` times.
class CopiesOutput : public sheets::PageOutput {
public:
    CopiesOutput(sheets::PageOutput& output, int copies) : m_output(output), m_copies(copies) {}
    bool write(const QList<sheets::SheetPage>& pages) override
    {
        QList<sheets::SheetPage> all;
        for (int i = 0; i < m_copies; ++i)
            all << pages;
        return m_output.write(all);
    }

private:
    sheets::PageOutput& m_output;
    int m_copies;
};

// Releases the results to the viewing computers; results released already count as done.
bool releaseResults(base::Run& run, qint64 programNo)
{
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(*run.database(), run.items(), programNo);
    if (!row) {
        run.messages().warning(QStringLiteral("There is no program row ") +
                               QString::number(programNo));
        return false;
    }
    return row->resultsReleased || draw::ProgramRelease(*run.database(), run.items())
                                       .setReleased(programNo, draw::Publication::Results, true);
}

} // namespace

bool printResultCopies(base::Run& run, qint64 programNo, int copies, sheets::PageOutput& printer)
{
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(*run.database(), run.items(), programNo);
    if (!row || copies < 1)
        return false;
    sheets::PrintRequest request;
    request.eventNo = row->eventNo;
    request.round = row->round;
    request.heatNo = row->isFinal() ? 0 : row->heatNo;
    request.ignoreDistribution = true;
    CopiesOutput output(printer, copies);
    return sheets::ResultPrinting(run).print(request, output) > 0;
}

AutoTasksDone runAutoTasks(WebSite& site, qint64 programNo, sheets::PageOutput* printer)
{
    AutoTasksDone out;
    const PublishSettings& s = site.settings();
    base::Messages& messages = site.messages();
    const int copies = printer ? s.autoPrintCount : 0;
    if (copies < 1 && !s.autoWeb && !s.autoClip && !s.autoCsv && !s.autoXml && !s.autoLumaro) {
        messages.information(QStringLiteral("No Auto-tasks selected"));
        return out;
    }
    auto task = [&](bool ticked, const QString& name, const std::function<bool()>& work) {
        if (!ticked || !out.ok)
            return;
        out.ok = work();
        if (out.ok)
            out.done << name;
    };
    task(copies > 0, QString::number(copies) + QStringLiteral(" printed copies"),
         [&] { return printResultCopies(site.run(), programNo, copies, *printer); });
    task(s.autoWeb, QStringLiteral("Results to the web site"),
         [&] { return publishResults(site, programNo); });
    task(s.autoClip, QStringLiteral("Results to the clipboard"), [&] {
        const std::optional<EventResults> event = eventResults(site.run(), programNo);
        if (event)
            out.clipboard = clipboardText(site.run(), *event, false);
        return event.has_value();
    });
    task(s.autoCsv, QStringLiteral("Results to CSV"),
         [&] { return exportEventCsv(site.run(), programNo, ExportKind::Results, QString()); });
    task(s.autoXml, QStringLiteral("Results to XML"),
         [&] { return exportEventXml(site.run(), programNo, ExportKind::Results, QString()); });
    task(s.autoLumaro, QStringLiteral("Results released to Lumaro"),
         [&] { return releaseResults(site.run(), programNo); });
    if (!out.done.isEmpty())
        messages.information(QStringLiteral("The following Auto-tasks were done:\r") +
                             out.done.join(QStringLiteral("\r")));
    return out;
}

} // namespace publish
