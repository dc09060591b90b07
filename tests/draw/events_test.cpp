#include "drawfixture.h"

#include "db/sqltext.h"
#include "draw/programbreaks.h"
#include "draw/programsetup.h"
#include "draw/standarditems.h"

using namespace draw;

namespace {

class EventsTest : public DrawFixture {};

TEST_F(EventsTest, AnEventCarriesTheCopiesOfItsItemCode)
{
    const qint64 e = addSelected("BRE____100F15W");
    EXPECT_EQ(value("select C_GENDER || '/' || C_AGE || '/' || SELECTED || '/' || "
                    "C_SELECTEDEDIT || '/' || FINAL_NOT_RUN from MYEVENT where EVENTNO = " +
                    db::sqlInt(e)),
              "F/15/X/X/0");
    // Freestyle sorts before breaststroke, 50 m before 100 m.
    const QString fre50 = itemSortOrder(*m_items, "FRE_____50F15W");
    const QString bre100 = itemSortOrder(*m_items, "BRE____100F15W");
    const QString bre50 = itemSortOrder(*m_items, "BRE_____50F15W");
    EXPECT_LT(fre50, bre50);
    EXPECT_LT(bre50, bre100);
}

TEST_F(EventsTest, SwimmingCodesWithoutTheirMarkAreRefused)
{
    NewEvent event;
    event.itemCode = "FRE____100F15";
    EXPECT_EQ(m_events->addEvent(event), 0);
    EXPECT_TRUE(m_sink.saw("You are not adding a swimming Item: FRE____100F15"));
    EXPECT_EQ(count("MYEVENT"), 0);
}

TEST_F(EventsTest, AnItemIsInTheListOnlyOnce)
{
    EXPECT_GT(m_events->addOneItem("FRE_____50M09W", false), 0);
    EXPECT_EQ(m_events->addOneItem("FRE_____50M09W", true), 0);
    EXPECT_TRUE(m_sink.saw("This item is already in the list of Items that you select from."));
    EXPECT_EQ(count("MYEVENT"), 1);
    EXPECT_EQ(count("PROGRAM"), 0);
}

TEST_F(EventsTest, UnselectingNeedsTheHeatsCleared)
{
    const qint64 e = addSelected("FRE_____50M10W");
    ASSERT_TRUE(m_events->setFormatEdit(e, "3,2,2"));
    EXPECT_FALSE(m_events->setSelected(e, false));
    EXPECT_TRUE(m_sink.saw("Before you can unselect, you must clear the heats"));
    EXPECT_TRUE(m_events->event(e).selectedEdit);
    ASSERT_TRUE(database().execute("update MYEVENT set C_HEATCOUNTSEDIT = '0'"));
    EXPECT_TRUE(m_events->setSelected(e, false));
    EXPECT_FALSE(m_events->event(e).selectedEdit);
}

TEST_F(EventsTest, UnselectAllKeepsEventsWithHeatsAndSaysWhy)
{
    const qint64 a = addSelected("FRE_____50M10W");
    addSelected("FRE_____50F10W");
    ASSERT_TRUE(m_events->setFormatEdit(a, "3,2,2"));
    EXPECT_EQ(m_events->selectAll(false), 1);
    EXPECT_TRUE(m_sink.saw("1 Items could not be unselected because they have Heats."));
    EXPECT_EQ(m_events->list(true).size(), 1);
    m_events->saveSelection();
    EXPECT_EQ(m_events->removeUnselected(), 1);
    EXPECT_EQ(count("MYEVENT"), 1);
}

TEST_F(EventsTest, HeatsAreFinalsNeedHeatsAndFallAwayWithThem)
{
    const qint64 e = addSelected("FRE_____50M10W");
    EXPECT_FALSE(m_events->setFinalNotRun(e, true));
    EXPECT_TRUE(m_sink.saw("You cannot select \"Heats Are Finals\" if there are no Heats."));
    ASSERT_TRUE(m_events->setFormatEdit(e, "3,0,8"));
    ASSERT_TRUE(m_events->setFinalNotRun(e, true));
    ASSERT_TRUE(m_events->setFormatEdit(e, ""));
    EXPECT_TRUE(m_sink.saw("This Item was marked as \"Final-Not-Run\"."));
    EXPECT_EQ(m_events->event(e).finalNotRun, 0);
}

TEST_F(EventsTest, AddingAgesOffersTheMissingItems)
{
    ProgramSetup setup(*m_events);
    m_sink.answerYes();
    const int added = setup.addItemsForAges({11, 12}, {"M", "F"}, true);
    EXPECT_EQ(added, count("MYEVENT"));
    EXPECT_GT(added, 20);
    EXPECT_TRUE(m_sink.saw("item types for theages 11,12 that are not in your current list"));
    // Again: nothing is missing.
    EXPECT_EQ(setup.addItemsForAges({11}, {"M"}, true), 0);
    EXPECT_TRUE(m_sink.saw("No events to add"));
}

TEST_F(EventsTest, AthleticsAgesTenAndElevenOfferThirtyTwoItems)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    StandardItems standard(athletics);
    int total = 0;
    for (int age : {10, 11})
        for (const char* g : {"M", "F"})
            total += int(standard.itemsForAge(age, g, true).size());
    EXPECT_EQ(total, 32);
}

