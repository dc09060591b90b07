#include "drawfixture.h"

#include "db/sqltext.h"
#include "draw/complexeditor.h"
#include "draw/formatlistings.h"
#include "draw/heatgroups.h"
#include "draw/heatsarefinals.h"
#include "draw/indicateheats.h"
#include "draw/lanecheck.h"
#include "draw/simplexeditor.h"

using namespace draw;

namespace {

// The operations behind the heat screens, on a swimming gala of eight lanes and, where
// the rules differ, on an athletics meeting of the same database.
class HeatScreensCoreTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_groups = std::make_unique<HeatGroups>(*m_items, lanes());
    }

    std::unique_ptr<HeatGroups> m_groups;
};

TEST_F(HeatScreensCoreTest, TooFewMeasuresInAthletesOrHeatsAgainstActualOrLarger)
{
    const qint64 e = addSelected("FRE____100M13W");
    ASSERT_TRUE(m_events->setFormatEdit(e, "2,3,2"));
    m_events->setEstimatedCount(e, 30);
    enter(e, 19);
    IndicateHeats heats(*m_events, *m_groups);
    const EventRow row = m_events->event(e);

    HeatsLine l = heats.line(row, TooFewOptions{true, true});
    EXPECT_EQ(l.heatsProvided, 2);
    EXPECT_EQ(l.athsProvided, 16);
    EXPECT_EQ(l.tooFew, 3); // 19 entered, 16 places
    EXPECT_EQ(l.provision, HeatProvision::TooFew);
    l = heats.line(row, TooFewOptions{false, true});
    EXPECT_EQ(l.tooFew, 1); // 3 heats needed
    l = heats.line(row, TooFewOptions{true, false});
    EXPECT_EQ(l.tooFew, 14); // 30 expected
    l = heats.line(row, TooFewOptions{false, false});
    EXPECT_EQ(l.tooFew, 2);

    // Enough and too many heats have no shortage; the colour tells them apart.
    ASSERT_TRUE(m_events->setFormatEdit(e, "3,2,2"));
    l = heats.line(m_events->event(e), TooFewOptions{true, true});
    EXPECT_EQ(l.tooFew, 0);
    EXPECT_EQ(l.provision, HeatProvision::Correct);
    ASSERT_TRUE(m_events->setFormatEdit(e, "4,3,4/2,3,2"));
    l = heats.line(m_events->event(e), TooFewOptions{true, true});
    EXPECT_EQ(l.provision, HeatProvision::TooMany);
    EXPECT_EQ(heats.line(m_events->event(addSelected("BRE____100M13W")), TooFewOptions{}).provision,
              HeatProvision::NoAthletes);
    // Only the selected events are listed.
    m_events->addOneItem("BCK____100M13W", false);
    EXPECT_EQ(heats.lines(TooFewOptions{}).size(), 2);
}

TEST_F(HeatScreensCoreTest, TooFewChoicesAreKeptInTheUsersSettings)
{
    base::ConfigStore& config = run().config();
    EXPECT_TRUE(TooFewOptions::read(config).inAthletes);
    EXPECT_TRUE(TooFewOptions::read(config).actualOnly);
    ASSERT_TRUE((TooFewOptions{false, true}).write(config));
    const base::ConfigStore again(config.path());
    EXPECT_FALSE(TooFewOptions::read(again).inAthletes);
    EXPECT_TRUE(TooFewOptions::read(again).actualOnly);
    ASSERT_TRUE((TooFewOptions{true, false}).write(config));
    EXPECT_TRUE(TooFewOptions::read(again).inAthletes);
    EXPECT_FALSE(TooFewOptions::read(again).actualOnly);
}

