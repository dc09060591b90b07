#include "meetingfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "meeting/forms/categorydialog.h"
#include "meeting/forms/editmeetingsform.h"
#include "meeting/forms/editperf.h"
#include "meeting/forms/meetingdialog.h"
#include "meeting/forms/settingsallform.h"
#include "meeting/forms/settingsathletesform.h"
#include "meeting/forms/settingscaptureduringform.h"
#include "meeting/forms/settingscategoriesform.h"
#include "meeting/forms/settingsmeetinggeneralform.h"

using testing_support::listed;
using testing_support::untippedButtons;

namespace {

using MeetingButtonTipsTest = meeting_testing::MeetingTest;

TEST_F(MeetingButtonTipsTest, EveryButtonOfTheMeetingAndSettingsScreensSaysWhatItDoes)
{
    currentMeeting();
    meeting::EditMeetingsForm meetings(run());
    meeting::MeetingDialog identity(
        {QStringLiteral("Gala"), QStringLiteral("Pool"), QStringLiteral("2025/03/14")},
        [](const meeting::MeetingIdentity&) { return true; });
    meeting::SettingsAllForm all(
        run(), {{QStringLiteral("Settings: Athletes"), [](QWidget*, base::Run&) {}}});
    meeting::SettingsMeetingGeneralForm general(run());
    meeting::SettingsAthletesForm swimmers(run());
    meeting::SettingsCaptureDuringForm capture(run());
    meeting::SettingsCategoriesForm categories(run());
    meeting::CategoryDialog category(true, QString(), QString(),
                                     [](const QString&, const QString&) { return QString(); });
    meeting::EditPerf performance(run().items(), QStringLiteral("FRE____100M13W"),
                                  QStringLiteral("Performance"), QStringLiteral("1:05.32"));

    const QStringList missing = untippedButtons({&meetings, &identity, &all, &general, &swimmers,
                                                 &capture, &categories, &category, &performance});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&meetings, &identity, &all, &general, &swimmers, &capture,
                                        &categories, &category, &performance});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
