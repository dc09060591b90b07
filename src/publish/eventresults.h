#pragma once

#include "results/captureathletes.h"
#include "results/captureprogram.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace base {
class Run;
}

namespace publish {

// One athlete of a heat or final as every export shows it.
struct ResultLine {
    int place = 0;       // E_PLACE, the place in the race
    QString performance; // as people write it, with the third digit where captured, or the
                         // status's abbreviation
    QString stored;      // the performance as stored, what the score tables read
    qint64 athleteNo = 0;
    QString disabilityClasses;
    int status = 0;
    QString surname;
    QString firstName;
    QString number;
    QString team;
    QString teamAbrv;
    int league = 0;
    QString idNumber;
    int age = 0;
    int lane = 0;
    QString wind;
    QString itemCode;     // of the athlete's event: a combined race has several
    QString name() const; // "Surname, Firstname"
};

// The heat or final of a program row with its athletes: those placed in place order, those
// with a status, and the starters (a lane above 0) in lane order.
struct EventResults {
    results::CaptureProgramRow row;
    QString title;         // "007 100m Freestyle 13 Male - Heat 3"
    QStringList itemCodes; // the items that run in it: several for a combined race
    QList<ResultLine> placed;
    QList<ResultLine> statused;
    QList<ResultLine> starters;
};

// "100m Freestyle 13 Male - Heat 3": the item with the round and heat.
QString eventName(const results::CaptureProgramRow& row);
// The three-digit sequence, a space and the event name.
QString eventTitle(const results::CaptureProgramRow& row);

// Empty when there is no such program row.
std::optional<EventResults> eventResults(base::Run& run, qint64 programNo);
// The same for a row already read.
EventResults eventResults(base::Run& run, const results::CaptureProgramRow& row);
// The same for a row and its athletes in lane order already read.
EventResults eventResults(base::Run& run, const results::CaptureProgramRow& row,
                          const QList<results::CaptureAthleteRow>& athletes);

} // namespace publish
