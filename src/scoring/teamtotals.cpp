#include "scoring/teamtotals.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "scoring/placedresults.h"
#include "scoring/placepoints.h"
#include "scoring/resultpoints.h"
#include "scoring/resultscores.h"

#include <QMap>

#include <algorithm>

namespace scoring {

namespace {

struct GroupKey {
    int league;
    qint64 teamNo;
    QString gender;
    int age;
    QString seniority;
    QString trackOrField;
    auto tie() const { return std::tie(league, teamNo, gender, age, seniority, trackOrField); }
    bool operator<(const GroupKey& other) const { return tie() < other.tie(); }
};

} // namespace

QStringList splitTitles(int splits)
{
    QStringList titles;
    const std::pair<int, const char*> names[] = {{SplitLeague, "CompNo"},
                                                 {SplitGender, "Gender"},
                                                 {SplitAge, "Age"},
                                                 {SplitSeniority, "Seniority"},
                                                 {SplitTrackOrField, "Track-or-Field"}};
    for (const auto& [flag, name] : names) {
        if (splits & flag)
            titles.append(QLatin1String(name));
    }
    return titles;
}

QString teamScoreBasisRefusal(int basis, bool topAthletesAllowed)
{
    if (basis == 0)
        return QStringLiteral("The TeamscoreBasis is not defined.  It is defined under \"Edit "
                              "Meeting Settings");
    if (basis != 1 && basis != 2 && !(basis == 99 && topAthletesAllowed))
        return QStringLiteral("The TeamScoreBasis of this Meeting is probably deprecated or "
                              "modified.");
    return QString();
}

TeamTotals teamTotals(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                      const meeting::MeetingSettings& meeting, int splits)
{
    base::Messages& messages = database.messages();
    const ScoringSettings settings = ScoringSettings::of(meeting);
    TeamTotals totals;
    if (const QString why = teamScoreBasisRefusal(settings.teamScoreBasis, false); !why.isEmpty()) {
        messages.warning(why);
        return totals;
    }
    const bool byTableScore = settings.teamScoreBasis == 2;
    ResultScores scores(database, items, meeting);
    if (byTableScore && !scores.usable(QStringLiteral("team totals")))
        return totals;
    const QList<PlacedResult> results = placedFinals(database, meeting.meetingNo());
    if (std::none_of(results.begin(), results.end(),
                     [](const PlacedResult& r) { return r.place > 0; })) {
        messages.warning(QStringLiteral("There are no Athletes Placed in Finals yet"));
        return totals;
    }
    records::RecordCheck check(database, items, meeting);
    const PlacePoints points(database, items, settings, meeting.meetingNo(), &check);

    QMap<GroupKey, qint64> groups;
    QMap<qint64, std::pair<QString, QString>> teams;
    for (const PlacedResult& r : results) {
        if (r.eventExcludesPoints || r.isCombinedComponent())
            continue;
        qint64 units = 0;
        if (!byTableScore)
            units = points.units({r.league, r.place, r.shareCount, r.disqStatus, r.performance,
                                  r.eventExcludesPoints, r.itemCode});
        else if (r.place > 0 && r.place <= settings.teamScorePlaces)
            units = qint64(scores.score(r)) * 10000;
        if (units == 0 && r.place <= 0)
            continue;
        const QString seniority = settings.olderStartAge <= 0 ? QString()
                                                              : (r.age >= settings.olderStartAge
                                                                     ? QStringLiteral("Senior")
                                                                     : QStringLiteral("Junior"));
        groups[{r.league, r.teamNo, r.gender, r.age, seniority,
                items.ItemTrackOrField(r.itemCode)}] += units;
        teams.insert(r.teamNo, {r.teamAbbreviation, r.teamName});
    }

    // Sum the groups over the fields that are not split by.
    QMap<GroupKey, TeamTotalRow> sums;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const GroupKey& g = it.key();
        const GroupKey key{(splits & SplitLeague) ? g.league : 0,
                           g.teamNo,
                           (splits & SplitGender) ? g.gender : QString(),
                           (splits & SplitAge) ? g.age : 0,
                           (splits & SplitSeniority) ? g.seniority : QString(),
                           (splits & SplitTrackOrField) ? g.trackOrField : QString()};
        TeamTotalRow& row = sums[key];
        row.teamNo = g.teamNo;
        row.abbreviation = teams.value(g.teamNo).first;
        row.name = teams.value(g.teamNo).second;
        row.league = key.league;
        row.gender = key.gender;
        row.age = key.age;
        row.seniority = key.seniority;
        row.trackOrField = key.trackOrField;
        row.units += it.value();
        ++row.values;
    }
    QList<TeamTotalRow> rows = sums.values();
    auto splitKey = [splits](const TeamTotalRow& r) {
        return std::make_tuple((splits & SplitLeague) ? r.league : 0, r.gender, r.age, r.seniority,
                               r.trackOrField);
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const TeamTotalRow& a, const TeamTotalRow& b) {
        if (splitKey(a) != splitKey(b))
            return splitKey(a) < splitKey(b);
        if (a.units != b.units)
            return a.units > b.units;
        return a.abbreviation < b.abbreviation;
    });
    // Equal totals share a place within their split.
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const bool sameSplit = i > 0 && splitKey(rows[i]) == splitKey(rows[i - 1]);
        if (!sameSplit)
            rows[i].place = 1;
        else if (rows[i].units == rows[i - 1].units)
            rows[i].place = rows[i - 1].place;
        else
            rows[i].place = int(i) + 1 -
                            int(std::find_if(rows.begin(), rows.end(),
                                             [&](const TeamTotalRow& r) {
                                                 return splitKey(r) == splitKey(rows[i]);
                                             }) -
                                rows.begin());
    }
    if (!rows.isEmpty() &&
        std::all_of(rows.begin(), rows.end(),
                    [](const TeamTotalRow& r) { return r.values == 1; }) &&
        splits == (SplitLeague | SplitGender | SplitAge | SplitSeniority | SplitTrackOrField))
        messages.warning(QStringLiteral("There is only one value to sum for team totals split by "
                                        "every field: each total is one group."));
    totals.ok = true;
    totals.rows = rows;
    const QStringList titles = splitTitles(splits);
    totals.title =
        QStringLiteral("Team Totals ") +
        (titles.isEmpty() ? QString()
                          : QStringLiteral(": ordered by ") + titles.join(QStringLiteral(", ")));
    return totals;
}

