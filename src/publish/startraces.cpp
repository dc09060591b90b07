#include "publish/startraces.h"

#include "base/run.h"

#include <QHash>

#include <algorithm>

namespace publish {

QList<RaceRows> startRaces(const RaceRows& rows)
{
    QList<RaceRows> races;
    QHash<qint64, qsizetype> combinedAt; // combined group -> its race in `races`
    for (const results::CaptureProgramRow& row : rows) {
        if (row.combinedNo > 0) {
            const auto at = combinedAt.constFind(row.combinedNo);
            if (at != combinedAt.constEnd()) {
                races[*at] << row;
                continue;
            }
            combinedAt.insert(row.combinedNo, races.size());
        }
        races << RaceRows{row};
    }
    races.removeIf([](const RaceRows& race) {
        return std::all_of(race.cbegin(), race.cend(),
                           [](const results::CaptureProgramRow& r) { return r.drawn == 0; });
    });
    return races;
}

EventResults raceResults(const RaceRows& race, const ResultsOfRow& resultsOf)
{
    // One heat is its own race, its lines in place and lane order already: shared as they
    // are instead of copied line by line and sorted again.
    if (race.size() == 1)
        return resultsOf(race.first());
    EventResults out;
    QStringList items;
    for (const results::CaptureProgramRow& row : race) {
        const EventResults one = resultsOf(row);
        if (!items.contains(row.item))
            items << row.item;
        if (!out.itemCodes.contains(row.itemCode))
            out.itemCodes << row.itemCode;
        out.placed << one.placed;
        out.statused << one.statused;
        out.starters << one.starters;
    }
    if (race.isEmpty())
        return out;
    out.row = race.first();
    out.row.item = items.join(QStringLiteral(" / "));
    out.title = eventTitle(out.row);
    // The race's places and lanes run across its items.
    std::stable_sort(out.placed.begin(), out.placed.end(),
                     [](const ResultLine& a, const ResultLine& b) { return a.place < b.place; });
    std::stable_sort(out.starters.begin(), out.starters.end(),
                     [](const ResultLine& a, const ResultLine& b) { return a.lane < b.lane; });
    return out;
}

std::optional<EventResults> raceStartList(base::Run& run, qint64 programNo)
{
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(*run.database(), run.items(), programNo);
    if (!row)
        return std::nullopt;
    RaceRows race{*row};
    if (row->combinedNo > 0) {
        race.clear();
        for (const results::CaptureProgramRow& r :
             results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                         results::CaptureOrder::Sequence))
            if (r.combinedNo == row->combinedNo && !r.isCalculatedFinal())
                race << r;
        if (race.isEmpty())
            race << *row;
    }
    return raceResults(
        race, [&run](const results::CaptureProgramRow& r) { return eventResults(run, r); });
}

} // namespace publish
