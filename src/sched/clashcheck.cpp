#include "sched/clashcheck.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"
#include "db/statementblocks.h"
#include "sched/stationrows.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace sched {

namespace {

constexpr double kMaxFactor = 10000;
// A station row shorter than 0.6 seconds is taken as that long, so the ratio stays finite.
constexpr double kShortestStationDuration = 1.0 / 144000.0;

void progress(base::Messages& messages, const QString& text)
{
    messages.progress(QStringLiteral("Analyze Clashes"), text);
}

} // namespace

double athleteFactor(double actual, double desired)
{
    if (desired * 1440.0 < 1.0 - 1e-9)
        return 1;
    return std::min(kMaxFactor, std::nearbyint(actual / desired * 100.0));
}

QList<RestPair> restPairs(const QList<RestRow>& rows, const Durations& durations,
                          const RestGuidelines& guidelines, base::Messages& messages)
{
    QList<RestPair> pairs;
    for (int i = 1; i < rows.size(); ++i) {
        const RestRow& before = rows[i - 1];
        const RestRow& r = rows[i];
        if (r.athleteNo != before.athleteNo)
            continue;
        RestPair p;
        p.athleteNo = r.athleteNo;
        p.programNo1 = before.programNo;
        p.programNo2 = r.programNo;
        p.actual = r.start - before.stop;
        p.desired = guidelines.minutes(durations.restClass(before.itemCode),
                                       durations.restClass(r.itemCode), messages) *
                    kMinute;
        p.factor = athleteFactor(p.actual, p.desired);
        pairs.append(p);
    }
    return pairs;
}

ClashCheck::ClashCheck(base::Run& run) : m_run(run) {}

