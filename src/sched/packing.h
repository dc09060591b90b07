#pragma once

#include "sched/stationrows.h"

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

    // The starting day and time used last, remembered for the next packing.
    int lastStartDay() const;
    QString lastStartTime() const;

private:
    bool write(const QList<PackedSlot>& placedSlots);

    base::Run& m_run;
};

} // namespace sched
