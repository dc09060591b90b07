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

const QString kProgramColumns = QStringLiteral(
    "P.PROGRAMNO, P.EVENTNO, P.ROUND, P.HEATNO, P.DAY_SEQ, P.SEQ, P.THETIME, P.PIT, "
    "P.PLACEDCOUNT, P.NOT_CALCULATED_YET, P.ELECHAND, P.WIND_SPEED, P.SHEETSPRINTED, "
    "P.RESULTSPRINTED, P.QUERIED, P.DRAW_RELEASED, P.DRAW_REVISION, P.RESULTS_RELEASED, "
    "P.RESULTS_REVISION, P.DID_START");

const QString kEventColumns = QStringLiteral(
    "E.ITEMCODE, E.HEATFORMAT, E.N_ATHLON, E.COMBINEDNO, E.FINAL_NOT_RUN, E.NO_ENTRIES, "
    "E.EXCLUDEPOINTS, E.CALLROOM_STATUS, E.CATEGORY, C.NAME as COMBINEDNAME");

const QString kColumns = QStringLiteral("select ") + kProgramColumns + QStringLiteral(", ") +
                         kEventColumns + QStringLiteral(", ");

const QString kJoins = QStringLiteral(
    " from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO left join COMBINED C on "
    "C.COMBINEDNO = E.COMBINEDNO and E.COMBINEDNO > 0");

// The columns a program row takes from PROGRAM (with the counts when the read has them),
// looked up once per read.
struct ProgramColumns {
    explicit ProgramColumns(const db::Cursor& q)
        : programNo(q.column("PROGRAMNO")), eventNo(q.column("EVENTNO")), round(q.column("ROUND")),
          heatNo(q.column("HEATNO")), day(q.column("DAY_SEQ")), seq(q.column("SEQ")),
          time(q.column("THETIME")), pit(q.column("PIT")), placedCount(q.column("PLACEDCOUNT")),
          notCalculated(q.column("NOT_CALCULATED_YET")), elecHand(q.column("ELECHAND")),
          wind(q.column("WIND_SPEED")), sheetsPrinted(q.column("SHEETSPRINTED")),
          resultsPrinted(q.column("RESULTSPRINTED")), queried(q.column("QUERIED")),
          drawReleased(q.column("DRAW_RELEASED")), drawRevision(q.column("DRAW_REVISION")),
          resultsReleased(q.column("RESULTS_RELEASED")),
          resultsRevision(q.column("RESULTS_REVISION")), didStart(q.column("DID_START")),
          athletes(q.column("ATHLETES")), drawn(q.column("DRAWN")),
          withResults(q.column("WITH_RESULTS"))
    {
    }
    int programNo, eventNo, round, heatNo, day, seq, time, pit, placedCount, notCalculated;
    int elecHand, wind, sheetsPrinted, resultsPrinted, queried, drawReleased, drawRevision;
    int resultsReleased, resultsRevision, didStart, athletes, drawn, withResults;

    void read(const db::Cursor& q, CaptureProgramRow& r) const
    {
        r.programNo = q.integer(programNo);
        r.eventNo = q.integer(eventNo);
        r.round = q.trimmed(round);
        r.heatNo = int(q.integer(heatNo));
        r.day = int(q.integer(day));
        r.seq = int(q.integer(seq));
        r.startsAt = q.value(time).toTime();
        r.time = r.startsAt.isValid() ? r.startsAt.toString(QStringLiteral("hh:mm")) : QString();
        r.pit = q.trimmed(pit);
        r.placedCount = int(q.integer(placedCount));
        r.notCalculated = q.integer(notCalculated) == 1;
        r.elecHand = int(q.integer(elecHand));
        r.wind = q.trimmed(wind);
        r.sheetsPrinted = q.integer(sheetsPrinted) == 1;
        r.resultsPrinted = q.integer(resultsPrinted) == 1;
        r.queried = q.integer(queried) == 1;
        r.drawReleased = q.integer(drawReleased) == 1;
        r.drawRevision = int(q.integer(drawRevision));
        r.resultsReleased = q.integer(resultsReleased) == 1;
        r.resultsRevision = int(q.integer(resultsRevision));
        r.didStart = q.integer(didStart) == 1;
        r.athletes = int(q.integer(athletes));
        r.drawn = int(q.integer(drawn));
        r.withResults = int(q.integer(withResults));
    }
};

