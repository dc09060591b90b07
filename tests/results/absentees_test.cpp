#include "placesfixture.h"

#include "results/absentees.h"
#include "results/awolqueue.h"
#include "results/entrystatus.h"
#include "results/statuscodes.h"

using namespace results;

namespace {

const QString kFree = QStringLiteral("FRE____100M13W");
const QString kBack = QStringLiteral("BCK____100M13W");
const QString kBreast = QStringLiteral("BRE____100M13W");

class AbsenteesTest : public PlacesTest {
protected:
    void SetUp() override
    {
        PlacesTest::SetUp();
        m_first = addEvent(kFree, 1);
        m_second = addEvent(kBack, 2);
        m_third = addEvent(kBreast, 3);
        addProgramRow(m_third, "A", 1, 3);
        m_absent = addAthlete();
    }

    QString entryValue(const QString& column, const QString& table, qint64 key)
    {
        const QString keyColumn = table == "PARTICIPATE" ? "PARTNO" : "HEATPARTNO";
        return value("select " + column + " from " + table + " where " + keyColumn + " = " +
                     db::sqlInt(key));
    }
    int awolFlag(qint64 athleteNo)
    {
        return value("select AWOL_DNS_DISQ from ATHLETE where ATHLETENO = " + db::sqlInt(athleteNo))
            .toInt();
    }
    EntryRow finalEntry(qint64 eventNo, qint64 athleteNo)
    {
        return *findEntry(database(), eventNo, "F", athleteNo);
    }

    qint64 m_first = 0, m_second = 0, m_third = 0, m_absent = 0;
};

TEST_F(AbsenteesTest, AnAbsenceTagsTheOtherItemsAndTheTagsComeOffAgain)
{
    // Did not start the first event; drawn in lane 4 of the second's final and in lane 3
    // of the third's heat.
    addFinal(m_first, {{"", "", 0, m_absent, 5, kDns}});
    const qint64 second = addFinal(m_second, {{"", "", 0, m_absent, 4}})[0];
    const qint64 thirdFinal = addFinal(m_third, {{"", "", 0, m_absent, 0}})[0];
    const qint64 heatRow = addHeat(m_third, "A", 1, {{"", "", 0, m_absent, 3}})[0];
    // One item only: nothing to tag.
    const qint64 single = addAthlete();
    addFinal(m_first, {{"", "", 0, single, 6, kDns}});

    m_sink.answerYes();
    ASSERT_TRUE(AutoAwolActions(database(), run().items(), m_meetingNo, AwolOptions{}));
    EXPECT_TRUE(m_sink.saw("There are 1 Athletes to tag as Awol, and 2 items to tag as Oia"));
    EXPECT_EQ(awolFlag(m_absent), 1);
    EXPECT_EQ(awolFlag(single), 0);
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", second), "9");
    EXPECT_EQ(entryValue("LANE", "PARTICIPATE", second), "0");
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", second).trimmed(),
              "Lane/Place/Perf was 4 / 0 /");
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", thirdFinal), "9");
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", thirdFinal), "");
    EXPECT_EQ(count("HEATPART", "HEATPARTNO = " + db::sqlInt(heatRow)), 0);
    const QList<AwolQueueItem> queue = awolQueue(database(), m_meetingNo);
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(queue[0].action + queue[0].round, "DRAWF");
    EXPECT_EQ(queue[1].action + queue[1].round + QString::number(queue[1].heatNo), "DRAWA1");
    EXPECT_FALSE(queue[0].done);

    // Done once: nothing more to do.
    m_sink.clear();
    EXPECT_FALSE(AutoAwolActions(database(), run().items(), m_meetingNo, AwolOptions{}));
    EXPECT_TRUE(m_sink.saw("No Auto-Actions available"));

    // The athlete keeps the tag while items are tagged.
    EXPECT_FALSE(untagAthleteAwolByHand(database(), run().items(), m_absent));
    EXPECT_TRUE(m_sink.saw("The following Items are tagged:"));
    EXPECT_EQ(awolFlag(m_absent), 1);

