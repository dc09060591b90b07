#include "publish/eventresults.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/perfdisplay.h"
#include "results/captureathletes.h"
#include "results/statuscodes.h"

#include <algorithm>

namespace publish {

QString ResultLine::name() const
{
    return firstName.isEmpty() ? surname : surname + QStringLiteral(", ") + firstName;
}

QString eventName(const results::CaptureProgramRow& row)
{
    return row.item + QStringLiteral(" - ") + row.heatText();
}

QString eventTitle(const results::CaptureProgramRow& row)
{
    return QString::number(row.seq).rightJustified(3, QLatin1Char('0')) + QLatin1Char(' ') +
           eventName(row);
}

std::optional<EventResults> eventResults(base::Run& run, qint64 programNo)
{
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(*run.database(), run.items(), programNo);
    if (!row)
        return std::nullopt;
    return eventResults(run, *row);
}

EventResults eventResults(base::Run& run, const results::CaptureProgramRow& row)
{
    return eventResults(
        run, row,
        results::captureAthletes(*run.database(), run.items(), row, draw::MemberOrder::Lane));
}

EventResults eventResults(base::Run& run, const results::CaptureProgramRow& row,
                          const QList<results::CaptureAthleteRow>& athletes)
{
    const meeting::ItemTypes& items = run.items();
    const bool field = items.IsFieldItem(row.itemCode);
    EventResults out;
    out.row = row;
    out.title = eventTitle(row);
    out.itemCodes = {row.itemCode};
    out.placed.reserve(athletes.size());
    out.starters.reserve(athletes.size());
    for (const results::CaptureAthleteRow& a : athletes) {
        ResultLine l;
        l.place = a.ePlace;
        l.athleteNo = a.athleteNo;
        l.stored = a.performance;
        l.disabilityClasses = a.disabilityClasses;
        l.status = a.status;
        l.surname = a.surname;
        l.firstName = a.firstName;
        l.number = a.number;
        l.team = a.teamName;
        l.teamAbrv = a.teamAbrv;
        l.league = a.league;
        l.idNumber = a.idNumber;
        l.age = a.age;
        l.lane = a.lane;
        l.wind = a.wind;
        l.itemCode = row.itemCode;
        if (a.status > 0)
            l.performance = results::DisqStatusPrinted(run.messages(), a.status, field);
        else if (!a.thirdDigit.isEmpty() && a.hasPerformance())
            l.performance = meeting::performanceForDisplay(
                items.AddThirdDigit(row.itemCode, a.performance, a.thirdDigit));
        else
            l.performance = meeting::performanceForDisplay(a.performance);
        if (a.lane > 0)
            out.starters << l;
        if (a.status > 0)
            out.statused << std::move(l);
        else if (a.ePlace > 0)
            out.placed << std::move(l);
    }
    std::stable_sort(out.placed.begin(), out.placed.end(),
                     [](const ResultLine& a, const ResultLine& b) { return a.place < b.place; });
    return out;
}

} // namespace publish
