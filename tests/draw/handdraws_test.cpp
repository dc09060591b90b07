#include "handdrawfixture.h"

#include "db/sqltext.h"
#include "draw/alphabeticaldraw.h"
#include "draw/callroomdraw.h"
#include "draw/drawcheck.h"
#include "draw/drawsummary.h"
#include "draw/hotseats.h"
#include "draw/latedraw.h"
#include "draw/manualdraw.h"

#include <QSet>

namespace {

// An event of format "2,2,2": round A of two heats feeding a final of 2 x 2 + 2 = 6.
class HandDrawsTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "2,2,2");
        m_dol = addTeam("DOL");
        m_sha = addTeam("SHA");
        m_sink.clear();
    }
    // Ten swimmers entered, swum in round A: heat 1 has the odd ones, heat 2 the even ones,
    // placed in order with times growing by a second per place.
    void swimRoundA()
    {
        for (int i = 0; i < 10; ++i) {
            const qint64 a = addSwimmer(i % 2 ? m_sha : m_dol, QString("S%1").arg(i));
            enterSwimmer(m_event, a, "00:01:30.00");
            m_athletes.append(a);
            const int heat = i % 2 + 1;
            const int place = i / 2 + 1;
            seat(m_event, "A", heat, a, place, place,
                 QString("00:01:%1.%2").arg(10 + place).arg(heat * 10));
        }
    }

    qint64 m_event = 0;
    qint64 m_dol = 0;
    qint64 m_sha = 0;
    QList<qint64> m_athletes;
};

TEST_F(HandDrawsTest, SelectingByTheFormatTakesPlacesThenTheBestTimes)
{
    swimRoundA();
    draw::ManualDraw manual(database(), *m_items, messages());
    ASSERT_TRUE(manual.open(m_event, "F"));
    manual.selectPlacesAndPerformances();
    QSet<qint64> chosen;
    for (const draw::ManualDrawRow& r : manual.rows())
        if (r.selected)
            chosen.insert(r.athleteNo);
    // Places 1 and 2 of both heats, then third places: heat 1's 00:01:13.10 and heat 2's
    // 00:01:13.20.
    EXPECT_EQ(chosen, QSet<qint64>({m_athletes[0], m_athletes[1], m_athletes[2], m_athletes[3],
                                    m_athletes[4], m_athletes[5]}));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(HandDrawsTest, AShortPreviousRoundIsReported)
{
    swimRoundA();
    // Heat 2 has only one placed swimmer and a disqualified winner in heat 1.
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = 0 where HEATNO = 2 and PLACE > 1"));
    ASSERT_TRUE(database().execute("update HEATPART set DISQ_STATUS = 3 where HEATNO = 1 and "
                                   "PLACE = 1"));
    draw::ManualDraw manual(database(), *m_items, messages());
    ASSERT_TRUE(manual.open(m_event, "F"));
    manual.selectPlacesAndPerformances();
    EXPECT_TRUE(m_sink.saw("Only 2 places were selected instead of 4"));
    EXPECT_EQ(manual.selectedCount(), 4); // and the two best of heat 1's rest
    EXPECT_FALSE(manual.rows()[manual.indexOf(m_athletes[0])].selected);
}

TEST_F(HandDrawsTest, TheSelectedAreDrawnReproduciblyIntoBalancedHeatsWithDistinctLanes)
{
    for (int i = 0; i < 7; ++i) {
        const qint64 a = addSwimmer(i % 2 ? m_sha : m_dol, QString("S%1").arg(i));
        enterSwimmer(m_event, a);
        m_athletes.append(a);
    }
    const qint64 absent = addSwimmer(m_dol, "Absent");
    enterSwimmer(m_event, absent, QString(), 1);
    QStringList pictures;
    for (const quint32 seed : {7u, 7u, 8u}) {
        draw::ManualDraw manual(database(), *m_items, messages());
        ASSERT_TRUE(manual.open(m_event, "A"));
        manual.selectPlacesAndPerformances();
        EXPECT_EQ(manual.selectedCount(), 7); // did-not-call stays out
        ASSERT_TRUE(manual.drawSelected(seed));
        pictures.append(drawPicture(m_event, "A"));
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    EXPECT_NE(pictures[0], pictures[2]);
    EXPECT_TRUE(m_sink.saw("Done: Manually selected athletes drawn"));
    EXPECT_EQ(count("HEATPART", "HEATNO = 1"), 4);
    EXPECT_EQ(count("HEATPART", "HEATNO = 2"), 3);
    EXPECT_EQ(value("select count(*) from (select HEATNO, LANE from HEATPART group by HEATNO, "
                    "LANE having count(*) > 1)"),
              "0");
    EXPECT_EQ(where(m_event, "A", absent), "-");
    EXPECT_EQ(value("select LASTROUNDDRAWN from MYEVENT where EVENTNO = " + db::sqlInt(m_event)),
              "A");
}

TEST_F(HandDrawsTest, TeamsTakeTheirLanesFromTheHeatsListOfTeamLanes)
{
    ASSERT_TRUE(database().execute("update PROGRAM set RANDOMDRAW = 'SHA;DOL' where ROUND = 'A'"));
    const qint64 dol = addSwimmer(m_dol, "Dee");
    const qint64 sha = addSwimmer(m_sha, "Ess");
    enterSwimmer(m_event, dol);
    enterSwimmer(m_event, sha);
    draw::ManualDraw manual(database(), *m_items, messages());
    ASSERT_TRUE(manual.open(m_event, "A"));
    manual.setSelected(manual.indexOf(dol), true);
    manual.setSelected(manual.indexOf(sha), true);
    ASSERT_TRUE(manual.drawSelected(1));
    EXPECT_TRUE(where(m_event, "A", sha).endsWith("/1"));
    EXPECT_TRUE(where(m_event, "A", dol).endsWith("/2"));
    EXPECT_EQ(count("HEATPART", "TEAMDRAW_USED = 1"), 2);
}

TEST_F(HandDrawsTest, DrawingNobodyOffersToClearTheDraw)
{
    swimRoundA();
    ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = ATHLETENO - " +
                                   db::sqlInt(m_athletes[0]) + " + 1"));
    draw::ManualDraw manual(database(), *m_items, messages());
    ASSERT_TRUE(manual.open(m_event, "F"));
    m_sink.answerNo();
    EXPECT_FALSE(manual.drawSelected(1));
    EXPECT_TRUE(m_sink.saw("There are no athletes !"));
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0"), 10);
    m_sink.answerYes();
    EXPECT_TRUE(manual.drawSelected(1));
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0"), 0);
}

