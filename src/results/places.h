#pragma once

#include "results/finalplaces.h"
#include "results/race.h"
#include "results/raceplaces.h"

#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting
namespace base {
class Messages;
}

namespace results {

// The places of heats and finals: E_PLACE in the race, PLACE and PLACESHARECOUNT within
// the league (and age), and the program row's NOT_CALCULATED_YET and PLACEDCOUNT.
//
// Capture calls CalcPlaces (F9) and RefreshCalculatedFlag (after every edit); the next
// round's draw, scores, records and exports read what is written here. Refusals are
// shown through the messages and leave the rows as they were.
class Places {
public:
    // `failsStandard` is the meeting's qualifying test (see qualifying.h); empty when the
    // meeting has no qualifying option.
    Places(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
           const meeting::MeetingSettings& meeting, QualifyingTest failsStandard = {});

    // The full calculation of one heat or final. False when refused or a write failed.
    bool CalcPlaces(qint64 programNo, QStringList* changes = nullptr);
    // CalcPlaces and RefreshCalculatedFlag, as the capture screens' F9 does.
    bool calcAndRefresh(qint64 programNo, QStringList* changes = nullptr);
    // The totals of an n-athlon were computed after the user agreed to go on with
    // components still open: its total event is placed without asking again.
    void acceptIncompleteNathlon() { m_incompleteNathlonAccepted = true; }
    // Every program row of the meeting by day, sequence, round and heat, each calculated
    // and its flag refreshed; progress "Calculating ALL Items", then "Done". Ordinary
    // heats and finals are read together and written in one transaction; combined races,
    // finals not run, vertical jumps, n-athlons and released rounds go one by one.
    bool CalcAllPlaces(int meetingNo);

    // E_PLACE of the program row's race (the whole combined race for a combined event).
    bool RenumberRacePlaces(qint64 programNo, bool showMessages, QStringList* changes = nullptr);
    // PLACE and PLACESHARECOUNT of the program row, or of a whole combined race.
    bool CalcFinalPlaces(qint64 programNo, FinalPlacesMode mode, QStringList* errors = nullptr);
    bool CalcCombinedFinalPlaces(qint64 combinedNo, FinalPlacesMode mode,
                                 QStringList* errors = nullptr);
    // Fills a final that is not run from the athletes' round A rows.
    bool CopyHeatsToFinal(qint64 eventNo);
    // Checks the places and writes NOT_CALCULATED_YET (0 consistent, 1 not) and
    // PLACEDCOUNT. Returns whether the places are consistent; `errors` gets the reasons.
    bool RefreshCalculatedFlag(qint64 programNo, QStringList* errors = nullptr);

    // "Calculate the final places for all Events": asks first, then CalcFinalPlaces for
    // every program row, and once per combined race when those are placed as one item.
    bool calcMeetingFinalPlaces(int meetingNo);
    QString meetingFinalPlacesQuestion() const;

private:
    base::Messages& messages() const;
    bool combinedAsOne() const;
    bool refusedByTeamPlaces() const;
    bool nathlonIncomplete(const ProgramRace& race);
    bool calcEachItemOfCombined(qint64 combinedNo);
    // The race whose E_PLACE values belong together: the combined race for a combined
    // event (internal error when the row is not its final).
    RaceScope raceScope(const ProgramRace& race) const;
    FinalPlacesRequest finalRequest(const ProgramRace& race) const;
    QList<qint64> combinedProgramRows(qint64 combinedNo);

    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
    const meeting::MeetingSettings& m_meeting;
    bool m_incompleteNathlonAccepted = false;
    QualifyingTest m_failsStandard;
};

// With releases carrying revisions: the refusal when heats of the event's round have
// their results released, else empty. `what` is "Results" or "Draw", `column` the
// PROGRAM flag that marks them released.
QString releasedRoundRefusal(db::DmdCoreDbs& database, const meeting::MeetingSettings& meeting,
                             qint64 eventNo, const QString& round, const QString& what,
                             const QString& column);

} // namespace results