    m_sink.answerYes();
    ASSERT_TRUE(TagItemOia(database(), run().items(), finalEntry(m_second, m_absent), false));
    EXPECT_EQ(entryValue("LANE", "PARTICIPATE", second), "4");
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", second), "0");
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", second), "");
    m_sink.answerYes();
    ASSERT_TRUE(TagItemOia(database(), run().items(), finalEntry(m_third, m_absent), false));

    // Absolving the DNS takes away the reason for the tag.
    m_sink.answerYes();
    ASSERT_TRUE(AbsolveDns(database(), m_absent, true));
    EXPECT_TRUE(m_sink.saw("Tag the 1 DNS-Events as DNR-ABSOLVED (DNSA)"));
    EXPECT_EQ(value("select DISQ_STATUS from PARTICIPATE where EVENTNO = " + db::sqlInt(m_first) +
                    " and ATHLETENO = " + db::sqlInt(m_absent)),
              "10");
    m_sink.answerYes();
    ASSERT_TRUE(AutoAwolActions(database(), run().items(), m_meetingNo, AwolOptions{}));
    EXPECT_EQ(awolFlag(m_absent), 0);

    m_sink.answerYes();
    ASSERT_TRUE(AbsolveDns(database(), m_absent, false));
    EXPECT_TRUE(m_sink.saw("Revert the 1 Absolved events back to Did-Not-Start (DNS)"));
    EXPECT_FALSE(AbsolveDns(database(), m_absent, false));
    EXPECT_TRUE(m_sink.saw("There are no Events tagged as \"Absolved\""));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

TEST_F(AbsenteesTest, AResultThatGoesIsKeptInTheReasonAndTheHeatIsRecalculated)
{
    addFinal(m_first, {{"", "", 0, m_absent, 5, kDnr}});
    const QList<qint64> second = addFinal(
        m_second, {{"1:05.00", "", 1, m_absent, 4}, {"1:05.10", "", 2}, {"1:05.30", "", 3}});
    m_sink.answerYes();
    ASSERT_TRUE(AutoAwolActions(database(), run().items(), m_meetingNo, AwolOptions{}, m_absent));
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", second[0]),
              "Lane/Place/Perf was 4 / 1 / 1:05.00");
    EXPECT_EQ(entryValue("PERFORMANCE", "PARTICIPATE", second[0]), "");
    // The third event has no entry of the athlete: only the second is queued.
    QList<AwolQueueItem> queue = awolQueue(database(), m_meetingNo);
    ASSERT_EQ(queue.size(), 1);
    EXPECT_EQ(queue[0].action, "CALC");
    EXPECT_EQ(queue[0].placedCount, 2);
    EXPECT_EQ(queue[0].drawnCount, 2);

    Places calc = swimPlaces();
    const AwolQueueRun run = processAwolQueue(database(), m_meetingNo, calc, {});
    EXPECT_EQ(run.recalculated, 1);
    EXPECT_EQ(ePlaces("F", second), (QList<int>{0, 1, 2}));
    EXPECT_EQ(places("F", second), (QList<int>{0, 1, 2}));
    EXPECT_TRUE(awolQueue(database(), m_meetingNo)[0].done);

    // A queue entry is never added twice.
    EXPECT_FALSE(QueueAwolAction(database(), m_meetingNo, "CALC", m_absent, m_second, "F", 0));
    EXPECT_TRUE(m_sink.saw("This CALC-que item already exists."));
    EXPECT_EQ(count("AWOL_QUE"), 1);
}

