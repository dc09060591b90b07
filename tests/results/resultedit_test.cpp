#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "records/records.h"
#include "records/recordsets.h"
#include "results/resultedit.h"
#include "results/statuscodes.h"

using namespace results;

namespace {

class ResultEditTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(4);
        m_heat = drawHeat(m_event, "A", 1, m_swimmers);
        m_sink.clear();
    }

    // Captures through the dialog's checks and write, as "Accept" does.
    bool capture(int swimmer, const ResultEntry& entry)
    {
        ResultCapture capture(run());
        return capture.capture(programRow(m_heat), athleteIn(m_heat, m_swimmers[swimmer]), entry);
    }
    ResultEntry typed(const QString& performance, const QString& place = QString(), int status = 0)
    {
        ResultEntry e;
        e.performance = performance;
        e.place = place;
        e.status = status;
        return e;
    }
    QString performanceOf(int swimmer)
    {
        return column(m_heat, m_swimmers[swimmer], "PERFORMANCE");
    }
    bool refusedWith(const char* text)
    {
        return m_sink.count(base::MessageKind::Warning) == 1 && m_sink.saw(text);
    }

    qint64 m_event = 0;
    qint64 m_heat = 0;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(ResultEditTest, AnAcceptedResultIsWrittenWithEveryColumnAndTheHeatIsFlagged)
{
    const QString t = time(m_free50, 31.25);
    ResultEntry e = typed(t, "2");
    e.thirdDigit = "4";
    ASSERT_TRUE(capture(1, e));
    const qint64 a = m_swimmers[1];
    EXPECT_EQ(performanceOf(1), t);
    EXPECT_EQ(column(m_heat, a, "E_PLACE"), "2");
    EXPECT_EQ(column(m_heat, a, "PLACE"), "2");
    EXPECT_EQ(column(m_heat, a, "THIRD_DIGIT"), "4");
    EXPECT_EQ(column(m_heat, a, "DISQ_STATUS"), "0");
    // A typed place keeps the heat red until it is calculated.
    EXPECT_TRUE(programRow(m_heat).notCalculated);
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(ResultEditTest, ThePerformanceMustBeInTheItemsFormat)
{
    for (const QString& bad : {QStringLiteral("31.2x"), QStringLiteral("abc"),
                               QStringLiteral("31.25"), QStringLiteral("0:31.2 ")}) {
        m_sink.clear();
        EXPECT_FALSE(capture(0, typed(bad))) << bad.toStdString();
        EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1) << bad.toStdString();
        EXPECT_EQ(performanceOf(0), "") << "the row is left as it was";
        if (bad == "31.25") {
            EXPECT_TRUE(m_sink.saw("The format of 31.25 should be " + time(m_free50, 31.25)));
        }
    }
}

TEST_F(ResultEditTest, ThePlaceIsAtMostTwoDigitsAWholeNumberAndNotNegative)
{
    const QString t = time(m_free50, 30.0);
    EXPECT_FALSE(capture(0, typed(t, "100")));
    EXPECT_TRUE(refusedWith("The place may not be more than 2 digits"));
    m_sink.clear();
    EXPECT_FALSE(capture(0, typed(t, "-1")));
    EXPECT_TRUE(refusedWith("The place may not be less than zero"));
    m_sink.clear();
    EXPECT_FALSE(capture(0, typed(t, "x1")));
    EXPECT_TRUE(refusedWith("The place must be a number"));
    EXPECT_EQ(performanceOf(0), "");
    m_sink.clear();
    EXPECT_TRUE(capture(0, typed(t, "99")));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "E_PLACE"), "99");
}

TEST_F(ResultEditTest, AStatusOtherThanUofTakesNoPlaceAndNoPerformance)
{
    const QString t = time(m_free50, 30.0);
    EXPECT_FALSE(capture(0, typed(QString(), "3", kDns)));
    EXPECT_TRUE(refusedWith("The Place or Performance may not have\rvalues if the athlete is "
                            "disqualified."));
    m_sink.clear();
    EXPECT_FALSE(capture(0, typed(t, QString(), kDisq)));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_STATUS"), "0");
    // Unofficial keeps its time; DNS alone is fine.
    m_sink.clear();
    EXPECT_TRUE(capture(0, typed(t, QString(), kUof)));
    EXPECT_EQ(performanceOf(0), t);
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_STATUS"), "5");
    EXPECT_TRUE(capture(1, typed(QString(), QString(), kDns)));
    EXPECT_EQ(column(m_heat, m_swimmers[1], "DISQ_STATUS"), "3");
}

