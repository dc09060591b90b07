#include "results/captureprogram.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/programorder.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"
#include "results/captureathletes.h"

#include <QHash>
#include <QTime>

#include <algorithm>

namespace results {

namespace {

// Counts over the athletes of the row's heat: the final's are the event's entries.
QString heatCount(const QString& condition)
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" and ") + condition;
    return QStringLiteral("case when P.ROUND = 'F' then (select count(*) from PARTICIPATE X "
                          "where X.EVENTNO = P.EVENTNO") +
           where +
           QStringLiteral(") else (select count(*) from HEATPART X where X.EVENTNO = P.EVENTNO "
                          "and X.ROUND = P.ROUND and X.HEATNO = P.HEATNO") +
           where + QStringLiteral(") end");
}

const QString kHasResult = QStringLiteral(
    "(X.DISQ_STATUS > 0 or X.E_PLACE > 0 or trim(coalesce(X.PERFORMANCE, '')) <> '')");

const QString kColumns =
    QStringLiteral("select P.PROGRAMNO, P.EVENTNO, E.ITEMCODE, E.HEATFORMAT, P.ROUND, P.HEATNO, "
                   "P.DAY_SEQ, P.SEQ, P.THETIME, E.N_ATHLON, E.COMBINEDNO, E.FINAL_NOT_RUN, "
                   "E.NO_ENTRIES, E.EXCLUDEPOINTS, E.CALLROOM_STATUS, E.CATEGORY, P.PLACEDCOUNT, "
                   "P.NOT_CALCULATED_YET, P.ELECHAND, P.WIND_SPEED, P.SHEETSPRINTED, "
                   "P.RESULTSPRINTED, P.QUERIED, P.DRAW_RELEASED, P.DRAW_REVISION, "
                   "P.RESULTS_RELEASED, P.RESULTS_REVISION, P.DID_START, C.NAME as COMBINEDNAME, ");

const QString kJoins = QStringLiteral(
    " from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO left join COMBINED C on "
    "C.COMBINEDNO = E.COMBINEDNO and E.COMBINEDNO > 0");

// A few rows (one program row, one event's): the counts asked per row.
QString selectRows(const QString& where, const QString& orderBy)
{
    return kColumns + heatCount(QString()) + QStringLiteral(" as ATHLETES, ") +
           heatCount(QStringLiteral("X.LANE > 0")) + QStringLiteral(" as DRAWN, ") +
           heatCount(kHasResult) + QStringLiteral(" as WITH_RESULTS") + kJoins +
           QStringLiteral(" where ") + where + QStringLiteral(" order by ") + orderBy;
}

// Counts of the meeting's heats and finals, read in one grouped pass each: asking them per
// row made the whole program's list cost three subqueries a row.

QString groupedCounts(const QString& table, const QString& keys, int meetingNo)
{
    return QStringLiteral("select ") + keys +
           QStringLiteral(", count(*) as N, sum(iif(X.LANE > 0, 1, 0)) as D, sum(iif(") +
           kHasResult + QStringLiteral(", 1, 0)) as R from ") + table +
           QStringLiteral(" X where X.MEETINGNO = ") + db::sqlInt(meetingNo) +
           QStringLiteral(" group by ") + keys;
}

QString countKey(qint64 eventNo, const QString& round, qint64 heatNo)
{
    return QString::number(eventNo) + QLatin1Char('/') + round + QLatin1Char('/') +
           QString::number(heatNo);
}

// The finals' counts, and the heats' unless `heats` is false.
QHash<QString, HeatCounts> meetingCounts(db::DmdCoreDbs& database, int meetingNo, bool heats)
{
    QHash<QString, HeatCounts> counts;
    const auto read = [&](const QString& sql, bool finals) {
        db::Cursor q(database, sql);
        while (q.next()) {
            const QString key =
                finals ? countKey(q.integer("EVENTNO"), QStringLiteral("F"), 0)
                       : countKey(q.integer("EVENTNO"), q.trimmed("ROUND"), q.integer("HEATNO"));
            counts.insert(key, {int(q.integer("N")), int(q.integer("D")), int(q.integer("R"))});
        }
    };
    if (heats)
        read(groupedCounts(QStringLiteral("HEATPART"),
                           QStringLiteral("X.EVENTNO, X.ROUND, X.HEATNO"), meetingNo),
             false);
    read(groupedCounts(QStringLiteral("PARTICIPATE"), QStringLiteral("X.EVENTNO"), meetingNo),
         true);
    return counts;
}

