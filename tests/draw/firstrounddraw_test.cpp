// The first-round draw over a real database: who is drawn, where they land, what is
// reported, and what the checks refuse without touching the previous draw.

#include "drawnfield.h"

#include "db/sqltext.h"
#include "draw/combineditems.h"
#include "draw/drawall.h"
#include "draw/drawround.h"

#include <QSet>

using draw::DrawOutcome;

namespace {

class FirstRoundDrawTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        changeMeeting({{"DRAW_METHOD", "6"}, {"HAS_BEST_BEFORES", "1"}});
    }
    DrawOutcome drawRound(qint64 eventNo, const QString& round, quint64 seed = 1)
    {
        draw::RoundDrawing drawing(engine(seed));
        return drawing.drawRound(eventNo, round);
    }
    QString laneOf(qint64 athleteNo, qint64 eventNo)
    {
        return value("select LANE from PARTICIPATE where ATHLETENO = " + db::sqlInt(athleteNo) +
                     " and EVENTNO = " + db::sqlInt(eventNo));
    }
};

TEST_F(FirstRoundDrawTest, BestsLastPutsTheFastestInTheLastHeatsCentreLane)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,0,8");
    const QList<qint64> athletes = enterField(e, 20, true);
    m_sink.answerYes();
    EXPECT_EQ(drawRound(e, "A"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("Draw the first round (A)"));
    EXPECT_TRUE(m_sink.saw("Done: Round \"A\" drawn"));

    const QList<Heat> rows = drawnRows(e, "A");
    ASSERT_EQ(rows.size(), 20);
    QMap<qint64, Heat> byAthlete;
    for (const Heat& h : rows)
        byAthlete.insert(h.athleteNo, h);
    EXPECT_EQ(byAthlete[athletes[0]].heat, 3);
    EXPECT_EQ(byAthlete[athletes[0]].lane, 4);
    EXPECT_EQ(byAthlete[athletes[1]].lane, 5);
    EXPECT_EQ(byAthlete[athletes[6]].heat, 3);
    EXPECT_EQ(byAthlete[athletes[7]].heat, 2);
    EXPECT_EQ(byAthlete[athletes[19]].heat, 1);
    EXPECT_EQ(value("select LASTROUNDDRAWN from MYEVENT where EVENTNO = " + db::sqlInt(e)), "A");
    EXPECT_EQ(count("HEATPART", "MEETINGNO = " + db::sqlInt(m_meetingNo) +
                                    " and DISQ_STATUS = 0 and PLACE = 0 and E_PLACE = 0"),
              20);
}

TEST_F(FirstRoundDrawTest, TheSameSeedRepeatsADrawAndARedrawReplacesIt)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,0,8");
    enterField(e, 20, false);
    auto drawWith = [&](quint64 seed) {
        m_sink.answerYes();
        EXPECT_EQ(drawRound(e, "A", seed), DrawOutcome::Drawn);
        QList<std::tuple<int, int, qint64>> rows;
        for (const Heat& h : drawnRows(e, "A"))
            rows << std::make_tuple(h.heat, h.lane, h.athleteNo);
        return rows;
    };
    const auto first = drawWith(5);
    EXPECT_EQ(first.size(), 20);
    EXPECT_EQ(drawWith(5), first);
    EXPECT_NE(drawWith(6), first);
    EXPECT_EQ(count("HEATPART", "EVENTNO = " + db::sqlInt(e)), 20);
    // Without best times: heats of 7, 7 and 6.
    QMap<int, int> sizes;
    for (const Heat& h : drawnRows(e, "A"))
        ++sizes[h.heat];
    EXPECT_EQ(sizes.values(), (QList<int>{7, 7, 6}));
}

