#include "draw/alphabeticaldraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"

namespace draw {

int drawAlphabetically(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                       bool teamFirst)
{
    db::Query event = database.openQuery(
        QStringLiteral("select HEATFORMAT, FINAL_NOT_RUN from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!event.isOpen() || event.isEmpty()) {
        messages.warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return -1;
    }
    event.first();
    if (HeatFormats::roundCount(event.text("HEATFORMAT").trimmed()) > 0) {
        messages.warning(QStringLiteral("You can only do Finals with this option"));
        return -1;
    }
    if (event.integer("FINAL_NOT_RUN") == 1) {
        messages.warning(QStringLiteral("This Final is NOT run"));
        return -1;
    }
    const QString entries = QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo);
    const int placed = database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                                          entries + QStringLiteral(" and PLACE > 0"));
    const int performed =
        database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                           entries + QStringLiteral(" and coalesce(trim(PERFORMANCE), '') <> ''"));
    const int disqualified = database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                                                entries + QStringLiteral(" and DISQ_STATUS > 0"));
    if (placed + performed + disqualified > 0) {
        QString text = QStringLiteral("There are the following unexpected conditions:");
        if (placed > 0)
            text += QStringLiteral("\r") + QString::number(placed) +
                    QStringLiteral(" Athletes are placed: it will be cleared");
        if (performed > 0)
            text += QStringLiteral("\r") + QString::number(performed) +
                    QStringLiteral(" Athletes has performances: it will be cleared");
        if (disqualified > 0)
            text += QStringLiteral("\r") + QString::number(disqualified) +
                    QStringLiteral(" Athletes are disqualified: they will not be drawn");
        if (!messages.confirm(text + QStringLiteral("\r\rContinue to draw anyway")))
            return -1;
    }
    db::Query q = database.openQuery(
        QStringLiteral("select P.PARTNO, coalesce(P.DISQ_STATUS, 0) as STATUS from PARTICIPATE "
                       "P join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" order by ") +
        (teamFirst ? QStringLiteral("T.TEAMNAME, ") : QString()) +
        QStringLiteral("A.SURNAME, A.FIRSTNAME, P.PARTNO"));
    if (!q.isOpen())
        return -1;
    int lane = 0;
    QStringList statements;
    for (q.first(); !q.eof(); q.next()) {
        const bool drawn = q.integer("STATUS") == 0;
        statements.append(
            QStringLiteral("update PARTICIPATE set LANE = ") + db::sqlInt(drawn ? ++lane : 0) +
            QStringLiteral(", PLACE = 0, PLACESHARECOUNT = 0, E_PLACE = 0, PERFORMANCE = '' "
                           "where PARTNO = ") +
            db::sqlInt(q.integer("PARTNO")));
    }
    if (!database.executeAll(statements))
        return -1;
    messages.information(QStringLiteral("Done: ") + QString::number(lane) +
                         QStringLiteral(" Atletes drawn"));
    return lane;
}

} // namespace draw
