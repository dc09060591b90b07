#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;

namespace base {
class Run;
}

// The openers of the meeting screens, as the main screen calls them.
namespace meeting {

void openSettingsMeetingGeneral(QWidget* parent, base::Run& run);
void openSettingsAthletes(QWidget* parent, base::Run& run);
void openSettingsCaptureDuring(QWidget* parent, base::Run& run);
void openSettingsCategories(QWidget* parent, base::Run& run);
// "Settings: All" with the settings screens it can open, by their button texts.
void openSettingsAll(QWidget* parent, base::Run& run,
                     const std::map<QString, std::function<void(QWidget*, base::Run&)>>& screens);

} // namespace meeting
