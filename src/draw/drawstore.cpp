#include "draw/drawstore.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "db/statementblocks.h"

namespace draw {

QString DrawStore::clearStatement(qint64 eventNo, const QString& round) const
{
    const QString where = QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo) +
                          QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_meetingNo);
    if (round == QLatin1String("F"))
        return QStringLiteral("update PARTICIPATE set LANE = 0") + where;
    return QStringLiteral("delete from HEATPART") + where + QStringLiteral(" and ROUND = ") +
           db::quoted(round);
}

bool DrawStore::clear(qint64 eventNo, const QString& round)
{
    return run({clearStatement(eventNo, round)}, round, {});
}

bool DrawStore::store(const QList<qint64>& eventNos, const QString& round,
                      const CandidateList& candidates)
{
    QStringList statements;
    for (qint64 eventNo : eventNos) {
        statements << clearStatement(eventNo, round)
                   << QStringLiteral("update MYEVENT set LASTROUNDDRAWN = ") + db::quoted(round) +
                          QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo);
    }
    return run(statements, round, candidates);
}

bool DrawStore::run(const QStringList& statements, const QString& round,
                    const CandidateList& candidates)
{
    m_failure.clear();
    const bool final = round == QLatin1String("F");
    qint64 key = 0;
    if (!final && !candidates.isEmpty()) {
        key = db::StatementBlocks::reserveKeys(m_db, int(candidates.size()), &m_failure);
        if (key == 0)
            return false;
    }
    if (!m_db.startBatch()) {
        m_failure = m_db.lastError().message;
        return false;
    }
    db::StatementBlocks blocks(m_db);
    bool ok = true;
    for (const QString& sql : statements)
        ok = ok && blocks.add(sql);
    for (const DrawCandidate& c : candidates) {
        if (!ok)
            break;
        if (final) {
            ok = blocks.add(QStringLiteral("update PARTICIPATE set LANE = ") + db::sqlInt(c.lane) +
                            QStringLiteral(" where EVENTNO = ") + db::sqlInt(c.eventNo) +
                            QStringLiteral(" and ATHLETENO = ") + db::sqlInt(c.athleteNo) +
                            QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_meetingNo));
        } else {
            ok = blocks.add(QStringLiteral("insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, "
                                           "HEATNO, ATHLETENO, LANE, MEETINGNO, DISQ_STATUS, "
                                           "PERFORMANCE, PLACE, E_PLACE) values (") +
                            db::sqlInt(key++) + QLatin1Char(',') + db::sqlInt(c.eventNo) +
                            QLatin1Char(',') + db::quoted(round) + QLatin1Char(',') +
                            db::sqlInt(c.heat) + QLatin1Char(',') + db::sqlInt(c.athleteNo) +
                            QLatin1Char(',') + db::sqlInt(c.lane) + QLatin1Char(',') +
                            db::sqlInt(m_meetingNo) + QStringLiteral(",0,'',0,0)"));
        }
    }
    ok = ok && blocks.flush();
    if (!ok) {
        m_failure = blocks.failure();
        m_db.rollbackBatch();
        return false;
    }
    if (!m_db.commitBatch()) {
        m_failure = m_db.lastError().message;
        return false;
    }
    return true;
}

} // namespace draw