Report TeamTotals::report() const
{
    Report r;
    r.title = title;
    r.headers =
        QStringList{QStringLiteral("Place"), QStringLiteral("Team"), QStringLiteral("Name")};
    bool league = false, gender = false, age = false, seniority = false, tf = false;
    for (const TeamTotalRow& row : rows) {
        league = league || row.league != 0;
        gender = gender || !row.gender.isEmpty();
        age = age || row.age != 0;
        seniority = seniority || !row.seniority.isEmpty();
        tf = tf || !row.trackOrField.isEmpty();
    }
    if (league)
        r.headers << QStringLiteral("CompNo");
    if (gender)
        r.headers << QStringLiteral("Gender");
    if (age)
        r.headers << QStringLiteral("Age");
    if (seniority)
        r.headers << QStringLiteral("Seniority");
    if (tf)
        r.headers << QStringLiteral("Track-or-Field");
    r.headers << QStringLiteral("Points");
    for (const TeamTotalRow& row : rows) {
        QStringList cells{QString::number(row.place), row.abbreviation, row.name};
        if (league)
            cells << QString::number(row.league);
        if (gender)
            cells << row.gender;
        if (age)
            cells << QString::number(row.age);
        if (seniority)
            cells << row.seniority;
        if (tf)
            cells << row.trackOrField;
        cells << pointsText(row.units);
        r.rows.append(cells);
    }
    return r;
}

} // namespace scoring
