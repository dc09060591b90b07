#include "records/recordsfixture.h"
#include "scoring/athleticsfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "scoring/forms/afterform.h"
#include "scoring/forms/placepointsform.h"
#include "scoring/forms/reportform.h"
#include "scoring/forms/scorecalculatorform.h"
#include "scoring/forms/scoresettingsform.h"
#include "scoring/forms/topathletesform.h"
#include "scoring/forms/winnersform.h"

using testing_support::untippedButtons;

namespace {

using ScoringButtonTipsTest = RecordsTest;

TEST_F(ScoringButtonTipsTest, EveryButtonOfTheAfterMeetingScreensSaysWhatItDoes)
{
    scoring::Report report;
    report.title = QStringLiteral("Medals per Team");
    report.headers = {QStringLiteral("Team"), QStringLiteral("Gold")};
    report.rows = {{QStringLiteral("OAK"), QStringLiteral("3")}};

    scoring::AfterForm after(run());
    scoring::PlacePointsForm points(run());
    scoring::WinnersForm winners(run());
    scoring::ReportForm shown(run(), report);
    scoring::TopAthletesForm top({}, {11, 12});
    scoring::ScoresSettingsForm settings(run());

    const QStringList missing =
        untippedButtons({&after, &points, &winners, &shown, &top, &settings});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&after, &points, &winners, &shown, &top, &settings});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

// The athletics edition's own buttons: the score calculator and the n-athlon totals.
using AthleticsButtonTipsTest = AthleticsTest;

TEST_F(AthleticsButtonTipsTest, TheCombinedEventButtonsSayWhatTheyDoToo)
{
    scoring::AfterForm after(run());
    scoring::ScoreCalculatorForm calculator(run());
    const QStringList missing = untippedButtons({&after, &calculator});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop({&after, &calculator});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
