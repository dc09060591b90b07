#pragma once

#include <QStringList>

#include <initializer_list>
#include <string>

class QWidget;

namespace testing_support {

// The push and tool buttons of `screen` that have no tooltip, one "Title: text" line each.
// Buttons of every state count (a disabled one still needs its explanation) unless the
// screen hid them itself; check boxes and radio buttons say what they are in their text,
// and the inner buttons of Qt's own widgets (a tab bar's arrows, a table's corner) are
// not the screen's.
QStringList untippedButtons(const QWidget& screen);
// The same for several screens, in their order.
QStringList untippedButtons(std::initializer_list<const QWidget*> screens);
// The lines, one a line, for a failure message.
std::string listed(const QStringList& lines);

} // namespace testing_support
