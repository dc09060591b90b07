#pragma once

#include "draw/drawcandidates.h"

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace draw {

// Where a round's draw lives: the final's lanes on the event's PARTICIPATE rows, the
// other rounds' as one HEATPART row per athlete.
class DrawStore {
public:
    DrawStore(db::DmdCoreDbs& database, int meetingNo) : m_db(database), m_meetingNo(meetingNo) {}

    // Replaces the round's draw of the events (one, or the events of a combined race) in
    // one transaction: the previous draw goes, the candidates come, and each event records
    // the round as its last drawn. On failure nothing has changed and failure() says why.
    bool store(const QList<qint64>& eventNos, const QString& round,
               const CandidateList& candidates);
    // Removes the round's draw of the event, in one transaction.
    bool clear(qint64 eventNo, const QString& round);

    const QString& failure() const { return m_failure; }

private:
    QString clearStatement(qint64 eventNo, const QString& round) const;
    bool run(const QStringList& statements, const QString& round, const CandidateList& candidates);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    QString m_failure;
};

} // namespace draw
