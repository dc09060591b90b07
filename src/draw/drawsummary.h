#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// Where an athlete swam in one round.
struct RoundPart {
    int heat = 0;
    int lane = 0;
    int place = 0;
    QString performance;
    int status = 0;
};

// One athlete of the event through its rounds (the T_DRAW_SUMMARY row, with the heats and
// lanes beside the performances).
struct DrawSummaryRow {
    qint64 athleteNo = 0;
    QString name;
    QString teamAbrv;
    QString bestBefore;
    QMap<QString, RoundPart> rounds; // by round letter, only the rounds he is in
};

struct DrawSummary {
    QStringList rounds; // the event's rounds in running order ("B", "A", "F")
    QList<DrawSummaryRow> athletes;
};

// The summary of the event's draws; empty rounds (with the message) for an event without
// rounds before the final or without entries.
DrawSummary drawSummary(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo);

} // namespace draw
