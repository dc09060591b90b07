#include "handdrawfixture.h"

#include "db/sqltext.h"
#include "draw/constantdraw.h"
#include "draw/drawengine.h"
#include "draw/patterndraw.h"
#include "draw/teamlanes.h"
#include "meeting/itemtypes.h"

namespace {

// Schools AAA to EEE; EEE has no girls.
class TeamDrawsTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        for (const char* abrv : {"CCC", "AAA", "BBB", "DDD"})
            m_teams.insert(abrv, addTeam(abrv));
        m_teams.insert("EEE", addTeam("EEE", true, false));
        m_sink.clear();
    }
    QMap<QString, qint64> m_teams;
};

TEST_F(TeamDrawsTest, ANewHeatListsTheTeamsOfTheItemsGender)
{
    EXPECT_EQ(draw::teamLaneListForNewHeat(database(), messages(), m_meetingNo, "M"),
              "AAA;BBB;CCC;DDD;EEE");
    EXPECT_EQ(draw::teamLaneListForNewHeat(database(), messages(), m_meetingNo, "F"),
              "AAA;BBB;CCC;DDD");
    EXPECT_EQ(draw::teamLaneListForNewHeat(database(), messages(), m_meetingNo, "T"),
              "AAA;BBB;CCC;DDD;EEE");
    EXPECT_TRUE(m_sink.saw("New gender type: the program will select all genders"));
}

TEST_F(TeamDrawsTest, ConstantLanesAreCheckedAndRemovingALaneMovesTheRestUp)
{
    draw::ConstantTeamLanes lanes(database(), messages(), m_meetingNo);
    ASSERT_TRUE(lanes.setLanes("M", {"DDD", "AAA", "EEE", "BBB", "CCC"}));
    EXPECT_EQ(value("select MALE_TEAMS from MEETING"), "DDD;AAA;EEE;BBB;CCC");
    EXPECT_FALSE(lanes.setLanes("M", {"DDD", "DDD"}));
    EXPECT_TRUE(m_sink.saw("The team DDD has more than one lane"));
    EXPECT_FALSE(lanes.setLanes("F", {"AAA", "ZZZ"}));
    EXPECT_TRUE(m_sink.saw("There is no team \"ZZZ\" in this meeting"));
    EXPECT_EQ(value("select MALE_TEAMS from MEETING"), "DDD;AAA;EEE;BBB;CCC");
    EXPECT_EQ(value("select coalesce(FEMALE_TEAMS, '-') from MEETING"), "-");
    EXPECT_FALSE(lanes.addLane("F", ""));
    EXPECT_TRUE(m_sink.saw("No Teams selected"));

    // Lane 2 goes: AAA has no lane any more and comes back as the last lane.
    ASSERT_TRUE(lanes.removeLane("M", 2));
    EXPECT_EQ(lanes.lanes("M"), QStringList({"DDD", "EEE", "BBB", "CCC", "AAA"}));
    ASSERT_TRUE(lanes.setLanes("F", {"BBB", "AAA"}));
    ASSERT_TRUE(lanes.addLane("F", "DDD"));
    EXPECT_EQ(lanes.missingTeams("F", lanes.lanes("F")), QStringList({"CCC"}));
}