TEST_F(HeatScreensCoreTest, AutoformatUsesTheEstimatedCountAndDropsHeatsAreFinals)
{
    const qint64 e = addSelected("FRE____100M13W");
    IndicateHeats heats(*m_events, *m_groups);
    m_events->setEstimatedCount(e, 20);
    m_sink.answerYes();
    ASSERT_TRUE(heats.autoformat(e));
    EXPECT_TRUE(m_sink.saw("Autoformat 100m Freestyle 13 Male using the\rEstimatedAthleteCount "
                           "(20)"));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");
    EXPECT_EQ(m_events->event(e).heatCountsEdit, "3");
    // Saying No leaves the format alone.
    m_events->setEstimatedCount(e, 0);
    EXPECT_FALSE(heats.autoformat(e));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");
    // No athletes: the format is emptied and heats-are-finals falls away with a word.
    ASSERT_TRUE(m_events->setFinalNotRun(e, true));
    m_sink.answerYes();
    ASSERT_TRUE(heats.autoformat(e));
    EXPECT_TRUE(m_sink.saw("No athletes for 100m Freestyle 13 Male"));
    EXPECT_TRUE(m_sink.saw("This Item was marked as \"Final-Not-Run\"."));
    EXPECT_EQ(m_events->event(e).formatEdit, "");
    EXPECT_EQ(m_events->event(e).finalNotRun, 0);
    // An unselected item is refused before the question.
    const qint64 off = m_events->addOneItem("BRE____100M13W", false);
    m_sink.clear();
    EXPECT_FALSE(heats.autoformat(off));
    EXPECT_TRUE(m_sink.saw("This item is not selected"));
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(HeatScreensCoreTest, EstimatesAreTypedOrTakenFromTheEntries)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("BRE____100M13W");
    IndicateHeats heats(*m_events, *m_groups);
    EXPECT_FALSE(heats.setEstimate(a, "twelve"));
    EXPECT_TRUE(m_sink.saw("Not a number:twelve"));
    ASSERT_TRUE(heats.setEstimate(a, " 12 "));
    ASSERT_TRUE(heats.setEstimate(b, "40"));
    enter(a, 3);
    EXPECT_FALSE(heats.estimatesFromEntries()); // not agreed
    EXPECT_EQ(m_events->event(b).estimated, 40);
    m_sink.answerYes();
    ASSERT_TRUE(heats.estimatesFromEntries());
    EXPECT_TRUE(m_sink.saw("All current Estimated Counts will be overridden"));
    EXPECT_EQ(m_events->event(a).estimated, 3);
    EXPECT_EQ(m_events->event(b).estimated, 0);
    EXPECT_EQ(heats.lanesAvailable(), "The number of lanes available for track events:\r"
                                      "  <= 110 : 0\r  <= 200 : 0\r  <= 400 : 0");
}

TEST_F(HeatScreensCoreTest, FormatRowsReadAsTyped)
{
    auto rows = [](std::array<std::array<QString, 3>, 3> cells) {
        FormatRows r;
        r.cells = cells;
        return r;
    };
    EXPECT_EQ(*rows({{{"", "", ""}, {"4", "3", "4"}, {" 2", "3 ", "2"}}}).format(messages()),
              "4,3,4/2,3,2");
    EXPECT_EQ(*rows({{{"8", "3", "8"}, {"4", "3", "4"}, {"2", "4", "0"}}}).format(messages()),
              "8,3,8/4,3,4/2,4,0");
    EXPECT_EQ(*rows({}).format(messages()), "");
    EXPECT_FALSE(rows({{{}, {}, {"2", "x", "2"}}}).format(messages()));
    EXPECT_TRUE(m_sink.saw("Not a valid integer"));
    EXPECT_FALSE(rows({{{}, {}, {"2", "", "2"}}}).format(messages()));
    EXPECT_TRUE(m_sink.saw("All items must be filled or left open"));
    EXPECT_FALSE(rows({{{"4", "3", "4"}, {}, {"2", "3", "2"}}}).format(messages()));
    EXPECT_TRUE(m_sink.saw("Round B may not be empty if there was a round C"));
    EXPECT_FALSE(rows({{{}, {"4", "3", "4"}, {}}}).format(messages()));
    EXPECT_TRUE(m_sink.saw("Round A may not be empty if there was a round B"));
    // A stored format fills the rows from round A upwards.
    const FormatRows back = FormatRows::of("4,3,4/2,3,2");
    EXPECT_TRUE(back.cells[FormatRows::C][FormatRows::Heats].isEmpty());
    EXPECT_EQ(back.cells[FormatRows::B][FormatRows::Times], "4");
    EXPECT_EQ(back.cells[FormatRows::A][FormatRows::Heats], "2");
    EXPECT_EQ(*back.format(messages()), "4,3,4/2,3,2");
}