TEST_F(FirstRoundDrawTest, StruckOffAndStatusedEntriesAreNotDrawn)
{
    const qint64 e = addSelected("FRE____100M13W"); // final only
    const QList<qint64> athletes = enterField(e, 8, true);
    ASSERT_TRUE(database().execute("update PARTICIPATE set DID_NOT_CALL = 1 where ATHLETENO = " +
                                   db::sqlInt(athletes[0])));
    ASSERT_TRUE(database().execute("update PARTICIPATE set DISQ_STATUS = 2 where ATHLETENO = " +
                                   db::sqlInt(athletes[1])));
    m_sink.answerYes();
    EXPECT_EQ(drawRound(e, "F"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("Draw this event"));
    EXPECT_TRUE(m_sink.saw("Done: this Item drawn"));
    EXPECT_EQ(laneOf(athletes[0], e), "0");
    EXPECT_EQ(laneOf(athletes[1], e), "0");
    EXPECT_EQ(laneOf(athletes[2], e), "4"); // the fastest left: lane 4 of eight
    EXPECT_EQ(drawnRows(e, "F").size(), 6);
}

TEST_F(FirstRoundDrawTest, LanesPastTheLanesAvailableAreDrawnAndListed)
{
    changeMeeting({{"DOLVANE_LANE_COUNT", "6"}});
    const qint64 e = addSelected("FRE____100M13W");
    const QList<qint64> athletes = enterField(e, 8, true);
    m_sink.answerYes();
    EXPECT_EQ(drawRound(e, "F"), DrawOutcome::Drawn);
    EXPECT_EQ(laneOf(athletes[6], e), "7");
    EXPECT_EQ(laneOf(athletes[7], e), "8");
    EXPECT_TRUE(m_sink.saw("The lanes exceeded:\r100m Freestyle 13 Male"));
    EXPECT_TRUE(m_sink.saw("See: \"Settings: Determine program\"."));
}

TEST_F(FirstRoundDrawTest, AnEventWithoutEntriesIsListedAndNothingIsStored)
{
    const qint64 e = addSelected("FRE____100M13W");
    m_sink.answerYes();
    EXPECT_EQ(drawRound(e, "F"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("The following Items had no Athletes:\r100m Freestyle 13 Male"));
}

TEST_F(FirstRoundDrawTest, ReleasedDrawsResultsAndWrongRequestsLeaveThePreviousDrawAlone)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,0,8");
    enterField(e, 20, true);
    m_sink.answerYes();
    ASSERT_EQ(drawRound(e, "A", 3), DrawOutcome::Drawn);
    const QList<Heat> before = drawnRows(e, "A");
    auto unchanged = [&] {
        const QList<Heat> now = drawnRows(e, "A");
        ASSERT_EQ(now.size(), before.size());
        for (int i = 0; i < now.size(); ++i)
            EXPECT_EQ(now[i].athleteNo, before[i].athleteNo);
    };

    // A released heat, with the meeting's releases carrying revisions.
    changeMeeting({{"RESULTS_HAS_REVISIONS", "1"}});
    ASSERT_TRUE(database().execute("update PROGRAM set DRAW_RELEASED = 1 where EVENTNO = " +
                                   db::sqlInt(e) + " and ROUND = 'A' and HEATNO = 2"));
    m_sink.clear();
    EXPECT_EQ(drawRound(e, "A", 9), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("1 of the 3 Heats for Round A\rwas already Released.  You cannot "
                           "change the Draw.\rYou must first retract the Released Draw before "
                           "you can change them."));
    unchanged();
    ASSERT_TRUE(database().execute("update PROGRAM set DRAW_RELEASED = 1 where EVENTNO = " +
                                   db::sqlInt(e)));
    EXPECT_EQ(drawRound(e, "A", 9), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("The 3 Heats for Round A"));
    ASSERT_TRUE(database().execute("update PROGRAM set DRAW_RELEASED = 0 where EVENTNO = " +
                                   db::sqlInt(e)));

    // Results entered.
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = 1, PERFORMANCE = '1:00.00' "
                                   "where HEATNO = 1 and EVENTNO = " +
                                   db::sqlInt(e)));
    m_sink.clear();
    EXPECT_EQ(drawRound(e, "A", 9), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("There are already 6 results entered for Round A\rYou must clear "
                           "them before you can Draw for this Round."));
    unchanged();
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = 0, PERFORMANCE = '' where "
                                   "EVENTNO = " +
                                   db::sqlInt(e)));

    // A round the format does not have, an event that does not exist, and a No.
    m_sink.clear();
    EXPECT_EQ(drawRound(e, "B", 9), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("Round B is not a round of 100m Freestyle 13 Male"));
    EXPECT_EQ(drawRound(99999999, "F", 9), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("There is no Item with the number 99999999 in this meeting."));
    m_sink.answerNo();
    EXPECT_EQ(drawRound(e, "A", 9), DrawOutcome::Cancelled);
    unchanged();
}