// The columns a program row takes from its event and the event's combined group.
struct EventColumns {
    explicit EventColumns(const db::Cursor& q)
        : itemCode(q.column("ITEMCODE")), heatFormat(q.column("HEATFORMAT")),
          nAthlon(q.column("N_ATHLON")), combinedNo(q.column("COMBINEDNO")),
          finalNotRun(q.column("FINAL_NOT_RUN")), noEntries(q.column("NO_ENTRIES")),
          excludePoints(q.column("EXCLUDEPOINTS")), callRoomStatus(q.column("CALLROOM_STATUS")),
          category(q.column("CATEGORY")), combinedName(q.column("COMBINEDNAME"))
    {
    }
    int itemCode, heatFormat, nAthlon, combinedNo, finalNotRun, noEntries, excludePoints;
    int callRoomStatus, category, combinedName;

    void read(const db::Cursor& q, const meeting::ItemTypes& items, CaptureProgramRow& r) const
    {
        r.itemCode = q.trimmed(itemCode);
        r.heatFormat = q.trimmed(heatFormat);
        r.item = items.ItemDescription(r.itemCode, false);
        r.combinedName = q.trimmed(combinedName);
        r.nAthlon = int(q.integer(nAthlon));
        r.combinedNo = q.integer(combinedNo);
        r.finalNotRun = q.integer(finalNotRun) == 1;
        r.noEntries = q.integer(noEntries) == 1;
        r.excludePoints = q.trimmed(excludePoints) == QLatin1String("X");
        r.callRoomStatus = int(q.integer(callRoomStatus));
        r.category = q.trimmed(category);
    }
};

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

QList<CaptureProgramRow> readRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                  const QString& sql)
{
    QList<CaptureProgramRow> rows;
    db::Cursor q(database, sql);
    const ProgramColumns program(q);
    const EventColumns event(q);
    while (q.next()) {
        CaptureProgramRow r;
        event.read(q, items, r);
        program.read(q, r);
        rows.append(r);
    }
    return rows;
}

void putCounts(CaptureProgramRow& row, const HeatCounts& counts)
{
    row.athletes = counts.athletes;
    row.drawn = counts.drawn;
    row.withResults = counts.withResults;
}

// The orders of a meeting's rows: that of ProgramListing::orderBy(Sequence), and by
// sequence alone (the start of the order by item types).
enum class MeetingOrder { Sequence, SeqThenRow };

// A program row with what the engine's order by looks at: a NULL comes first in a rising
// order and last in a falling one.
struct SortedRow {
    CaptureProgramRow row;
    bool seqNull = false;
    bool roundNull = false;
    bool heatNull = false;
};

// a before b in the order; rows the order ranks alike keep the order of their keys.
bool sortsBefore(const SortedRow& a, const SortedRow& b, MeetingOrder order)
{
    if (a.seqNull != b.seqNull)
        return a.seqNull;
    if (a.row.seq != b.row.seq)
        return a.row.seq < b.row.seq;
    if (order == MeetingOrder::Sequence) {
        // Rounds in running order, falling: C, B, A, then the final (as '9').
        if (a.roundNull != b.roundNull)
            return b.roundNull;
        const auto key = [](const CaptureProgramRow& r) {
            return r.isFinal() ? QStringLiteral("9") : r.round;
        };
        const QString ka = key(a.row), kb = key(b.row);
        if (ka != kb)
            return ka > kb;
        if (a.heatNull != b.heatNull)
            return a.heatNull;
        if (a.row.heatNo != b.row.heatNo)
            return a.row.heatNo < b.row.heatNo;
    }
    return a.row.programNo < b.row.programNo;
}

