#pragma once

#include "sched/durations.h"

#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Run;
}

namespace sched {

// A place where an event waits for the one before it to finish: each field item type at
// each pit, and all track rows together (every row of a swimming meeting).
struct Station {
    QString type; // "Track__" or the field item's group and type ("JMPLong___")
    QString pit;  // empty for the track
    bool operator==(const Station&) const = default;
    bool isTrack() const { return type == QLatin1String("Track__"); }
    // "Track", "JMPLong___, A".
    QString name() const;
};

// One program row as the scheduler sees it.
struct StationRow {
    qint64 programNo = 0;
    qint64 eventNo = 0;
    QString itemCode;
    QString format;
    QString round;
    int heatNo = 0;
    int day = 0;
    QTime time; // invalid while the row has no time
    int seq = 0;
    QString pit;
    int estimated = 0; // the event's ESTIMATEDATHLETECOUNT
    int setTwoCount = 0;
    int athletes = 0; // expected in this round: the estimate, or what the format sends on
    double duration = 0;
    int rotateOrder = 0;  // SCHED_ROTATE_ORDER: the draw of a field station's random start
    int trackOrder = 0;   // the place of the row's track type in the default track order
    int hurdleHeight = 0; // 0 for anything but hurdles
    Station station;
    // The start as days since the start of day 1; empty without a time.
    std::optional<double> start() const;
};

// The orders in which a station can be packed.
enum class PackOrder {
    Time,                 // day, time and sequence: the present order
    RoundAgeGender,       // round (first round first), age, gender, distance, heat
    RoundTrackHurdles,    // round, track order, hurdle height (then the present order)
    RoundDistanceAgeDesc, // round, distance, age descending, gender descending, heat
    Rotation              // SCHED_ROTATE_ORDER: a field station started at random
};
// The orders a person chooses from, as the scheduler lists them.
QList<PackOrder> chosenPackOrders();
QString packOrderName(PackOrder order);
// "time", "age", "track", "distance" as the CLI names them.
std::optional<PackOrder> packOrderFromName(const QString& name);

// Reads the program of the run's current meeting for the scheduler: every row except the
// finals that are not run and combined-event results items, with its station, the athletes
// expected in its round and its duration.
class StationRows {
public:
    explicit StationRows(base::Run& run);

    // Every row in day, time and sequence order, as the program lists them (a row without
    // a time before the timed rows of its day).
    const QList<StationRow>& all() const { return m_rows; }
    QList<Station> stations() const;
    QList<StationRow> of(const Station& station, PackOrder order) const;
    const StationRow* find(qint64 programNo) const;
    const Durations& durations() const { return m_durations; }

private:
    Durations m_durations;
    QList<StationRow> m_rows;
};

// A time of day as the fraction of a day, and back (to the nearest second).
double dayFraction(const QTime& time);
QTime timeOfFraction(double fraction);

} // namespace sched
