#include "backupfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "backup/forms/managedataform.h"

namespace {

using BackupButtonTipsTest = backup_test::BackupTest;

TEST_F(BackupButtonTipsTest, EveryButtonOfTheDataScreenSaysWhatItDoes)
{
    backup::ManageDataForm form(run());
    const QStringList missing = testing_support::untippedButtons(form);
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop({&form});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