// Every program row of a meeting, its counts left to meetingCounts. The program and the
// events are read as two plain tables, joined and sorted here: the engine's join and sort
// of the wide rows cost several times the reading.
// `heatsLater`: the heats' counts are left for fillHeatCounts.
QList<CaptureProgramRow> readMeetingRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                         int meetingNo, MeetingOrder order,
                                         const MeetingAthletes* athletesRead,
                                         bool heatsLater = false)
{
    QHash<qint64, CaptureProgramRow> events; // event -> a row with its event's columns
    {
        db::Cursor q(database,
                     QStringLiteral("select E.EVENTNO, ") + kEventColumns +
                         QStringLiteral(" from MYEVENT E left join COMBINED C on C.COMBINEDNO = "
                                        "E.COMBINEDNO and E.COMBINEDNO > 0 where E.MEETINGNO = ") +
                         db::sqlInt(meetingNo));
        const EventColumns columns(q);
        const int eventNo = q.column("EVENTNO");
        while (q.next())
            columns.read(q, items, events[q.integer(eventNo)]);
    }
    std::vector<SortedRow> sorted;
    {
        db::Cursor q(database, QStringLiteral("select ") + kProgramColumns +
                                   QStringLiteral(" from PROGRAM P where P.MEETINGNO = ") +
                                   db::sqlInt(meetingNo));
        const ProgramColumns columns(q);
        while (q.next()) {
            const auto event = events.constFind(q.integer(columns.eventNo));
            if (event == events.constEnd())
                continue; // as the join leaves it out
            SortedRow s{*event, q.isNull(columns.seq), q.isNull(columns.round),
                        q.isNull(columns.heatNo)};
            columns.read(q, s.row);
            sorted.push_back(std::move(s));
        }
    }
    std::sort(sorted.begin(), sorted.end(),
              [order](const SortedRow& a, const SortedRow& b) { return sortsBefore(a, b, order); });
    // Grouping the heats' rows costs the engine more than reading them.
    const QHash<QString, HeatCounts> counts =
        meetingCounts(database, meetingNo, athletesRead == nullptr && !heatsLater);
    QList<CaptureProgramRow> rows;
    rows.reserve(qsizetype(sorted.size()));
    for (SortedRow& s : sorted) {
        CaptureProgramRow& r = s.row;
        const HeatCounts c =
            athletesRead && !r.isFinal()
                ? athletesRead->heatCounts(r.eventNo, r.round, r.heatNo)
                : counts.value(countKey(r.eventNo, r.round, r.isFinal() ? 0 : r.heatNo));
        putCounts(r, c);
        rows.append(std::move(r));
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
        return readMeetingRows(database, items, meetingNo, MeetingOrder::Sequence, athletesRead);
    // By item types: the edition's order of groups and distances, then rounds as they run.
    QList<CaptureProgramRow> rows =
        readMeetingRows(database, items, meetingNo, MeetingOrder::SeqThenRow, athletesRead);
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

QList<CaptureProgramRow> captureProgramRowsBeforeHeats(db::DmdCoreDbs& database,
                                                       const meeting::ItemTypes& items,
                                                       int meetingNo)
{
    return readMeetingRows(database, items, meetingNo, MeetingOrder::Sequence, nullptr, true);
}

void fillHeatCounts(QList<CaptureProgramRow>& rows, const MeetingAthletes& athletes)
{
    for (CaptureProgramRow& r : rows) {
        if (r.isFinal())
            continue;
        putCounts(r, athletes.heatCounts(r.eventNo, r.round, r.heatNo));
    }
}

draw::ProgramLine programLine(const CaptureProgramRow& row)
{
    draw::ProgramLine line;
    line.programNo = row.programNo;
    line.eventNo = row.eventNo;
    line.itemCode = row.itemCode;
    line.format = row.heatFormat;
    line.round = row.round;
    line.heatNo = row.heatNo;
    line.day = row.day;
    line.time = row.startsAt;
    line.seq = row.seq;
    line.pit = row.pit;
    line.nAthlon = row.nAthlon;
    line.combinedNo = row.combinedNo;
    line.finalNotRun = row.finalNotRun ? 1 : 0;
    line.placedCount = row.placedCount;
    line.drawReleased = row.drawReleased;
    line.drawRevision = row.drawRevision;
    line.resultsReleased = row.resultsReleased;
    line.resultsRevision = row.resultsRevision;
    return line;
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
