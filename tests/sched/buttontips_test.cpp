#include "schedfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "sched/forms/clashesform.h"
#include "sched/forms/dayviewform.h"
#include "sched/forms/restguidelinesdialog.h"
#include "sched/forms/schedulerform.h"
#include "sched/forms/timeparamsdialog.h"

using testing_support::untippedButtons;

namespace {

using SchedButtonTipsTest = SchedFixture;

TEST_F(SchedButtonTipsTest, EveryButtonOfTheSchedulingScreensSaysWhatItDoes)
{
    const qint64 eventNo = addEvent(QStringLiteral("FRE____100M13W"));
    setSlot(programNo(eventNo), 1, QStringLiteral("09:00"));

    sched::SchedulerForm scheduler(run());
    sched::ClashesForm clashes(run());
    sched::DayViewForm dayView(run());
    sched::TimeParamsDialog times(sched::TimeParameters::of(run().meeting()), true, messages());
    sched::RestGuidelinesDialog rests(sched::restGuidelinesOf(run()), messages());

    const QStringList missing = untippedButtons({&scheduler, &clashes, &dayView, &times, &rests});
    EXPECT_TRUE(missing.isEmpty()) << testing_support::listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&scheduler, &clashes, &dayView, &times, &rests});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
