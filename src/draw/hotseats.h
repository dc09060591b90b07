#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// An athlete in a hot seat: placed in the previous round but not drawn into this one,
// waiting to replace a drawn athlete who cannot start.
struct HotSeat {
    qint64 athleteNo = 0;
    QString name;
    QString teamAbrv;
    int place = 0;
    QString performance;
};

// Hot seats of the rounds after the first; the final's athletes are its PARTICIPATE lanes.
class HotSeats {
public:
    HotSeats(db::DmdCoreDbs& database, const meeting::ItemTypes& items, base::Messages& messages);

    // False (with the message) for the first round or an unknown round.
    bool open(qint64 eventNo, const QString& round);
    // The athletes waiting, by performance ("There are no \"hotseats\" available").
    QList<HotSeat> waiting(bool showEmpty = true);
    // Gives the drawn athlete's heat and lane to the waiting one, after the confirmation.
    bool replace(qint64 drawnAthleteNo, qint64 waitingAthleteNo);

private:
    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
    base::Messages& m_messages;
    qint64 m_eventNo = 0;
    QString m_round;
    QString m_previous;
    int m_meetingNo = 0;
    bool m_fieldItem = false;
};

} // namespace draw
