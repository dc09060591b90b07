#include "drawfixture.h"

#include "db/sqltext.h"
#include "draw/formatcheck.h"
#include "draw/heatgroups.h"
#include "draw/heatmembers.h"
#include "draw/programeditor.h"
#include "draw/programrelease.h"
#include "draw/programrows.h"
#include "draw/programsetup.h"

using namespace draw;

namespace {

// Checks and repairs over a whole meeting's program.
class ProgramChecksTest : public DrawFixture {};

TEST_F(ProgramChecksTest, AFormatThatLostItsProgramIsRewrittenFromThePrograms)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,2,2");
    // Another program removed a heat behind our back.
    ASSERT_TRUE(database().execute("delete from PROGRAM where ROUND = 'A' and HEATNO = 3"));
    ProgramRows rows(database(), messages());
    EXPECT_FALSE(rows.repairEvent(e));
    EXPECT_TRUE(m_sink.saw("lost sync."));
    EXPECT_EQ(value("select HEATCOUNTS from MYEVENT"), "2");
    EXPECT_TRUE(rows.repairEvent(e));
}

TEST_F(ProgramChecksTest, MeetingHeatCountCheckComparesHeatsWithEntries)
{
    const qint64 tooFew = addSelected("FRE____100M13W");
    const qint64 tooMany = addSelected("BRE____100M13W");
    const qint64 right = addSelected("BCK____100M13W");
    saveFormat(tooMany, "3,2,2");
    saveFormat(right, "2,3,2");
    enter(tooFew, 20, 0);
    enter(tooMany, 5, 0);
    enter(right, 14, 0);
    meeting::LaneSettings lanes;
    lanes.dolvaneLaneCount = 8;
    HeatGroups groups(*m_items, lanes);
    const FormatCheck::MeetingReport report =
        FormatCheck(groups).checkMeeting(database(), m_meetingNo);
    EXPECT_EQ(report.errors, 1);
    EXPECT_EQ(report.hints, 1);
    EXPECT_EQ(report.correct, 1);
    EXPECT_FALSE(report.passed());
    ASSERT_EQ(report.lines.size(), 2);
    EXPECT_TRUE(report.lines[0].startsWith("ERROR:   2 too few for 100m Freestyle 13 Male"));
    EXPECT_TRUE(report.lines[1].startsWith("Hint :   2 too many for 100m Breaststroke"));
    EXPECT_TRUE(report.text().contains("1 ERRORS : too little heats"));
}

TEST_F(ProgramChecksTest, PlacedCountsCountPlacedSwimmersOfTheFinal)
{
    const qint64 e = addSelected("FRE____100M13W");
    enter(e, 6, 4);
    ProgramRows rows(database(), messages());
    ASSERT_TRUE(rows.updatePlacedCounts(m_meetingNo));
    EXPECT_EQ(value("select PLACEDCOUNT from PROGRAM where EVENTNO = " + db::sqlInt(e)), "4");
}

TEST_F(ProgramChecksTest, HeatsAreFinalsTakeTheirLastHeatsSlot)
{
    ProgramEditor editor(run());
    EXPECT_FALSE(editor.cascadeHeatsAreFinals());
    EXPECT_TRUE(m_sink.saw("This meeting has no Items where the final is not run"));
    const qint64 e = addSelected("FRE_____50M13W");
    saveFormat(e, "3,0,8");
    ASSERT_TRUE(m_events->setFinalNotRun(e, true));
    m_events->saveSelection();
    ASSERT_TRUE(database().execute("update PROGRAM set THETIME = '11:20', SEQ = 9, PIT = 'A' "
                                   "where ROUND = 'A' and HEATNO = 3"));
    ASSERT_TRUE(editor.cascadeHeatsAreFinals());
    EXPECT_EQ(value("select SEQ || PIT || THETIME from PROGRAM where ROUND = 'F'"),
              "9A11:20:00.0000");
}

TEST_F(ProgramChecksTest, LaneSettingsOfTheMeetingGiveTheHeatSize)
{
    changeMeeting({{"DOLVANE_LANE_COUNT", "6"},
                   {"XCD_TRACKCOUNT_110M", "9"},
                   {"LONG_HEAT_ATHS_1500M", "14"}});
    HeatGroups swim(*m_items, lanes());
    EXPECT_EQ(swim.athletesPerHeat("FRE___1500M13W"), 6);
    EXPECT_EQ(swim.heatsNeeded("FRE____100M13W", 13), 3);
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    HeatGroups track(athletics, lanes());
    EXPECT_EQ(track.athletesPerHeat("SHD____100M19"), 9);
    EXPECT_EQ(track.athletesPerHeat("LOD___1500M19"), 14);
    EXPECT_EQ(track.athletesPerHeat("JMPLong___M19"), 99);
    // Unset settings fall back to the heat group's size.
    EXPECT_EQ(track.athletesPerHeat("LOD___5000M19"), 19);
    EXPECT_EQ(track.heatShortfall("SHD____100M19", "2,3,2", 30), 2);
}

