#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace db {
class DmdCoreDbs;
}
namespace draw {
class RoundDrawing;
}

namespace results {

class Places;

// The queue of heats that an absence changed: "DRAW" (a drawn heat lost an athlete and is
// redrawn) or "CALC" (a heat with results lost one and is recalculated).
inline constexpr const char* kQueueDraw = "DRAW";
inline constexpr const char* kQueueCalc = "CALC";

struct AwolQueueItem {
    qint64 queueNo = 0;
    QString action;
    qint64 absentAthleteNo = 0;
    QString athleteName;
    qint64 eventNo = 0;
    QString itemCode;
    QString round;
    int heatNo = 0;
    bool done = false;
    int placedCount = 0; // PLACE above 0 in that heat
    int drawnCount = 0;  // LANE above 0 in that heat
};

// Adds an entry unless an identical one (action, absent athlete, event, round, heat and
// meeting) exists, which is an internal error. False when not added.
bool QueueAwolAction(db::DmdCoreDbs& database, int meetingNo, const QString& action,
                     qint64 absentAthleteNo, qint64 eventNo, const QString& round, int heatNo);

// The meeting's queue, oldest first.
QList<AwolQueueItem> awolQueue(db::DmdCoreDbs& database, int meetingNo);

// Redraws a round of an event; false when the draw was refused or failed.
using RoundRedraw = std::function<bool(qint64 eventNo, const QString& round)>;
// The draw of a round as the draw menu makes it, with its checks and questions.
RoundRedraw roundRedrawBy(draw::RoundDrawing& drawing);

// What processing the queue did.
struct AwolQueueRun {
    int recalculated = 0;
    int redrawn = 0;
    QStringList waiting; // DRAW entries left to do, with why
};

// Works through the entries still to do: "CALC" recalculates the heat's places, "DRAW"
// redraws its round with `redraw` and marks every entry of that event and round done.
// Without a redraw the DRAW entries stay to do and are listed.
AwolQueueRun processAwolQueue(db::DmdCoreDbs& database, int meetingNo, Places& places,
                              const RoundRedraw& redraw);

} // namespace results
