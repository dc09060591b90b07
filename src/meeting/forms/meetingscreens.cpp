#include "meeting/forms/meetingscreens.h"

#include "meeting/forms/settingsallform.h"
#include "meeting/forms/settingsathletesform.h"
#include "meeting/forms/settingscaptureduringform.h"
#include "meeting/forms/settingscategoriesform.h"
#include "meeting/forms/settingsmeetinggeneralform.h"

namespace meeting {

void openSettingsMeetingGeneral(QWidget* parent, base::Run& run)
{
    SettingsMeetingGeneralForm(run, parent).exec();
}

void openSettingsAthletes(QWidget* parent, base::Run& run)
{
    SettingsAthletesForm(run, parent).exec();
}

void openSettingsCaptureDuring(QWidget* parent, base::Run& run)
{
    SettingsCaptureDuringForm(run, parent).exec();
}

void openSettingsCategories(QWidget* parent, base::Run& run)
{
    SettingsCategoriesForm(run, parent).exec();
}

void openSettingsAll(QWidget* parent, base::Run& run,
                     const std::map<QString, std::function<void(QWidget*, base::Run&)>>& screens)
{
    SettingsAllForm(run, screens, parent).exec();
}

} // namespace meeting
