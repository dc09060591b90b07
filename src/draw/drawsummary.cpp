#include "draw/drawsummary.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"

namespace draw {

DrawSummary drawSummary(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo)
{
    DrawSummary summary;
    const QString format =
        database
            .selectOneValue(QStringLiteral("HEATFORMAT"), QStringLiteral("MYEVENT"),
                            QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
            .trimmed();
    const int rounds = HeatFormats::roundCount(format);
    if (rounds == 0) {
        messages.information(QStringLiteral("There is no draw summary involved where there are "
                                            "no rounds."));
        return summary;
    }
    db::Query entries = database.openQuery(
        QStringLiteral("select P.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV, "
                       "P.BESTPERFBEFORE, P.LANE, P.PLACE, P.PERFORMANCE, P.DISQ_STATUS from "
                       "PARTICIPATE P join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join TEAM "
                       "T on T.TEAMNO = A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" order by A.SURNAME, A.FIRSTNAME"));
    if (!entries.isOpen() || entries.isEmpty()) {
        messages.information(QStringLiteral("No participations found."));
        return summary;
    }
    for (int number = rounds; number >= 1; --number)
        summary.rounds.append(QString(QLatin1String("FABC").at(number)));
    summary.rounds.append(QStringLiteral("F"));
    QHash<qint64, int> indexOf;
    for (entries.first(); !entries.eof(); entries.next()) {
        DrawSummaryRow row;
        row.athleteNo = entries.integer("ATHLETENO");
        row.name = entries.text("SURNAME").trimmed() + QStringLiteral(", ") +
                   entries.text("FIRSTNAME").trimmed();
        row.teamAbrv = entries.text("TEAMABRV").trimmed();
        row.bestBefore = entries.text("BESTPERFBEFORE").trimmed();
        const int lane = int(entries.integer("LANE"));
        const QString performance = entries.text("PERFORMANCE").trimmed();
        if (lane > 0 || !performance.isEmpty() || entries.integer("PLACE") > 0)
            row.rounds.insert(QStringLiteral("F"),
                              {0, lane, int(entries.integer("PLACE")), performance,
                               int(entries.integer("DISQ_STATUS"))});
        indexOf.insert(row.athleteNo, int(summary.athletes.size()));
        summary.athletes.append(row);
    }
    db::Query heats = database.openQuery(
        QStringLiteral("select ATHLETENO, ROUND, HEATNO, LANE, PLACE, PERFORMANCE, DISQ_STATUS "
                       "from HEATPART where EVENTNO = ") +
        db::sqlInt(eventNo));
    for (heats.first(); heats.isOpen() && !heats.eof(); heats.next()) {
        const auto it = indexOf.constFind(heats.integer("ATHLETENO"));
        if (it == indexOf.cend())
            continue;
        summary.athletes[*it].rounds.insert(
            heats.text("ROUND").trimmed(),
            {int(heats.integer("HEATNO")), int(heats.integer("LANE")), int(heats.integer("PLACE")),
             heats.text("PERFORMANCE").trimmed(), int(heats.integer("DISQ_STATUS"))});
    }
    return summary;
}

} // namespace draw
