#include "draw/drawstore.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "db/statement.h"

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
    QList<qint64> keys;
    if (!final && !candidates.isEmpty()) {
        keys = m_db.nextKeyNumbers(int(candidates.size()));
        if (keys.isEmpty()) {
            m_failure = QStringLiteral("No key numbers could be drawn.");
            return false;
        }
    }
    qsizetype nextKey = 0;
    // A transaction of its own: the old draw goes and the new one comes together or not
    // at all, whatever else the run has open.
    db::FbAttachment* attachment = m_db.attachment();
    db::FbTransaction transaction(db::TransactionKind::Modify);
    db::DbError error;
    if (!attachment || !transaction.start(*attachment, &error)) {
        m_failure = attachment ? error.message : QStringLiteral("Not connected.");
        return false;
    }
    bool ok = true;
    for (const QString& sql : statements) {
        ok = ok && db::fbExecute(*attachment, transaction, sql, &error);
    }
    if (ok && !candidates.isEmpty()) {
        // One prepared statement for all the rows: a draw writes as fast as the engine
        // takes the rows.
        const std::unique_ptr<db::Statement> row = db::Statement::prepare(
            *attachment, transaction,
            final ? QStringLiteral("update PARTICIPATE set LANE = ? where EVENTNO = ? "
                                   "and ATHLETENO = ? and MEETINGNO = ?")
                  : QStringLiteral("insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, "
                                   "HEATNO, ATHLETENO, LANE, MEETINGNO, DISQ_STATUS, "
                                   "PERFORMANCE, PLACE, E_PLACE) values (?, ?, ?, ?, ?, "
                                   "?, ?, 0, '', 0, 0)"),
            &error);
        ok = row != nullptr;
        for (const DrawCandidate& c : candidates) {
            if (!ok)
                break;
            ok = final ? row->execute(transaction, {c.lane, c.eventNo, c.athleteNo, m_meetingNo},
                                      &error)
                       : row->execute(transaction,
                                      {keys[nextKey++], c.eventNo, round, c.heat, c.athleteNo,
                                       c.lane, m_meetingNo},
                                      &error);
        }
    }
    if (!ok || !transaction.commit(&error)) {
        m_failure = error.message;
        transaction.rollback(nullptr);
        return false;
    }
    m_db.refreshReads();
    return true;
}

} // namespace draw
