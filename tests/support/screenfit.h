#pragma once

#include <QStringList>

#include <initializer_list>

class QWidget;

namespace testing_support {

// The screens that run off the desktop they open on, one "Title: 1200 x 800 on 1008 x 720"
// line each. Each screen is shown as a user sees it (its layout then insists on the room it
// needs at least) and its frame must lie within the desktop's free area; a screen that was
// hidden is hidden again.
QStringList offTheDesktop(std::initializer_list<QWidget*> screens);

} // namespace testing_support
