#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// An athlete of the event who has no heat in the first round.
struct UndrawnAthlete {
    qint64 athleteNo = 0;
    QString surname;
    QString firstName;
    QString teamAbrv;
};

// Adding athletes who entered late to the heats of a drawn first round.
class LateDraw {
public:
    LateDraw(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo);

    // False (with the message) for an unknown event.
    bool open();
    // Shows "There are no Athletes that were not Drawn ..." when the list is empty.
    QList<UndrawnAthlete> undrawn(bool showEmpty = true);
    // The lanes in use in a heat of the first round.
    QList<int> lanesInUse(int heat);
    int heats() const;
    const QString& round() const;
    // Puts the athlete into the heat at the typed lane (0 allowed). The heat must exist,
    // the athlete must have no heat yet, the lane must be a number and free. His row is
    // inserted, or updated when he has one without a heat.
    bool add(qint64 athleteNo, int heat, const QString& laneText);

private:
    db::DmdCoreDbs& m_database;
    base::Messages& m_messages;
    qint64 m_eventNo;
    QString m_round;
    int m_heats = 0;
    int m_meetingNo = 0;
};

} // namespace draw
