#pragma once

#include "draw/drawcandidates.h"

#include <QList>
#include <QString>

#include <memory>

namespace db {
class DmdCoreDbs;
class FbAttachment;
class Statement;
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
    // Removes the round's draw of the event, in one transaction.
    bool clear(qint64 eventNo, const QString& round);
    // Draws `count` key numbers at once for the heat rows of the draws to come; a draw
    // takes its keys from them while they last.
    bool reserveKeys(int count);

    const QString& failure() const { return m_failure; }

private:
    struct Statements;
    bool run(const QList<qint64>& eventNos, bool setLastDrawn, const QString& round,
             const CandidateList& candidates);
    bool prepare(db::FbAttachment& attachment);
    QList<qint64> takeKeys(int count);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    QString m_failure;
    std::unique_ptr<Statements> m_statements;
    db::FbAttachment* m_preparedOn = nullptr;
    QList<qint64> m_keys;
};

} // namespace draw