TEST_F(EventsTest, StandardCombinedEvents)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    StandardItems standard(athletics);
    const StandardItems::Combined octathlon =
        standard.combinedEvent("Boys", 16, "Octathlon", false);
    EXPECT_EQ(octathlon.count, 8);
    EXPECT_EQ(octathlon.events.join(','), "100m,LJ,SP,400m,110mH,HJ,JT,1000m");
    EXPECT_EQ(standard.combinedItemCode("110mH", "M", 16), "HDL____110M16");
    EXPECT_EQ(standard.combinedItemCode("LJ", "M", 16), "JMPLong___M16");
    EXPECT_EQ(standard.combinedEvent("Girls", 13, "Pentathlon", false).events.join(','),
              "80mH,LJ,HJ,SP,800m");
    EXPECT_EQ(standard.combinedEvent("Men", 99, "Pentathlon", false).events.join(','),
              "LJ,HJ,SP,100mH,1000m");
    EXPECT_TRUE(standard.combinedEvent("Girls", 10, "Decathlon", false).events.isEmpty());
    EXPECT_TRUE(m_sink.saw("Invalid:F 10 10"));

    Events athleticsEvents(database(), athletics, m_meetingNo);
    ProgramSetup setup(athleticsEvents);
    ASSERT_TRUE(setup.addStandardCombined("Boys", 16, "Octathlon"));
    EXPECT_EQ(count("MYEVENT", "N_ATHLON = 8"), 9);
    EXPECT_EQ(value("select FINAL_NOT_RUN from MYEVENT where ITEMCODE starting 'NTH'"), "1");
    EXPECT_EQ(value("select HAS_N_ATHLONS from MEETING"), "1");
}

TEST_F(EventsTest, ATemplateTakesTheProgramToAnotherMeeting)
{
    const qint64 e = addSelected("FRE____100M13W");
    addSelected("M_R4X50___F13W");
    saveFormat(e, "3,2,2");
    ASSERT_TRUE(database().execute("update PROGRAM set DAY_SEQ = 2, THETIME = '10:15' where "
                                   "EVENTNO = " +
                                   db::sqlInt(e)));
    ProgramSetup setup(*m_events);
    const qint64 templateNo = setup.saveAsTemplate("Summer gala");
    ASSERT_GT(templateNo, 0);
    EXPECT_EQ(setup.saveAsTemplate("Summer gala"), 0);
    EXPECT_TRUE(m_sink.saw("There is already a Template called Summer gala"));

    const int other = createMeeting(1, 8);
    Events otherEvents(database(), *m_items, other);
    ProgramSetup otherSetup(otherEvents);
    m_sink.answerYes();
    ASSERT_TRUE(otherSetup.importTemplate(templateNo));
    EXPECT_EQ(count("MYEVENT", "MEETINGNO = " + db::sqlInt(other)), 2);
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(other)), 5);
    EXPECT_EQ(value("select HEATFORMAT from MYEVENT where MEETINGNO = " + db::sqlInt(other) +
                    " and ITEMCODE = 'FRE____100M13W'"),
              "3,2,2");
    EXPECT_EQ(value("select DAY_COUNT from MEETING where MEETINGNO = " + db::sqlInt(other)), "2");
    EXPECT_EQ(count("PROGRAM", "MEETINGNO = " + db::sqlInt(m_meetingNo)), 5);
}

TEST_F(EventsTest, BreaksWhoseRowIsGoneAreDeletedOnAgreement)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "3,2,2");
    const qint64 heat3 =
        value("select PROGRAMNO from PROGRAM where ROUND = 'A' and HEATNO = 3").toLongLong();
    ProgramBreaks breaks(database(), messages(), m_meetingNo);
    ASSERT_GT(breaks.add(heat3, "Tea"), 0);
    EXPECT_EQ(breaks.list().size(), 1);
    saveFormat(e, "2,3,2");
    EXPECT_EQ(breaks.list().size(), 0);
    m_sink.answerYes();
    EXPECT_EQ(breaks.removeDisconnected(), 1);
    EXPECT_TRUE(m_sink.saw("All 1 of the 1 disconnected Breaks were deleted."));
}

TEST_F(EventsTest, OneDescriptionPerEvent)
{
    const qint64 e = addSelected("FRE____100M13W");
    ASSERT_TRUE(m_events->setDescription(e, "Invitation", true));
    ASSERT_TRUE(m_events->setDescription(e, "Open", false));
    EXPECT_EQ(count("EVENTDSCR"), 1);
    EXPECT_EQ(m_events->eventTitle(e), "Open");
}

} // namespace
