#pragma once

#include "base/forms/screenopeners.h"

#include <QString>

class QDialog;

namespace base {

// Adds a button under a screen's own that opens a screen of an area above it (the
// desktop program's wiring hands the opener down); nothing when the opener is empty.
void addOpenerButton(QDialog& form, Run& run, const QString& text, const QString& tip,
                     const ScreenOpeners::Opener& open);

} // namespace base
