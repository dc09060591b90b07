#pragma once

#include "results/entrystatus.h"

#include <QString>

#include <optional>

namespace base {
class Run;
}

namespace results {

struct CaptureAthleteRow;
struct CaptureProgramRow;

// The capture screens' actions on a heat and its athletes besides the edit dialog. Each
// refusal is a message and leaves the database as it was; each change is one statement.
class RaceActions {
public:
    explicit RaceActions(base::Run& run) : m_run(run) {}

    // "Disquali&fy": `code` is the chosen type (1 to 5), stored by the status operation of
    // the entries. A null athlete (key 0) is told "No athlete to disqualify".
    bool disqualify(const CaptureProgramRow& row, const CaptureAthleteRow& athlete, int code);
    // "Clear": asks first; "This athlete is not disqualified" when there is nothing to do.
    bool clearStatus(const CaptureProgramRow& row, const CaptureAthleteRow& athlete);

    // "Edit Wind  [F5]": whether the race's wind may be edited, asking where the item or
    // the meeting makes it unusual.
    bool mayEditRaceWind(const CaptureProgramRow& row);
    // Stores a wind reading (checked) or, for an empty text, "not entered".
    bool setRaceWind(const CaptureProgramRow& row, const QString& wind);

    bool setQueried(const CaptureProgramRow& row, bool queried);
    // The event's "no entries" tag; refused while athletes are entered.
    bool setNoEntries(const CaptureProgramRow& row, bool noEntries);
    // ELECHAND: 0 the meeting's default, 1 electronic, 2 hand; refused for field items.
    bool setTiming(const CaptureProgramRow& row, int elecHand);
    // RESULTSPRINTED; removing the tag asks first.
    bool setResultsPrinted(const CaptureProgramRow& row, bool printed, bool ask = true);

    // "&Delete Participation": the athlete's entry in the row's event. Refused when the
    // athlete is in heats of the event.
    bool deleteParticipation(const CaptureProgramRow& row, const CaptureAthleteRow& athlete);
    // "Delete Athlete": refused while the athlete is entered in other events.
    bool deleteAthlete(const CaptureProgramRow& row, const CaptureAthleteRow& athlete);

private:
    std::optional<EntryRow> entryOf(const CaptureProgramRow& row, const CaptureAthleteRow& athlete);
    bool updateProgram(const CaptureProgramRow& row, const QString& assignments);

    base::Run& m_run;
};

} // namespace results
