#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace meeting {
class MeetingSettings;
}
namespace base {
class Run;
}

namespace sched {

// The meeting's CONFIGOTHER text is a ";"-separated list: positions 1 to 9 hold the time
// parameters, 11 to 26 the resting guidelines. Fields are counted from 1; a missing field
// reads as empty.
QString configField(const QString& list, int position);
// Writes `value` at `position`, first extending the list with ";" until it holds at least
// `minSeparators` separators; the other positions stay as they were.
QString withConfigField(QString list, int position, const QString& value, int minSeparators);

// The nine durations of the scheduler, by their position in the list.
enum class TimeParam {
    Per1500m = 1,
    Gap = 2,
    MoveStarter = 3,
    ShortHurdles = 4,
    LongHurdles = 5,
    Shotput = 6,
    OtherThrows = 7,
    HorzJumps = 8,
    VertJumps = 9,
};

struct TimeParamSpec {
    TimeParam param;
    const char* name;    // "TimePer1500m", as the list of empty parameters names it
    const char* meaning; // the label of the parameters screen
    const char* fast;
    const char* slow;
};
inline constexpr int kTimeParamCount = 9;
const std::array<TimeParamSpec, kTimeParamCount>& timeParamSpecs();
// The definition of a parameter by its name (any case); empty for an unknown name.
std::optional<TimeParam> timeParamByName(const QString& name);

// "m:ss" as minutes (seconds / 60 added); empty when the text is not of that form
// ("5:7x", "-1:00", "1:75").
std::optional<double> parseMinSec(const QString& text);
// Why a typed parameter cannot be stored; empty when it can (an empty text can: it is
// reported when the scheduler runs).
QString checkMinSec(const QString& name, const QString& text);

// The nine parameters of a meeting as texts, with their values as fractions of a day.
class TimeParameters {
public:
    static TimeParameters fromConfig(const QString& configOther);
    static TimeParameters of(const meeting::MeetingSettings& meeting);
    static TimeParameters preset(bool fast);

    QString text(TimeParam p) const { return m_texts[index(p)]; }
    void setText(TimeParam p, const QString& text) { m_texts[index(p)] = text.trimmed(); }
    // The parameter as a fraction of a day (minutes / 1440); empty or unreadable reads 0.
    double days(TimeParam p) const;
    // The names of the empty parameters among those the edition uses.
    QStringList emptyNames(bool swimming) const;
    // The parameters an edition shows and saves: the swimming edition only the track
    // duration and the gap between events.
    static QList<TimeParam> shown(bool swimming);
    // The list with the shown parameters written into their positions.
    QString storedIn(const QString& configOther, bool swimming) const;

private:
    static int index(TimeParam p) { return int(p) - 1; }
    std::array<QString, kTimeParamCount> m_texts;
};

// The confirmation before a preset wipes the edits, of the time parameters and of the
// resting guidelines alike.
QString presetQuestion(bool fast);

// The "Missing time parameters" check before packing or a clash check: lists the empty
// ones and asks whether to go on. True when none is empty or the user goes on.
bool confirmTimeParameters(base::Run& run);

// Checks every shown value and stores the list in the current meeting. Nothing is
// written when a value is refused (its message is shown).
bool storeTimeParameters(base::Run& run, const TimeParameters& parameters);

} // namespace sched
