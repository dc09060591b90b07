#include "sheets/lanetimesheets.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "sheets/sheetoptions.h"
#include "sheets/sheetwords.h"

#include <QHash>
#include <QTime>
#include <algorithm>

namespace sheets {

namespace {

const QString kLanesKey = QStringLiteral("PRINT_SHEET_TIME_SWIM_LANES_TO_PRINT");
const QString kPerPageKey = QStringLiteral("PRINT_SHEET_TIME_SWIM_EVENTS_PER_PAGE");

// Where a swimmer sits: event, round, heat and lane.
QString seatKey(qint64 eventNo, const QString& round, qint64 heatNo, qint64 lane)
{
    return QString::number(eventNo) + QLatin1Char('/') + round + QLatin1Char('/') +
           QString::number(heatNo) + QLatin1Char('/') + QString::number(lane);
}

struct Seat {
    QString team;
    QString swimmer;
};

QString swimmerText(const db::Query& q)
{
    QStringList parts;
    QString name = q.text("SURNAME").trimmed();
    const QString first = q.text("FIRSTNAME").trimmed();
    if (!first.isEmpty())
        name += QStringLiteral(", ") + first;
    parts << name << q.text("GENDER").trimmed();
    if (q.integer("AGE") > 0)
        parts << QString::number(q.integer("AGE"));
    for (const char* column : {"NUMBER", "BIRTHDATE"}) {
        const QString text = q.text(QString::fromLatin1(column)).trimmed();
        if (!text.isEmpty())
            parts << text;
    }
    return parts.join(QStringLiteral("  "));
}

// Everyone drawn in the meeting by seat; a final lane with two swimmers is reported once.
QHash<QString, Seat> readSeats(base::Run& run)
{
    QHash<QString, Seat> seats;
    const QString meetingNo = db::sqlInt(run.meeting().meetingNo());
    const QString athlete =
        QStringLiteral("A.SURNAME, A.FIRSTNAME, A.GENDER, A.AGE, A.NUMBER, A.BIRTHDATE, "
                       "T.TEAMNAME from ");
    const QString joins = QStringLiteral(" join ATHLETE A on A.ATHLETENO = X.ATHLETENO left join "
                                         "TEAM T on T.TEAMNO = A.TEAMNO where X.MEETINGNO = ");
    db::Query finals = run.database()->openQuery(
        QStringLiteral("select X.EVENTNO, 'F' as ROUND, 0 as HEATNO, X.LANE, ") + athlete +
        QStringLiteral("PARTICIPATE X") + joins + meetingNo + QStringLiteral(" and X.LANE > 0"));
    db::Query heats = run.database()->openQuery(
        QStringLiteral("select X.EVENTNO, X.ROUND, X.HEATNO, X.LANE, ") + athlete +
        QStringLiteral("HEATPART X") + joins + meetingNo + QStringLiteral(" and X.LANE > 0"));
    bool reported = false;
    for (db::Query* q : {&finals, &heats}) {
        for (q->first(); q->isOpen() && !q->eof(); q->next()) {
            const QString key = seatKey(q->integer("EVENTNO"), q->text("ROUND").trimmed(),
                                        q->integer("HEATNO"), q->integer("LANE"));
            if (seats.contains(key)) {
                if (q == &finals && !reported)
                    run.messages().internalError(
                        9129, QStringLiteral("More than one athletes for that final lane"));
                reported = true;
                continue;
            }
            seats.insert(key, {q->text("TEAMNAME").trimmed(), swimmerText(*q)});
        }
    }
    return seats;
}

} // namespace

LaneLimits defaultLaneLimits(base::Run& run)
{
    LaneLimits limits;
    const QString meetingNo = db::sqlInt(run.meeting().meetingNo());
    db::DmdCoreDbs& database = *run.database();
    const int heats =
        database
            .selectOneValue(QStringLiteral("coalesce(max(LANE), 0)"), QStringLiteral("HEATPART"),
                            QStringLiteral("MEETINGNO = ") + meetingNo)
            .toInt();
    const int finals =
        database
            .selectOneValue(QStringLiteral("coalesce(max(LANE), 0)"), QStringLiteral("PARTICIPATE"),
                            QStringLiteral("MEETINGNO = ") + meetingNo)
            .toInt();
    limits.lanes = std::max(heats, finals);
    if (limits.lanes == 0)
        limits.lanes = run.config().readInt(kLanesKey);
    limits.perPage = run.config().readInt(kPerPageKey);
    if (limits.perPage < 1)
        limits.perPage = 6;
    return limits;
}

QString laneLimitsProblem(const LaneLimits& limits)
{
    if (limits.lanes < 1 || limits.lanes > kMaxLanes)
        return QStringLiteral("Lanes to Print must be between 1 and 20");
    if (limits.perPage < 1 || limits.perPage > kMaxPerPage)
        return QStringLiteral("Events per Page must be between 1 and 12");
    return QString();
}

QString parseLaneLimits(const QString& lanes, const QString& perPage, LaneLimits* limits)
{
    QString last = lanes.trimmed();
    if (last.contains(QLatin1Char('-'))) {
        // Lanes are printed from lane 1; "1-8" names the last lane.
        const QString first = last.section(QLatin1Char('-'), 0, 0).trimmed();
        if (first != QLatin1String("1"))
            return QStringLiteral("Lanes to Print must be between 1 and 20");
        last = last.section(QLatin1Char('-'), 1).trimmed();
    }
    bool ok = false;
    limits->lanes = last.toInt(&ok);
    if (!ok)
        return QStringLiteral("Lanes to Print must be between 1 and 20");
    limits->perPage = perPage.trimmed().toInt(&ok);
    if (!ok)
        return QStringLiteral("Events per Page must be between 1 and 12");
    return laneLimitsProblem(*limits);
}

void saveLaneLimits(base::Run& run, const LaneLimits& limits)
{
    run.config().writeInt(kLanesKey, limits.lanes);
    run.config().writeInt(kPerPageKey, limits.perPage);
}

QList<LaneRow> laneRows(base::Run& run, const LaneLimits& limits)
{
    const meeting::ItemTypes& items = run.items();
    const SheetWords words(readSheetOptions(run.meeting()).afrikaans);
    db::Query program = run.database()->openQuery(
        QStringLiteral("select P.EVENTNO, P.ROUND, P.HEATNO, P.DAY_SEQ, P.SEQ, P.THETIME, "
                       "E.ITEMCODE from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO "
                       "where P.MEETINGNO = ") +
        db::sqlInt(run.meeting().meetingNo()) +
        QStringLiteral(" and (coalesce(E.FINAL_NOT_RUN, 0) = 0 or P.ROUND <> 'F') "
                       "order by P.DAY_SEQ, P.SEQ, P.THETIME, P.ROUND, P.HEATNO"));
    if (!program.isOpen() || program.isEmpty()) {
        run.messages().warning(QStringLiteral("No items to print"));
        return {};
    }
    const QHash<QString, Seat> seats = readSeats(run);
    const bool withRecords =
        run.database()->ZSqlCount(QStringLiteral("MEETINGSET"),
                                  QStringLiteral("MEETINGNO = ") +
                                      db::sqlInt(run.meeting().meetingNo())) > 0;
    records::RecordCheck check(*run.database(), items, run.meeting());
    const auto sets = records::setsWithPoints(run.meeting().recordSets());
    QHash<QString, QString> recordOfItem;
    auto recordLine = [&](const QString& itemCode) {
        if (!withRecords)
            return QString();
        const auto it = recordOfItem.constFind(itemCode);
        if (it != recordOfItem.cend())
            return *it;
        QStringList parts;
        for (const auto& [setNo, points] : sets) {
            Q_UNUSED(points);
            const QString record = check.recordOf(setNo, itemCode).trimmed();
            if (!record.isEmpty())
                parts << check.abbreviationOf(setNo).trimmed() + QStringLiteral(": ") + record;
        }
        return *recordOfItem.insert(itemCode, parts.join(QStringLiteral("  ")));
    };
    // The program once; the lanes repeat it. Joining a scratch table of the lanes 1..n
    // (T_LANE) with the program gives the same rows in the same order, lane by lane; the
    // lanes are a loop here so that two computers printing at once share no table.
    QList<LaneRow> once;
    QList<QString> seatPrefixes;
    for (program.first(); !program.eof(); program.next()) {
        LaneRow row;
        const QString itemCode = program.text("ITEMCODE").trimmed();
        const QString round = program.text("ROUND").trimmed();
        row.seq = int(program.integer("SEQ"));
        row.day = int(program.integer("DAY_SEQ"));
        const QTime time = program.value("THETIME").toTime();
        row.time = time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
        row.item = items.ItemDescription(itemCode, words.afrikaans());
        row.round = round == QLatin1String("F")
                        ? words("Final")
                        : round + QLatin1Char(' ') + QString::number(program.integer("HEATNO"));
        row.record = recordLine(itemCode);
        once << row;
        seatPrefixes
            << seatKey(program.integer("EVENTNO"), round, program.integer("HEATNO"), 0).chopped(1);
    }
    QList<LaneRow> rows;
    rows.reserve(once.size() * limits.lanes);
    for (int lane = 1; lane <= limits.lanes; ++lane) {
        for (qsizetype i = 0; i < once.size(); ++i) {
            LaneRow row = once[i];
            row.lane = lane;
            const auto seat = seats.constFind(seatPrefixes[i] + QString::number(lane));
            if (seat != seats.cend()) {
                row.team = seat->team;
                row.swimmer = seat->swimmer;
            }
            rows << row;
        }
    }
    return rows;
}

QList<SheetPage> lanePages(base::Run& run, const QList<LaneRow>& rows, const LaneLimits& limits)
{
    QList<SheetPage> pages;
    const SheetWords words(readSheetOptions(run.meeting()).afrikaans);
    const QString printed =
        words("Printed: ") + run.now().toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    for (const LaneRow& row : rows) {
        const QString group = QStringLiteral("LANE : ") + QString::number(row.lane);
        if (pages.isEmpty() || pages.last().rows.size() >= limits.perPage ||
            pages.last().rows.last().group != group) {
            SheetPage page;
            page.kind = QStringLiteral("LaneTime");
            page.title = words("Lane Timesheet");
            page.event = page.title;
            page.facts << group;
            page.printed = printed;
            page.columns = {words("Day"),        QStringLiteral("Seq"), words("Lane"),
                            words("Event"),      words("Heat"),         words("Time"),
                            words("Swimmer"),    QStringLiteral("1"),   QStringLiteral("2"),
                            QStringLiteral("3"), QStringLiteral("DQ"),  words("Record")};
            page.widths = {4, 4, 4, 18, 6, 6, 22, 9, 9, 9, 4, 7};
            page.rowUnits = kDetailUnits / limits.perPage;
            pages << page;
        }
        QString event = row.item;
        if (!row.record.isEmpty())
            event += QLatin1Char('\n') + row.record;
        QString swimmer = row.team;
        if (!row.swimmer.isEmpty())
            swimmer += QLatin1Char('\n') + row.swimmer;
        pages.last().rows.append({{QString::number(row.day), QString::number(row.seq),
                                   QString::number(row.lane), event, row.round, row.time, swimmer},
                                  group});
    }
    return pages;
}

} // namespace sheets