TEST_F(TeamDrawsTest, TheConstantDrawKeepsEveryTeamInItsLaneAndListsTheLeftovers)
{
    const qint64 event = addSelected("FRE_____50M10W");
    saveFormat(event, "2,3,2");
    draw::ConstantTeamLanes(database(), messages(), m_meetingNo)
        .setLanes("M", {"AAA", "BBB", "CCC", "DDD"});
    QMap<QString, QList<qint64>> swimmers;
    // AAA two swimmers (one per heat), BBB three (one too many), EEE has no lane.
    for (const auto& [team, n] : QList<std::pair<QString, int>>{{"AAA", 2}, {"BBB", 3}, {"EEE", 1}})
        for (int i = 0; i < n; ++i) {
            const qint64 a = addSwimmer(m_teams[team], team + QString::number(i));
            enterSwimmer(event, a);
            swimmers[team].append(a);
        }
    const draw::ConstantDrawResult result =
        draw::constantFirstRoundDraw(database(), *m_items, messages(), event);
    ASSERT_TRUE(result.stored);
    EXPECT_EQ(result.drawn, 6);
    EXPECT_EQ(where(event, "A", swimmers["AAA"][0]), "1/1");
    EXPECT_EQ(where(event, "A", swimmers["AAA"][1]), "2/1");
    EXPECT_EQ(where(event, "A", swimmers["BBB"][0]), "1/2");
    EXPECT_EQ(where(event, "A", swimmers["BBB"][1]), "2/2");
    ASSERT_EQ(result.leftovers.size(), 2);
    // Lanes nearest the middle of the four go first: lane 2 and 3 have orders 1000 and
    // 1002, lane 2 is full, so lane 3 (CCC) heat 1 and heat 2.
    EXPECT_EQ(where(event, "A", swimmers["BBB"][2]), "1/3");
    EXPECT_EQ(where(event, "A", swimmers["EEE"][0]), "2/3");
    EXPECT_EQ(count("HEATPART", "TEAMDRAW_USED = 1"), 4);
    const QString report =
        draw::constantLeftoverReport(*m_items, "FRE_____50M10W", result.leftovers);
    EXPECT_TRUE(report.startsWith("Athletes exceed the Number of Lanes available for a Team"));
    EXPECT_TRUE(report.contains("Seq  Time   Item"));
    EXPECT_EQ(draw::constantLeftoverReport(*m_items, "FRE_____50M10W", {}),
              "There are no Athletes that could not be drawn in a Lane assigned for his Team.");
}

TEST_F(TeamDrawsTest, ThePatternNeedsALaneCountAndAsManyTeamsOfEachGender)
{
    draw::PatternDraw pattern(database(), *m_items, messages(), m_meetingNo);
    EXPECT_FALSE(pattern.setLaneCount(4));
    EXPECT_TRUE(m_sink.saw("be from 5 to 9, not 4."));
    EXPECT_FALSE(pattern.configurationCorrect(false));
    ASSERT_TRUE(pattern.setLaneCount(5));
    ASSERT_TRUE(pattern.tagTeamsByGender());
    // Five boys' teams, four girls' teams: wrong.
    m_sink.clear();
    EXPECT_FALSE(pattern.configurationCorrect(false));
    EXPECT_TRUE(m_sink.saw("The selected 5 Male Teams (1=AAA  2=BBB  3=CCC  4=DDD  5=EEE) and 4 "
                           "Female Teams"));
    EXPECT_TRUE(m_sink.saw(" must be equal to the Lane-Count (5)"));
    // With fewer teams in the meeting than lanes the user is told first.
    ASSERT_TRUE(pattern.setLaneCount(6));
    m_sink.answerNo();
    EXPECT_FALSE(pattern.configurationCorrect(true));
    EXPECT_TRUE(m_sink.saw("This facility needs at least 6 Teams."));
    EXPECT_TRUE(m_sink.saw("You have only added 5"));
    ASSERT_TRUE(pattern.setLaneCount(5));
    EXPECT_FALSE(pattern.setTeams("F", {"AAA", "AAA"}));
    ASSERT_TRUE(pattern.setTeams("F", {"DDD", "CCC", "BBB", "AAA", "EEE"}));
    EXPECT_TRUE(pattern.configurationCorrect(true));
    EXPECT_EQ(pattern.teamsOfSequence(1, "F"), QStringList({"AAA", "BBB", "EEE", "DDD", "CCC"}));
}

