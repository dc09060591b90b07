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

// One athlete of the previous round beside where the new round put him.
struct DrawCheckRow {
    qint64 athleteNo = 0;
    QString name;
    QString teamAbrv;
    int heatBefore = 0;
    int place = 0;
    QString performance;
    int status = 0;
    QString group; // "Place", "Time" or empty: how he could qualify
    int heat = 0;  // in the round drawn; 0 when not drawn
    int lane = 0;
    bool drawn = false;
};

// The draw check of a round after the first: the previous round's athletes ordered by
// status, qualifying group (by place within the format's places, else by time) and
// performance, with the heat and lane they were given. `ok` is false (with "There is no
// draw check for round X") for a first round or an unknown round.
QList<DrawCheckRow> drawCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                              base::Messages& messages, qint64 eventNo, const QString& round,
                              bool* ok = nullptr);

} // namespace draw