TEST_F(HandDrawsTest, CallRoomDrawMarksAbsenteesAndTheEvent)
{
    ASSERT_TRUE(database().execute("update MEETING set USES_CALLROOM = 1"));
    ASSERT_TRUE(database().execute("update MYEVENT set CALLROOM_STATUS = 1"));
    for (int i = 0; i < 4; ++i) {
        const qint64 a = addSwimmer(m_dol, QString("S%1").arg(i));
        enterSwimmer(m_event, a, QString(), i == 3 ? 1 : 0);
        m_athletes.append(a);
    }
    m_sink.answerYes();
    ASSERT_TRUE(draw::callRoomDraw(database(), *m_items, messages(), m_event, "A", 3));
    EXPECT_TRUE(m_sink.saw("Draw the first round (A)"));
    EXPECT_TRUE(m_sink.saw("Done: Round A drawn"));
    EXPECT_EQ(count("HEATPART", "ROUND = 'A'"), 3);
    EXPECT_EQ(
        value("select DISQ_STATUS from PARTICIPATE where ATHLETENO = " + db::sqlInt(m_athletes[3])),
        "2");
    EXPECT_EQ(value("select CALLROOM_STATUS from MYEVENT"), "3");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(HandDrawsTest, ALateSwimmerIsAddedToAFreeLaneOfAFirstRoundHeat)
{
    const qint64 a = addSwimmer(m_dol, "Early");
    const qint64 b = addSwimmer(m_sha, "Late");
    enterSwimmer(m_event, a);
    enterSwimmer(m_event, b);
    seat(m_event, "A", 1, a, 1);
    draw::LateDraw late(database(), messages(), m_event);
    ASSERT_TRUE(late.open());
    EXPECT_EQ(late.round(), "A");
    ASSERT_EQ(late.undrawn().size(), 1);
    EXPECT_EQ(late.undrawn().first().athleteNo, b);
    const struct {
        int heat;
        QString lane, message;
    } refusals[] = {{3, "2", "Select a Heat"},
                    {0, "2", "Select a Heat"},
                    {1, "two", "The lane must be a number"},
                    {1, "1", "The lane is already occupied."}};
    for (const auto& r : refusals) {
        m_sink.clear();
        EXPECT_FALSE(late.add(b, r.heat, r.lane));
        EXPECT_TRUE(m_sink.saw(r.message)) << r.message.toStdString();
    }
    EXPECT_EQ(where(m_event, "A", b), "-");
    EXPECT_FALSE(late.add(a, 2, "1"));
    EXPECT_TRUE(m_sink.saw("The Athlete is already in Heat 1"));
    ASSERT_TRUE(late.add(b, 1, "2"));
    EXPECT_EQ(where(m_event, "A", b), "1/2");
    m_sink.clear();
    EXPECT_TRUE(late.undrawn().isEmpty());
    EXPECT_TRUE(m_sink.saw("There are no Athletes that were not Drawn for a Heats and Lanes"));
}

TEST_F(HandDrawsTest, HotSeatsReplaceADrawnSwimmerWithTheBestUndrawnOne)
{
    swimRoundA();
    // The final holds places 1 and 2 of each heat only; third places wait.
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = " + db::sqlInt(i + 1) +
                                       " where ATHLETENO = " + db::sqlInt(m_athletes[i])));
    draw::HotSeats seats(database(), *m_items, messages());
    EXPECT_FALSE(seats.open(m_event, "A"));
    EXPECT_TRUE(m_sink.saw("HotSeats is not applicable to the first round (A)"));
    ASSERT_TRUE(seats.open(m_event, "F"));
    const QList<draw::HotSeat> waiting = seats.waiting();
    ASSERT_EQ(waiting.size(), 6);
    EXPECT_EQ(waiting.first().athleteNo, m_athletes[4]); // 00:01:13.10
    m_sink.answerYes();
    ASSERT_TRUE(seats.replace(m_athletes[1], m_athletes[4]));
    EXPECT_TRUE(m_sink.saw("Replace the athlete S1, Sam of Team SHA drawn in Heat 0 Lane 2 with "
                           "Athlete S4, Sam"));
    EXPECT_EQ(where(m_event, "F", m_athletes[4]), "0/2");
    EXPECT_EQ(where(m_event, "F", m_athletes[1]), "-");
    EXPECT_FALSE(seats.replace(m_athletes[0], m_athletes[2])); // not waiting: he is drawn
}

