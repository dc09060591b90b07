#pragma once

#include "draw/complexeditor.h"

#include <functional>

class QWidget;

namespace draw {

class Events;
class HeatGroups;

// The heat editors as the item screens open them, each after its own checks. True when
// the working format changed.
bool editSemiHeats(Events& events, const HeatGroups& groups, qint64 eventNo);
bool editHeatFormat(QWidget* parent, Events& events, const HeatGroups& groups,
                    ComplexEditor::Mode mode, qint64 eventNo);

// Asks the expected swimmers of one event into text, naming the event, since the
// question covers the list it was chosen in. False when cancelled.
bool askEstimate(Events& events, qint64 eventNo, QString* text);

// Opens another of the item screens from one of them: the working copies are saved for
// it, and collected again when it closes, as each screen collects and saves its own.
void openItemScreen(Events& events, const std::function<void()>& open);

} // namespace draw