TEST_F(AbsenteesTest, DrawEntriesWaitForARedrawAndAreDonePerRound)
{
    addFinal(m_first, {{"", "", 0, m_absent, 5, kDns}});
    addFinal(m_third, {{"", "", 0, m_absent, 0}});
    addHeat(m_third, "A", 1, {{"", "", 0, m_absent, 3}, {"", "", 0, 0, 4}});
    m_sink.answerYes();
    ASSERT_TRUE(AutoAwolActions(database(), run().items(), m_meetingNo, AwolOptions{}));
    Places calc = swimPlaces();
    AwolQueueRun run = processAwolQueue(database(), m_meetingNo, calc, {});
    EXPECT_EQ(run.redrawn, 0);
    ASSERT_EQ(run.waiting.size(), 1);
    EXPECT_FALSE(awolQueue(database(), m_meetingNo)[0].done);

    QStringList redrawn;
    run =
        processAwolQueue(database(), m_meetingNo, calc, [&](qint64 eventNo, const QString& round) {
            redrawn.append(QString::number(eventNo) + round);
            return true;
        });
    EXPECT_EQ(redrawn, QStringList{QString::number(m_third) + "A"});
    EXPECT_TRUE(awolQueue(database(), m_meetingNo)[0].done);
    EXPECT_TRUE(m_sink.saw("Done: Round Re - Drawn"));
}

TEST_F(AbsenteesTest, TheCoveredRangeFollowsTheChosenStart)
{
    const qint64 late = addEvent(QStringLiteral("BFL____100M13W"), 5);
    addFinal(m_first, {{"", "", 0, m_absent, 5, kDns}});
    const qint64 second = addFinal(m_second, {{"", "", 0, m_absent, 2}})[0];
    const qint64 fifth = addFinal(late, {{"", "", 0, m_absent, 2}})[0];
    const QList<AwolAthlete> athletes = awolAthletes(database(), m_meetingNo, m_absent);
    ASSERT_EQ(athletes.size(), 1);
    EXPECT_EQ(athletes[0].firstDnsSeq, 1);
    EXPECT_TRUE(athletes[0].isCandidate());

    AwolOptions options;
    options.range = AwolRange::SpecifiedOnwards;
    options.specifiedSeq = 3;
    AwolPlan plan = planAwolActions(athletes, options);
    EXPECT_EQ(plan.itemsToTag(), 1);
    ASSERT_TRUE(applyAwolPlan(database(), run().items(), m_meetingNo, plan));
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", second), "0");
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", fifth), "9");

    options.range = AwolRange::CurrentEventOnwards;
    options.currentSeq = 2;
    plan = planAwolActions(awolAthletes(database(), m_meetingNo, m_absent), options);
    EXPECT_EQ(plan.itemsToTag(), 1); // the second event, the fifth is tagged already
    EXPECT_EQ(plan.athletesToTag(), 0);

    options.range = AwolRange::AfterFirstAbsence;
    run().config().writeText("AWOL_AUTO_SEQ_TYPE", awolRangeName(AwolRange::SpecifiedOnwards));
    run().config().writeInt("AWOL_SPECIFIED_AUTO_SEQ", 7);
    const AwolOptions stored = readAwolOptions(run().config());
    EXPECT_EQ(stored.range, AwolRange::SpecifiedOnwards);
    EXPECT_EQ(stored.specifiedSeq, 7);
}

