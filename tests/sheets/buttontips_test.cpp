#include "sheetsfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "sheets/forms/checklistsform.h"
#include "sheets/forms/distributionform.h"
#include "sheets/forms/lanetimesheetsdialog.h"
#include "sheets/forms/printsheetsform.h"
#include "sheets/forms/sheetoptionsdialog.h"
#include "sheets/forms/sheetoutput.h"

using testing_support::untippedButtons;

namespace {

using SheetsButtonTipsTest = SheetsTest;

TEST_F(SheetsButtonTipsTest, EveryButtonOfThePrintingScreensSaysWhatItDoes)
{
    drawnFinal();
    sheets::PrintSheetsForm print(run(), sheets::screenOutput(run()));
    sheets::DistributionForm distribution(run());
    sheets::CheckListsForm checks(run());
    sheets::LaneTimesheetsDialog lanes(run(), sheets::LaneLimits{8, 5});
    sheets::SheetOptionsDialog options(run(), QStringLiteral("Sheet options"));

    const QStringList missing = untippedButtons({&print, &distribution, &checks, &lanes, &options});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&print, &distribution, &checks, &lanes, &options});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
