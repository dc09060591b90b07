#pragma once

#include "sched/stationrows.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace base {
class Run;
}

namespace sched {

// Where a row lands when a station is packed.
struct PackedSlot {
    qint64 programNo = 0;
    int day = 0;
    double time = 0; // fraction of a day
};

// The clock of packing and shifting: a day of the meeting and a time of that day.
struct DayClock {
    int day = 1;
    double time = 0;
    // A full day or more moves to the next day.
    void add(double days);
    // Times entered or shifted by hand: 0.9995 day or more is the next day, below -0.0005
    // the day before (the margins absorb rounding to the second).
    void normaliseShifted();
};

// Reads a starting time "hh:nn" (or "hh:nn:ss"); empty after the message ("The Starting
// Time is empty", "Enter a valid Starting Time") when it is not a time after 00:00:30.
std::optional<double> parseStartTime(const QString& text, base::Messages& messages);
// The same without a message.
std::optional<double> readStartTime(const QString& text);

// The times of the placedSlots that packing `rows` from `day` and `time` gives, without writing:
// each row after the first waits for the changeover from the row before; a later heat of
// a round shares its first heat's slot when all heats of a round share a number.
QList<PackedSlot> packSlots(const QList<StationRow>& rows, const Durations& durations, int day,
                            double time, bool heatsShareSlot);

// Packing and shifting the rows of one station of the run's current meeting. Every check
// that fails shows why and writes nothing; afterwards the sequence numbers follow the
// times.
class Packing {
public:
    explicit Packing(base::Run& run);

    // Packs the station's rows, in `order`, from the row `fromProgramNo` on. `ask`: the
    // confirmation first.
    bool pack(const Station& station, PackOrder order, qint64 fromProgramNo, int day,
              const QString& startTime, bool ask = true);
    // Moves the times of the station's rows from `fromProgramNo` on by `minutes` (negative:
    // earlier). The rows must be shown in time order.
    bool shift(const Station& station, PackOrder shownOrder, qint64 fromProgramNo, int minutes);
    // Starts every field station at the same day and time, its rows in a random order: each
    // row draws a SCHED_ROTATE_ORDER from 0 to 99 and the station is packed in that order.
    // `seed` repeats a draw; without it the clock seeds. All stations or none are written.
    bool startFieldStationsRandomly(int day, const QString& startTime,
                                    std::optional<quint64> seed = std::nullopt, bool ask = true);

    // The starting day and time used last, remembered for the next packing.
    int lastStartDay() const;
    QString lastStartTime() const;

private:
    // The field rows among `rows` without an athlete count are listed ("Packing field
    // Events requires the Athletecount"); true when there are none.
    bool fieldCountsKnown(const QList<StationRow>& rows);
    // The slots, after the events' work fields T_DIST, T_TRACK_ORDER and T_HURDLE_HEIGHT are
    // refreshed from their item codes and the rows' rotate orders (`rotations`, may be
    // empty) stored; in one transaction, then the sequence numbers follow the times.
    bool write(const QList<PackedSlot>& placedSlots, const QList<StationRow>& rows,
               const Durations& durations, const QHash<qint64, int>& rotations = {});
    void rememberStart(int day, double time);

    base::Run& m_run;
};

} // namespace sched
