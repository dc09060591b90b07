#pragma once

#include <QString>

#include <functional>

class QBoxLayout;
class QDialog;
class QDialogButtonBox;

namespace sched {

// What a field filled from a preset looks like: blue for "Fast", green for "Slow".
QString presetStyle(bool fast);
// "Load Fast" and "Load Slow" in their colours, added to `row`; `load` gets which.
void addPresetButtons(QBoxLayout* row, const std::function<void(bool fast)>& load);
// Accept and Cancel of a parameter screen, wired to the dialog's accept and reject.
QDialogButtonBox* acceptCancelButtons(QDialog* dialog);

} // namespace sched