// Every program row of a meeting, its counts left to meetingCounts.
QString selectMeetingRows(int meetingNo, const QString& orderBy)
{
    return kColumns + QStringLiteral("0 as ATHLETES, 0 as DRAWN, 0 as WITH_RESULTS") + kJoins +
           QStringLiteral(" where P.MEETINGNO = ") + db::sqlInt(meetingNo) +
           QStringLiteral(" order by ") + orderBy;
}

QList<CaptureProgramRow> readRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                  const QString& sql)
{
    QList<CaptureProgramRow> rows;
    db::Cursor q(database, sql);
    while (q.next()) {
        CaptureProgramRow r;
        r.programNo = q.integer("PROGRAMNO");
        r.eventNo = q.integer("EVENTNO");
        r.itemCode = q.trimmed("ITEMCODE");
        r.heatFormat = q.trimmed("HEATFORMAT");
        r.round = q.trimmed("ROUND");
        r.heatNo = int(q.integer("HEATNO"));
        r.day = int(q.integer("DAY_SEQ"));
        r.seq = int(q.integer("SEQ"));
        const QTime time = q.value("THETIME").toTime();
        r.time = time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
        r.item = items.ItemDescription(r.itemCode, false);
        r.combinedName = q.trimmed("COMBINEDNAME");
        r.nAthlon = int(q.integer("N_ATHLON"));
        r.combinedNo = q.integer("COMBINEDNO");
        r.finalNotRun = q.integer("FINAL_NOT_RUN") == 1;
        r.noEntries = q.integer("NO_ENTRIES") == 1;
        r.excludePoints = q.trimmed("EXCLUDEPOINTS") == QLatin1String("X");
        r.callRoomStatus = int(q.integer("CALLROOM_STATUS"));
        r.category = q.trimmed("CATEGORY");
        r.placedCount = int(q.integer("PLACEDCOUNT"));
        r.notCalculated = q.integer("NOT_CALCULATED_YET") == 1;
        r.elecHand = int(q.integer("ELECHAND"));
        r.wind = q.trimmed("WIND_SPEED");
        r.sheetsPrinted = q.integer("SHEETSPRINTED") == 1;
        r.resultsPrinted = q.integer("RESULTSPRINTED") == 1;
        r.queried = q.integer("QUERIED") == 1;
        r.drawReleased = q.integer("DRAW_RELEASED") == 1;
        r.drawRevision = int(q.integer("DRAW_REVISION"));
        r.resultsReleased = q.integer("RESULTS_RELEASED") == 1;
        r.resultsRevision = int(q.integer("RESULTS_REVISION"));
        r.didStart = q.integer("DID_START") == 1;
        r.athletes = int(q.integer("ATHLETES"));
        r.drawn = int(q.integer("DRAWN"));
        r.withResults = int(q.integer("WITH_RESULTS"));
        rows.append(r);
    }
    return rows;
}

QList<CaptureProgramRow> readMeetingRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                         int meetingNo, const QString& orderBy,
                                         const MeetingAthletes* athletesRead)
{
    QList<CaptureProgramRow> rows =
        readRows(database, items, selectMeetingRows(meetingNo, orderBy));
    // Grouping the heats' rows costs the engine more than reading them.
    const QHash<QString, HeatCounts> counts =
        meetingCounts(database, meetingNo, athletesRead == nullptr);
    for (CaptureProgramRow& r : rows) {
        const HeatCounts c =
            athletesRead && !r.isFinal()
                ? athletesRead->heatCounts(r.eventNo, r.round, r.heatNo)
                : counts.value(countKey(r.eventNo, r.round, r.isFinal() ? 0 : r.heatNo));
        r.athletes = c.athletes;
        r.drawn = c.drawn;
        r.withResults = c.withResults;
    }
    return rows;
}

QString mark(bool on)
{
    return on ? QStringLiteral("X") : QString();
}

} // namespace

QString CaptureProgramRow::heatText() const
{
    return draw::heatName(heatFormat, round, heatNo);
}

QString CaptureProgramRow::seqText() const
{
    return seq > 0 ? QString::number(seq) : QString();
}

QString CaptureProgramRow::seqAndItem() const
{
    return seq > 0 ? seqText() + QStringLiteral("  ") + item : item;
}