TEST_F(FirstRoundDrawTest, AnEventWithoutItsProgramIsRefused)
{
    const qint64 e = addSelected("FRE____100M13W");
    enterField(e, 4, true);
    ASSERT_TRUE(database().execute("delete from PROGRAM where EVENTNO = " + db::sqlInt(e)));
    EXPECT_EQ(drawRound(e, "F"), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("has no heats for Round F in the program"));
    ASSERT_TRUE(database().execute("update MYEVENT set HEATFORMAT = 'two heats' where EVENTNO = " +
                                   db::sqlInt(e)));
    EXPECT_EQ(drawRound(e, "F"), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("The heat format \"two heats\" of 100m Freestyle 13 Male cannot be "
                           "read."));
    EXPECT_EQ(drawnRows(e, "F").size(), 0);
}

TEST_F(FirstRoundDrawTest, ClearingARoundRemovesOnlyThatRound)
{
    const qint64 e = addSelected("FRE____100M13W");
    const qint64 other = addSelected("BRE____100M13W");
    saveFormat(e, "3,0,8");
    enterField(e, 20, true);
    enterField(other, 5, true);
    m_sink.answerYes();
    ASSERT_EQ(drawRound(e, "A"), DrawOutcome::Drawn);
    m_sink.answerYes();
    ASSERT_EQ(drawRound(other, "F"), DrawOutcome::Drawn);
    draw::RoundDrawing drawing(engine());
    m_sink.answerYes();
    EXPECT_EQ(drawing.clearRound(e, "A"), DrawOutcome::Drawn);
    EXPECT_EQ(drawnRows(e, "A").size(), 0);
    EXPECT_EQ(drawnRows(other, "F").size(), 5);
    m_sink.answerYes();
    EXPECT_EQ(drawing.clearRound(other, "F"), DrawOutcome::Drawn);
    EXPECT_EQ(drawnRows(other, "F").size(), 0);
    EXPECT_EQ(count("PARTICIPATE", "EVENTNO = " + db::sqlInt(other)), 5);
}

TEST_F(FirstRoundDrawTest, DrawAllFirstRoundsDrawsEveryReadyEventAndListsTheRest)
{
    const qint64 heats = addSelected("FRE____100M13W");
    const qint64 final = addSelected("BRE____100M13W");
    const qint64 empty = addSelected("BCK_____50M13W");
    const qint64 placed = addSelected("FRE_____50M13W");
    saveFormat(heats, "3,0,8");
    enterField(heats, 20, true);
    enterField(final, 5, false);
    enterField(placed, 4, true);
    m_sink.answerYes();
    ASSERT_EQ(drawRound(placed, "F"), DrawOutcome::Drawn);
    ASSERT_TRUE(database().execute("update PARTICIPATE set PLACE = 1, PERFORMANCE = '0:30.00' "
                                   "where EVENTNO = " +
                                   db::sqlInt(placed)));
    const QList<Heat> placedBefore = drawnRows(placed, "F");
    m_sink.clear();

    draw::DrawAll all(engine(11));
    m_sink.answerYes();
    const draw::DrawReport report = all.firstRounds();
    EXPECT_EQ(report.drawnEvents, 2);
    EXPECT_EQ(report.drawnAthletes, 25);
    EXPECT_EQ(drawnRows(heats, "A").size(), 20);
    EXPECT_EQ(drawnRows(final, "F").size(), 5);
    EXPECT_EQ(report.empties, QStringList{"50m Backstroke 13 Male"});
    ASSERT_EQ(report.notDrawn.size(), 1);
    EXPECT_TRUE(report.notDrawn.first().startsWith("50m Freestyle 13 Male: There are already 4 "
                                                   "results"));
    EXPECT_EQ(drawnRows(placed, "F").size(), placedBefore.size());
    EXPECT_EQ(m_sink.progressTexts().size(), 4);
    EXPECT_TRUE(m_sink.saw("Done: All Athletes for the first rounds were Drawn"));
    EXPECT_TRUE(m_sink.saw("The following Items had no Athletes:\r50m Backstroke 13 Male"));
    Q_UNUSED(empty);
}