TEST_F(AbsenteesTest, TaggingByHandAsksAndRefuses)
{
    const qint64 other = addAthlete();
    const QList<qint64> rows =
        addFinal(m_second, {{"", "", 0, m_absent, 2}, {"1:05.00", "", 1, other, 3}});
    addFinal(m_first, {{"", "", 0, m_absent, 0, kDnf}});

    EXPECT_FALSE(TagItemOia(database(), run().items(), finalEntry(m_first, m_absent), true));
    EXPECT_TRUE(m_sink.saw("An Item that has any Disqualification cannot be tagged as OIA."));

    // The final has been swum: the question says so; No leaves the entry.
    m_sink.answerNo();
    EXPECT_FALSE(TagItemOia(database(), run().items(), finalEntry(m_second, m_absent), true));
    EXPECT_TRUE(m_sink.saw("The Final of the Event already has a performance.\rAre you sure "
                           "you want to tag the "));
    EXPECT_EQ(entryValue("LANE", "PARTICIPATE", rows[0]), "2");
    m_sink.answerYes();
    ASSERT_TRUE(TagItemOia(database(), run().items(), finalEntry(m_second, m_absent), true));
    EXPECT_FALSE(TagItemOia(database(), run().items(), finalEntry(m_second, m_absent), true));
    EXPECT_TRUE(m_sink.saw("The item is _ALREADY_ marked as \"OtherItemAwol\"."));
    EXPECT_FALSE(TagItemOia(database(), run().items(), finalEntry(m_first, m_absent), false));
    EXPECT_TRUE(m_sink.saw("The Item is _NOT_ marked as \"OtherItemAwol\"."));

    m_sink.answerYes();
    ASSERT_TRUE(tagAthleteAwolByHand(database(), m_absent));
    EXPECT_FALSE(tagAthleteAwolByHand(database(), m_absent));
    EXPECT_TRUE(m_sink.saw("This Athlete is _ALREADY_ tagged as \"Awol\"."));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

TEST_F(AbsenteesTest, StatusesSetByRuleRefuseEntriesInTheWrongState)
{
    const qint64 row = addFinal(m_second, {{"", "", 0, m_absent, 2, kDnf}})[0];
    EntryRow entry = finalEntry(m_second, m_absent);
    EXPECT_FALSE(setStatusSavingValues(database(), entry, kOia));
    EXPECT_TRUE(m_sink.saw("Participation is already disqualified (it should have been "
                           "filtered out):"));
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", row), "4");

    // A saved lane cannot overwrite a lane given since.
    ASSERT_TRUE(database().execute("update PARTICIPATE set DISQ_STATUS = 9, DISQ_REASON = "
                                   "'Lane/Place/Perf was 4 / 0 / ' where PARTNO = " +
                                   db::sqlInt(row)));
    EXPECT_FALSE(removeStatusRestoringValues(database(), entry));
    EXPECT_TRUE(m_sink.saw("The lane was not empty:2"));
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", row), "9");
    EXPECT_EQ(internalErrors(), 2);
    EXPECT_FALSE(UntagAthleteAwol(database(), m_absent));
    EXPECT_TRUE(m_sink.saw("Expected the Athlete to ge tagged Awol:"));
}

TEST_F(AbsenteesTest, DisqualifyingClearsTheTimeAndClearingAsksFirst)
{
    const QList<qint64> rows =
        addFinal(m_first, {{"1:05.00", "", 1, m_absent}, {"1:05.10", "", 2}});
    const EntryRow entry = finalEntry(m_first, m_absent);
    ASSERT_TRUE(disqualifyEntry(database(), entry, kDisq, "False start"));
    EXPECT_EQ(entryValue("PERFORMANCE", "PARTICIPATE", rows[0]), "");
    EXPECT_EQ(entryValue("E_PLACE", "PARTICIPATE", rows[0]), "0");
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", rows[0]), "False start");

    // UOF keeps the time, and needs one.
    const EntryRow second =
        *findEntry(database(), m_first, "F",
                   value("select ATHLETENO from PARTICIPATE where PARTNO = " + db::sqlInt(rows[1]))
                       .toLongLong());
    ASSERT_TRUE(disqualifyEntry(database(), second, kUof));
    EXPECT_EQ(entryValue("PERFORMANCE", "PARTICIPATE", rows[1]), "1:05.10");
    EXPECT_FALSE(disqualifyEntry(database(), finalEntry(m_first, m_absent), kUof));
    EXPECT_TRUE(m_sink.saw("This code must have a performance"));

    m_sink.answerNo();
    EXPECT_FALSE(clearEntryStatus(database(), finalEntry(m_first, m_absent)));
    EXPECT_TRUE(m_sink.saw("Remove the \"Disqualified\" tag from this athlete"));
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", rows[0]), "1");
    m_sink.answerYes();
    ASSERT_TRUE(clearEntryStatus(database(), finalEntry(m_first, m_absent)));
    EXPECT_EQ(entryValue("DISQ_STATUS", "PARTICIPATE", rows[0]), "0");
    EXPECT_EQ(entryValue("DISQ_REASON", "PARTICIPATE", rows[0]), "");
    EXPECT_FALSE(clearEntryStatus(database(), finalEntry(m_first, m_absent)));
    EXPECT_TRUE(m_sink.saw("This athlete is not disqualified"));
}

} // namespace
