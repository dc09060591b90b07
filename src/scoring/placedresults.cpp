#include "scoring/placedresults.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace scoring {

QList<PlacedResult> placedFinals(db::DmdCoreDbs& database, int meetingNo)
{
    db::Query q = database.openQuery(
        QStringLiteral(
            "select P.PARTNO, P.EVENTNO, P.ATHLETENO, P.TEAMNO, P.PERFORMANCE, P.WIND_SPEED, "
            "P.PLACE, P.PLACESHARECOUNT, P.DISQ_STATUS, E.ITEMCODE, E.N_ATHLON, E.EXCLUDEPOINTS, "
            "E.EXCLUDE_MEDALS, T.LEAGUE, T.TEAMABRV, T.TEAMNAME, T.EXCLUDE_MEDALS as TEAM_XCLD, "
            "A.GENDER, A.AGE, A.SURNAME, A.FIRSTNAME from PARTICIPATE P join MYEVENT E on "
            "E.EVENTNO = P.EVENTNO left join TEAM T on T.TEAMNO = P.TEAMNO left join ATHLETE A "
            "on A.ATHLETENO = P.ATHLETENO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and (coalesce(P.PLACE, 0) > 0 or coalesce(P.DISQ_STATUS, 0) > 0) "
                       "order by T.LEAGUE, P.TEAMNO, A.GENDER, A.AGE, E.ITEMCODE, P.PLACE"));
    QList<PlacedResult> rows;
    rows.reserve(q.recordCount());
    for (q.first(); !q.eof(); q.next()) {
        PlacedResult r;
        r.partNo = q.integer(QStringLiteral("PARTNO"));
        r.eventNo = q.integer(QStringLiteral("EVENTNO"));
        r.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        r.teamNo = q.integer(QStringLiteral("TEAMNO"));
        r.itemCode = q.text(QStringLiteral("ITEMCODE"));
        r.nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
        r.eventExcludesPoints = q.text(QStringLiteral("EXCLUDEPOINTS")) == QLatin1String("X");
        r.eventExcludesMedals = q.text(QStringLiteral("EXCLUDE_MEDALS")) == QLatin1String("X");
        r.league = int(q.integer(QStringLiteral("LEAGUE")));
        r.teamAbbreviation = q.text(QStringLiteral("TEAMABRV"));
        r.teamName = q.text(QStringLiteral("TEAMNAME"));
        r.teamExcludedFromMedals = q.text(QStringLiteral("TEAM_XCLD")) == QLatin1String("X");
        r.gender = q.text(QStringLiteral("GENDER"));
        r.age = int(q.integer(QStringLiteral("AGE")));
        r.surname = q.text(QStringLiteral("SURNAME"));
        r.firstName = q.text(QStringLiteral("FIRSTNAME"));
        r.performance = q.text(QStringLiteral("PERFORMANCE")).trimmed();
        r.wind = q.text(QStringLiteral("WIND_SPEED"));
        r.place = int(q.integer(QStringLiteral("PLACE")));
        r.shareCount = int(q.integer(QStringLiteral("PLACESHARECOUNT")));
        r.disqStatus = int(q.integer(QStringLiteral("DISQ_STATUS")));
        rows.append(r);
    }
    return rows;
}

} // namespace scoring
