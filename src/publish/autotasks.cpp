#include "publish/autotasks.h"

#include "base/messages.h"
#include "publish/eventexports.h"
#include "publish/eventresults.h"
#include "publish/textexports.h"
#include "publish/webresults.h"
#include "publish/website.h"

namespace publish {

AutoTasksDone runAutoTasks(WebSite& site, qint64 programNo)
{
    AutoTasksDone out;
    const PublishSettings& s = site.settings();
    base::Messages& messages = site.messages();
    if (!s.autoWeb && !s.autoClip && !s.autoCsv && !s.autoXml) {
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
    if (!out.done.isEmpty())
        messages.information(QStringLiteral("The following Auto-tasks were done:\r") +
                             out.done.join(QStringLiteral("\r")));
    return out;
}

} // namespace publish