TEST_F(FirstRoundDrawTest, AnEventWhoseDrawFailsHalfWayKeepsItsDrawAndTheOthersAreDrawn)
{
    const qint64 earlier = addSelected("BCK____100M13W");
    const qint64 failing = addSelected("FRE____100M13W");
    const qint64 after = addSelected("BRE____100M13W");
    const qint64 final = addSelected("BCK_____50M13W");
    saveFormat(failing, "3,0,8");
    saveFormat(after, "2,0,8");
    saveFormat(earlier, "2,0,8");
    enterField(earlier, 10, true);
    enterField(failing, 20, true);
    enterField(after, 12, true);
    enterField(final, 6, false);
    ASSERT_TRUE(m_events->setDescription(failing, "Heats", true));
    m_sink.answerYes();
    ASSERT_EQ(drawRound(failing, "A", 5), DrawOutcome::Drawn);
    const QList<Heat> before = drawnRows(failing, "A");
    ASSERT_EQ(before.size(), 20);
    // The engine refuses the new draw's rows of heat 2 only: the rows of heat 1 (or 3) are
    // already written in the event's transaction when it fails.
    ASSERT_TRUE(database().execute("create exception E_NO_HEAT_TWO 'no heat two'"));
    ASSERT_TRUE(database().execute("create trigger T_NO_HEAT_TWO for HEATPART before insert as "
                                   "begin if (new.EVENTNO = " +
                                   db::sqlInt(failing) +
                                   " and new.HEATNO = 2) then exception E_NO_HEAT_TWO; end"));
    m_sink.clear();

    draw::DrawAll all(engine(6));
    m_sink.answerYes();
    const draw::DrawReport report = all.firstRounds();
    ASSERT_EQ(report.notDrawn.size(), 1);
    const QString title = m_events->eventTitle(failing);
    EXPECT_EQ(title, "100m Freestyle 13 Male Heats");
    EXPECT_TRUE(report.notDrawn.first().startsWith(title + ": "));
    EXPECT_TRUE(report.notDrawn.first().contains("no heat two"));
    EXPECT_TRUE(m_sink.saw("These Items were not drawn; their previous draw is unchanged:"));
    const QList<Heat> kept = drawnRows(failing, "A");
    ASSERT_EQ(kept.size(), before.size());
    for (int i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].athleteNo, before[i].athleteNo);
        EXPECT_EQ(kept[i].heat, before[i].heat);
        EXPECT_EQ(kept[i].lane, before[i].lane);
    }
    // The draws share a transaction, each in a savepoint of its own: undoing the failed
    // one keeps the draw made before it, and the draws after it still write through the
    // same statements.
    ASSERT_GE(m_sink.progressTexts().size(), 2);
    EXPECT_TRUE(m_sink.progressTexts()[0].contains(m_events->eventTitle(earlier)));
    EXPECT_TRUE(m_sink.progressTexts()[1].contains(title));
    EXPECT_EQ(report.drawnEvents, 3);
    EXPECT_EQ(report.drawnAthletes, 28);
    EXPECT_EQ(drawnRows(earlier, "A").size(), 10);
    EXPECT_EQ(drawnRows(after, "A").size(), 12);
    EXPECT_EQ(drawnRows(final, "F").size(), 6);
    EXPECT_EQ(count("HEATPART", "EVENTNO = " + db::sqlInt(after)), 12);
}

TEST_F(FirstRoundDrawTest, ACombinedRaceIsDrawnAsOneHeat)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 alone = addSelected("BRE____100M13W");
    ASSERT_GT(draw::CombinedItems(*m_events).combine({a, b}), 0);
    enterField(a, 4, true);
    enterField(b, 3, true);
    enterField(alone, 2, true);
    draw::DrawAll all(engine(4));
    m_sink.answerNo();
    EXPECT_TRUE(all.combinedItems().cancelled);
    EXPECT_EQ(drawnRows(a, "F").size(), 0);
    m_sink.answerYes();
    const draw::DrawReport report = all.combinedItems();
    EXPECT_EQ(report.drawnEvents, 1);
    EXPECT_EQ(report.drawnAthletes, 7);
    QSet<int> lanes;
    for (const Heat& h : drawnRows(a, "F") + drawnRows(b, "F"))
        lanes.insert(h.lane);
    EXPECT_EQ(lanes.size(), 7);
    EXPECT_EQ(drawnRows(alone, "F").size(), 0);
    EXPECT_TRUE(m_sink.saw("Done: All Athletes for the Combined Items were Drawn"));
}

} // namespace
