#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace draw {

// One athlete of a drawn round, as "Draw Information" and `draw list` show him.
struct DrawnAthlete {
    QString round;
    int heat = 0; // 0 in the final
    int lane = 0;
    qint64 athleteNo = 0;
    QString number; // the number the athlete is called by
    // The seed: the best performance before the meeting for a first round, else the
    // previous round's place and performance.
    int previousPlace = 0;
    QString seed;
    int age = 0;
    QString team;
    QString surname;
    QString firstName;
};

// A selected event of the meeting with how far its draws have come, for the draw screen.
struct EventDrawState {
    qint64 eventNo = 0;
    QString title;
    QString format;
    QString firstRound;
    QString lastRoundDrawn; // empty: never drawn
    qint64 combinedNo = 0;
    int entries = 0;
};

// The selected events in program order.
QList<EventDrawState> eventDrawStates(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                      int meetingNo);

// The round's draw in heat and lane order; the final's athletes with a lane.
QList<DrawnAthlete> drawnAthletes(db::DmdCoreDbs& database, int meetingNo, qint64 eventNo,
                                  const QString& round);

// The listing as text lines with a heading (the screen shows it in a list window, the CLI
// prints it).
QStringList drawInformationLines(const QList<DrawnAthlete>& athletes);

} // namespace draw
