#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace base {

// The tooltip of a button that closes its screen.
QString closeTip();
// The tooltip of a button that closes its window and keeps nothing.
QString cancelTip();

// Gives the standard buttons of `box` (OK, Cancel, Close, Help ...) a tooltip that says
// what they do, where they have none of their own.
void explainButtons(QDialogButtonBox* box);

// The Close button of a screen: it closes `dialog` and says so in its tooltip.
QDialogButtonBox* closeButtons(QDialog* dialog);

} // namespace base