TEST_F(ResultEditTest, AReasonNeedsAStatus)
{
    ResultEntry e = typed(time(m_free50, 30.0));
    e.reason = "False start";
    EXPECT_FALSE(capture(0, e));
    EXPECT_TRUE(refusedWith("You cannot give a reason if the performance is not disqualified."));
    m_sink.clear();
    ResultEntry disq = typed(QString(), QString(), kDisq);
    disq.reason = "False start";
    EXPECT_TRUE(capture(0, disq));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "DISQ_REASON"), "False start");
}

TEST_F(ResultEditTest, ChecksRunInTheirOrderSoTheFirstFaultIsTheOneShown)
{
    // A disqualified swimmer with a bad place and a bad time: the status rule comes first.
    EXPECT_FALSE(capture(0, typed("abc", "100", kDnf)));
    EXPECT_TRUE(refusedWith("if the athlete is disqualified"));
    m_sink.clear();
    // Then the place before the performance.
    EXPECT_FALSE(capture(0, typed("abc", "100")));
    EXPECT_TRUE(refusedWith("The place may not be more than 2 digits"));
}

TEST_F(ResultEditTest, AVerticalJumpNeedsItsPlaceTypedAndSaysWhy)
{
    ResultCapture capture(run());
    ResultEntry jump = typed("1.80");
    EXPECT_FALSE(capture.check("JMPHigh___M25", jump));
    EXPECT_TRUE(m_sink.saw("You must enter the place for Vertical Jumps.\r\rIt cannot be "
                           "calculated because the program\rdoes not have all the required"));
    EXPECT_TRUE(m_sink.saw("the places of the\rAthletes should be 1,2,2,4, and not 1,2,2,3."));
    m_sink.clear();
    // A jumper without a height needs no place; a place makes the height acceptable.
    ResultEntry none = typed("");
    EXPECT_TRUE(capture.check("JMPPole___M25", none));
    jump.place = "2";
    EXPECT_TRUE(capture.check("JMPHigh___M25", jump));
    EXPECT_FALSE(m_sink.saw("You must enter the place"));
}

TEST_F(ResultEditTest, APlaceWithoutAPerformanceWarnsAndIsAccepted)
{
    EXPECT_TRUE(capture(0, typed(QString(), "1")));
    EXPECT_TRUE(m_sink.saw("WARNING: you entered a place without a performance."));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "E_PLACE"), "1");
}

TEST_F(ResultEditTest, AThirdDigitWithoutAPerformanceIsCleared)
{
    ResultEntry e = typed(QString());
    e.thirdDigit = "7";
    EXPECT_TRUE(capture(0, e));
    EXPECT_TRUE(m_sink.saw("The thitd digit will be cleared."));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "THIRD_DIGIT"), "");
    ResultEntry letter = typed(time(m_free50, 30.0));
    letter.thirdDigit = "x";
    m_sink.clear();
    EXPECT_FALSE(capture(0, letter));
    EXPECT_TRUE(refusedWith("Enter a digit"));
}

TEST_F(ResultEditTest, AFinalThatIsNotRunTakesNoResults)
{
    ASSERT_TRUE(database().execute("update MYEVENT set FINAL_NOT_RUN = 1 where EVENTNO = " +
                                   db::sqlInt(m_event)));
    const qint64 final = results::programNoOf(database(), m_event, "F", 0);
    ResultCapture capture(run());
    EXPECT_FALSE(capture.capture(programRow(final), athleteIn(final, m_swimmers[0]),
                                 typed(time(m_free50, 30.0))));
    EXPECT_TRUE(m_sink.saw("You cannot enter data on a calculated final."));
    EXPECT_EQ(
        value("select PERFORMANCE from PARTICIPATE where ATHLETENO = " + db::sqlInt(m_swimmers[0]))
            .trimmed(),
        "");
}

