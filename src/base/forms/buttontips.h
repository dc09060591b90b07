#pragma once

#include <QString>

#include <functional>

class QBoxLayout;
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

// The OK and Cancel of a settings window, added at the end of `row`: OK closes `dialog`
// when `keep` has kept the settings (it says why not itself), Cancel closes keeping nothing.
void addKeepOrCancel(QBoxLayout* row, QDialog* dialog, std::function<bool()> keep);

} // namespace base
