// The next-round draw from placed heats: selection by place and time, shared places,
// short heats, statuses, and the final's lanes.

#include "drawnfield.h"

#include "db/sqltext.h"
#include "draw/drawround.h"
#include "draw/nextrounddraw.h"

#include <QMap>
#include <QSet>

#include <algorithm>

using draw::DrawOutcome;

namespace {

class NextRoundDrawTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        changeMeeting({{"DRAW_METHOD", "3"}, {"HAS_BEST_BEFORES", "1"}});
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "4,3,4/2,3,2");
        m_athletes = enterField(m_event, 32, true);
        m_sink.answerYes();
        ASSERT_EQ(drawRound("B"), DrawOutcome::Drawn);
    }
    DrawOutcome drawRound(const QString& round)
    {
        draw::RoundDrawing drawing(engine(8));
        return drawing.drawRound(m_event, round);
    }
    // The time of an athlete in every round: his index in the field, in seconds over a
    // minute, so that the field's order is the order of merit.
    double timeOf(qint64 athleteNo) const { return 60.5 + m_athletes.indexOf(athleteNo); }
    // Places every heat of the round by time; `time` may change an athlete's time.
    void placeRound(const QString& round)
    {
        const QList<Heat> rows = drawnRows(m_event, round);
        QMap<int, QList<qint64>> heats;
        for (const Heat& h : rows)
            heats[h.heat] << h.athleteNo;
        for (auto it = heats.begin(); it != heats.end(); ++it) {
            QList<qint64>& heat = it.value();
            std::sort(heat.begin(), heat.end(),
                      [this](qint64 a, qint64 b) { return timeOf(a) < timeOf(b); });
            for (int i = 0; i < heat.size(); ++i)
                setResult(round, heat[i], i + 1, timeOf(heat[i]));
        }
    }
    void setResult(const QString& round, qint64 athleteNo, int place, double seconds,
                   int status = 0)
    {
        const QString perf =
            seconds > 0 ? m_items->PerfValueToText("FRE____100M13W", seconds, false) : QString();
        ASSERT_TRUE(database().execute(
            "update HEATPART set PLACE = " + db::sqlInt(place) +
            ", PERFORMANCE = " + db::quoted(perf) + ", DISQ_STATUS = " + db::sqlInt(status) +
            " where EVENTNO = " + db::sqlInt(m_event) + " and ROUND = " + db::quoted(round) +
            " and ATHLETENO = " + db::sqlInt(athleteNo)));
    }
    QList<qint64> heatOf(const QString& round, int heat)
    {
        QList<qint64> athletes;
        for (const Heat& h : drawnRows(m_event, round)) {
            if (h.heat == heat)
                athletes << h.athleteNo;
        }
        std::sort(athletes.begin(), athletes.end(),
                  [this](qint64 a, qint64 b) { return timeOf(a) < timeOf(b); });
        return athletes;
    }
    // The qualifiers as the rule says, worked out here from the placed rows.
    QSet<qint64> expectedQualifiers(const QString& round, int places, int times)
    {
        db::Query q = database().openQuery(
            "select ATHLETENO, PLACE, PERFORMANCE from HEATPART where EVENTNO = " +
            db::sqlInt(m_event) + " and ROUND = " + db::quoted(round) +
            " and PLACE > 0 and DISQ_STATUS = 0 order by PERFORMANCE");
        QSet<qint64> chosen;
        QList<qint64> rest;
        for (q.first(); !q.eof(); q.next()) {
            if (q.integer("PLACE") <= places)
                chosen.insert(q.integer("ATHLETENO"));
            else
                rest << q.integer("ATHLETENO");
        }
        for (int i = 0; i < times && i < rest.size(); ++i)
            chosen.insert(rest[i]);
        return chosen;
    }
    QSet<qint64> drawnSet(const QString& round)
    {
        QSet<qint64> set;
        for (const Heat& h : drawnRows(m_event, round))
            set.insert(h.athleteNo);
        return set;
    }

    qint64 m_event = 0;
    QList<qint64> m_athletes;
};

