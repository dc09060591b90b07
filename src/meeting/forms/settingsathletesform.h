#pragma once

#include "meeting/forms/columnsettingsform.h"

namespace meeting {

// "Settings: Athletes": what is captured about each swimmer, the most items one may
// enter, and the defaulting of ages.
class SettingsAthletesForm : public ColumnSettingsForm {
    Q_OBJECT
public:
    SettingsAthletesForm(base::Run& run, QWidget* parent = nullptr);
};

} // namespace meeting
