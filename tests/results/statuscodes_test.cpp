#include "base/messages.h"
#include "base/scriptedsink.h"
#include "results/forms/disqualifydialog.h"
#include "results/statuscodes.h"

#include <QRadioButton>

#include <gtest/gtest.h>

using namespace results;

namespace {

class StatusCodesTest : public ::testing::Test {
protected:
    int internalErrors() const { return sink.count(base::MessageKind::Error); }
    base::ScriptedSink sink;
    base::Messages messages{sink};
};

TEST_F(StatusCodesTest, CodesHaveTheirAbbreviationsAndTextsAsThePoolKnowsThem)
{
    const QStringList abbrevs{"Disq", "DNR", "DNS", "DNF",  "UOF", "NRA",
                              "NM",   "NT",  "OIA", "DNSA", "UNDF"};
    const QStringList texts{
        "Disqualifed",           "Did Not Report",       "Did Not Start",  "Did Not Finish",
        "Unoffcial performance", "No Result Achieved",   "No Measurement", "No Time",
        "Other Item DNR",        "DidNotStart Absolved", "Undefined"};
    for (int code = 1; code <= 11; ++code) {
        EXPECT_EQ(DisqStatusAbbrev(messages, code), abbrevs[code - 1]) << code;
        EXPECT_EQ(DisqStatusText(messages, code), texts[code - 1]) << code;
    }
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(StatusCodesTest, TextReadsBackOnlyTheListedAbbreviations)
{
    EXPECT_EQ(DisqStatusFromText(""), 0);
    EXPECT_EQ(DisqStatusFromText("Disq"), 1);
    EXPECT_EQ(DisqStatusFromText("DIS"), 1);
    EXPECT_EQ(DisqStatusFromText("DQ"), 1);
    for (int code = 2; code <= 9; ++code)
        EXPECT_EQ(DisqStatusFromText(DisqStatusAbbrev(messages, code)), code) << code;
    EXPECT_EQ(DisqStatusFromText("DNSA"), 11);
    EXPECT_EQ(DisqStatusFromText("UNDF"), 11);
    EXPECT_EQ(DisqStatusFromText("dns"), 11);
    EXPECT_EQ(DisqStatusFromText("Late"), 11);
}

TEST_F(StatusCodesTest, NoStatusHasNoAbbreviationAndSaysSo)
{
    EXPECT_EQ(DisqStatusAbbrev(messages, 0), "");
    EXPECT_EQ(DisqStatusText(messages, 12), "");
    ASSERT_EQ(internalErrors(), 2);
    EXPECT_TRUE(sink.saw("Incorrect status: 0"));
    EXPECT_TRUE(sink.saw("Incorrect status: 12"));
}

TEST_F(StatusCodesTest, NoResultAchievedPrintsAsNoMeasurementOrNoTime)
{
    EXPECT_EQ(DisqStatusPrinted(messages, kNra, true), "NM");
    EXPECT_EQ(DisqStatusPrinted(messages, kNra, false), "NT");
    EXPECT_EQ(DisqStatusPrinted(messages, kDns, true), "DNS");
    EXPECT_FALSE(statusClearsResult(kUof));
    EXPECT_TRUE(statusClearsResult(kNra));
    EXPECT_TRUE(statusIsAbsence(kDnr) && statusIsAbsence(kDns) && !statusIsAbsence(kDnsa));
}

TEST_F(StatusCodesTest, AReasonNeedsAStatus)
{
    EXPECT_EQ(disqReasonRefusal(0, "False start"),
              "You cannot give a reason if the performance is not disqualified.");
    EXPECT_EQ(disqReasonRefusal(0, "  "), "");
    EXPECT_EQ(disqReasonRefusal(1, "False start"), "");
}

TEST_F(StatusCodesTest, SavedValuesRoundTripThroughTheReasonText)
{
    const QString reason = savedValuesReason({4, 0, QString()});
    EXPECT_EQ(reason, "Lane/Place/Perf was 4 / 0 / ");
    auto back = parseSavedValuesReason(messages, reason);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lane, 4);
    EXPECT_EQ(back->place, 0);
    EXPECT_EQ(back->performance, "");

    // A stored text that lost its trailing blank still reads.
    back = parseSavedValuesReason(messages, savedValuesReason({3, 2, "1:05.32"}).trimmed());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lane, 3);
    EXPECT_EQ(back->place, 2);
    EXPECT_EQ(back->performance, "1:05.32");
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(StatusCodesTest, MalformedSavedValuesAreInternalErrors)
{
    EXPECT_FALSE(parseSavedValuesReason(messages, "False start"));
    EXPECT_TRUE(sink.saw("Did not expect DisqReason of False start"));
    EXPECT_FALSE(parseSavedValuesReason(messages, "Lane/Place/Perf was x / 0 / "));
    EXPECT_TRUE(sink.saw("Invalid lane: x"));
    EXPECT_FALSE(parseSavedValuesReason(messages, "Lane/Place/Perf was 4 / -1 / "));
    EXPECT_TRUE(sink.saw("Invalid place: -1"));
    EXPECT_EQ(internalErrors(), 3);
}

TEST_F(StatusCodesTest, DisqualifyDialogOffersTheFirstFiveAndInsistsOnAChoice)
{
    DisqualifyDialog dialog(messages);
    EXPECT_EQ(dialog.windowTitle(), "Disqualification type");
    QStringList offered;
    for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>())
        offered.append(radio->text().remove('&'));
    EXPECT_EQ(offered,
              (QStringList{"Disq = Disqualifed", "DNR = Did Not Report", "DNS = Did Not Start",
                           "DNF = Did Not Finish", "UOF = Unoffcial performance"}));

    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(sink.saw("Select the Disqualification type"));
    EXPECT_EQ(dialog.chosenCode(), 0);

    dialog.choose(3);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenCode(), 3);
}

} // namespace
