#pragma once

#include <QStringList>

class QWidget;

namespace testing_support {

// The push and tool buttons of `screen` that have no tooltip, one "Title: text" line each.
// Buttons of every state count (a disabled one still needs its explanation) unless the
// screen hid them itself; check boxes and radio buttons say what they are in their text,
// and the inner buttons of Qt's own widgets (a tab bar's arrows, a table's corner) are
// not the screen's.
QStringList untippedButtons(const QWidget& screen);

} // namespace testing_support
