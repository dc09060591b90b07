#pragma once

#include "draw/drawcandidates.h"

#include <QList>
#include <QString>

#include <memory>

namespace db {
class DmdCoreDbs;
class FbAttachment;
class FbTransaction;
class Statement;
struct DbError;
} // namespace db

namespace draw {

// Where a round's draw lives: the final's lanes on the event's PARTICIPATE rows, the
// other rounds' as one HEATPART row per athlete. One store serves every draw of an
// operation: its statements are prepared on first use and reused by the draws after, so
// the draw of many events pays for them once.
class DrawStore {
public:
    DrawStore(db::DmdCoreDbs& database, int meetingNo);
    ~DrawStore();
    DrawStore(const DrawStore&) = delete;
    DrawStore& operator=(const DrawStore&) = delete;

    // Replaces the round's draw of the events (one, or the events of a combined race) in
    // one transaction: the previous draw goes, the candidates come, and each event records
    // the round as its last drawn. On failure nothing has changed and failure() says why.
    bool store(const QList<qint64>& eventNos, const QString& round,
               const CandidateList& candidates);
    // Removes the round's draw of the events (one, or the events of a combined race), in
    // one transaction.
    bool clear(const QList<qint64>& eventNos, const QString& round);
    // Draws `count` key numbers at once for the heat rows of the draws to come; a draw
    // takes its keys from them while they last.
    bool reserveKeys(int count);

    // The draws of many events share a transaction: from beginBatch() on, each store()
    // runs in a savepoint of its own inside it, so a failing event goes back to its
    // savepoint alone and the others stay. commitBatch() makes the draws so far lasting
    // (the next store() opens the next transaction); endBatch() commits the rest and goes
    // back to one transaction per store(). Whatever is not committed when the program dies
    // is gone whole, event by event.
    void beginBatch();
    bool commitBatch();
    bool endBatch();
    bool batching() const { return m_batching; }
    // How many times draws stored in a batch were thrown away before their commit (a
    // failed commit, or an event that could not be undone alone): the caller's count of
    // what is drawn must then go back to the last commit.
    int batchLosses() const { return m_batchLosses; }

    const QString& failure() const { return m_failure; }

private:
    struct Statements;
    bool run(const QList<qint64>& eventNos, bool setLastDrawn, const QString& round,
             const CandidateList& candidates);
    bool prepare(db::FbAttachment& attachment);
    bool write(db::FbTransaction& transaction, const QList<qint64>& eventNos, bool setLastDrawn,
               const QString& round, const CandidateList& candidates, const QList<qint64>& keys,
               db::DbError* error);
    bool runInBatch(db::FbAttachment& attachment, const QList<qint64>& eventNos, bool setLastDrawn,
                    const QString& round, const CandidateList& candidates,
                    const QList<qint64>& keys);
    QList<qint64> takeKeys(int count);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    QString m_failure;
    std::unique_ptr<Statements> m_statements;
    db::FbAttachment* m_preparedOn = nullptr;
    QList<qint64> m_keys;
    bool m_batching = false;
    int m_batchLosses = 0;
    std::unique_ptr<db::FbTransaction> m_batch;
};

} // namespace draw
