#pragma once

#include <QString>

#include <array>
#include <optional>

namespace base {
class Messages;
}

namespace draw {

class Events;
class HeatGroups;
struct EventRow;

// The rows of the format editor as typed: round C, B and A, each heats, places and times.
struct FormatRows {
    enum Row { C, B, A };
    enum Column { Heats, Places, Times };
    std::array<std::array<QString, 3>, 3> cells;

    // A stored format spread over the rows: its last group is round A.
    static FormatRows of(const QString& format);
    // The filled rows joined in running order; nothing (after the message) when a value
    // is not a whole number, a row is half filled or a round is missing in between.
    std::optional<QString> format(base::Messages& messages) const;
};

// "Edit Heat Format": the rounds of an event typed row by row, either semi-finals with
// places (round A only) or the complex format of up to three rounds.
class ComplexEditor {
public:
    enum class Mode { SemisWithPlaces, Complex };

    ComplexEditor(Events& events, const HeatGroups& groups, Mode mode)
        : m_events(events), m_groups(groups), m_mode(mode)
    {
    }

    Mode mode() const { return m_mode; }
    // The checks as the editor opens.
    bool canEdit(qint64 eventNo);
    // The format of the rules for `athletes` (empty for none or without a heat group).
    QString proposal(const EventRow& event, int athletes) const;
    // Checks the rows against the rules for `athletes` and writes the format with
    // heats-are-finals to the working copy.
    bool accept(qint64 eventNo, const FormatRows& rows, bool heatsAreFinals, int athletes);

private:
    Events& m_events;
    const HeatGroups& m_groups;
    Mode m_mode;
};

} // namespace draw
