#pragma once

#include "meeting/forms/columnsettingsform.h"

namespace meeting {

// "Settings: Capture During": wind, all distances, results viewed on other computers,
// the call room and draw summaries.
class SettingsCaptureDuringForm : public ColumnSettingsForm {
    Q_OBJECT
public:
    SettingsCaptureDuringForm(base::Run& run, QWidget* parent = nullptr);
};

} // namespace meeting
