#pragma once

#include "sched/restguidelines.h"
#include "sched/schedparams.h"

#include <QString>
#include <QStringList>

namespace meeting {
class ItemTypes;
}

namespace sched {

// All times of the scheduler are fractions of a day, so that a duration adds directly to a
// time of day.
inline constexpr double kMinute = 1.0 / 1440.0;

// The track types in the order a meeting usually runs them, when the setting
// SCHED_DEFAULT_TRACK_ORDER does not give one.
QStringList defaultTrackOrder(bool swimming);

// A duration as minutes and seconds, "3:52", to the nearest second.
QString durationText(double days);

// Estimates how long events take and what separates two of them, from the item codes and
// the meeting's time parameters. States that should not happen (a combined-event results
// item, an unknown group) are internal errors and the answer is what could be computed.
class Durations {
public:
    Durations(const meeting::ItemTypes& items, TimeParameters parameters)
        : m_items(items), m_params(std::move(parameters))
    {
    }

    // One program row: field items by attempts, swimming items by distance and age,
    // running items by the time per 1500 m (walks count double).
    double rowDuration(const QString& itemCode, const QString& round, int athletes,
                       int setTwoCount) const;
    // Attempts of a field round: three per athlete, three more for the set-two athletes of
    // a final.
    int fieldAttempts(const QString& round, int athletes, int setTwoCount) const;
    // What separates two consecutive rows of a station: the largest of the starter's move,
    // the change of hurdles and the gap.
    double changeover(const QString& firstItem, const QString& secondItem) const;

    RestClass restClass(const QString& itemCode) const;
    // "JMPLong___" for a field item; "Track__" for every track item, so that all track
    // rows (every row of a swimming meeting) form one station.
    QString stationType(const QString& itemCode, qint64 programNo) const;
    // The swimming group, or "HDL_LONG" / "HDL_SHORT" / the running group in athletics.
    QString trackType(const QString& itemCode) const;

    const TimeParameters& parameters() const { return m_params; }

    // Metres of a track item; 0 for a field item (which has no distance).
    int distance(const QString& itemCode) const;
    // Hurdles rise with age and are higher for boys and men: a rank from low to high that
    // keeps items with the same hurdles together; 0 for an item without hurdles.
    int hurdleHeight(const QString& itemCode) const;

private:
    bool rejectNathlon(const QString& itemCode) const;

    const meeting::ItemTypes& m_items;
    TimeParameters m_params;
};

} // namespace sched
