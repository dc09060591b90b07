#include "results/awolqueue.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawround.h"
#include "results/places.h"

#include <QSet>

namespace results {

namespace {

QString sameEntry(int meetingNo, const QString& action, qint64 athleteNo, qint64 eventNo,
                  const QString& round, int heatNo)
{
    return QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo) +
           QStringLiteral(" and DRAW_OR_CALC = ") + db::quoted(action) +
           QStringLiteral(" and DUE_TO_ATHNO = ") + db::sqlInt(athleteNo) +
           QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo) +
           QStringLiteral(" and ROUND = ") + db::quoted(round) + QStringLiteral(" and HEATNO = ") +
           db::sqlInt(heatNo);
}

qint64 programRow(db::DmdCoreDbs& database, qint64 eventNo, const QString& round, int heatNo)
{
    return database
        .selectOneValue(QStringLiteral("PROGRAMNO"), QStringLiteral("PROGRAM"),
                        QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                            QStringLiteral(" and ROUND = ") + db::quoted(round) +
                            QStringLiteral(" and HEATNO = ") + db::sqlInt(heatNo))
        .toLongLong();
}

} // namespace

bool QueueAwolAction(db::DmdCoreDbs& database, int meetingNo, const QString& action,
                     qint64 absentAthleteNo, qint64 eventNo, const QString& round, int heatNo)
{
    if (database.ZSqlCount(QStringLiteral("AWOL_QUE"), sameEntry(meetingNo, action, absentAthleteNo,
                                                                 eventNo, round, heatNo)) > 0) {
        database.messages().internalError(540201, QStringLiteral("This ") + action +
                                                      QStringLiteral("-que item already exists."));
        return false;
    }
    return database.execute(
        QStringLiteral("insert into AWOL_QUE (AWOL_QUENO, MEETINGNO, DRAW_OR_CALC, DUE_TO_ATHNO, "
                       "DONE, EVENTNO, ROUND, HEATNO) values (") +
        db::sqlInt(database.nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(meetingNo) +
        QLatin1Char(',') + db::quoted(action) + QLatin1Char(',') + db::sqlInt(absentAthleteNo) +
        QStringLiteral(", 0, ") + db::sqlInt(eventNo) + QLatin1Char(',') + db::quoted(round) +
        QLatin1Char(',') + db::sqlInt(heatNo) + QLatin1Char(')'));
}

QList<AwolQueueItem> awolQueue(db::DmdCoreDbs& database, int meetingNo)
{
    // The counts are of the queued heat: the final's rows for round F, else the heat's.
    const QString heatRows =
        QStringLiteral("from HEATPART H where H.EVENTNO = Q.EVENTNO and H.ROUND = Q.ROUND and "
                       "H.HEATNO = Q.HEATNO");
    const QString finalRows = QStringLiteral("from PARTICIPATE F where F.EVENTNO = Q.EVENTNO");
    const auto counted = [&](const QString& column, const QString& alias) {
        return QStringLiteral("case when Q.ROUND = 'F' then (select count(*) ") + finalRows +
               QStringLiteral(" and coalesce(F.") + column +
               QStringLiteral(", 0) > 0) else (select count(*) ") + heatRows +
               QStringLiteral(" and coalesce(H.") + column + QStringLiteral(", 0) > 0) end as ") +
               alias;
    };
    db::Query q = database.openQuery(
        QStringLiteral("select Q.AWOL_QUENO, Q.DRAW_OR_CALC, Q.DUE_TO_ATHNO, Q.EVENTNO, Q.ROUND, "
                       "Q.HEATNO, coalesce(Q.DONE, 0) as DONE, E.ITEMCODE, A.SURNAME, "
                       "A.FIRSTNAME, ") +
        counted(QStringLiteral("PLACE"), QStringLiteral("PLACED")) + QStringLiteral(", ") +
        counted(QStringLiteral("LANE"), QStringLiteral("DRAWN")) +
        QStringLiteral(" from AWOL_QUE Q left join MYEVENT E on E.EVENTNO = Q.EVENTNO "
                       "left join ATHLETE A on A.ATHLETENO = Q.DUE_TO_ATHNO where Q.MEETINGNO = ") +
        db::sqlInt(meetingNo) + QStringLiteral(" order by Q.AWOL_QUENO"));
    QList<AwolQueueItem> items;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        AwolQueueItem item;
        item.queueNo = q.integer("AWOL_QUENO");
        item.action = q.text("DRAW_OR_CALC").trimmed();
        item.absentAthleteNo = q.integer("DUE_TO_ATHNO");
        item.athleteName =
            (q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed());
        item.eventNo = q.integer("EVENTNO");
        item.itemCode = q.text("ITEMCODE").trimmed();
        item.round = q.text("ROUND").trimmed();
        item.heatNo = int(q.integer("HEATNO"));
        item.done = q.integer("DONE") == 1;
        item.placedCount = int(q.integer("PLACED"));
        item.drawnCount = int(q.integer("DRAWN"));
        items.append(item);
    }
    return items;
}

RoundRedraw roundRedrawBy(draw::RoundDrawing& drawing)
{
    return [&drawing](qint64 eventNo, const QString& round) {
        return drawing.drawRound(eventNo, round) == draw::DrawOutcome::Drawn;
    };
}

AwolQueueRun processAwolQueue(db::DmdCoreDbs& database, int meetingNo, Places& places,
                              const RoundRedraw& redraw)
{
    AwolQueueRun run;
    QSet<QString> redrawnRounds;
    for (const AwolQueueItem& item : awolQueue(database, meetingNo)) {
        if (item.done)
            continue;
        const QString round = QString::number(item.eventNo) + item.round;
        if (item.action == QLatin1String(kQueueCalc)) {
            const qint64 row = programRow(database, item.eventNo, item.round, item.heatNo);
            if (row > 0 && places.calcAndRefresh(row)) {
                database.execute(
                    QStringLiteral("update AWOL_QUE set DONE = 1 where AWOL_QUENO = ") +
                    db::sqlInt(item.queueNo));
                ++run.recalculated;
            }
            continue;
        }
        if (redrawnRounds.contains(round))
            continue;
        const QString which = QStringLiteral("Event ") + QString::number(item.eventNo) +
                              QStringLiteral(" Round ") + item.round;
        if (!redraw) {
            run.waiting.append(which + QStringLiteral(": to be redrawn from the draw menu"));
            redrawnRounds.insert(round);
            continue;
        }
        if (!redraw(item.eventNo, item.round)) {
            run.waiting.append(which + QStringLiteral(": the redraw was not done"));
            redrawnRounds.insert(round);
            continue;
        }
        redrawnRounds.insert(round);
        database.execute(QStringLiteral("update AWOL_QUE set DONE = 1 where MEETINGNO = ") +
                         db::sqlInt(meetingNo) + QStringLiteral(" and EVENTNO = ") +
                         db::sqlInt(item.eventNo) + QStringLiteral(" and ROUND = ") +
                         db::quoted(item.round) + QStringLiteral(" and DRAW_OR_CALC = 'DRAW'"));
        database.messages().information(QStringLiteral("Done: Round Re - Drawn"));
        ++run.redrawn;
    }
    return run;
}

} // namespace results