TEST_F(TeamDrawsTest, RenumberingGivesTheBendRacesTheirPatternAndTeamLanesInProgramOrder)
{
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    // Athletics items in the program: seq 1 a 100 m, seq 2 a 200 m girls, seq 3 two heats of
    // a 400 m hurdles boys, seq 4 an 800 m.
    const auto event = [&](const QString& itemCode, int seq, int heats) {
        const qint64 e = database().nextKeyNumber();
        EXPECT_TRUE(database().execute("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, "
                                       "SELECTED) values (" +
                                       db::sqlInt(e) + ", " + db::sqlInt(m_meetingNo) + ", " +
                                       db::quoted(itemCode) + ", 'X')"));
        for (int h = 1; h <= heats; ++h)
            EXPECT_TRUE(database().execute(
                "insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, SEQ, "
                "PATTERN_SEQ) values (" +
                db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
                db::sqlInt(e) + ", 'A', " + db::sqlInt(h) + ", " + db::sqlInt(seq) + ", 7)"));
        return e;
    };
    event("SHD____100M19", 1, 1);
    const qint64 girls200 = event("SHD____200F19", 2, 1);
    const qint64 hurdles = event("HDL____400M19", 3, 2);
    event("LOD____800M19", 4, 1);
    draw::PatternDraw pattern(database(), athletics, messages(), m_meetingNo);
    ASSERT_TRUE(pattern.setLaneCount(5));
    ASSERT_TRUE(pattern.setTeams("M", {"AAA", "BBB", "CCC", "DDD", "EEE"}));
    ASSERT_TRUE(pattern.setTeams("F", {"EEE", "DDD", "CCC", "BBB", "AAA"}));
    EXPECT_EQ(pattern.renumber(), 3);
    EXPECT_EQ(value("select list(PATTERN_SEQ, ',') from (select PATTERN_SEQ from PROGRAM order "
                    "by SEQ, HEATNO)"),
              "0,1,2,3,0");
    // Sequence 1 is 43512: girls' team 4 (BBB) in lane 1, team 3 (CCC) in lane 2, ...
    EXPECT_EQ(value("select RANDOMDRAW from PROGRAM where EVENTNO = " + db::sqlInt(girls200)),
              "BBB;CCC;AAA;EEE;DDD");
    // Sequence 3 is 32145 for the boys.
    EXPECT_EQ(value("select RANDOMDRAW from PROGRAM where HEATNO = 2 and EVENTNO = " +
                    db::sqlInt(hurdles)),
              "CCC;BBB;AAA;DDD;EEE");
    const QString report = pattern.report();
    EXPECT_TRUE(report.startsWith("PROGRAM SEQ, PATTERN (TEAM NUMBERS), ITEM"));
    EXPECT_TRUE(report.contains("25431")) << report.toStdString();
    EXPECT_TRUE(report.contains("MALE TEAM NUMBERS: 1=AAA"));
    EXPECT_TRUE(report.contains("FEMALE TEAM NUMBERS: 1=EEE"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(TeamDrawsTest, NewHeatsStartWithTheTeamsOfTheirGenderAsFarAsTheColumnHolds)
{
    const qint64 girls = addSelected("FRE_____50F11W");
    saveFormat(girls, "2,3,2");
    EXPECT_EQ(
        value("select list(distinct RANDOMDRAW) from PROGRAM where EVENTNO = " + db::sqlInt(girls)),
        "AAA;BBB;CCC;DDD");
    // 40 more teams of five letters: the list stops at the last whole team within 120.
    for (int i = 0; i < 40; ++i)
        addTeam(QString("T%1").arg(i, 4, 10, QChar('0')));
    const QString list = draw::teamLaneListForNewHeat(database(), messages(), m_meetingNo, "M");
    EXPECT_LE(list.size(), draw::kTeamLaneListWidth);
    EXPECT_GT(list.size(), draw::kTeamLaneListWidth - 6);
    EXPECT_TRUE(list.startsWith("AAA;BBB;CCC;DDD;EEE;T0000;"));
    const qint64 boys = addSelected("FRE_____50M11W");
    saveFormat(boys, "3,3,2");
    EXPECT_EQ(value("select min(RANDOMDRAW) from PROGRAM where EVENTNO = " + db::sqlInt(boys)),
              list);
}

TEST_F(TeamDrawsTest, TheConstantMethodTakesOverTheFirstRoundDraw)
{
    changeMeeting({{"DRAW_METHOD", "7"}});
    draw::ConstantTeamLanes(database(), messages(), m_meetingNo).setLanes("F", {"BBB", "AAA"});
    const qint64 event = addSelected("BCK_____50F11W");
    QList<qint64> swimmers;
    for (const char* team : {"AAA", "BBB"}) {
        swimmers.append(addSwimmer(m_teams[team], team, "F"));
        enterSwimmer(event, swimmers.last());
    }
    draw::DrawRandom random(5);
    draw::DrawEngine engine(database(), *m_items, run().meeting(), random);
    const std::optional<draw::DrawEvent> read = engine.readEvent(event);
    ASSERT_TRUE(read);
    draw::DrawReport report;
    ASSERT_TRUE(engine.drawFirstRound(*read, report));
    EXPECT_EQ(report.drawnAthletes, 2);
    EXPECT_EQ(where(event, "F", swimmers[0]), "0/2"); // AAA keeps lane 2
    EXPECT_EQ(where(event, "F", swimmers[1]), "0/1");
}

TEST_F(TeamDrawsTest, ThePatternMethodRunsEachTeamInItsPatternLane)
{
    changeMeeting({{"DRAW_METHOD", "8"}});
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    const qint64 event = database().nextKeyNumber();
    ASSERT_TRUE(database().execute(
        "insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, SELECTED) values (" +
        db::sqlInt(event) + ", " + db::sqlInt(m_meetingNo) + ", 'SHD____200M19', 'X')"));
    ASSERT_TRUE(database().execute(
        "insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, SEQ) values (" +
        db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::sqlInt(event) + ", 'F', 0, 1)"));
    draw::PatternDraw pattern(database(), athletics, messages(), m_meetingNo);
    ASSERT_TRUE(pattern.setLaneCount(5));
    ASSERT_TRUE(pattern.setTeams("M", {"AAA", "BBB", "CCC", "DDD", "EEE"}));
    ASSERT_TRUE(pattern.setTeams("F", {"EEE", "DDD", "CCC", "BBB", "AAA"}));
    ASSERT_EQ(pattern.renumber(), 1);
    // Sequence 1 is 43512: DDD in lane 1, CCC in 2, EEE in 3, AAA in 4, BBB in 5.
    ASSERT_EQ(value("select RANDOMDRAW from PROGRAM where EVENTNO = " + db::sqlInt(event)),
              "DDD;CCC;EEE;AAA;BBB");
    QMap<QString, qint64> swimmers;
    for (const QString& team : m_teams.keys()) {
        swimmers.insert(team, addSwimmer(m_teams[team], team));
        enterSwimmer(event, swimmers[team]);
    }
    // A second AAA swimmer finds his team's lane taken and runs in a free one.
    const qint64 extra = addSwimmer(m_teams["AAA"], "Extra");
    enterSwimmer(event, extra);
    for (quint64 seed : {1, 2, 3}) {
        draw::DrawRandom random(seed);
        draw::DrawEngine engine(database(), athletics, run().meeting(), random);
        draw::DrawReport report;
        ASSERT_TRUE(engine.drawFirstRound(*engine.readEvent(event), report));
        const QString lanes = QString("%1%2%3%4%5")
                                  .arg(where(event, "F", swimmers["DDD"]))
                                  .arg(where(event, "F", swimmers["CCC"]))
                                  .arg(where(event, "F", swimmers["EEE"]))
                                  .arg(where(event, "F", swimmers["AAA"]))
                                  .arg(where(event, "F", swimmers["BBB"]));
        const QString extraLane = where(event, "F", extra);
        // The better ranked of the two AAA swimmers holds lane 4.
        if (extraLane == "0/4")
            EXPECT_EQ(lanes.left(9), "0/10/20/3") << seed;
        else
            EXPECT_EQ(lanes, "0/10/20/30/40/5") << seed;
        EXPECT_EQ(count("PARTICIPATE", "LANE > 0 and EVENTNO = " + db::sqlInt(event)), 6);
        EXPECT_EQ(value("select count(distinct LANE) from PARTICIPATE where EVENTNO = " +
                        db::sqlInt(event)),
                  "6");
    }
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

} // namespace
