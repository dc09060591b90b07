#include "draw/drawcheck.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/roundfacts.h"
#include "meeting/itemtypes.h"

#include <algorithm>
#include <tuple>

namespace draw {

QList<DrawCheckRow> drawCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                              base::Messages& messages, qint64 eventNo, const QString& round,
                              bool* ok)
{
    if (ok)
        *ok = false;
    const RoundFacts facts = roundFacts(database, messages, eventNo, round);
    if (!facts.found)
        return {};
    if (facts.firstRound) {
        messages.information(QStringLiteral("There is no draw check for round ") + facts.round);
        return {};
    }
    const bool field = items.IsFieldItem(facts.itemCode);
    const QString now =
        facts.isFinal()
            ? QStringLiteral("case when coalesce(P.LANE, 0) > 0 then 0 end as NOW_HEAT, P.LANE "
                             "as NOW_LANE from HEATPART B join PARTICIPATE P on P.EVENTNO = "
                             "B.EVENTNO and P.ATHLETENO = B.ATHLETENO")
            : QStringLiteral("H.HEATNO as NOW_HEAT, H.LANE as NOW_LANE from HEATPART B left join "
                             "HEATPART H on H.EVENTNO = B.EVENTNO and H.ATHLETENO = B.ATHLETENO "
                             "and H.ROUND = ") +
                  db::quoted(facts.round);
    db::Query q = database.openQuery(
        QStringLiteral("select B.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV, B.HEATNO, "
                       "B.PLACE, B.PERFORMANCE, B.DISQ_STATUS, ") +
        now +
        QStringLiteral(" join ATHLETE A on A.ATHLETENO = B.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where B.EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and B.ROUND = ") + db::quoted(facts.previousRound));
    if (!q.isOpen())
        return {};
    QList<DrawCheckRow> rows;
    for (q.first(); !q.eof(); q.next()) {
        DrawCheckRow row;
        row.athleteNo = q.integer("ATHLETENO");
        row.name =
            q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed();
        row.teamAbrv = q.text("TEAMABRV").trimmed();
        row.heatBefore = int(q.integer("HEATNO"));
        row.place = int(q.integer("PLACE"));
        row.performance = q.text("PERFORMANCE").trimmed();
        row.status = int(q.integer("DISQ_STATUS"));
        if (row.status == 0 && row.place > 0)
            row.group =
                row.place <= facts.entryPlaces ? QStringLiteral("Place") : QStringLiteral("Time");
        row.drawn = !q.isNull("NOW_HEAT");
        row.heat = int(q.integer("NOW_HEAT"));
        row.lane = int(q.integer("NOW_LANE"));
        rows.append(row);
    }
    // Statuses last; then qualifiers by place, by time, the unplaced; each by performance
    // (an empty performance last).
    const auto groupRank = [](const DrawCheckRow& r) {
        return r.group == QLatin1String("Place") ? 0 : r.group == QLatin1String("Time") ? 1 : 2;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const DrawCheckRow& a, const DrawCheckRow& b) {
        if ((a.status > 0) != (b.status > 0))
            return a.status == 0;
        if (a.status != b.status)
            return a.status < b.status;
        if (groupRank(a) != groupRank(b))
            return groupRank(a) < groupRank(b);
        if (a.performance.isEmpty() != b.performance.isEmpty())
            return b.performance.isEmpty();
        if (a.performance != b.performance)
            return field ? a.performance > b.performance : a.performance < b.performance;
        return std::tuple(a.place, a.heatBefore) < std::tuple(b.place, b.heatBefore);
    });
    if (ok)
        *ok = true;
    return rows;
}

} // namespace draw
