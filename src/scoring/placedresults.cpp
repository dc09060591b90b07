#include "scoring/placedresults.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QHash>

#include <algorithm>

namespace scoring {

namespace {

struct EventInfo {
    QString itemCode;
    int nAthlon = 0;
    bool excludesPoints = false;
    bool excludesMedals = false;
    int timingCode = 0;
};

struct TeamInfo {
    int league = 0;
    QString abbreviation;
    QString name;
    bool excludedFromMedals = false;
};

} // namespace

QList<PlacedResult> placedFinals(db::DmdCoreDbs& database, int meetingNo, bool withNames)
{
    const QString meeting = db::sqlInt(meetingNo);
    // The events and teams are few: read apart, they keep the large query narrow.
    QHash<qint64, EventInfo> events;
    {
        db::Query q = database.openQuery(
            QStringLiteral("select EVENTNO, ITEMCODE, N_ATHLON, EXCLUDEPOINTS, EXCLUDE_MEDALS from "
                           "MYEVENT where MEETINGNO = ") +
            meeting);
        for (q.first(); !q.eof(); q.next())
            events.insert(q.integer(QStringLiteral("EVENTNO")),
                          {q.text(QStringLiteral("ITEMCODE")),
                           int(q.integer(QStringLiteral("N_ATHLON"))),
                           q.text(QStringLiteral("EXCLUDEPOINTS")) == QLatin1String("X"),
                           q.text(QStringLiteral("EXCLUDE_MEDALS")) == QLatin1String("X"), 0});
    }
    {
        db::Query q = database.openQuery(
            QStringLiteral("select EVENTNO, ELECHAND from PROGRAM where ROUND = 'F' and HEATNO = 0 "
                           "and MEETINGNO = ") +
            meeting);
        for (q.first(); !q.eof(); q.next()) {
            const auto event = events.find(q.integer(QStringLiteral("EVENTNO")));
            if (event != events.end())
                event->timingCode = int(q.integer(QStringLiteral("ELECHAND")));
        }
    }
    QHash<qint64, TeamInfo> teams;
    {
        db::Query q = database.openQuery(
            QStringLiteral("select TEAMNO, LEAGUE, TEAMABRV, TEAMNAME, EXCLUDE_MEDALS from TEAM "
                           "where MEETINGNO = ") +
            meeting);
        for (q.first(); !q.eof(); q.next())
            teams.insert(q.integer(QStringLiteral("TEAMNO")),
                         {int(q.integer(QStringLiteral("LEAGUE"))),
                          q.text(QStringLiteral("TEAMABRV")), q.text(QStringLiteral("TEAMNAME")),
                          q.text(QStringLiteral("EXCLUDE_MEDALS")) == QLatin1String("X")});
    }
    db::Query q = database.openQuery(
        QStringLiteral("select P.PARTNO, P.EVENTNO, P.ATHLETENO, P.TEAMNO, P.PERFORMANCE, "
                       "P.WIND_SPEED, P.PLACE, P.PLACESHARECOUNT, P.DISQ_STATUS, A.GENDER, A.AGE, "
                       "A.N_ATHLON") +
        (withNames ? QStringLiteral(", A.SURNAME, A.FIRSTNAME") : QString()) +
        QStringLiteral(" from PARTICIPATE P left join ATHLETE A on A.ATHLETENO = P.ATHLETENO "
                       "where P.MEETINGNO = ") +
        meeting +
        QStringLiteral(" and (coalesce(P.PLACE, 0) > 0 or coalesce(P.DISQ_STATUS, 0) > 0)"));
    QList<PlacedResult> rows;
    rows.reserve(q.recordCount());
    for (q.first(); !q.eof(); q.next()) {
        PlacedResult r;
        r.partNo = q.integer(QStringLiteral("PARTNO"));
        r.eventNo = q.integer(QStringLiteral("EVENTNO"));
        const auto event = events.constFind(r.eventNo);
        if (event == events.constEnd())
            continue;
        r.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        r.teamNo = q.integer(QStringLiteral("TEAMNO"));
        r.itemCode = event->itemCode;
        r.nAthlon = event->nAthlon;
        r.eventExcludesPoints = event->excludesPoints;
        r.eventExcludesMedals = event->excludesMedals;
        r.timingCode = event->timingCode;
        const TeamInfo team = teams.value(r.teamNo);
        r.league = team.league;
        r.teamAbbreviation = team.abbreviation;
        r.teamName = team.name;
        r.teamExcludedFromMedals = team.excludedFromMedals;
        r.gender = q.text(QStringLiteral("GENDER"));
        r.age = int(q.integer(QStringLiteral("AGE")));
        r.athleteNathlon = int(q.integer(QStringLiteral("N_ATHLON")));
        if (withNames) {
            r.surname = q.text(QStringLiteral("SURNAME"));
            r.firstName = q.text(QStringLiteral("FIRSTNAME"));
        }
        r.performance = q.text(QStringLiteral("PERFORMANCE")).trimmed();
        r.wind = q.text(QStringLiteral("WIND_SPEED"));
        r.place = int(q.integer(QStringLiteral("PLACE")));
        r.shareCount = int(q.integer(QStringLiteral("PLACESHARECOUNT")));
        r.disqStatus = int(q.integer(QStringLiteral("DISQ_STATUS")));
        rows.append(r);
    }
    std::sort(rows.begin(), rows.end(), [](const PlacedResult& a, const PlacedResult& b) {
        return std::tie(a.league, a.teamNo, a.gender, a.age, a.itemCode, a.place) <
               std::tie(b.league, b.teamNo, b.gender, b.age, b.itemCode, b.place);
    });
    return rows;
}

} // namespace scoring
