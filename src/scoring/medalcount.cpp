#include "scoring/medalcount.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingsettings.h"
#include "scoring/medals.h"
#include "scoring/placedresults.h"
#include "scoring/resultscores.h"
#include "scoring/scoringsettings.h"

#include <QHash>
#include <QMap>

#include <algorithm>

namespace scoring {

MedalCount medalCount(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                      const meeting::MeetingSettings& meeting, bool splitByGender)
{
    const ScoringSettings settings = ScoringSettings::of(meeting);
    MedalCount count;
    const bool byTableScore = settings.medalBasedOn == 2;
    ResultScores scores(database, items, meeting);
    if (byTableScore && !scores.usable(QStringLiteral("the medals")))
        return count;
    // Every team appears, with or without medals.
    QMap<std::pair<qint64, QString>, MedalCountRow> rows;
    QHash<qint64, MedalCountRow> teams;
    db::Query q = database.openQuery(
        QStringLiteral("select TEAMNO, TEAMABRV, TEAMNAME, LEAGUE from TEAM where MEETINGNO = ") +
        db::sqlInt(meeting.meetingNo()));
    for (q.first(); !q.eof(); q.next()) {
        MedalCountRow t;
        t.teamNo = q.integer(QStringLiteral("TEAMNO"));
        t.abbreviation = q.text(QStringLiteral("TEAMABRV"));
        t.name = q.text(QStringLiteral("TEAMNAME"));
        t.league = int(q.integer(QStringLiteral("LEAGUE")));
        teams.insert(t.teamNo, t);
        if (!splitByGender)
            rows.insert({t.teamNo, QString()}, t);
    }

    QList<PlacedResult> results = placedFinals(database, meeting.meetingNo());
    results.removeIf([](const PlacedResult& r) {
        return r.place <= 0 || r.eventExcludesMedals || r.isCombinedComponent();
    });
    std::stable_sort(
        results.begin(), results.end(), [](const PlacedResult& a, const PlacedResult& b) {
            return std::tie(a.eventNo, a.league, a.place) < std::tie(b.eventNo, b.league, b.place);
        });
    // Places are counted within a league, and so are the medals.
    for (qsizetype start = 0; start < results.size();) {
        qsizetype end = start;
        while (end < results.size() && results[end].eventNo == results[start].eventNo &&
               results[end].league == results[start].league)
            ++end;
        QList<int> values;
        if (byTableScore) {
            // Every score that reaches a medal's value earns it; a team left out earns none.
            for (qsizetype i = start; i < end; ++i)
                values.append(settings.medalsExcludeTeams && results[i].teamExcludedFromMedals
                                  ? 0
                                  : scores.score(results[i]));
        } else if (settings.medalBasedOn == 1 && settings.medalsExcludeTeams) {
            QList<std::pair<int, bool>> places;
            for (qsizetype i = start; i < end; ++i)
                places.append({results[i].place, results[i].teamExcludedFromMedals});
            values = medalPlacesWithExclusions(places);
        } else {
            for (qsizetype i = start; i < end; ++i)
                values.append(results[i].place);
        }
        for (qsizetype i = start; i < end; ++i) {
            const PlacedResult& r = results[i];
            const int value = values[i - start];
            QString medal;
            if (settings.medalBasedOn == 0)
                medal = value == 1   ? QStringLiteral("Gold")
                        : value == 2 ? QStringLiteral("Silver")
                        : value == 3 ? QStringLiteral("Bronze")
                                     : QString();
            else
                medal = medalOf(settings, value, r.eventExcludesMedals, r.isCombinedComponent());
            if (medal.isEmpty() || !teams.contains(r.teamNo))
                continue;
            const std::pair<qint64, QString> key{r.teamNo, splitByGender ? r.gender : QString()};
            if (!rows.contains(key)) {
                MedalCountRow row = teams.value(r.teamNo);
                row.gender = key.second;
                rows.insert(key, row);
            }
            MedalCountRow& row = rows[key];
            if (medal == QLatin1String("Gold"))
                ++row.gold;
            else if (medal == QLatin1String("Silver"))
                ++row.silver;
            else
                ++row.bronze;
        }
        start = end;
    }
    count.rows = rows.values();
    std::stable_sort(
        count.rows.begin(), count.rows.end(), [](const MedalCountRow& a, const MedalCountRow& b) {
            if (a.league != b.league)
                return a.league < b.league;
            if (a.gold != b.gold)
                return a.gold > b.gold;
            if (a.silver != b.silver)
                return a.silver > b.silver;
            if (a.bronze != b.bronze)
                return a.bronze > b.bronze;
            return std::tie(a.abbreviation, a.gender) < std::tie(b.abbreviation, b.gender);
        });
    count.ok = true;
    return count;
}

Report MedalCount::report() const
{
    Report r;
    r.title = QStringLiteral("Medals per Team");
    bool gender = false;
    bool league = false; // a meeting without competitions shows no column of zeros
    for (const MedalCountRow& row : rows) {
        gender = gender || !row.gender.isEmpty();
        league = league || row.league != 0;
    }
    r.headers = QStringList{QStringLiteral("Team"), QStringLiteral("Name")};
    if (league)
        r.headers << QStringLiteral("CompNo");
    if (gender)
        r.headers << QStringLiteral("Gender");
    r.headers << QStringLiteral("Gold") << QStringLiteral("Silver") << QStringLiteral("Bronze")
              << QStringLiteral("Total");
    for (const MedalCountRow& row : rows) {
        QStringList cells{row.abbreviation, row.name};
        if (league)
            cells << QString::number(row.league);
        if (gender)
            cells << row.gender;
        cells << QString::number(row.gold) << QString::number(row.silver)
              << QString::number(row.bronze) << QString::number(row.total());
        r.rows.append(cells);
    }
    return r;
}

} // namespace scoring
