#include "results/finalplaces.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QHash>

#include <algorithm>

namespace results {

QList<LeaguePlace> leaguePlaces(const QList<RaceRow>& rows, bool byAge,
                                const std::function<bool(const RaceRow&)>& fails)
{
    QList<RaceRow> placed;
    for (const RaceRow& row : rows) {
        if (row.ePlace > 0)
            placed.append(row);
    }
    std::sort(placed.begin(), placed.end(), [byAge](const RaceRow& a, const RaceRow& b) {
        if (a.league != b.league)
            return a.league < b.league;
        if (byAge && a.age != b.age)
            return a.age < b.age;
        if (a.ePlace != b.ePlace)
            return a.ePlace < b.ePlace;
        return a.key < b.key;
    });
    QList<LeaguePlace> result;
    result.reserve(placed.size());
    int place = 0;
    int shares = 0;
    int previousEPlace = -1;
    qsizetype runStart = 0;
    const auto closeRun = [&result, &runStart]() {
        const int count =
            int(std::count_if(result.begin() + runStart, result.end(),
                              [](const LeaguePlace& p) { return !p.failedStandard; }));
        for (qsizetype i = runStart; i < result.size(); ++i) {
            if (!result[i].failedStandard)
                result[i].shares = count - 1;
        }
    };
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const RaceRow& row = placed[i];
        const bool newGroup =
            i == 0 || row.league != placed[i - 1].league || (byAge && row.age != placed[i - 1].age);
        if (newGroup) {
            place = 0;
            shares = 0;
            previousEPlace = -1;
        }
        if (fails && fails(row)) {
            result.append({row.key, 0, 0, true});
            continue;
        }
        if (row.ePlace == previousEPlace) {
            ++shares;
        } else {
            closeRun();
            runStart = result.size();
            place = place + shares + 1;
            shares = 0;
        }
        result.append({row.key, place, 0, false});
        previousEPlace = row.ePlace;
    }
    closeRun();
    return result;
}

namespace {

QString shareText(int place, int shares)
{
    return QString::number(place) + QLatin1Char('(') + QString::number(shares) + QLatin1Char(')');
}

} // namespace

bool CalcFinalPlaces(db::DmdCoreDbs& database, const FinalPlacesRequest& request,
                     FinalPlacesMode mode, QStringList* errors)
{
    bool read = false;
    const QList<RaceRow> rows = readRaceRows(database, request.scope, &read);
    if (!read)
        return false;
    const QString itemCode = request.scope.itemCode;
    const auto fails = [&request, &itemCode](const RaceRow& row) {
        return request.failsStandard && request.failsStandard(itemCode, row.performance);
    };
    const QList<LeaguePlace> places = leaguePlaces(rows, request.byAge, fails);
    QHash<qint64, LeaguePlace> byKey;
    for (const LeaguePlace& p : places)
        byKey.insert(p.key, p);

    if (mode == FinalPlacesMode::Renumber) {
        QList<RowValues> changed;
        for (const RaceRow& row : rows) {
            const LeaguePlace p = byKey.value(row.key);
            if (row.place != p.place || row.shareCount != p.shares)
                changed.append({row.key, {p.place, p.shares}});
        }
        if (changed.isEmpty())
            return true;
        return database.execute(raceUpdateSql(
            request.scope, {QStringLiteral("PLACE"), QStringLiteral("PLACESHARECOUNT")}, changed));
    }

    QStringList found;
    for (const RaceRow& row : rows) {
        if (!byKey.contains(row.key))
            continue;
        const LeaguePlace p = byKey.value(row.key);
        if (p.failedStandard) {
            if (row.place > 0)
                found.append(QStringLiteral("Failed to qualify, yet place is ") +
                             QString::number(row.place));
            continue;
        }
        if (row.place != p.place || row.shareCount != p.shares)
            found.append(QStringLiteral("Place(Share) should be ") + shareText(p.place, p.shares) +
                         QStringLiteral(", not ") + shareText(row.place, row.shareCount));
        if (request.combinedAsOne && !request.byAge &&
            (row.ePlace < p.place - p.shares || row.ePlace > p.place))
            found.append(QStringLiteral("Place should be ") +
                         QStringLiteral("between place minus share(") +
                         QString::number(p.place - p.shares) + QStringLiteral(") and ") +
                         QStringLiteral("Place (") + QString::number(p.place) +
                         QStringLiteral("), not ") + QString::number(row.ePlace));
    }
    if (errors)
        *errors += found;
    return found.isEmpty();
}

} // namespace results
