#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;

namespace shell {
class Run;
}

// The openers of the meeting screens, as the main screen calls them.
namespace meeting {

void openSettingsMeetingGeneral(QWidget* parent, shell::Run& run);
void openSettingsAthletes(QWidget* parent, shell::Run& run);
void openSettingsCaptureDuring(QWidget* parent, shell::Run& run);
void openSettingsCategories(QWidget* parent, shell::Run& run);
// "Settings: All" with the settings screens it can open, by their button texts.
void openSettingsAll(QWidget* parent, shell::Run& run,
                     const std::map<QString, std::function<void(QWidget*, shell::Run&)>>& screens);

} // namespace meeting
