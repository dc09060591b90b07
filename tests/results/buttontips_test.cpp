#include "support/capturefixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "results/forms/absenteeform.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/captureitemsform.h"
#include "results/forms/disqualifydialog.h"
#include "results/forms/editperformancedialog.h"
#include "results/forms/thirddigitdialog.h"

using testing_support::listed;
using testing_support::untippedButtons;

namespace {

class ResultsButtonTipsTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        drawHeat(addEvent(m_free50), QStringLiteral("A"), 1, swimmers(2));
        m_sink.clear();
    }
};

TEST_F(ResultsButtonTipsTest, EveryButtonOfTheCaptureScreensSaysWhatItDoes)
{
    results::CaptureEventsForm perEvent(run());
    results::CaptureItemsForm perItem(run());
    results::AbsenteeForm absentees(run(), 1);
    results::AwolQueueForm queue(run());
    results::DisqualifyDialog disqualify(messages());
    results::EditPerformanceDialog performance(
        {QStringLiteral("(4) Smith, Ann"), QStringLiteral("99:99.99"), QStringLiteral("Time")},
        results::ResultEntry{}, [](results::ResultEntry&) { return true; });
    results::ThirdDigitDialog thirdDigits(
        {{1, QStringLiteral("Smith"), QStringLiteral("0:31.00"), QString(), QString()}});

    const QStringList missing = untippedButtons(
        {&perEvent, &perItem, &absentees, &queue, &disqualify, &performance, &thirdDigits});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop(
        {&perEvent, &perItem, &absentees, &queue, &disqualify, &performance, &thirdDigits});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
