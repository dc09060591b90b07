#pragma once

class QCoreApplication;

namespace base {

// Number boxes take the mouse wheel only while they have the focus: a wheel turned over a
// column number in a scrolled panel scrolls the panel and changes nothing. A wheel no
// longer gives them the focus either. Installed once on the application by the desktop
// program (and by the tests, so that screens behave there as they do for the user).
void installWheelGuard(QCoreApplication& application);

} // namespace base