TEST_F(HeatScreensCoreTest, ComplexEditorAcceptsTheRulesAndAsksAboutTheRest)
{
    const qint64 e = addSelected("FRE____100M13W");
    m_events->setEstimatedCount(e, 30);
    ComplexEditor editor(*m_events, *m_groups, ComplexEditor::Mode::Complex);
    ASSERT_TRUE(editor.canEdit(e));
    const EventRow row = m_events->event(e);
    EXPECT_EQ(editor.proposal(row, 30), "4,3,4/2,3,2");
    EXPECT_EQ(editor.proposal(row, 0), "");

    // The rules' format for the chosen count goes straight in, with heats-are-finals.
    ASSERT_TRUE(editor.accept(e, FormatRows::of("4,3,4/2,3,2"), true, 30));
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
    EXPECT_EQ(m_events->event(e).formatEdit, "4,3,4/2,3,2");
    EXPECT_EQ(m_events->event(e).heatCountsEdit, "4,2");
    EXPECT_EQ(m_events->event(e).finalNotRun, 1);

    // Another format for that count needs "Accept nevertheless"; No keeps the old one.
    const FormatRows three = FormatRows::of("3,2,2");
    EXPECT_FALSE(editor.accept(e, three, false, 30));
    EXPECT_TRUE(m_sink.saw("According to the Estimated Athlete Count, the format\r should be "
                           "4,3,4/2,3,2 not 3,2,2"));
    EXPECT_TRUE(m_sink.saw("The first round for 30 athletes and 8 athletes per heat requires "
                           "4 heats, not 3"));
    EXPECT_EQ(m_events->event(e).formatEdit, "4,3,4/2,3,2");
    m_sink.answerYes();
    ASSERT_TRUE(editor.accept(e, three, false, 30));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");
    EXPECT_EQ(m_events->event(e).finalNotRun, 0);
    // The chosen count decides: for 20 athletes 3,2,2 is the rule.
    m_sink.clear();
    ASSERT_TRUE(editor.accept(e, three, false, 20));
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);

    // A round that sends on more than the final holds is the user's call too.
    m_sink.clear();
    EXPECT_FALSE(editor.accept(e, FormatRows::of("2,3,4"), false, 20));
    EXPECT_TRUE(m_sink.saw("There are errors:\r\rThe first round for 20 athletes and 8 "
                           "athletes per heat requires 3 heats, not 2\rRound A: you select 10 "
                           "instead of 8"));
    EXPECT_TRUE(m_sink.saw("Accept nevertheless"));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");

    // No estimate: the rules want no heats, so heats need the user's word.
    m_sink.clear();
    EXPECT_FALSE(editor.accept(e, three, false, 0));
    EXPECT_TRUE(m_sink.saw("should be empty not 3,2,2"));
    EXPECT_TRUE(editor.accept(e, FormatRows{}, false, 0));
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 1);
    ASSERT_TRUE(editor.accept(e, three, false, 20));

    // Refused outright: heats-are-finals without heats.
    EXPECT_FALSE(editor.accept(e, FormatRows{}, true, 20));
    EXPECT_TRUE(m_sink.saw("You cannot indicate that Heats-are-finals \rif there are no Heats."));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,2,2");
}

// Longer races keep their table formats whatever the lanes: the rules' proposal goes in
// as it stands, and only a different format asks.
TEST_F(HeatScreensCoreTest, TheRulesProposalIsAcceptedWithoutAQuestionOnAnyLanes)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    Events events(database(), athletics, m_meetingNo);
    meeting::LaneSettings six = lanes();
    six.long800 = 6;
    const HeatGroups sixLanes(athletics, six);
    NewEvent run800;
    run800.itemCode = "LOD____800M19";
    run800.selected = true;
    const qint64 e800 = events.addEvent(run800);
    ComplexEditor editor(events, sixLanes, ComplexEditor::Mode::Complex);
    const QString proposal = editor.proposal(events.event(e800), 20);
    ASSERT_EQ(proposal, "4,3,4/2,3,2");
    // Round B sends 16 into two semi-finals of 6: still the program's own proposal.
    ASSERT_TRUE(editor.accept(e800, FormatRows::of(proposal), false, 20));
    EXPECT_EQ(events.event(e800).formatEdit, "4,3,4/2,3,2");
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);

    // 25 runners on 10 lanes: the proposal selects 8 for a final of 10, and equals itself.
    meeting::LaneSettings ten = lanes();
    ten.long800 = ten.long1500 = 10;
    const HeatGroups tenLanes(athletics, ten);
    ComplexEditor tenEditor(events, tenLanes, ComplexEditor::Mode::Complex);
    ASSERT_EQ(tenEditor.proposal(events.event(e800), 25), "3,2,2");
    ASSERT_TRUE(tenEditor.accept(e800, FormatRows::of("3,2,2"), false, 25));
    EXPECT_EQ(events.event(e800).formatEdit, "3,2,2");
    EXPECT_EQ(m_sink.count(base::MessageKind::Confirm), 0);
    // Another format still shows the differences and asks.
    EXPECT_FALSE(tenEditor.accept(e800, FormatRows::of("3,2,4"), false, 25));
    EXPECT_TRUE(m_sink.saw("should be 3,2,2 not 3,2,4"));
    EXPECT_EQ(events.event(e800).formatEdit, "3,2,2");
}

