#include "results/resultsheet.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/statuscodes.h"

namespace results {

ResultSheet resultSheet(base::Run& run, const CaptureProgramRow& row)
{
    const meeting::ItemTypes& items = run.items();
    ResultSheet sheet;
    sheet.title = run.meeting().description();
    sheet.subtitle = row.item + QStringLiteral(" - ") + row.heatText();
    if (!row.wind.isEmpty())
        sheet.subtitle += QStringLiteral("   Wind: ") + row.wind;
    sheet.header = {QStringLiteral("Place"), QStringLiteral("Lane"), QStringLiteral("Name"),
                    QStringLiteral("Age"),   QStringLiteral("Team"), QStringLiteral("Performance")};
    const QList<CaptureAthleteRow> athletes =
        captureAthletes(*run.database(), items, row, draw::MemberOrder::Status);
    // The status order puts athletes without a status first; placed ones lead them.
    QList<CaptureAthleteRow> placed, statused, rest;
    for (const CaptureAthleteRow& a : athletes) {
        // A final's entries who were not in it (no lane, place or status) stay off its
        // results, as on the web page.
        if (row.isFinal() && a.lane <= 0 && a.ePlace <= 0 && a.status <= 0)
            continue;
        if (a.status > 0)
            statused.append(a);
        else if (a.ePlace > 0)
            placed.append(a);
        else
            rest.append(a);
    }
    const bool field = items.IsFieldItem(row.itemCode);
    auto line = [&](const CaptureAthleteRow& a) {
        QString performance = a.performance;
        if (a.status > 0)
            performance = DisqStatusPrinted(run.messages(), a.status, field);
        else if (!a.thirdDigit.isEmpty() && a.hasPerformance())
            performance = items.AddThirdDigit(row.itemCode, a.performance, a.thirdDigit);
        sheet.lines.append({a.ePlace > 0 ? QString::number(a.ePlace) : QString(),
                            a.lane > 0 ? QString::number(a.lane) : QString(), a.name(),
                            a.age > 0 ? QString::number(a.age) : QString(), a.teamName,
                            performance});
    };
    for (const CaptureAthleteRow& a : std::as_const(placed))
        line(a);
    for (const CaptureAthleteRow& a : std::as_const(rest))
        line(a);
    for (const CaptureAthleteRow& a : std::as_const(statused))
        line(a);
    return sheet;
}

} // namespace results
