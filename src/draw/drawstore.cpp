#include "draw/drawstore.h"

#include "db/dmdcoredbs.h"
#include "db/preparedstatement.h"
#include "db/sqltext.h"

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
        db::PreparedStatement row(
            *attachment, transaction,
            final ? QStringLiteral("update PARTICIPATE set LANE = ? where EVENTNO = ? "
                                   "and ATHLETENO = ? and MEETINGNO = ?")
                  : QStringLiteral("insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, "
                                   "HEATNO, ATHLETENO, LANE, MEETINGNO, DISQ_STATUS, "
                                   "PERFORMANCE, PLACE, E_PLACE) values (?, ?, ?, ?, ?, "
                                   "?, ?, 0, '', 0, 0)"));
        ok = row.isValid();
        for (const DrawCandidate& c : candidates) {
            if (!ok)
                break;
            if (final) {
                row.setInt(0, c.lane);
                row.setInt(1, c.eventNo);
                row.setInt(2, c.athleteNo);
                row.setInt(3, m_meetingNo);
            } else {
                row.setInt(0, keys[nextKey++]);
                row.setInt(1, c.eventNo);
                row.setText(2, round);
                row.setInt(3, c.heat);
                row.setInt(4, c.athleteNo);
                row.setInt(5, c.lane);
                row.setInt(6, m_meetingNo);
            }
            ok = row.execute();
        }
        if (!ok)
            error = row.error();
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