TEST_F(ProgramChecksTest, DeletingTheProgramLeavesOtherMeetingsAlone)
{
    addSelected("FRE_____50M13W");
    const int other = createMeeting(1, 8);
    Events otherEvents(database(), *m_items, other);
    NewEvent event;
    event.itemCode = "FRE_____50F13W";
    event.selected = true;
    ASSERT_GT(otherEvents.addEvent(event), 0);
    ASSERT_TRUE(ProgramSetup(*m_events).deleteProgram());
    EXPECT_EQ(count("MYEVENT", "MEETINGNO = " + db::sqlInt(m_meetingNo)), 0);
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(m_meetingNo)), 0);
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(other)), 1);
}

// Athletes of the heats and the final of one event, as sheets and capture read them.
class HeatMembersTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "2,3,2");
        m_team = database().nextKeyNumber();
        ASSERT_TRUE(database().execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV) "
                                       "values (" +
                                       db::sqlInt(m_team) + ", " + db::sqlInt(m_meetingNo) +
                                       ", 'Dolphins', 'DOL')"));
    }
    qint64 athlete(const QString& surname)
    {
        const qint64 no = database().nextKeyNumber();
        EXPECT_TRUE(database().execute(
            "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE) "
            "values (" +
            db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(m_team) + ", " +
            db::quoted(surname) + ", 'Sam', 'M', 13)"));
        return no;
    }
    // round F goes to PARTICIPATE, others to HEATPART.
    void member(const QString& round, int heat, const QString& surname, int lane, int ePlace,
                int status, int medal = 0)
    {
        const QString key = db::sqlInt(database().nextKeyNumber());
        const QString values = db::sqlInt(m_meetingNo) + ", " + db::sqlInt(m_event) + ", " +
                               db::sqlInt(athlete(surname)) + ", " + db::sqlInt(lane) + ", " +
                               db::sqlInt(ePlace) + ", " + db::sqlInt(status) + ", " +
                               db::sqlInt(medal);
        if (round == "F") {
            ASSERT_TRUE(database().execute(
                "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO, LANE, E_PLACE, "
                "DISQ_STATUS, MEDAL_WITH_XCLD, DID_NOT_CALL) values (" +
                key + ", " + values + ", 1)"));
        } else {
            ASSERT_TRUE(database().execute(
                "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ATHLETENO, LANE, E_PLACE, "
                "DISQ_STATUS, MEDAL_WITH_XCLD, ROUND, HEATNO) values (" +
                key + ", " + values + ", " + db::quoted(round) + ", " + db::sqlInt(heat) + ")"));
        }
    }
    QString names(const QString& round, int heat, MemberOrder order)
    {
        QStringList result;
        for (const HeatMember& m :
             heatMembers(database(), messages(), m_event, round, heat, int(order)))
            result.append(m.surname);
        return result.join(',');
    }

    qint64 m_event = 0;
    qint64 m_team = 0;
};

TEST_F(HeatMembersTest, EachHeatListsItsOwnAthletesInTheAskedOrder)
{
    member("A", 1, "Cole", 0, 2, 0);
    member("A", 1, "Abel", 5, 0, 0);
    member("A", 1, "Bray", 3, 1, 0);
    member("A", 1, "Dunn", 4, 0, 2);
    member("A", 2, "Ezra", 4, 1, 0);
    member("F", 0, "Ford", 2, 1, 0, 1);
    // Lane 0 and place 0 go last; statuses after the clean results.
    EXPECT_EQ(names("A", 1, MemberOrder::Lane), "Bray,Dunn,Abel,Cole");
    EXPECT_EQ(names("A", 1, MemberOrder::Status), "Bray,Cole,Abel,Dunn");
    EXPECT_EQ(names("A", 1, MemberOrder::Surname), "Abel,Bray,Cole,Dunn");
    EXPECT_EQ(names("A", 2, MemberOrder::Lane), "Ezra");

    const QList<HeatMember> heat = heatMembers(database(), messages(), m_event, "A", 2, 1);
    ASSERT_EQ(heat.size(), 1);
    EXPECT_GT(heat[0].heatPartNo, 0);
    EXPECT_EQ(heat[0].partNo, -1);
    EXPECT_EQ(heat[0].didNotCall, -1);
    EXPECT_EQ(heat[0].teamAbrv, "DOL");
    const QList<HeatMember> final = heatMembers(database(), messages(), m_event, "F", 0, 1);
    ASSERT_EQ(final.size(), 1);
    EXPECT_GT(final[0].partNo, 0);
    EXPECT_EQ(final[0].heatPartNo, -1);
    EXPECT_EQ(final[0].didNotCall, 1);
    // The medal column counts only where the meeting excludes teams from medals.
    EXPECT_EQ(final[0].medalWithExcluded, 0);
    ASSERT_TRUE(database().execute("update MEETING set MEDALS_XCLD_TEAMS = 1"));
    EXPECT_EQ(heatMembers(database(), messages(), m_event, "F", 0, 1)[0].medalWithExcluded, 1);
}

