#pragma once

#include "draw/drawengine.h"

#include <QList>

namespace base {
class Messages;
}

namespace draw {

// The draws of many events at once, as the draw menu offers them: every first round of
// the meeting, or every combined race. A failing event's draw is undone alone, and an
// interruption leaves every event either drawn anew or as it was.
class DrawAll {
public:
    explicit DrawAll(DrawEngine& engine) : m_engine(engine) {}

    // "Draw all the first rounds for all events", after asking: the selected events that
    // are not part of a combined race. Events whose draw is released or that have results are left
    // alone and listed. Shows progress, then the report and "Done".
    DrawReport firstRounds();
    // "Draw all the Combined Items": each combined race drawn as one final.
    DrawReport combinedItems();

private:
    bool confirm(const QString& what);
    void finish(const DrawReport& report, const QString& what);

    DrawEngine& m_engine;
};

// The events of one combined race.
QList<DrawEvent> combinedRaceEvents(DrawEngine& engine, qint64 combinedNo);

// "Empties" and "The lanes exceeded" after a draw, when there is anything to say.
void showReport(base::Messages& messages, const DrawReport& report);

} // namespace draw