TEST_F(HandDrawsTest, TheDrawCheckListsQualifiersByGroupAndWhereTheyWent)
{
    swimRoundA();
    ASSERT_TRUE(database().execute("update HEATPART set DISQ_STATUS = 3, PLACE = 0 where "
                                   "ATHLETENO = " +
                                   db::sqlInt(m_athletes[9])));
    ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = 4 where ATHLETENO = " +
                                   db::sqlInt(m_athletes[1])));
    bool ok = false;
    const QList<draw::DrawCheckRow> rows =
        draw::drawCheck(database(), *m_items, messages(), m_event, "F", &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(rows.size(), 10);
    QStringList order;
    for (const draw::DrawCheckRow& r : rows)
        order.append(r.name.section(',', 0, 0) + ":" + r.group);
    EXPECT_EQ(order.join(' '), "S0:Place S1:Place S2:Place S3:Place S4:Time S5:Time S6:Time "
                               "S7:Time S8:Time S9:");
    EXPECT_TRUE(rows[1].drawn);
    EXPECT_EQ(rows[1].lane, 4);
    EXPECT_FALSE(rows[0].drawn);
    draw::drawCheck(database(), *m_items, messages(), m_event, "A", &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(m_sink.saw("There is no draw check for round A"));
}

TEST_F(HandDrawsTest, TheSummaryFollowsEachSwimmerThroughTheRounds)
{
    EXPECT_TRUE(draw::drawSummary(database(), messages(), m_event).rounds.isEmpty());
    EXPECT_TRUE(m_sink.saw("No participations found."));
    swimRoundA();
    ASSERT_TRUE(database().execute("update PARTICIPATE set LANE = 3, PLACE = 1, PERFORMANCE = "
                                   "'00:01:09.00' where ATHLETENO = " +
                                   db::sqlInt(m_athletes[0])));
    const draw::DrawSummary summary = draw::drawSummary(database(), messages(), m_event);
    EXPECT_EQ(summary.rounds, QStringList({"A", "F"}));
    ASSERT_EQ(summary.athletes.size(), 10);
    const draw::DrawSummaryRow& first = summary.athletes.first();
    EXPECT_EQ(first.athleteNo, m_athletes[0]);
    EXPECT_EQ(first.bestBefore, "00:01:30.00");
    EXPECT_EQ(first.rounds.value("A").performance, "00:01:11.10");
    EXPECT_EQ(first.rounds.value("F").lane, 3);
    EXPECT_EQ(first.rounds.value("F").performance, "00:01:09.00");
    EXPECT_FALSE(summary.athletes[1].rounds.contains("F"));

    const qint64 finalOnly = addSelected("BRE____100M13W");
    m_sink.clear();
    EXPECT_TRUE(draw::drawSummary(database(), messages(), finalOnly).rounds.isEmpty());
    EXPECT_TRUE(m_sink.saw("There is no draw summary involved where there are no rounds."));
}

TEST_F(HandDrawsTest, AnAlphabeticalFinalClearsResultsAndLeavesTheDisqualifiedOut)
{
    const qint64 finalOnly = addSelected("FRE___1500M13W");
    QList<qint64> swimmers;
    for (const char* name : {"Zulu", "Alpha", "Mike", "Bravo"})
        swimmers.append(addSwimmer(m_dol, name));
    for (qint64 a : swimmers)
        enterSwimmer(finalOnly, a, QString(), 0, a == swimmers[2] ? 4 : 0);
    ASSERT_TRUE(database().execute("update PARTICIPATE set PLACE = 1, PERFORMANCE = "
                                   "'00:18:00.00' where ATHLETENO = " +
                                   db::sqlInt(swimmers[0])));
    EXPECT_EQ(draw::drawAlphabetically(database(), messages(), m_event, false), -1);
    EXPECT_TRUE(m_sink.saw("You can only do Finals with this option"));
    m_sink.answerNo();
    EXPECT_EQ(draw::drawAlphabetically(database(), messages(), finalOnly, false), -1);
    EXPECT_TRUE(m_sink.saw("1 Athletes are placed: it will be cleared"));
    EXPECT_TRUE(m_sink.saw("1 Athletes has performances: it will be cleared"));
    EXPECT_TRUE(m_sink.saw("1 Athletes are disqualified: they will not be drawn"));
    EXPECT_EQ(count("PARTICIPATE", "LANE > 0"), 0);
    m_sink.answerYes();
    EXPECT_EQ(draw::drawAlphabetically(database(), messages(), finalOnly, false), 3);
    EXPECT_TRUE(m_sink.saw("Done: 3 Atletes drawn"));
    EXPECT_EQ(where(finalOnly, "F", swimmers[1]), "0/1"); // Alpha
    EXPECT_EQ(where(finalOnly, "F", swimmers[3]), "0/2"); // Bravo
    EXPECT_EQ(where(finalOnly, "F", swimmers[0]), "0/3"); // Zulu
    EXPECT_EQ(where(finalOnly, "F", swimmers[2]), "-");
    EXPECT_EQ(count("PARTICIPATE", "PLACE > 0 or PERFORMANCE <> ''"), 0);
    ASSERT_TRUE(database().execute("update MYEVENT set FINAL_NOT_RUN = 1 where EVENTNO = " +
                                   db::sqlInt(finalOnly)));
    EXPECT_EQ(draw::drawAlphabetically(database(), messages(), finalOnly, false), -1);
    EXPECT_TRUE(m_sink.saw("This Final is NOT run"));
}

} // namespace