TEST_F(ResultEditTest, AWriteThatLeavesThePlaceAsItWasKeepsTheCalculatedState)
{
    // Three times in order and a calculation: the heat is calculated.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(capture(i, typed(time(m_free50, 30.0 + i))));
    ASSERT_TRUE(results::programNoOf(database(), m_event, "A", 1) == m_heat);
    database().execute("update HEATPART set E_PLACE = 1, PLACE = 1 where ATHLETENO = " +
                       db::sqlInt(m_swimmers[0]));
    database().execute("update HEATPART set E_PLACE = 2, PLACE = 2 where ATHLETENO = " +
                       db::sqlInt(m_swimmers[1]));
    database().execute("update HEATPART set E_PLACE = 3, PLACE = 3 where ATHLETENO = " +
                       db::sqlInt(m_swimmers[2]));
    ASSERT_TRUE(capture(3, typed(QString(), QString(), kDns)));
    EXPECT_FALSE(programRow(m_heat).notCalculated);
    // A faster time for the third swimmer, keeping the place: the check turns it red.
    ResultEntry faster = entryOf(athleteIn(m_heat, m_swimmers[2]));
    faster.performance = time(m_free50, 29.0);
    ASSERT_TRUE(capture(2, faster));
    EXPECT_TRUE(programRow(m_heat).notCalculated);
}

TEST_F(ResultEditTest, AMixedAgeItemReadsTheSwimmersOwnAge)
{
    const qint64 event = addEvent("FRE_____50M99W");
    const qint64 veteran = addSwimmer("Old", 41);
    const qint64 final = drawFinal(event, {veteran});
    ResultCapture capture(run());
    EXPECT_EQ(capture.itemCodeFor(programRow(final), athleteIn(final, veteran)), "FRE_____50M41W");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ResultEditTest, AMixedAgeRelayIsCapturedUnderItsOwnItemCodeWithoutAnInternalError)
{
    // A relay team stands for its age group: a mixed-age relay team's own age is 99 too.
    const QString relay = QStringLiteral("F_R4X50___M99W");
    const qint64 event = addEvent(relay);
    const qint64 team = addSwimmer(QStringLiteral("RELAY TEAM"), 99);
    const qint64 final = drawFinal(event, {team});
    ResultCapture capture(run());
    EXPECT_EQ(capture.itemCodeFor(programRow(final), athleteIn(final, team)), relay);
    ResultEntry entry;
    entry.performance = time(relay, 118.4);
    ASSERT_TRUE(capture.capture(programRow(final), athleteIn(final, team), entry));
    EXPECT_EQ(column(final, team, "PERFORMANCE"), "1:58.40");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    EXPECT_EQ(count("T_DEBUG_MARK", "MARK_NO = 510101"), 0);
}

TEST_F(ResultEditTest, ARecordBeatenOrEqualledIsToldWhenTheResultIsSaved)
{
    const qint64 set = records::RecordSets(database()).NewRecordSet({"Club records", "CLB", ""});
    ASSERT_GT(records::Records(database(), *m_items)
                  .NewRecord(set, m_free50, time(m_free50, 30.00),
                             {"Holder", "Ann", "OAK", "2020/01/01"}),
              0);
    ASSERT_TRUE(records::RecordSets(database()).selectForMeeting(m_meetingNo, set, false, 0));
    ASSERT_TRUE(meeting::useMeeting(run(), m_meetingNo));
    m_sink.clear();
    ASSERT_TRUE(capture(0, typed(time(m_free50, 30.50))));
    EXPECT_FALSE(m_sink.saw("RECORDS were beaten or equalled"));
    ASSERT_TRUE(capture(1, typed(time(m_free50, 29.90))));
    EXPECT_TRUE(m_sink.saw("RECORDS were beaten or equalled\r\rCLB"));
    m_sink.clear();
    ASSERT_TRUE(capture(2, typed(time(m_free50, 30.00))));
    EXPECT_TRUE(m_sink.saw("RECORDS were beaten or equalled\r\r=CLB"));
    // Unofficial swims do not count.
    m_sink.clear();
    ASSERT_TRUE(capture(3, typed(time(m_free50, 29.00), QString(), kUof)));
    EXPECT_FALSE(m_sink.saw("RECORDS"));
}