TEST_F(HeatScreensCoreTest, EditorsRefuseWhatTheyCannotEdit)
{
    const qint64 e = addSelected("FRE____100M13W");
    ASSERT_TRUE(m_events->setFormatEdit(e, "4,3,4/2,3,2"));
    ComplexEditor semis(*m_events, *m_groups, ComplexEditor::Mode::SemisWithPlaces);
    EXPECT_FALSE(semis.canEdit(e));
    EXPECT_TRUE(m_sink.saw("This format is complex.  You can only edit it with Complex mode."));
    ComplexEditor complex(*m_events, *m_groups, ComplexEditor::Mode::Complex);
    EXPECT_TRUE(complex.canEdit(e));
    // Semis with places keep to round A.
    ASSERT_TRUE(m_events->setFormatEdit(e, "2,3,2"));
    ASSERT_TRUE(semis.canEdit(e));
    m_sink.clear();
    EXPECT_FALSE(semis.accept(e, FormatRows::of("4,3,4/2,3,2"), false, 30));
    EXPECT_TRUE(m_sink.saw("This format is complex."));

    const qint64 off = m_events->addOneItem("BRE____100M13W", false);
    EXPECT_FALSE(complex.canEdit(off));
    EXPECT_TRUE(m_sink.saw("You cannot edit the heats for an unselected event"));
    const qint64 mixed = addSelected("FRE____100M99W");
    EXPECT_FALSE(complex.canEdit(mixed));
    EXPECT_TRUE(m_sink.saw("Heats are not allowed on Mixed events."));
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(HeatScreensCoreTest, AthleticsEditorsAskAboutFieldItemsAndCombinedResults)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    Events events(database(), athletics, m_meetingNo);
    const HeatGroups groups(athletics, lanes());
    NewEvent longJump;
    longJump.itemCode = "JMPLong___M19";
    longJump.selected = true;
    const qint64 lj = events.addEvent(longJump);
    ComplexEditor editor(events, groups, ComplexEditor::Mode::Complex);
    EXPECT_FALSE(editor.canEdit(lj));
    EXPECT_TRUE(m_sink.saw("Heats on field events does not really make sense."));
    m_sink.answerYes();
    EXPECT_TRUE(editor.canEdit(lj));
    // The semis by times of a field item take twelve on.
    SimplexEditor simplex(events, groups);
    m_sink.answerYes();
    ASSERT_TRUE(simplex.setHeats(lj, "3", false));
    EXPECT_EQ(events.event(lj).formatEdit, "3,0,12");

    // Without a heat group the rules cannot help; the user decides.
    NewEvent tenMiles;
    tenMiles.itemCode = "LOD__17600M19";
    tenMiles.selected = true;
    const qint64 road = events.addEvent(tenMiles);
    EXPECT_FALSE(editor.canEdit(road));
    EXPECT_TRUE(m_sink.saw("The item does not have a heat group: LOD__17600M19\rThe program "
                           "will not be able to give the rules."));
    m_sink.answerYes();
    EXPECT_TRUE(editor.canEdit(road));
    EXPECT_EQ(editor.proposal(events.event(road), 40), "");

    NewEvent results;
    results.itemCode = "NTH_____10M19";
    results.selected = true;
    results.nAthlon = 10;
    const qint64 nth = events.addEvent(results);
    EXPECT_FALSE(editor.canEdit(nth));
    EXPECT_TRUE(m_sink.saw("You cannot edit the HeatFormat for n-Athlon Results-event"));
}

