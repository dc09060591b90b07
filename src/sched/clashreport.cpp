#include "sched/clashreport.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "sched/stationrows.h"

namespace sched {

namespace {

// "Day 1 10:05  100m Freestyle 13 Male - Heat 2" for a row of the last check.
QString rowText(const meeting::ItemTypes& items, db::Query& q, const QString& suffix)
{
    const int day = int(q.integer(QStringLiteral("DAY") + suffix));
    const QTime time = timeOfFraction(q.value(QStringLiteral("START") + suffix).toDouble());
    return QStringLiteral("Day ") + QString::number(day) + QLatin1Char(' ') +
           time.toString(QStringLiteral("hh:mm")) + QStringLiteral("  ") +
           items.ItemDescription(q.text(QStringLiteral("ITEM") + suffix).trimmed(), false) +
           QStringLiteral(" - ") +
           draw::heatName(q.text(QStringLiteral("FORMAT") + suffix).trimmed(),
                          q.text(QStringLiteral("ROUND") + suffix).trimmed(),
                          int(q.integer(QStringLiteral("HEAT") + suffix)));
}

} // namespace

QString minutesText(double minutes)
{
    return QString::number(minutes, 'f', 1);
}

QList<ClashLine> readClashes(base::Run& run, ClashKind kind)
{
    QList<ClashLine> lines;
    db::DmdCoreDbs& database = *run.database();
    if (!database.tableExists(QStringLiteral("T_SCHED_CLASH")))
        return lines;
    auto rowColumns = [](const QString& alias, const QString& s) {
        return alias + QStringLiteral(".DAY_SEQ as DAY") + s + QLatin1Char(',') + alias +
               QStringLiteral(".TIME_START as START") + s + QLatin1Char(',') + alias +
               QStringLiteral(".ITEMCODE as ITEM") + s + QStringLiteral(", P") + s +
               QStringLiteral(".ROUND as ROUND") + s + QStringLiteral(", P") + s +
               QStringLiteral(".HEATNO as HEAT") + s + QStringLiteral(", E") + s +
               QStringLiteral(".HEATFORMAT as FORMAT") + s;
    };
    db::Query q = database.openQuery(
        QStringLiteral("select C.ATHLETENO, C.STATION_TYPE, C.STATION_PIT, C.PROGRAMNO_1, "
                       "C.PROGRAMNO_2, C.ACTUAL_REST, C.DESIRED_REST, C.FACTOR, "
                       "A.SURNAME, A.FIRSTNAME, T.TEAMABRV, ") +
        rowColumns(QStringLiteral("S1"), QStringLiteral("1")) + QStringLiteral(", ") +
        rowColumns(QStringLiteral("S2"), QStringLiteral("2")) +
        QStringLiteral(" from T_SCHED_CLASH C "
                       "join T_SCHED_PROGRAM S1 on S1.PROGRAMNO = C.PROGRAMNO_1 "
                       "join T_SCHED_PROGRAM S2 on S2.PROGRAMNO = C.PROGRAMNO_2 "
                       "join PROGRAM P1 on P1.PROGRAMNO = C.PROGRAMNO_1 "
                       "join PROGRAM P2 on P2.PROGRAMNO = C.PROGRAMNO_2 "
                       "join MYEVENT E1 on E1.EVENTNO = P1.EVENTNO "
                       "join MYEVENT E2 on E2.EVENTNO = P2.EVENTNO "
                       "left join ATHLETE A on A.ATHLETENO = C.ATHLETENO "
                       "left join TEAM T on T.TEAMNO = A.TEAMNO where C.ATHLETENO is ") +
        (kind == ClashKind::Athletes ? QStringLiteral("not null") : QStringLiteral("null")) +
        QStringLiteral(" order by C.FACTOR, C.ATHLETENO, S1.DAY_SEQ, S1.TIME_START"));
    const meeting::ItemTypes& items = run.items();
    for (q.first(); !q.eof(); q.next()) {
        ClashLine l;
        l.athleteNo = q.integer("ATHLETENO");
        if (kind == ClashKind::Athletes) {
            l.athlete =
                q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed();
            if (!q.text("TEAMABRV").trimmed().isEmpty())
                l.athlete += QStringLiteral(" (") + q.text("TEAMABRV").trimmed() + QLatin1Char(')');
        } else {
            Station s{q.text("STATION_TYPE").trimmed(), q.text("STATION_PIT").trimmed()};
            l.station = s.isTrack() ? s.type : s.name();
        }
        l.programNo1 = q.integer("PROGRAMNO_1");
        l.programNo2 = q.integer("PROGRAMNO_2");
        l.item1 = rowText(items, q, QStringLiteral("1"));
        l.item2 = rowText(items, q, QStringLiteral("2"));
        l.desiredMinutes = q.value("DESIRED_REST").toDouble() * 1440.0;
        l.actualMinutes = q.value("ACTUAL_REST").toDouble() * 1440.0;
        l.factor = q.value("FACTOR").toDouble();
        lines.append(l);
    }
    return lines;
}

ReportTable clashReport(base::Run& run, ClashKind kind, const QList<ClashLine>& lines)
{
    ReportTable t;
    t.landscape = true;
    t.meeting = run.meeting().description();
    const bool athletes = kind == ClashKind::Athletes;
    t.title = athletes ? QStringLiteral("Athlete Clash Detector")
                       : QStringLiteral("Station Clash Detector");
    if (!athletes)
        t.subtitle = QStringLiteral("Compares the interval between the start of one event to "
                                    "the next event with the desired interval between the two "
                                    "starts");
    t.headers = {athletes ? QStringLiteral("Athlete") : QStringLiteral("Station"),
                 QStringLiteral("Item 1"),
                 QStringLiteral("Item 2"),
                 QStringLiteral("Desired"),
                 QStringLiteral("Actual"),
                 QStringLiteral("Factor")};
    for (const ClashLine& l : lines) {
        t.rows.append(
            {athletes ? l.athlete : l.station, l.item1, l.item2, minutesText(l.desiredMinutes),
             minutesText(l.actualMinutes),
             athletes ? QString::number(l.factor, 'f', 0) : QString::number(l.factor, 'f', 2)});
    }
    return t;
}

} // namespace sched
