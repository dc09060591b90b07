#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace base {
class Messages;
}

namespace draw {

// One "/"-separated group of a heat format: the heats of a round and how many athletes
// go on from it by place in their heat and by best time over all heats.
struct RoundGroup {
    int heats = 0;
    int places = 0;
    int times = 0;
};

struct RoundParameters {
    int heats = 0;
    // How athletes entered this round from the round before (0 and 99999 for the first).
    int entryPlaces = 0;
    int entryTimes = 0;
    QString previousRound;
};

// The kinds of format the edit screens tell apart.
enum class FormatKind { FinalOnly = 0, TimesOnly = 1, SemisWithPlaces = 2, Complex = 3 };

// Reads heat formats: "4,3,4/2,3,2" is round B with 4 heats (3 by place and 4 by time go
// on), then round A with 2 heats feeding the final. The final is never written. States
// the callers should have avoided are internal errors and the answer is the safe value.
class HeatFormats {
public:
    explicit HeatFormats(base::Messages& messages) : m_messages(messages) {}

    static int roundCount(const QString& format);
    // "F", "A", "B" or "C"; empty for a format of more than three groups.
    static QString firstRound(const QString& format);
    // Every group as three whole numbers; nothing when a group is not.
    static std::optional<QList<RoundGroup>> groups(const QString& format);
    static QString formatOf(const QList<RoundGroup>& groups);
    // "4,2" for "4,3,4/2,3,2".
    static QString heatCountsText(const QString& format);
    static FormatKind formatKind(const QString& format);
    // What the format means in plain words, for the screens that show a format:
    // "2,5,0" is "2 heats; the first 5 of each heat (10) swim the final".
    static QString inWords(const QString& format);

    RoundParameters roundParameters(const QString& format, const QString& round);
    int heatsOfRound(const QString& format, const QString& round);
    int heatsOfFirstRound(const QString& format);
    int heatsOfPreviousRound(const QString& format, const QString& round);
    int athletesInRound(const QString& format, const QString& round);

private:
    // The n-th group (from 1), with unreadable numbers as 0.
    static RoundGroup group(const QString& format, int n);

    base::Messages& m_messages;
};

} // namespace draw
