#include "draw/drawstore.h"

#include "db/dmdcoredbs.h"
#include "db/statement.h"

namespace draw {

struct DrawStore::Statements {
    std::unique_ptr<db::Statement> clearHeats;
    std::unique_ptr<db::Statement> clearFinal;
    std::unique_ptr<db::Statement> lastDrawn;
    std::unique_ptr<db::Statement> heatRow;
    std::unique_ptr<db::Statement> finalLane;
};

DrawStore::DrawStore(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

DrawStore::~DrawStore() = default;

bool DrawStore::clear(qint64 eventNo, const QString& round)
{
    return run({eventNo}, false, round, {});
}

bool DrawStore::store(const QList<qint64>& eventNos, const QString& round,
                      const CandidateList& candidates)
{
    return run(eventNos, true, round, candidates);
}

bool DrawStore::reserveKeys(int count)
{
    const QList<qint64> keys = m_db.nextKeyNumbers(count);
    m_keys << keys;
    return keys.size() == count;
}

QList<qint64> DrawStore::takeKeys(int count)
{
    if (count <= 0)
        return {};
    if (m_keys.size() >= count) {
        const QList<qint64> keys = m_keys.first(count);
        m_keys.remove(0, count);
        return keys;
    }
    return m_db.nextKeyNumbers(count);
}

bool DrawStore::prepare(db::FbAttachment& attachment)
{
    if (m_statements && m_preparedOn == &attachment)
        return true;
    m_statements.reset();
    // Statements belong to the connection, not to a transaction: prepared in a short
    // transaction of their own, they serve every draw's transaction after.
    db::FbTransaction transaction(db::TransactionKind::Modify);
    db::DbError error;
    if (!transaction.start(attachment, &error)) {
        m_failure = error.message;
        return false;
    }
    auto statements = std::make_unique<Statements>();
    const auto prepareOne = [&](const char* sql) {
        return db::Statement::prepare(attachment, transaction, QString::fromLatin1(sql), &error);
    };
    statements->clearHeats =
        prepareOne("delete from HEATPART where EVENTNO = ? and MEETINGNO = ? and ROUND = ?");
    statements->clearFinal =
        prepareOne("update PARTICIPATE set LANE = 0 where EVENTNO = ? and MEETINGNO = ?");
    statements->lastDrawn = prepareOne("update MYEVENT set LASTROUNDDRAWN = ? where EVENTNO = ?");
    statements->heatRow = prepareOne(
        "insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, HEATNO, ATHLETENO, LANE, MEETINGNO, "
        "DISQ_STATUS, PERFORMANCE, PLACE, E_PLACE) values (?, ?, ?, ?, ?, ?, ?, 0, '', 0, 0)");
    statements->finalLane = prepareOne("update PARTICIPATE set LANE = ? where EVENTNO = ? and "
                                       "ATHLETENO = ? and MEETINGNO = ?");
    transaction.commit(nullptr);
    if (!statements->clearHeats || !statements->clearFinal || !statements->lastDrawn ||
        !statements->heatRow || !statements->finalLane) {
        m_failure = error.message;
        return false;
    }
    m_statements = std::move(statements);
    m_preparedOn = &attachment;
    return true;
}

bool DrawStore::run(const QList<qint64>& eventNos, bool setLastDrawn, const QString& round,
                    const CandidateList& candidates)
{
    m_failure.clear();
    db::FbAttachment* attachment = m_db.attachment();
    if (!attachment) {
        m_failure = QStringLiteral("Not connected.");
        return false;
    }
    if (!prepare(*attachment))
        return false;
    const bool final = round == QLatin1String("F");
    const QList<qint64> keys = final ? QList<qint64>() : takeKeys(int(candidates.size()));
    if (keys.size() < (final ? 0 : candidates.size())) {
        m_failure = QStringLiteral("No key numbers could be drawn.");
        return false;
    }
    // A transaction of its own: the old draw goes and the new one comes together or not
    // at all, whatever else the run has open.
    db::FbTransaction transaction(db::TransactionKind::Modify);
    db::DbError error;
    if (!transaction.start(*attachment, &error)) {
        m_failure = error.message;
        return false;
    }
    Statements& s = *m_statements;
    bool ok = true;
    for (qint64 eventNo : eventNos) {
        ok = ok &&
             (final ? s.clearFinal->execute(transaction, {eventNo, m_meetingNo}, &error)
                    : s.clearHeats->execute(transaction, {eventNo, m_meetingNo, round}, &error));
        ok = ok && (!setLastDrawn || s.lastDrawn->execute(transaction, {round, eventNo}, &error));
    }
    qsizetype nextKey = 0;
    for (const DrawCandidate& c : candidates) {
        if (!ok)
            break;
        ok = final ? s.finalLane->execute(transaction,
                                          {c.lane, c.eventNo, c.athleteNo, m_meetingNo}, &error)
                   : s.heatRow->execute(transaction,
                                        {keys[nextKey++], c.eventNo, round, c.heat, c.athleteNo,
                                         c.lane, m_meetingNo},
                                        &error);
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
