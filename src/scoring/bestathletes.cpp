#include "scoring/bestathletes.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/placedresults.h"
#include "scoring/placepoints.h"
#include "scoring/resultscores.h"
#include "scoring/scoringsettings.h"

#include <QHash>
#include <QMap>

#include <algorithm>

namespace scoring {

namespace {

struct AthleteScore {
    qint64 athleteNo = 0;
    QString name;
    QString team;
    QString group;
    QList<qint64> values;
    qint64 total = 0;
};

} // namespace

Report bestAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                    const meeting::MeetingSettings& meeting, int groupings, int perGroup, bool* ok)
{
    base::Messages& messages = database.messages();
    const ScoringSettings settings = ScoringSettings::of(meeting);
    Report report;
    if (ok)
        *ok = false;
    if (settings.athleteScoreEvents <= 0) {
        messages.warning(QStringLiteral("The number of events to sum for each Athlete is not "
                                        "defined."));
        return report;
    }
    const bool byTableScore = settings.athleteScoreBasis == 2;
    ResultScores scores(database, items, meeting);
    if (byTableScore && !scores.usable(QStringLiteral("the best athletes")))
        return report;
    const QMap<std::pair<int, int>, PlacePointRow> table =
        PlacePointsTable(database, meeting.meetingNo()).all();
    QMap<std::pair<QString, qint64>, AthleteScore> athletes;
    for (const PlacedResult& r : placedFinals(database, meeting.meetingNo(), true)) {
        if (r.place <= 0 || r.isCombinedComponent() || items.IsNathlon(r.itemCode) ||
            items.IsRelayGroup(items.ItemGroup(r.itemCode)))
            continue;
        QStringList group;
        if (groupings & GroupByTeam)
            group << r.teamAbbreviation;
        if (groupings & GroupByGender)
            group << items.GenderText(r.gender, false);
        if (groupings & GroupByJuniorSenior)
            group << (r.age >= settings.olderStartAge ? QStringLiteral("Senior")
                                                      : QStringLiteral("Junior"));
        if (groupings & GroupByAge)
            group << QString::number(r.age);
        if (groupings & GroupByTrackOrField)
            group << (items.IsFieldItem(r.itemCode) ? QStringLiteral("Field")
                                                    : QStringLiteral("Track"));
        if (groupings & GroupByItemGroup)
            group << items.ItemGroup(r.itemCode);
        const QString groupText = group.join(QStringLiteral(" "));
        AthleteScore& a = athletes[{groupText, r.athleteNo}];
        a.athleteNo = r.athleteNo;
        a.name = r.surname + QStringLiteral(", ") + r.firstName;
        a.team = r.teamAbbreviation;
        a.group = groupText;
        if (byTableScore) {
            // Points in ten-thousandths, as place points are kept; the score unclamped.
            a.values.append(qint64(scores.score(r, false)) * 10000);
        } else {
            const int league = settings.leaguesHaveOwnPoints ? r.league : 0;
            a.values.append(table.value({league, r.place}).point);
        }
    }
    QMap<QString, QList<AthleteScore>> groups;
    for (AthleteScore a : athletes) {
        std::sort(a.values.begin(), a.values.end(), std::greater<>());
        for (int i = 0; i < a.values.size() && i < settings.athleteScoreEvents; ++i)
            a.total += a.values[i];
        if (a.total > 0)
            groups[a.group].append(a);
    }
    report.title = QStringLiteral("Victor/Victrix Lodorum");
    report.headers = QStringList{QStringLiteral("Rank"), QStringLiteral("Athlete"),
                                 QStringLiteral("Team"), QStringLiteral("Points")};
    for (auto it = groups.begin(); it != groups.end(); ++it) {
        QList<AthleteScore>& list = it.value();
        std::stable_sort(list.begin(), list.end(),
                         [](const AthleteScore& a, const AthleteScore& b) {
                             return a.total != b.total ? a.total > b.total : a.name < b.name;
                         });
        report.sections.append(
            {int(report.rows.size()), QStringLiteral("Victor/Victrix Lodorum for: ") +
                                          (it.key().isEmpty() ? QStringLiteral("All") : it.key())});
        for (int i = 0; i < list.size() && (perGroup <= 0 || i < perGroup); ++i) {
            // Equal totals share a rank.
            const int rank = i > 0 && list[i].total == list[i - 1].total
                                 ? report.rows.last().first().toInt()
                                 : i + 1;
            report.rows.append(
                {QString::number(rank), list[i].name, list[i].team, pointsText(list[i].total)});
        }
    }
    if (ok)
        *ok = true;
    return report;
}

} // namespace scoring