bool ClashCheck::ensureWorkTables(db::DmdCoreDbs& database)
{
    if (database.tableExists(QStringLiteral("T_SCHED_CLASH")))
        return true;
    QFile file(QStringLiteral(":/schema/60_scheduler_tables.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QString& statement : db::splitScript(QString::fromUtf8(file.readAll()))) {
        if (!database.execute(statement))
            return false;
    }
    return true;
}

bool ClashCheck::collectProgram()
{
    db::DmdCoreDbs& database = *m_run.database();
    base::Messages& messages = m_run.messages();
    if (!ensureWorkTables(database))
        return false;
    progress(messages, QStringLiteral("Collect the Program"));
    const StationRows program(m_run);
    const Durations& durations = program.durations();
    progress(messages, QStringLiteral("Update the Program"));
    if (!database.startBatch())
        return false;
    db::StatementBlocks inserts(database);
    bool ok = database.batchExecute(QStringLiteral("delete from T_SCHED_PROGRAM"));
    // In the order of the printed program.
    QList<StationRow> rows = program.all();
    std::stable_sort(rows.begin(), rows.end(),
                     [](const StationRow& a, const StationRow& b) { return a.seq < b.seq; });
    for (const StationRow& r : rows) {
        if (!ok)
            break;
        // The estimate of the event, as the checks have always measured a row.
        const double duration =
            durations.rowDuration(r.itemCode, r.round, r.estimated, r.setTwoCount);
        const double start = dayFraction(r.time);
        ok = inserts.add(
            QStringLiteral("insert into T_SCHED_PROGRAM (PROGRAMNO, ITEMCODE, N_ATHLON, "
                           "ATHLETE_COUNT, SET_TWO_COUNT, DAY_SEQ, TIME_START, DURATION, "
                           "TIME_STOP, STATION_TYPE, TRACK_TYPE, STATION_PIT, TRACK_OR_FIELD, "
                           "EVENT_ROUND, CLASS_GROUP) values (") +
            db::sqlInt(r.programNo) + QLatin1Char(',') + db::quoted(r.itemCode) +
            QStringLiteral(",0,") + db::sqlInt(r.estimated) + QLatin1Char(',') +
            db::sqlInt(r.setTwoCount) + QLatin1Char(',') + db::sqlInt(r.day) + QLatin1Char(',') +
            db::sqlReal(start) + QLatin1Char(',') + db::sqlReal(duration) + QLatin1Char(',') +
            db::sqlReal(start + duration) + QLatin1Char(',') + db::quoted(r.station.type) +
            QLatin1Char(',') + db::quoted(durations.trackType(r.itemCode)) + QLatin1Char(',') +
            db::quoted(r.station.pit) + QLatin1Char(',') +
            db::quoted(r.station.isTrack() ? QStringLiteral("T") : QStringLiteral("F")) +
            QLatin1Char(',') + db::quoted(QString::number(r.eventNo) + QLatin1Char('#') + r.round) +
            QStringLiteral(",0)"));
    }
    if (!ok || !inserts.flush()) {
        database.rollbackBatch();
        messages.progressDone();
        return false;
    }
    messages.progressDone();
    return database.commitBatch();
}

bool ClashCheck::collectParticipations()
{
    db::DmdCoreDbs& database = *m_run.database();
    progress(m_run.messages(), QStringLiteral("Collecting Participations"));
    // Finals take the event's entries; heats the competitors drawn into them.
    const bool ok = database.startBatch() &&
                    database.batchExecute(QStringLiteral("delete from T_SCHED_PART")) &&
                    database.batchExecute(QStringLiteral(
                        "insert into T_SCHED_PART (DUMMYNO, PROGRAMNO, ATHLETENO) "
                        "select next value for GEN_GLOBAL_NO, S.PROGRAMNO, PA.ATHLETENO "
                        "from T_SCHED_PROGRAM S join PROGRAM P on P.PROGRAMNO = S.PROGRAMNO "
                        "join PARTICIPATE PA on PA.EVENTNO = P.EVENTNO where P.ROUND = 'F'")) &&
                    database.batchExecute(QStringLiteral(
                        "insert into T_SCHED_PART (DUMMYNO, PROGRAMNO, ATHLETENO) "
                        "select next value for GEN_GLOBAL_NO, S.PROGRAMNO, H.ATHLETENO "
                        "from T_SCHED_PROGRAM S join PROGRAM P on P.PROGRAMNO = S.PROGRAMNO "
                        "join HEATPART H on H.EVENTNO = P.EVENTNO and H.ROUND = P.ROUND "
                        "and H.HEATNO = P.HEATNO where P.ROUND <> 'F'"));
    m_run.messages().progressDone();
    if (!ok) {
        if (database.batchActive())
            database.rollbackBatch();
        return false;
    }
    return database.commitBatch();
}

bool ClashCheck::checkAthletes()
{
    db::DmdCoreDbs& database = *m_run.database();
    base::Messages& messages = m_run.messages();
    if (!checkNoEmptyGuidelines(m_run) || !confirmTimeParameters(m_run))
        return false;
    progress(messages, QStringLiteral("Checking data"));
    const int entries =
        database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                           QStringLiteral("MEETINGNO = ") + db::sqlInt(m_run.currentMeetingNo()) +
                               QStringLiteral(" and EVENTNO is not null"));
    messages.progressDone();
    if (entries == 0) {
        messages.warning(QStringLiteral("No participations to detect clashes for"));
        return false;
    }
    if (!collectProgram() || !collectParticipations())
        return false;
    progress(messages, QStringLiteral("Collect resting periods"));
    QList<RestRow> rows;
    {
        db::Query q = database.openQuery(QStringLiteral(
            "select SP.ATHLETENO, SP.PROGRAMNO, S.ITEMCODE, S.DAY_SEQ + S.TIME_START as STARTS, "
            "S.DAY_SEQ + S.TIME_STOP as STOPS from T_SCHED_PART SP "
            "join T_SCHED_PROGRAM S on S.PROGRAMNO = SP.PROGRAMNO "
            "order by SP.ATHLETENO, S.DAY_SEQ, S.TIME_START"));
        rows.reserve(q.recordCount());
        for (q.first(); !q.eof(); q.next()) {
            rows.append({q.integer("ATHLETENO"), q.integer("PROGRAMNO"),
                         q.text("ITEMCODE").trimmed(), q.value("STARTS").toDouble(),
                         q.value("STOPS").toDouble()});
        }
    }
    messages.progressDone();
    if (rows.isEmpty()) {
        database.execute(QStringLiteral("delete from T_SCHED_CLASH"));
        messages.warning(QStringLiteral(
            "According to the \"Clashes to Display\" setting for the\rgraphs, the athlete "
            "clashes must be displayed, but\rthere are no Athletes participating in any "
            "Events."));
        return false;
    }
    const Durations durations(m_run.items(), TimeParameters::of(m_run.meeting()));
    return insertClashes(restPairs(rows, durations, restGuidelinesOf(m_run), messages), {});
}

