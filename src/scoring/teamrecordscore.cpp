#include "scoring/teamrecordscore.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "scoring/placedresults.h"
#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"

#include <QHash>
#include <QMap>

#include <algorithm>

namespace scoring {

namespace {
const QString kPlaces = QStringLiteral("TEAMSCORE_PLACES_AND_RECS_PLACES_COUNT");
const QString kRecordPoints = QStringLiteral("TEAMSCORE_PLACES_AND_RECS_RECORD_POINTS");
const QString kOnlyFirsts = QStringLiteral("TEAMSCORE_PLACES_AND_RECS_ONLY_FIRSTS");
} // namespace

void TeamRecordScoreSettings::load(const base::ConfigStore& store)
{
    if (store.exists(kPlaces))
        placesCount = store.readInt(kPlaces);
    if (store.exists(kRecordPoints))
        recordPoints = store.readInt(kRecordPoints);
    onlyFirsts = store.readBool(kOnlyFirsts);
}

void TeamRecordScoreSettings::save(base::ConfigStore& store) const
{
    store.writeInt(kPlaces, placesCount);
    store.writeInt(kRecordPoints, recordPoints);
    store.writeBool(kOnlyFirsts, onlyFirsts);
}

QString TeamRecordScoreSettings::refusal() const
{
    if (placesCount == 0)
        return QStringLiteral("__0__ Places to Sum for this report does not make sense.");
    if (recordPoints == 0)
        return QStringLiteral("__0__ Points per Record for this report does not make sense.");
    if (placesCount < 1 || placesCount > 8)
        return QStringLiteral("The number-of-places must be between 1 and 8");
    return QString();
}

TeamRecordScore teamRecordScore(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                const meeting::MeetingSettings& meeting,
                                const TeamRecordScoreSettings& settings)
{
    TeamRecordScore score;
    if (const QString why = settings.refusal(); !why.isEmpty()) {
        database.messages().warning(why);
        return score;
    }
    const ScoringSettings scoring = ScoringSettings::of(meeting);
    const QMap<std::pair<int, int>, PlacePointRow> table =
        PlacePointsTable(database, meeting.meetingNo()).all();
    records::RecordCheck check(database, items, meeting);
    QMap<qint64, TeamRecordScoreRow> rows;
    // Athletes of a team already counted in an event, to keep its best `placesCount`.
    QHash<std::pair<qint64, qint64>, int> counted;
    QList<PlacedResult> results = placedFinals(database, meeting.meetingNo());
    std::stable_sort(results.begin(), results.end(),
                     [](const PlacedResult& a, const PlacedResult& b) {
                         return std::tie(a.eventNo, a.place) < std::tie(b.eventNo, b.place);
                     });
    for (const PlacedResult& r : results) {
        if (r.place <= 0 || r.isCombinedComponent())
            continue;
        TeamRecordScoreRow& row = rows[r.teamNo];
        row.teamNo = r.teamNo;
        row.abbreviation = r.teamAbbreviation;
        row.name = r.teamName;
        const records::RecordsBrokenResult broken =
            check.RecordsBroken(r.itemCode, r.performance, r.wind, r.athleteNo);
        row.recordCount += int(broken.sets.size() - broken.failedStandards.size());
        int& already = counted[{r.eventNo, r.teamNo}];
        if (already >= settings.placesCount || (settings.onlyFirsts && r.place != 1) ||
            r.eventExcludesPoints)
            continue;
        ++already;
        const int league = scoring.leaguesHaveOwnPoints ? r.league : 0;
        const auto points = table.constFind({league, r.place});
        if (points == table.constEnd())
            continue;
        if (items.IsRelayGroup(items.ItemGroup(r.itemCode)))
            row.relayUnits += points->relay;
        else
            row.placeUnits += points->point;
    }
    for (TeamRecordScoreRow& row : rows)
        row.recordUnits = qint64(row.recordCount) * settings.recordPoints * kPointUnit;
    score.rows = rows.values();
    std::stable_sort(score.rows.begin(), score.rows.end(),
                     [](const TeamRecordScoreRow& a, const TeamRecordScoreRow& b) {
                         return a.total() > b.total();
                     });
    score.ok = true;
    return score;
}

Report TeamRecordScore::report() const
{
    Report r;
    r.title = QStringLiteral("Team Scores with Places and Records");
    r.headers = QStringList{QStringLiteral("Team"),         QStringLiteral("Name"),
                            QStringLiteral("Place Points"), QStringLiteral("Relay Points"),
                            QStringLiteral("Records"),      QStringLiteral("Record Points"),
                            QStringLiteral("Total")};
    for (const TeamRecordScoreRow& row : rows)
        r.rows.append({row.abbreviation, row.name, pointsText(row.placeUnits),
                       pointsText(row.relayUnits), QString::number(row.recordCount),
                       pointsText(row.recordUnits), pointsText(row.total())});
    return r;
}

} // namespace scoring