TEST_F(HeatMembersTest, AMissingRoundHeatOrOrderIsAnInternalError)
{
    EXPECT_TRUE(heatMembersSql(database(), messages(), m_event, "", 1, 1).isEmpty());
    EXPECT_TRUE(m_sink.saw("sRound is required"));
    EXPECT_TRUE(heatMembersSql(database(), messages(), m_event, "A", 0, 1).isEmpty());
    EXPECT_TRUE(m_sink.saw("nHeat is required"));
    EXPECT_TRUE(heatMembersSql(database(), messages(), m_event, "F", 0, 4).isEmpty());
    EXPECT_TRUE(m_sink.saw("New order:4"));
    bool ok = true;
    EXPECT_TRUE(heatMembers(database(), messages(), m_event, "B", 1, 1, &ok).isEmpty());
    EXPECT_TRUE(ok); // a round without athletes is no error
    heatMembers(database(), messages(), m_event, "A", 1, 9, &ok);
    EXPECT_FALSE(ok);
}

TEST_F(HeatMembersTest, PlacedCountsAreComparedAndUpdated)
{
    member("A", 1, "Abel", 1, 1, 0);
    member("A", 1, "Bray", 2, 0, 0);
    ASSERT_TRUE(database().execute("update HEATPART set PLACE = E_PLACE"));
    member("A", 2, "Cole", 1, 0, 3); // a status counts as placed
    ProgramRows rows(database(), messages());
    EXPECT_EQ(rows.comparePlacedCounts(m_meetingNo, false).size(), 3);
    const QList<PlacedCount> errors = rows.comparePlacedCounts(m_meetingNo, true);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0].heatNo, 1);
    EXPECT_EQ(errors[0].counted, 1);
    EXPECT_EQ(errors[1].counted, 1);
    const QString report = placedCountReport(*m_items, errors, true);
    EXPECT_TRUE(report.startsWith("Compare Placed Counts in only error events"));
    EXPECT_TRUE(report.contains("2 of 2 heats differ"));

    const qint64 heat1 =
        value("select PROGRAMNO from PROGRAM where ROUND = 'A' and HEATNO = 1").toLongLong();
    ASSERT_TRUE(rows.updatePlacedCount(heat1));
    EXPECT_EQ(rows.comparePlacedCounts(m_meetingNo, true).size(), 1);
    ASSERT_TRUE(rows.updatePlacedCounts(m_meetingNo));
    EXPECT_TRUE(rows.comparePlacedCounts(m_meetingNo, true).isEmpty());
}

TEST_F(HeatMembersTest, ReleasedDrawsAreFrozenOnlyWithRevisions)
{
    const qint64 heat =
        value("select PROGRAMNO from PROGRAM where ROUND = 'A' and HEATNO = 2").toLongLong();
    ProgramRelease releases(database(), *m_items);
    const QString title = releases.heatTitle(heat);
    EXPECT_TRUE(title.endsWith("Heat 2")) << title.toStdString();
    m_sink.answerNo();
    EXPECT_FALSE(releases.setReleased(heat, Publication::Draw, true));
    EXPECT_TRUE(m_sink.saw("Release the Draw for " + title));
    EXPECT_EQ(value("select DRAW_RELEASED from PROGRAM where PROGRAMNO = " + db::sqlInt(heat)),
              "0");
    m_sink.answerYes();
    ASSERT_TRUE(releases.setReleased(heat, Publication::Draw, true));
    EXPECT_FALSE(releases.setReleased(heat, Publication::Draw, true));
    EXPECT_TRUE(m_sink.saw("The Draw for " + title + " was already released."));
    // Results have their own flag.
    EXPECT_FALSE(releases.setReleased(heat, Publication::Results, false));
    EXPECT_TRUE(m_sink.saw("The Results for " + title + " was already retracted."));

    EXPECT_TRUE(releases.mayRedraw(heat));
    ASSERT_TRUE(database().execute("update MEETING set RESULTS_HAS_REVISIONS = 1"));
    EXPECT_FALSE(releases.mayRedraw(heat));
    EXPECT_TRUE(releases.mayRecalculate(heat));
    m_sink.answerYes();
    ASSERT_TRUE(releases.setReleased(heat, Publication::Draw, false));
    EXPECT_TRUE(releases.mayRedraw(heat));

    m_sink.answerYes();
    ASSERT_TRUE(releases.incrementRevision(heat, Publication::Results));
    EXPECT_TRUE(m_sink.saw("Increment the revision for " + title + " for Round A from 0 to 1"));
    m_sink.answerYes();
    ASSERT_TRUE(releases.incrementRevision(heat, Publication::Results));
    EXPECT_EQ(value("select DRAW_REVISION || '/' || RESULTS_REVISION from PROGRAM where "
                    "PROGRAMNO = " +
                    db::sqlInt(heat)),
              "0/2");
}

} // namespace
