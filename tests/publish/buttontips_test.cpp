#include "publishfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "publish/forms/autoprinterdialog.h"
#include "publish/forms/publishexportsform.h"
#include "publish/forms/publishlauncherform.h"
#include "publish/forms/publishmanageform.h"

using testing_support::untippedButtons;

namespace {

using PublishButtonTipsTest = PublishTest;

TEST_F(PublishButtonTipsTest, EveryButtonOfThePublishingScreensSaysWhatItDoes)
{
    const qint64 heat =
        drawHeat(addEvent(m_free50), QStringLiteral("A"), 1, 5, {swimmer(QStringLiteral("Smith"))});
    publish::PublishLauncherForm launcher(run(), heat);
    publish::PublishManageForm manage(run());
    publish::AutoPrinterDialog printer(messages(), {}, {"Office"}, "Choose");
    publish::PublishExportsForm exports(run());

    const QStringList missing = untippedButtons({&launcher, &manage, &printer, &exports});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop({&launcher, &manage, &printer});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
