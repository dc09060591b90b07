#pragma once

#include <QSize>

class QWidget;

namespace base {

// Gives a screen the size it was laid out for, but no larger than the desktop it opens on,
// so that a small monitor shows it whole (its layouts shrink it) instead of cutting it off.
void resizeWithinDesktop(QWidget* screen, const QSize& wanted);

} // namespace base
