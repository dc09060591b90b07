#include "draw/heatmembers.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace draw {

QString memberOrderBy(int order)
{
    switch (order) {
    case int(MemberOrder::Lane):
        return QStringLiteral("case when coalesce(X.LANE, 0) = 0 then 999 else X.LANE end, "
                              "A.SURNAME, A.FIRSTNAME");
    case int(MemberOrder::Status):
        return QStringLiteral("coalesce(X.DISQ_STATUS, 0), case when coalesce(X.E_PLACE, 0) "
                              "= 0 then 999 else X.E_PLACE end, A.SURNAME, A.FIRSTNAME");
    case int(MemberOrder::Surname):
        return QStringLiteral("A.SURNAME, A.FIRSTNAME");
    default:
        return QString();
    }
}

QString heatMembersSql(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                       const QString& round, int heatNo, int order)
{
    const QString r = round.trimmed();
    if (r.isEmpty()) {
        messages.internalError(420401, QStringLiteral("sRound is required"));
        return QString();
    }
    const bool final = r == QLatin1String("F");
    if (!final && heatNo <= 0) {
        messages.internalError(420402, QStringLiteral("nHeat is required"));
        return QString();
    }
    const QString orderBy = memberOrderBy(order);
    if (orderBy.isEmpty()) {
        messages.internalError(420403, QStringLiteral("New order:") + QString::number(order));
        return QString();
    }
    // The medal column only counts when the meeting excludes teams from medals.
    const bool medals = database
                            .selectOneValue(QStringLiteral("M.MEDALS_XCLD_TEAMS"),
                                            QStringLiteral("MEETING M join MYEVENT E on "
                                                           "E.MEETINGNO = M.MEETINGNO"),
                                            QStringLiteral("E.EVENTNO = ") + db::sqlInt(eventNo))
                            .toInt() == 1;
    const QString medalColumn =
        medals ? QStringLiteral("coalesce(X.MEDAL_WITH_XCLD, 0)") : QStringLiteral("0");
    const QString keys =
        final ? QStringLiteral("X.PARTNO, -1 as HEATPARTNO, coalesce(X.DID_NOT_CALL, 0) as "
                               "DID_NOT_CALL")
              : QStringLiteral("-1 as PARTNO, X.HEATPARTNO, -1 as DID_NOT_CALL");
    const QString from = final ? QStringLiteral("PARTICIPATE X") : QStringLiteral("HEATPART X");
    QString where = QStringLiteral("X.EVENTNO = ") + db::sqlInt(eventNo);
    if (!final)
        where += QStringLiteral(" and X.ROUND = ") + db::quoted(r) +
                 QStringLiteral(" and X.HEATNO = ") + db::sqlInt(heatNo);
    return QStringLiteral("select ") + keys +
           QStringLiteral(", X.ATHLETENO, X.LANE, X.PLACE, X.E_PLACE, X.DISQ_STATUS, "
                          "X.PERFORMANCE, ") +
           medalColumn +
           QStringLiteral(" as MEDAL_WITH_XCLD, A.SURNAME, A.FIRSTNAME, T.TEAMNAME, T.TEAMABRV "
                          "from ") +
           from +
           QStringLiteral(" join ATHLETE A on A.ATHLETENO = X.ATHLETENO left join TEAM T on "
                          "T.TEAMNO = A.TEAMNO where ") +
           where + QStringLiteral(" order by ") + orderBy;
}

QList<HeatMember> heatMembers(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                              const QString& round, int heatNo, int order, bool* ok)
{
    QList<HeatMember> members;
    const QString sql = heatMembersSql(database, messages, eventNo, round, heatNo, order);
    if (ok)
        *ok = false;
    if (sql.isEmpty())
        return members;
    db::Query q = database.openQuery(sql);
    if (ok)
        *ok = q.isOpen();
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        HeatMember m;
        m.partNo = q.integer("PARTNO");
        m.heatPartNo = q.integer("HEATPARTNO");
        m.didNotCall = int(q.integer("DID_NOT_CALL"));
        m.athleteNo = q.integer("ATHLETENO");
        m.surname = q.text("SURNAME").trimmed();
        m.firstName = q.text("FIRSTNAME").trimmed();
        m.teamName = q.text("TEAMNAME").trimmed();
        m.teamAbrv = q.text("TEAMABRV").trimmed();
        m.lane = int(q.integer("LANE"));
        m.place = int(q.integer("PLACE"));
        m.ePlace = int(q.integer("E_PLACE"));
        m.disqStatus = int(q.integer("DISQ_STATUS"));
        m.performance = q.text("PERFORMANCE").trimmed();
        m.medalWithExcluded = int(q.integer("MEDAL_WITH_XCLD"));
        members.append(m);
    }
    return members;
}

} // namespace draw
