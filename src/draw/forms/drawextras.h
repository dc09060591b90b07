#pragma once

#include <QString>

class QWidget;

namespace base {
class Run;
}

namespace draw {

// The draws of a round that need no screen of their own, as the draw screens and the
// capture screens offer them: every question goes through the run's messages.

// Draws a final alphabetically, asking first whether the teams' names order it.
bool drawAlphabeticallyAsked(base::Run& run, qint64 eventNo);
// The call-room draw of a round (its confirmation is asked by the draw itself).
bool drawFromCallRoom(base::Run& run, qint64 eventNo, const QString& round);

} // namespace draw