TEST_F(NextRoundDrawTest, RoundByRoundToTheFinal)
{
    ASSERT_EQ(drawnRows(m_event, "B").size(), 32);
    placeRound("B");
    m_sink.clear();
    m_sink.answerYes();
    ASSERT_EQ(drawRound("A"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("Draw round A: \rSelect the first 3 places from each heat, \rand the "
                           "best 4 of the remaining performances.\r\rContinue"));
    EXPECT_TRUE(m_sink.saw("Done: Round \"A\" drawn"));
    const QList<Heat> semis = drawnRows(m_event, "A");
    ASSERT_EQ(semis.size(), 16);
    EXPECT_EQ(drawnSet("A"), expectedQualifiers("B", 3, 4));
    QMap<int, int> sizes;
    for (const Heat& h : semis)
        ++sizes[h.heat];
    EXPECT_EQ(sizes.values(), (QList<int>{8, 8}));
    // The zig-zag over the winners: the fastest winner in heat 1, the next in heat 2.
    EXPECT_EQ(heatOf("A", 1).first(), m_athletes[0]);

    placeRound("A");
    m_sink.clear();
    m_sink.answerYes();
    ASSERT_EQ(drawRound("F"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("Done: this Final drawn"));
    const QList<Heat> final = drawnRows(m_event, "F");
    ASSERT_EQ(final.size(), 8);
    EXPECT_EQ(drawnSet("F"), expectedQualifiers("A", 3, 2));
    QSet<int> lanes;
    for (const Heat& h : final)
        lanes.insert(h.lane);
    EXPECT_EQ(lanes, (QSet<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(NextRoundDrawTest, ASharedThirdPlaceIsReportedAndTheSlowerOneStaysOut)
{
    placeRound("B");
    const QList<qint64> heat1 = heatOf("B", 1);
    // The fourth of heat 1 is given third place too, with a time slower than every other
    // third place but better than some fourth places.
    setResult("B", heat1[3], 3, 75.0);
    m_sink.clear();
    m_sink.answerYes();
    ASSERT_EQ(drawRound("A"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("1 too MANY places were collected.\rThis may be because of the "
                           "following reason:\rWhen athletes share places"));
    EXPECT_TRUE(m_sink.saw(" Heat B1 has 2 athletes sharing place 3\rTherefore more than the "
                           "expected number of athletes"));
    EXPECT_TRUE(m_sink.saw("Use \"Edit Lane\" to make the lane 0."));
    const QSet<qint64> drawn = drawnSet("A");
    EXPECT_EQ(drawn.size(), 16);
    EXPECT_FALSE(drawn.contains(heat1[3])); // only places above 3 come in on time
    EXPECT_TRUE(drawn.contains(heat1[2]));
}

TEST_F(NextRoundDrawTest, AShortHeatGivesTheLittleWarningAndTimesFillTheRound)
{
    placeRound("B");
    const QList<qint64> heat2 = heatOf("B", 2);
    for (int i = 2; i < heat2.size(); ++i)
        setResult("B", heat2[i], 0, 0, 1); // did not start
    m_sink.clear();
    m_sink.answerYes();
    ASSERT_EQ(drawRound("A"), DrawOutcome::Drawn);
    EXPECT_TRUE(m_sink.saw("1 too LITTLE places were collected."));
    EXPECT_TRUE(m_sink.saw("When there are noy enough athletes in some heats,\ryou may end up "
                           "with too little places."));
    // 11 by place and, to fill the round, 5 by time.
    EXPECT_EQ(drawnSet("A"), expectedQualifiers("B", 3, 5));
    EXPECT_EQ(drawnSet("A").size(), 16);
}

TEST_F(NextRoundDrawTest, ADisqualifiedWinnerIsNotSelected)
{
    placeRound("B");
    const qint64 winner = heatOf("B", 3).first();
    setResult("B", winner, 1, timeOf(winner), 3);
    m_sink.clear();
    m_sink.answerYes();
    ASSERT_EQ(drawRound("A"), DrawOutcome::Drawn);
    EXPECT_FALSE(drawnSet("A").contains(winner));
    EXPECT_TRUE(m_sink.saw("1 too LITTLE places were collected."));
}

TEST_F(NextRoundDrawTest, UnplacedHeatsAreListedBeforeDrawing)
{
    placeRound("B");
    for (qint64 a : heatOf("B", 4))
        setResult("B", a, 0, 0);
    m_sink.clear();
    m_sink.answerNo();
    EXPECT_EQ(drawRound("A"), DrawOutcome::Cancelled);
    EXPECT_TRUE(m_sink.saw("The following heats of the previous \rround (B) has no results:\r "
                           "Heat B4\r"));
    EXPECT_TRUE(m_sink.saw("Continue to draw anyway"));
    EXPECT_EQ(drawnRows(m_event, "A").size(), 0);
}

TEST_F(NextRoundDrawTest, SelectionOrdersPlaceQualifiersByPlaceThenTime)
{
    placeRound("B");
    const auto event = engine().readEvent(m_event);
    ASSERT_TRUE(event);
    draw::NextRoundDraw next(*m_engine, *event, "A");
    ASSERT_TRUE(next.prepare());
    EXPECT_EQ(next.places(), 3);
    EXPECT_EQ(next.times(), 4);
    EXPECT_EQ(next.previousHeats(), 4);
    const QList<draw::QualifierRow> placed = next.byPlace();
    ASSERT_EQ(placed.size(), 12);
    for (int i = 1; i < placed.size(); ++i) {
        EXPECT_TRUE(placed[i - 1].place < placed[i].place ||
                    (placed[i - 1].place == placed[i].place &&
                     placed[i - 1].performance <= placed[i].performance));
    }
    const draw::CandidateList list = next.qualifiers();
    ASSERT_EQ(list.size(), 16);
    EXPECT_EQ(list[0].drawClass, draw::kClassPlace);
    EXPECT_EQ(list[15].drawClass, draw::kClassPerformance);
    EXPECT_EQ(next.sharedPlaceReport(), QString());
}

} // namespace
