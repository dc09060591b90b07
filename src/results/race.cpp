#include "results/race.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace results {

std::optional<ProgramRace> readProgramRace(db::DmdCoreDbs& database, qint64 programNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select P.PROGRAMNO, P.MEETINGNO, P.EVENTNO, P.ROUND, P.HEATNO, "
                       "E.ITEMCODE, coalesce(E.N_ATHLON, 0) as N_ATHLON, "
                       "coalesce(E.COMBINEDNO, 0) as COMBINEDNO, "
                       "coalesce(E.FINAL_NOT_RUN, 0) as FINAL_NOT_RUN "
                       "from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO "
                       "where P.PROGRAMNO = ") +
        db::sqlInt(programNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    ProgramRace race;
    race.programNo = programNo;
    race.meetingNo = int(q.integer("MEETINGNO"));
    race.eventNo = q.integer("EVENTNO");
    race.round = q.text("ROUND").trimmed();
    race.heatNo = int(q.integer("HEATNO"));
    race.itemCode = q.text("ITEMCODE").trimmed();
    race.nAthlon = int(q.integer("N_ATHLON"));
    race.combinedNo = q.integer("COMBINEDNO");
    race.finalNotRun = q.integer("FINAL_NOT_RUN") == 1;
    return race;
}

RaceScope RaceScope::final(qint64 eventNo, const QString& itemCode)
{
    return {QStringLiteral("PARTICIPATE"), QStringLiteral("PARTNO"),
            QStringLiteral("R.EVENTNO = ") + db::sqlInt(eventNo), itemCode};
}

RaceScope RaceScope::heat(qint64 eventNo, const QString& round, int heatNo, const QString& itemCode)
{
    if (round == QLatin1String("F"))
        return final(eventNo, itemCode);
    return {QStringLiteral("HEATPART"), QStringLiteral("HEATPARTNO"),
            QStringLiteral("R.EVENTNO = ") + db::sqlInt(eventNo) +
                QStringLiteral(" and R.ROUND = ") + db::quoted(round) +
                QStringLiteral(" and R.HEATNO = ") + db::sqlInt(heatNo),
            itemCode};
}

RaceScope RaceScope::combined(qint64 combinedNo, const QString& itemCode)
{
    return {QStringLiteral("PARTICIPATE"), QStringLiteral("PARTNO"),
            QStringLiteral("R.EVENTNO in (select C.EVENTNO from MYEVENT C where C.COMBINEDNO = ") +
                db::sqlInt(combinedNo) + QLatin1Char(')'),
            itemCode};
}

RaceScope RaceScope::of(const ProgramRace& race)
{
    return heat(race.eventNo, race.round, race.heatNo, race.itemCode);
}

QList<RaceRow> readRaceRows(db::DmdCoreDbs& database, const RaceScope& scope, bool* ok)
{
    db::Query q = database.openQuery(
        QStringLiteral("select R.") + scope.keyColumn + QStringLiteral(" as ROWKEY, R.EVENTNO, ") +
        (scope.table == QLatin1String("HEATPART") ? QStringLiteral("R.ROUND, R.HEATNO")
                                                  : QStringLiteral("'F' as ROUND, 0 as HEATNO")) +
        QStringLiteral(", coalesce(R.ATHLETENO, 0) as ATHLETENO, "
                       "coalesce(R.PERFORMANCE, '') as PERFORMANCE, "
                       "coalesce(R.THIRD_DIGIT, '') as THIRD_DIGIT, "
                       "coalesce(R.E_PLACE, 0) as E_PLACE, coalesce(R.T_EMPTY, 0) as T_EMPTY, "
                       "coalesce(R.PLACE, 0) as PLACE, "
                       "coalesce(R.PLACESHARECOUNT, 0) as PLACESHARECOUNT, "
                       "coalesce(T.LEAGUE, 0) as LEAGUE, coalesce(A.AGE, 0) as AGE, "
                       "coalesce(R.LANE, 0) as LANE, coalesce(R.DISQ_STATUS, 0) as DISQ_STATUS "
                       "from ") +
        scope.table +
        QStringLiteral(" R left join ATHLETE A on A.ATHLETENO = R.ATHLETENO "
                       "left join TEAM T on T.TEAMNO = A.TEAMNO where ") +
        scope.where + QStringLiteral(" order by R.") + scope.keyColumn);
    if (ok)
        *ok = q.isOpen();
    QList<RaceRow> rows;
    rows.reserve(q.recordCount());
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        RaceRow row;
        row.key = q.integer("ROWKEY");
        row.eventNo = q.integer("EVENTNO");
        row.round = q.text("ROUND").trimmed();
        row.heatNo = int(q.integer("HEATNO"));
        row.athleteNo = q.integer("ATHLETENO");
        row.performance = q.text("PERFORMANCE").trimmed();
        row.thirdDigit = q.text("THIRD_DIGIT").trimmed();
        row.ePlace = int(q.integer("E_PLACE"));
        row.tEmpty = int(q.integer("T_EMPTY"));
        row.storedTEmpty = row.tEmpty;
        row.place = int(q.integer("PLACE"));
        row.shareCount = int(q.integer("PLACESHARECOUNT"));
        row.league = int(q.integer("LEAGUE"));
        row.age = int(q.integer("AGE"));
        row.lane = int(q.integer("LANE"));
        row.status = int(q.integer("DISQ_STATUS"));
        rows.append(row);
    }
    return rows;
}

QString caseUpdateSql(const QString& table, const QString& keyColumn, const QStringList& columns,
                      const QList<RowValues>& rows)
{
    if (rows.isEmpty())
        return QString();
    QStringList keys;
    for (const RowValues& row : rows)
        keys.append(db::sqlInt(row.key));
    QStringList sets;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        QString set = columns[c] + QStringLiteral(" = case ") + keyColumn;
        for (const RowValues& row : rows)
            set += QStringLiteral(" when ") + db::sqlInt(row.key) + QStringLiteral(" then ") +
                   db::sqlInt(row.values.value(c));
        sets.append(set + QStringLiteral(" end"));
    }
    return QStringLiteral("update ") + table + QStringLiteral(" set ") +
           sets.join(QStringLiteral(", ")) + QStringLiteral(" where ") + keyColumn +
           QStringLiteral(" in (") + keys.join(QLatin1Char(',')) + QLatin1Char(')');
}

RowWriter::RowWriter(db::DmdCoreDbs& database) : m_database(database)
{
    if (!m_database.batchActive()) {
        m_ownBatch = true;
        m_ok = m_database.startBatch();
    }
}

RowWriter::~RowWriter()
{
    if (m_ownBatch && !m_finished)
        m_database.rollbackBatch();
}

bool RowWriter::execute(const QString& sql)
{
    if (!m_ok)
        return false;
    m_ok = m_ownBatch ? m_database.batchExecute(sql) : m_database.execute(sql);
    return m_ok;
}

bool RowWriter::finish()
{
    m_finished = true;
    if (!m_ownBatch)
        return m_ok;
    if (!m_ok) {
        m_database.rollbackBatch();
        return false;
    }
    m_ok = m_database.commitBatch();
    return m_ok;
}

} // namespace results
