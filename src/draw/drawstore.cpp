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
    std::unique_ptr<db::Statement> eventStart;
    std::unique_ptr<db::Statement> eventUndo;
    std::unique_ptr<db::Statement> eventKept;
};

DrawStore::DrawStore(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

DrawStore::~DrawStore()
{
    if (m_batch)
        m_batch->rollback(nullptr);
}

void DrawStore::beginBatch()
{
    m_batching = true;
}

bool DrawStore::commitBatch()
{
    if (!m_batch)
        return true;
    db::DbError error;
    const bool ok = m_batch->commit(&error);
    if (!ok) {
        m_failure = error.message;
        m_batch->rollback(nullptr);
        ++m_batchLosses;
    }
    m_batch.reset();
    m_db.refreshReads();
    return ok;
}

bool DrawStore::endBatch()
{
    const bool ok = commitBatch();
    m_batching = false;
    return ok;
}

bool DrawStore::clear(const QList<qint64>& eventNos, const QString& round)
{
    return run(eventNos, false, round, {});
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
    // Only where it changes: an update with the same value still leaves an old record version
    // behind, and removing those later writes their pages at once, one by one.
    statements->lastDrawn =
        prepareOne("update MYEVENT set LASTROUNDDRAWN = ? where EVENTNO = ? and "
                   "LASTROUNDDRAWN is distinct from ?");
    statements->heatRow = prepareOne(
        "insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, HEATNO, ATHLETENO, LANE, MEETINGNO, "
        "DISQ_STATUS, PERFORMANCE, PLACE, E_PLACE) values (?, ?, ?, ?, ?, ?, ?, 0, '', 0, 0)");
    statements->finalLane = prepareOne("update PARTICIPATE set LANE = ? where EVENTNO = ? and "
                                       "ATHLETENO = ? and MEETINGNO = ?");
    statements->eventStart = prepareOne("savepoint DRAW_EVENT");
    statements->eventUndo = prepareOne("rollback to savepoint DRAW_EVENT");
    statements->eventKept = prepareOne("release savepoint DRAW_EVENT only");
    transaction.commit(nullptr);
    if (!statements->clearHeats || !statements->clearFinal || !statements->lastDrawn ||
        !statements->heatRow || !statements->finalLane || !statements->eventStart ||
        !statements->eventUndo || !statements->eventKept) {
        m_failure = error.message;
        return false;
    }
    m_statements = std::move(statements);
    m_preparedOn = &attachment;
    return true;
}

bool DrawStore::write(db::FbTransaction& transaction, const QList<qint64>& eventNos,
                      bool setLastDrawn, const QString& round, const CandidateList& candidates,
                      const QList<qint64>& keys, db::DbError* error)
{
    const bool final = round == QLatin1String("F");
    Statements& s = *m_statements;
    for (qint64 eventNo : eventNos) {
        const bool cleared =
            final ? s.clearFinal->execute(transaction, {eventNo, m_meetingNo}, error)
                  : s.clearHeats->execute(transaction, {eventNo, m_meetingNo, round}, error);
        if (!cleared ||
            (setLastDrawn && !s.lastDrawn->execute(transaction, {round, eventNo, round}, error)))
            return false;
    }
    qsizetype nextKey = 0;
    for (const DrawCandidate& c : candidates) {
        const bool ok =
            final ? s.finalLane->execute(transaction, {c.lane, c.eventNo, c.athleteNo, m_meetingNo},
                                         error)
                  : s.heatRow->execute(transaction,
                                       {keys[nextKey++], c.eventNo, round, c.heat, c.athleteNo,
                                        c.lane, m_meetingNo},
                                       error);
        if (!ok)
            return false;
    }
    return true;
}

bool DrawStore::runInBatch(db::FbAttachment& attachment, const QList<qint64>& eventNos,
                           bool setLastDrawn, const QString& round, const CandidateList& candidates,
                           const QList<qint64>& keys)
{
    db::DbError error;
    if (!m_batch) {
        auto transaction = std::make_unique<db::FbTransaction>(db::TransactionKind::Modify);
        if (!transaction->start(attachment, &error)) {
            m_failure = error.message;
            return false;
        }
        m_batch = std::move(transaction);
    }
    Statements& s = *m_statements;
    if (!s.eventStart->execute(*m_batch, {}, &error)) {
        m_failure = error.message;
        return false;
    }
    if (write(*m_batch, eventNos, setLastDrawn, round, candidates, keys, &error) &&
        s.eventKept->execute(*m_batch, {}, &error))
        return true;
    m_failure = error.message;
    // Back to where this event began; should even that fail, the events since the last
    // commit go too rather than leave one of them half-written.
    if (!s.eventUndo->execute(*m_batch, {}, nullptr)) {
        m_batch->rollback(nullptr);
        m_batch.reset();
        ++m_batchLosses;
        m_failure += QStringLiteral("\rThe draws since the last save were undone as well.");
    }
    return false;
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
    if (m_batching)
        return runInBatch(*attachment, eventNos, setLastDrawn, round, candidates, keys);
    // A transaction of its own: the old draw goes and the new one comes together or not
    // at all, whatever else the run has open.
    db::FbTransaction transaction(db::TransactionKind::Modify);
    db::DbError error;
    if (!transaction.start(*attachment, &error)) {
        m_failure = error.message;
        return false;
    }
    if (!write(transaction, eventNos, setLastDrawn, round, candidates, keys, &error) ||
        !transaction.commit(&error)) {
        m_failure = error.message;
        transaction.rollback(nullptr);
        return false;
    }
    m_db.refreshReads();
    return true;
}

} // namespace draw
