#include "scoring/athleticsfixture.h"
#include "support/capturefixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "draw/events.h"
#include "results/forms/absenteeform.h"
#include "results/forms/attemptdialog.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/captureitemsform.h"
#include "results/forms/disqualifydialog.h"
#include "results/forms/editperformancedialog.h"
#include "results/forms/perfhistoryform.h"
#include "results/forms/startheightsform.h"
#include "results/forms/thirddigitdialog.h"
#include "results/perfhistory.h"

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

// The field events of the athletics edition: the attempts of a high jump, its first bar and
// one attempt typed in.
using FieldButtonTipsTest = AthleticsTest;

TEST_F(FieldButtonTipsTest, TheFieldEventScreensSayWhatTheyDoAndFitTheDesktop)
{
    setMeeting("HAS_PERF_HIST = 1");
    reload();
    draw::NewEvent high;
    high.itemCode = QStringLiteral("JMPHigh___M17");
    high.selected = true;
    const qint64 eventNo = draw::Events(database(), run().items(), m_meetingNo).addEvent(high);
    const qint64 team = addTeam("OAK");
    addResult(eventNo, addAthlete(team, "Ames", "M", 17), team, "", 0);
    const qint64 programNo =
        value("select PROGRAMNO from PROGRAM where EVENTNO = " + db::sqlInt(eventNo)).toLongLong();
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(database(), run().items(), programNo);
    ASSERT_TRUE(row.has_value());
    results::PerfHistory perfHistory(database(), run().items(), run().meeting());
    const std::optional<results::FieldRace> race = perfHistory.race(eventNo, "F", 0);
    ASSERT_TRUE(race.has_value());

    results::PerfHistoryForm history(run(), *row, *race);
    results::StartHeightsForm heights(run(), eventNo);
    results::AttemptDialog::Setup setup;
    setup.caption = QStringLiteral("(4) Ames, Sam  attempt 3");
    setup.mask = run().items().PerfMask(QStringLiteral("JMPLong___M17"));
    setup.formatName = run().items().PerfFormatName(QStringLiteral("JMPLong___M17"));
    setup.takesWind = true;
    results::AttemptDialog attempt(setup, [](const QString&, const QString&) { return true; });

    const QStringList missing = untippedButtons({&history, &heights, &attempt});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop({&history, &heights, &attempt});
    EXPECT_TRUE(tooBig.isEmpty()) << listed(tooBig);
}

} // namespace
