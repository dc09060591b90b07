#include "sheets/resultprinting.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "results/captureprogram.h"
#include "results/raceactions.h"
#include "results/resultsheet.h"
#include "sheets/heatsheet.h"
#include "sheets/sheetkinds.h"
#include "sheets/sheetoptions.h"
#include "sheets/sheetwords.h"

#include <algorithm>

namespace sheets {

QList<results::CaptureProgramRow> ResultPrinting::rows(const PrintRequest& request)
{
    QList<results::CaptureProgramRow> found;
    for (const results::CaptureProgramRow& row :
         results::eventProgramRows(*m_run.database(), m_run.items(), request.eventNo)) {
        if (row.round == request.round &&
            (request.heatNo < 0 || row.isFinal() || row.heatNo == request.heatNo))
            found << row;
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.heatNo < b.heatNo; });
    if (found.isEmpty()) {
        m_run.messages().warning(
            request.heatNo > 0
                ? QStringLiteral("There is no heat ") + QString::number(request.heatNo) +
                      QStringLiteral(" in round ") + request.round +
                      QStringLiteral(" of this event.")
                : QStringLiteral("There is no round ") + request.round +
                      QStringLiteral(" of Item ") + QString::number(request.eventNo) +
                      QStringLiteral(" in the program."));
    }
    return found;
}

QList<SheetPage> ResultPrinting::pages(const results::CaptureProgramRow& row,
                                       bool ignoreDistribution)
{
    const std::optional<HeatSheet> heat =
        readHeatSheet(m_run, {row.eventNo, row.round, row.heatNo});
    if (!heat)
        return {};
    const SheetOptions options = readSheetOptions(m_run.meeting());
    const SheetWords words(options.afrikaans);
    const QString kind = row.isFinal() ? kind::ResultsFinal : kind::ResultsHeat;
    SheetPage page = heatPageHeading(*heat, kind, options, m_run.now());
    // A result list is read, not signed.
    page.signatures.clear();
    page.title = words("Results");
    const results::ResultSheet sheet = results::resultSheet(m_run, row);
    for (const QString& column : sheet.header)
        page.columns << words(column);
    page.widths = {8, 7, 30, 8, 27, 15};
    for (const QStringList& line : sheet.lines)
        page.rows.append({line, QString()});
    QList<SheetPage> copies;
    for (const QString& line : distributionCopies(m_run, kind, options, ignoreDistribution)) {
        page.distribution = line;
        copies << page;
    }
    return copies;
}

int ResultPrinting::print(const PrintRequest& request, PageOutput& output)
{
    QList<results::CaptureProgramRow> chosen;
    QList<SheetPage> all;
    for (const results::CaptureProgramRow& row : rows(request)) {
        if (row.notCalculated &&
            !m_run.messages().confirm(row.item + QStringLiteral(" - ") + row.heatText() +
                                      QStringLiteral(":\r") +
                                      QStringLiteral("The Event is not Calculated yet: Print "
                                                     "anyway")))
            continue;
        chosen << row;
        all << pages(row, request.ignoreDistribution);
    }
    if (all.isEmpty() || !output.write(all))
        return 0;
    results::RaceActions actions(m_run);
    int marked = 0;
    for (const results::CaptureProgramRow& row : std::as_const(chosen))
        marked += actions.setResultsPrinted(row, true, false) ? 1 : 0;
    return marked;
}

} // namespace sheets
