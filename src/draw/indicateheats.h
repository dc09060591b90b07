#pragma once

#include "draw/events.h"

#include <QList>
#include <QString>

namespace base {
class ConfigStore;
}

namespace draw {

class HeatGroups;

// How the "Too Few" column measures: in athletes or in heats, against the entered
// athletes only or the larger of entered and expected. Kept in the user's settings.
struct TooFewOptions {
    bool inAthletes = true;
    bool actualOnly = true;

    static TooFewOptions read(const base::ConfigStore& config);
    bool write(base::ConfigStore& config) const;
};

// How the first round's heats compare with the athletes.
enum class HeatProvision { NoAthletes, Correct, TooFew, TooMany };

// One selected event on the heats screen.
struct HeatsLine {
    EventRow event;
    QString title;
    int heatsProvided = 0; // heats of the first round of the working format
    int athsProvided = 0;  // those heats times the athletes per heat
    int tooFew = 0;        // shortage in the chosen measure; 0 when there is none
    HeatProvision provision = HeatProvision::NoAthletes;
};

// The core of "Indicate Heats": the selected events with what their first round
// provides, and the actions of the screen that do not open an editor.
class IndicateHeats {
public:
    IndicateHeats(Events& events, const HeatGroups& groups) : m_events(events), m_groups(groups) {}

    QList<HeatsLine> lines(const TooFewOptions& options);
    HeatsLine line(const EventRow& event, const TooFewOptions& options) const;

    // The proposed format for the event's expected athletes, after the user agreed.
    bool autoformat(qint64 eventNo);
    // "AutoFormat All": the proposed format for every selected item with swimmers expected
    // or entered. Asks first; formats that differ from the proposal (set by hand) are kept
    // unless the user chooses to replace them too; reports what changed. The number of
    // formats changed.
    int autoformatAll();
    // One event's expected athletes from typed text.
    bool setEstimate(qint64 eventNo, const QString& text);
    // Every event's expected athletes from its entries, after the user agreed; the
    // program's placed counts are brought up to date too.
    bool estimatesFromEntries();
    // "The number of lanes available for track events:" and the three sprint settings.
    QString lanesAvailable() const;

private:
    Events& m_events;
    const HeatGroups& m_groups;
};

} // namespace draw
