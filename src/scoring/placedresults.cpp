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

struct AthleteInfo {
    QString gender;
    int age = 0;
    int nAthlon = 0;
    QString surname;
    QString firstName;
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
    // The athletes too: joined to every placed row in the engine they cost more than the
    // rows themselves.
    QHash<qint64, AthleteInfo> athletes;
    {
        db::Cursor a(database,
                     QStringLiteral("select ATHLETENO, GENDER, AGE, N_ATHLON") +
                         (withNames ? QStringLiteral(", SURNAME, FIRSTNAME") : QString()) +
                         QStringLiteral(" from ATHLETE where MEETINGNO = ") + meeting);
        while (a.next())
            athletes.insert(a.integer(0),
                            {a.text(1), int(a.integer(2)), int(a.integer(3)),
                             withNames ? a.text(4) : QString(), withNames ? a.text(5) : QString()});
    }
    db::Cursor q(database,
                 QStringLiteral("select P.PARTNO, P.EVENTNO, P.ATHLETENO, P.TEAMNO, P.PERFORMANCE, "
                                "P.WIND_SPEED, P.PLACE, P.PLACESHARECOUNT, P.DISQ_STATUS from "
                                "PARTICIPATE P where P.MEETINGNO = ") +
                     meeting +
                     QStringLiteral(" and (coalesce(P.PLACE, 0) > 0 or coalesce(P.DISQ_STATUS, "
                                    "0) > 0)"));
    const int partNo = q.column("PARTNO"), eventNo = q.column("EVENTNO"),
              athleteNo = q.column("ATHLETENO"), teamNo = q.column("TEAMNO"),
              performance = q.column("PERFORMANCE"), wind = q.column("WIND_SPEED"),
              place = q.column("PLACE"), shareCount = q.column("PLACESHARECOUNT"),
              disqStatus = q.column("DISQ_STATUS");
    QList<PlacedResult> rows;
    while (q.next()) {
        PlacedResult r;
        r.partNo = q.integer(partNo);
        r.eventNo = q.integer(eventNo);
        const auto event = events.constFind(r.eventNo);
        if (event == events.constEnd())
            continue;
        r.athleteNo = q.integer(athleteNo);
        r.teamNo = q.integer(teamNo);
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
        const AthleteInfo athlete = athletes.value(r.athleteNo);
        r.gender = athlete.gender;
        r.age = athlete.age;
        r.athleteNathlon = athlete.nAthlon;
        r.surname = athlete.surname;
        r.firstName = athlete.firstName;
        r.performance = q.trimmed(performance);
        r.wind = q.text(wind);
        r.place = int(q.integer(place));
        r.shareCount = int(q.integer(shareCount));
        r.disqStatus = int(q.integer(disqStatus));
        rows.append(r);
    }
    std::sort(rows.begin(), rows.end(), [](const PlacedResult& a, const PlacedResult& b) {
        return std::tie(a.league, a.teamNo, a.gender, a.age, a.itemCode, a.place) <
               std::tie(b.league, b.teamNo, b.gender, b.age, b.itemCode, b.place);
    });
    return rows;
}

} // namespace scoring