TEST_F(HeatScreensCoreTest, HeatsAreFinalsListsEventsWithHeats)
{
    HeatsAreFinals finals(*m_events);
    const qint64 plain = addSelected("FRE____100M13W");
    EXPECT_TRUE(finals.events(false).isEmpty());
    EXPECT_TRUE(m_sink.saw("You do not have any events that has heats"));
    const qint64 heats = addSelected("BRE____100M13W");
    ASSERT_TRUE(m_events->setFormatEdit(heats, "3,0,8"));
    m_sink.clear();
    ASSERT_EQ(finals.events(false).size(), 1);
    EXPECT_EQ(m_sink.shown().size(), 0);
    EXPECT_EQ(finals.events(true).size(), 2);
    EXPECT_FALSE(finals.askShowWithoutHeats());
    EXPECT_TRUE(m_sink.saw("You dont need Items _WITHOUT_ Heats on this page, because\ryou "
                           "cannot call _NO_ heats the finals"));
    ASSERT_TRUE(finals.toggle(heats));
    EXPECT_EQ(m_events->event(heats).finalNotRun, 1);
    ASSERT_TRUE(finals.toggle(heats));
    EXPECT_EQ(m_events->event(heats).finalNotRun, 0);
    EXPECT_FALSE(finals.toggle(plain));
    EXPECT_TRUE(m_sink.saw("You cannot select \"Heats Are Finals\" if there are no Heats."));
    EXPECT_EQ(m_events->event(plain).finalNotRun, 0);
}

TEST_F(HeatScreensCoreTest, LaneCheckBeforeADrawAsksWhenHeatsOverflow)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    meeting::LaneSettings sprint;
    sprint.track110 = 8;
    const HeatGroups groups(athletics, sprint);
    EXPECT_TRUE(laneCheckBeforeDraw(groups, "SHD____100M19", 16, 2));
    EXPECT_EQ(m_sink.shown().size(), 0);
    EXPECT_FALSE(laneCheckBeforeDraw(groups, "SHD____100M19", 17, 2));
    EXPECT_TRUE(m_sink.saw("The heats available for 100m 19 Male is 8,\rbut the number of "
                           "Athletes require 9.\rDo you want to draw anyway"));
    m_sink.answerYes();
    EXPECT_TRUE(laneCheckBeforeDraw(groups, "SHD____100M19", 30, 1));
    m_sink.clear();
    EXPECT_TRUE(laneCheckBeforeDraw(groups, "JMPLong___M19", 40, 1));
    EXPECT_EQ(m_sink.shown().size(), 0);
}

TEST_F(HeatScreensCoreTest, RuleListingsStepByHeatSize)
{
    meeting::LaneSettings sprint;
    sprint.track110 = 8;
    sprint.track400 = 8;
    const QStringList rules = formatlistings::rulesFormats(messages(), sprint);
    EXPECT_EQ(rules.first(), "100m (8 per heat)");
    EXPECT_EQ(rules[1], "001-008   |    final only");
    EXPECT_EQ(rules[2], "009-016   |    2,3,2");
    EXPECT_TRUE(rules.contains("105-112   |    14,3,6/6,3,6/3,2,2"));
    EXPECT_EQ(rules.filter("   |    ").size(), 14 + 14 + 5 + 5 + 5 + 4 + 2 + 2);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);

    const QStringList groups = formatlistings::itemGroups(messages());
    EXPECT_TRUE(groups.contains("HighJump                 11  High jump"));
    EXPECT_TRUE(groups.contains("800m                      6  Middle"));
    EXPECT_TRUE(groups.contains("20km                      0  No group"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(HeatScreensCoreTest, MeetingListingsReadTheSavedState)
{
    EXPECT_TRUE(formatlistings::meetingTracks(database(), *m_groups, m_meetingNo).isEmpty());
    EXPECT_TRUE(m_sink.saw("No events for this Meeting"));
    const qint64 e = addSelected("FRE____100M13W");
    addSelected("FRE____100F13W");
    addSelected("BRE_____50M13W");
    EXPECT_EQ(formatlistings::meetingTracks(database(), *m_groups, m_meetingNo),
              (QStringList{"50m Breaststroke = 8", "100m Freestyle = 8"}));

    // The errors listing checks the saved formats only, after its warning.
    saveFormat(e, "2,3,2");
    enter(e, 30);
    ASSERT_TRUE(m_events->setFormatEdit(e, "4,3,4/2,3,2"));
    bool cancelled = false;
    EXPECT_TRUE(
        formatlistings::formatErrors(database(), *m_groups, m_meetingNo, &cancelled).isEmpty());
    EXPECT_TRUE(cancelled);
    m_sink.answerYes();
    const QStringList lines =
        formatlistings::formatErrors(database(), *m_groups, m_meetingNo, &cancelled);
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(m_sink.saw("This facility indicates errors based on the\rsaved formats of the "
                           "previous edit session."));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), "100m Freestyle 13 Male  (2,3,2, 30 athletes)");
    EXPECT_TRUE(lines.contains("The first round for 30 athletes and 8 athletes per heat "
                               "requires 4 heats, not 2"));
}

} // namespace