bool ClashCheck::checkStations()
{
    db::DmdCoreDbs& database = *m_run.database();
    base::Messages& messages = m_run.messages();
    if (!confirmTimeParameters(m_run))
        return false;
    progress(messages, QStringLiteral("Checking data"));
    const int rows =
        database.ZSqlCount(QStringLiteral("PROGRAM"),
                           QStringLiteral("MEETINGNO = ") + db::sqlInt(m_run.currentMeetingNo()));
    messages.progressDone();
    if (rows == 0) {
        messages.warning(QStringLiteral("No program to detect clashes for"));
        return false;
    }
    if (!collectProgram())
        return false;
    progress(messages, QStringLiteral("Collect resting periods"));
    QList<RestPair> pairs;
    QList<QString> stations;
    {
        db::Query q = database.openQuery(QStringLiteral(
            "select PROGRAMNO, STATION_TYPE, STATION_PIT, DAY_SEQ + TIME_START as STARTS, "
            "DAY_SEQ + TIME_STOP as STOPS from T_SCHED_PROGRAM "
            "order by STATION_TYPE, STATION_PIT, DAY_SEQ, TIME_START"));
        QString lastKey;
        qint64 lastProgramNo = 0;
        double lastStart = 0;
        double lastStop = 0;
        for (q.first(); !q.eof(); q.next()) {
            const QString type = q.text("STATION_TYPE").trimmed();
            const QString pit = q.text("STATION_PIT").trimmed();
            const QString key = type + QLatin1Char('\x1f') + pit;
            const double start = q.value("STARTS").toDouble();
            if (q.position() > 0 && key == lastKey) {
                RestPair p;
                p.programNo1 = lastProgramNo;
                p.programNo2 = q.integer("PROGRAMNO");
                p.actual = start - lastStart;
                p.desired = std::max(lastStop - lastStart, kShortestStationDuration);
                p.factor = p.actual / p.desired;
                pairs.append(p);
                stations.append(key);
            }
            lastKey = key;
            lastProgramNo = q.integer("PROGRAMNO");
            lastStart = start;
            lastStop = q.value("STOPS").toDouble();
        }
    }
    messages.progressDone();
    return insertClashes(pairs, stations);
}

bool ClashCheck::insertClashes(const QList<RestPair>& pairs, const QList<QString>& stations)
{
    db::DmdCoreDbs& database = *m_run.database();
    if (!database.startBatch())
        return false;
    db::StatementBlocks inserts(database);
    bool ok = database.batchExecute(QStringLiteral("delete from T_SCHED_CLASH"));
    for (int i = 0; i < pairs.size() && ok; ++i) {
        const RestPair& p = pairs[i];
        QString station = QStringLiteral("null,null");
        if (i < stations.size())
            station = db::quoted(stations[i].section(QLatin1Char('\x1f'), 0, 0)) +
                      QLatin1Char(',') + db::quoted(stations[i].section(QLatin1Char('\x1f'), 1));
        ok = inserts.add(
            QStringLiteral("insert into T_SCHED_CLASH (DUMMYNO, STATION_TYPE, STATION_PIT, "
                           "ATHLETENO, PROGRAMNO_1, PROGRAMNO_2, ACTUAL_REST, DESIRED_REST, "
                           "FACTOR) values (next value for GEN_GLOBAL_NO, ") +
            station + QLatin1Char(',') +
            (p.athleteNo ? db::sqlInt(p.athleteNo) : QStringLiteral("null")) + QLatin1Char(',') +
            db::sqlInt(p.programNo1) + QLatin1Char(',') + db::sqlInt(p.programNo2) +
            QLatin1Char(',') + db::sqlReal(p.actual) + QLatin1Char(',') + db::sqlReal(p.desired) +
            QLatin1Char(',') + db::sqlReal(p.factor) + QLatin1Char(')'));
    }
    if (!ok || !inserts.flush()) {
        database.rollbackBatch();
        return false;
    }
    return database.commitBatch();
}

} // namespace sched
