#pragma once

#include "draw/programorder.h"

#include <QString>
#include <QTime>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class MeetingSettings;
}
namespace base {
class Messages;
class Run;
} // namespace base

namespace draw {

// New values for one program row; unset fields stay as they are.
struct SlotEdit {
    std::optional<int> day;
    std::optional<QTime> time;
    std::optional<int> seq;
    std::optional<QString> pit;
};

// Edits of the program of the run's current meeting: one row's day, time, sequence and
// pit, the renumbering and shifting of many rows, and the meeting's number of days. Every
// edit that fails its check shows why and changes nothing.
class ProgramEditor {
public:
    explicit ProgramEditor(base::Run& run);

    // Reads "hhmm" or "hh:mm".
    std::optional<QTime> parseTime(const QString& text);
    std::optional<int> parseDay(const QString& text);
    std::optional<int> parseSeq(const QString& text);

    // Writes the row; for a grouped combined item the day, time and pit go to the group
    // and to all its events' rows.
    bool apply(qint64 programNo, const SlotEdit& edit);

    // SEQ from the order of day and time; asks first when `ask`.
    bool renumber(bool ask = true);
    // Moves the row and all after it in time order by `minutes` (negative: earlier).
    bool shiftTimes(qint64 programNo, int minutes, ProgramOrder shownOrder);
    // Moves the SEQ of the row and all rows numbered at or after it by `amount`.
    bool shiftSequence(qint64 programNo, int amount, ProgramOrder shownOrder);
    // Moves the row and the rest of its day, in time order, to another day, keeping their
    // times and sequence numbers: how a program is split over the days of the meeting.
    bool moveRestOfDay(qint64 programNo, const QString& dayText);
    // Finals that are not run take the day, time, sequence and pit of their last heat.
    bool cascadeHeatsAreFinals();

    // The number of days from a typed text: 1 to 10 and not below the days already in
    // use; empty after the message.
    std::optional<int> checkDayCount(const QString& text);
    // Stores a checked day count as the meeting's DAY_COUNT.
    bool setDayCount(const QString& text);
    int lastDayInUse();

private:
    QList<ProgramLine> inOrder(ProgramOrder order);

    int meetingDays() const;

    base::Run& m_run;
    db::DmdCoreDbs& m_database;
    base::Messages& m_messages;
    const meeting::MeetingSettings& m_meeting;
    int m_meetingNo;
};

} // namespace draw