ProgramTags programTags(const CaptureProgramRow& row)
{
    ProgramTags t;
    t.sheetsPrinted = mark(row.sheetsPrinted);
    t.resultsPrinted = mark(row.resultsPrinted);
    t.resultsReleased = mark(row.resultsReleased);
    t.drawReleased = mark(row.drawReleased);
    t.queried = mark(row.queried);
    if (row.isCalculatedFinal())
        t.notRun = TagColour::Green;
    if (row.notCalculated) {
        t.calculated = QStringLiteral("Calc");
        t.calculatedColour = TagColour::Red;
    }
    if (row.noEntries)
        t.resultsRelease = TagColour::Purple;
    else if (row.withResults > 0 && !row.resultsReleased)
        t.resultsRelease = TagColour::Lime;
    if (!row.drawReleased)
        t.drawRelease = TagColour::Lime;
    if (row.queried)
        t.queriedColour = TagColour::Green;
    // The furthest state of the race wins: results, started, the call room, drawn.
    if (row.withResults > 0) {
        t.raceStatus = QStringLiteral("Results");
    } else if (row.didStart) {
        t.raceStatus = QStringLiteral("Started");
        t.progress = TagColour::Yellow;
    } else if (row.callRoomStatus == 1) {
        t.raceStatus = QStringLiteral("BusyClrm");
        t.progress = TagColour::Purple;
    } else if (row.callRoomStatus == 2) {
        t.raceStatus = QStringLiteral("DoneClrm");
        t.progress = TagColour::Blue;
    } else if (row.drawn > 0) {
        t.raceStatus = QStringLiteral("Drawn");
        t.progress = TagColour::Green;
    }
    return t;
}

QList<CaptureProgramRow> captureProgramRows(db::DmdCoreDbs& database,
                                            const meeting::ItemTypes& items, int meetingNo,
                                            CaptureOrder order, const MeetingAthletes* athletesRead)
{
    if (order == CaptureOrder::Sequence)
        return readMeetingRows(database, items, meetingNo,
                               draw::ProgramListing::orderBy(draw::ProgramOrder::Sequence),
                               athletesRead);
    // By item types: the edition's order of groups and distances, then rounds as they run.
    QList<CaptureProgramRow> rows = readMeetingRows(
        database, items, meetingNo, QStringLiteral("P.SEQ, P.PROGRAMNO"), athletesRead);
    QHash<QString, QString> keys;
    for (const CaptureProgramRow& r : std::as_const(rows))
        if (!keys.contains(r.itemCode))
            keys.insert(r.itemCode, draw::itemSortOrder(items, r.itemCode));
    std::stable_sort(rows.begin(), rows.end(),
                     [&keys](const CaptureProgramRow& a, const CaptureProgramRow& b) {
                         const QString& ka = keys[a.itemCode];
                         const QString& kb = keys[b.itemCode];
                         if (ka != kb)
                             return ka < kb;
                         if (a.eventNo != b.eventNo)
                             return a.eventNo < b.eventNo;
                         if (a.round != b.round)
                             return draw::roundSortKey(a.round) > draw::roundSortKey(b.round);
                         return a.heatNo < b.heatNo;
                     });
    return rows;
}

QList<CaptureProgramRow> eventProgramRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                          qint64 eventNo)
{
    return readRows(database, items,
                    selectRows(QStringLiteral("P.EVENTNO = ") + db::sqlInt(eventNo),
                               QStringLiteral("(case when P.ROUND = 'F' then '9' else P.ROUND "
                                              "end) desc, P.HEATNO")));
}

std::optional<CaptureProgramRow>
captureProgramRow(db::DmdCoreDbs& database, const meeting::ItemTypes& items, qint64 programNo)
{
    const QList<CaptureProgramRow> rows =
        readRows(database, items,
                 selectRows(QStringLiteral("P.PROGRAMNO = ") + db::sqlInt(programNo),
                            QStringLiteral("P.PROGRAMNO")));
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

qint64 programNoOf(db::DmdCoreDbs& database, qint64 eventNo, const QString& round, int heatNo)
{
    return database
        .selectOneValue(QStringLiteral("PROGRAMNO"), QStringLiteral("PROGRAM"),
                        QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                            QStringLiteral(" and ROUND = ") + db::quoted(round) +
                            QStringLiteral(" and HEATNO = ") +
                            db::sqlInt(round == QLatin1String("F") ? 0 : heatNo))
        .toLongLong();
}

} // namespace results
