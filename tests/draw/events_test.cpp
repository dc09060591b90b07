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

TEST_F(EventsTest, AMeetingOfGradesAddsTheItemsOfTheGrades)
{
    ASSERT_TRUE(database().execute("update MEETING set AGE_DESC_TYPE = 3 where MEETINGNO = " +
                                   db::sqlInt(m_meetingNo)));
    ProgramSetup setup(*m_events);
    m_sink.answerYes();
    const int added = setup.addItemsForAges({5}, {"F"}, true);
    EXPECT_GT(added, 0);
    EXPECT_TRUE(m_sink.saw("item types for thegrades 5 that are not in your current list"));
    // Grade 5 swims with the 11-year-olds.
    EXPECT_EQ(count("MYEVENT", "C_AGE = '11'"), added);
}

TEST_F(EventsTest, AgesTenAndElevenOfferThirtyTwoItemsInEitherEdition)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    for (const meeting::ItemTypes* items :
         std::initializer_list<const meeting::ItemTypes*>{&athletics, m_items}) {
        StandardItems standard(*items);
        int total = 0;
        for (int age : {10, 11})
            for (const char* g : {"M", "F"})
                total += int(standard.itemsForAge(age, g, true).size());
        EXPECT_EQ(total, 32);
    }
    // The swimming list is the same table with the edition's mark.
    StandardItems swimming(*m_items);
    EXPECT_TRUE(swimming.itemsForAge(10, "F", true).contains("HDL_____70F10W"));
    EXPECT_TRUE(swimming.itemsForAge(13, "F", true).contains("HDL_____75F13W"));
    EXPECT_TRUE(swimming.itemsForAge(13, "M", true).contains("HDL_____80M13W"));
    EXPECT_FALSE(swimming.itemsForAge(10, "M", false).contains("REL4X100__M10W"));

    ProgramSetup setup(*m_events);
    m_sink.answerYes();
    EXPECT_EQ(setup.addItemsForAges({10, 11}, {"M", "F"}, true), 32);
    EXPECT_TRUE(m_sink.saw("There are 32 item types for theages 10,11"));
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'JMPHigh___M11W'"), 1);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
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
    EXPECT_FALSE(m_sink.saw("At this age there is:"));
    // A men's decathlon at 16 is refused, naming the octathlon of that age.
    EXPECT_TRUE(standard.combinedEvent("Boys", 16, "Decathlon", false).events.isEmpty());
    EXPECT_TRUE(m_sink.saw("Invalid:M 10 16\rAt this age there is: Octathlon"));

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

TEST_F(EventsTest, ATemplateTakesItsCategoriesAlong)
{
    const QString m = db::sqlInt(m_meetingNo);
    for (const char* row : {"1, 'SNR', 'Seniors'", "2, 'JNR', 'Juniors'"})
        ASSERT_TRUE(database().execute(QString("insert into CATEGORY (DUMMY_NO, CATEGORY, "
                                               "DESCRIPTION) values (") +
                                       row + ")"));
    ASSERT_TRUE(database().execute("update CATEGORY set MEETINGNO = " + m));
    const qint64 e = addSelected("FRE____100M13W");
    ASSERT_TRUE(
        database().execute("update MYEVENT set CATEGORY = 'SNR' where EVENTNO = " + db::sqlInt(e)));
    ASSERT_TRUE(
        database().execute("update PROGRAM set PIT = 'Pit123' where EVENTNO = " + db::sqlInt(e)));
    ProgramSetup setup(*m_events);
    const qint64 templateNo = setup.saveAsTemplate("Categorised gala");
    ASSERT_GT(templateNo, 0);
    EXPECT_EQ(count("TPLTCATEGORY", "TEMPLATENO = " + db::sqlInt(templateNo)), 2);
    // The template's pit is as wide as its column.
    EXPECT_EQ(value("select PIT from TPLTITEM"), "Pit12");

    // Another meeting that already has one of them in another case keeps its own.
    const int other = createMeeting(1, 8);
    const QString o = db::sqlInt(other);
    ASSERT_TRUE(database().execute("insert into CATEGORY (DUMMY_NO, MEETINGNO, CATEGORY, "
                                   "DESCRIPTION) values (3, " +
                                   o + ", 'jnr', 'Young ones')"));
    Events otherEvents(database(), *m_items, other);
    ProgramSetup otherSetup(otherEvents);
    m_sink.answerYes();
    ASSERT_TRUE(otherSetup.importTemplate(templateNo));
    EXPECT_EQ(value("select list(CATEGORY || '=' || DESCRIPTION, ',') from (select CATEGORY, "
                    "DESCRIPTION from CATEGORY where MEETINGNO = " +
                    o + " order by CATEGORY)"),
              "SNR=Seniors,jnr=Young ones");
    EXPECT_EQ(value("select CATEGORY from MYEVENT where MEETINGNO = " + o), "SNR");
    EXPECT_EQ(value("select HAS_CATEGORIES from MEETING where MEETINGNO = " + o), "1");
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

// Items picked one at a time, with the meeting's rules on categories and descriptions.
TEST_F(EventsTest, PickedItemsFollowTheMeetingsCategoriesAndDescriptions)
{
    NewEvent event;
    event.itemCode = "FRE_____50M10W";
    event.category = "A";
    EXPECT_EQ(m_events->addOneItem(event, Events::PickedAs::Categorised), 0);
    EXPECT_TRUE(m_sink.saw("You want a Category Item, but the Meeting is not Categorised"));
    EXPECT_EQ(m_events->addOneItem(event, Events::PickedAs::Plain), 0);
    EXPECT_TRUE(m_sink.saw("Only Categorised or Described Items may have Categories"));
    EXPECT_EQ(count("MYEVENT"), 0);

    // A described item gets its mark and its description; another description of the same
    // item is another event.
    event.category.clear();
    EXPECT_EQ(m_events->addOneItem(event, Events::PickedAs::Described), 0);
    EXPECT_TRUE(m_sink.saw("The Description is empty"));
    event.description = "Invitation";
    const qint64 described = m_events->addOneItem(event, Events::PickedAs::Described);
    ASSERT_GT(described, 0);
    EXPECT_EQ(m_events->event(described).itemCode, "FRE_____50M10WZ");
    EXPECT_EQ(value("select DESCRIPTION || PREFIX_WITH_ITEM from EVENTDSCR"), "Invitation1");
    event.description = "Club";
    EXPECT_GT(m_events->addOneItem(event, Events::PickedAs::Described), 0);
    EXPECT_EQ(count("EVENTDSCR"), 2);

    ASSERT_TRUE(database().execute("update MEETING set HAS_CATEGORIES = 1, "
                                   "CURRENT_ADD_CATEGORY = 'B'"));
    EXPECT_EQ(m_events->addOneItem(event, Events::PickedAs::Described), 0);
    EXPECT_TRUE(m_sink.saw("This Meeting has Categories.  You cannot use \"Described\" Items."));
    // Without a category of its own the item goes into the one being added to; the same
    // item may be in every category once.
    event.description.clear();
    const qint64 inB = m_events->addOneItem(event, Events::PickedAs::Categorised);
    ASSERT_GT(inB, 0);
    EXPECT_EQ(m_events->event(inB).category, "B");
    EXPECT_EQ(m_events->addOneItem(event, Events::PickedAs::Categorised), 0);
    EXPECT_TRUE(m_sink.saw("This item is already in the list of Items that you select from."));
    event.category = "C";
    EXPECT_GT(m_events->addOneItem(event, Events::PickedAs::Categorised), 0);
    EXPECT_EQ(count("MYEVENT", "CATEGORY in ('B', 'C')"), 2);
}

TEST_F(EventsTest, ClubAgeMeetingsGetTheFullerListOfItems)
{
    meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    StandardItems standard(athletics);
    const QStringList school = standard.itemsForAge(17, "M", true);
    const QStringList club = standard.itemsForAge(17, "M", true, true);
    EXPECT_FALSE(school.contains("JMPPole___M17"));
    for (const char* code : {"JMPPole___M17", "THRHammer_M17", "STP___2000M17", "WLK___5000M17",
                             "RDR__10000M17", "REL4_3_2_1M17"})
        EXPECT_TRUE(club.contains(code)) << code;
    EXPECT_FALSE(standard.itemsForAge(17, "M", false, true).contains("REL4_3_2_1M17"));
    // Every code of either list is an item the edition knows, once per age.
    for (int age : {6, 9, 12, 13, 15, 16, 19, 23, 25, 35, 50}) {
        for (const char* gender : {"M", "F"}) {
            for (bool fuller : {false, true}) {
                QStringList codes = standard.itemsForAge(age, gender, true, fuller);
                EXPECT_EQ(codes.removeDuplicates(), 0) << age << gender;
                for (const QString& code : codes)
                    EXPECT_FALSE(athletics.ItemDescription(code, false).isEmpty())
                        << code.toStdString();
            }
        }
    }

    // The meeting's age description chooses the list.
    Events athleticsEvents(database(), athletics, m_meetingNo);
    ProgramSetup setup(athleticsEvents);
    ASSERT_TRUE(database().execute("update MEETING set AGE_DESC_TYPE = 1"));
    m_sink.answerYes();
    EXPECT_EQ(setup.addItemsForAges({17}, {"M"}, true), int(club.size()));
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'JMPPole___M17'"), 1);
}

TEST_F(EventsTest, StandardVeteransAddTheMissingAgeBands)
{
    ProgramSetup setup(*m_events);
    addSelected("FRE_____50F45W");
    m_sink.answerYes();
    EXPECT_EQ(setup.addStandardVeterans("FRE_____50F10W"), 13);
    EXPECT_TRUE(m_sink.saw("There are 13 veterans' age bands (30,35,40,45,50,"));
    EXPECT_EQ(count("MYEVENT", "ITEMCODE starting 'FRE_____50F'"), 14);
    EXPECT_EQ(value("select min(C_AGE) || '-' || max(C_AGE) from MYEVENT"), "30-95");
    EXPECT_EQ(setup.addStandardVeterans("FRE_____50F10W"), 0);
    EXPECT_TRUE(m_sink.saw("No events to add"));
    // Men's bands start at 35; a refused question adds nothing.
    m_sink.answerNo();
    EXPECT_EQ(setup.addStandardVeterans("FRE_____50M10W"), 0);
    EXPECT_TRUE(m_sink.saw("There are 13 veterans' age bands (35,40,"));
    EXPECT_EQ(setup.addStandardVeterans("M_R4X50___T10W"), 0);
    EXPECT_TRUE(m_sink.saw("Veterans' items are for men or for women"));
    EXPECT_EQ(count("MYEVENT"), 14);
    EXPECT_TRUE(StandardItems::isVeteranAge("F", 30));
    EXPECT_FALSE(StandardItems::isVeteranAge("M", 30));
    EXPECT_FALSE(StandardItems::isVeteranAge("M", 99));
}

// Combined events of the athletics edition: standard, masters and the user's own.
class NathlonsTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_athletics = std::make_unique<meeting::ItemTypes>(meeting::Edition::Athletics, messages());
        m_nathlons = std::make_unique<Events>(database(), *m_athletics, m_meetingNo);
    }

    std::unique_ptr<meeting::ItemTypes> m_athletics;
    std::unique_ptr<Events> m_nathlons;
};

TEST_F(NathlonsTest, MastersHaveTheirOwnCombinedEvents)
{
    StandardItems standard(*m_athletics);
    EXPECT_EQ(standard.combinedEvent("Men", 50, "Decathlon", false).events.join(','),
              "100m,LJ,SP,HJ,400m,100mH,DT,PV,JT,1500m");
    EXPECT_EQ(standard.combinedEvent("Women", 45, "Pentathlon", false).events.join(','),
              "80mH,HJ,SP,LJ,800m");
    EXPECT_EQ(standard.combinedEvent("Men", 95, "Throws Pentathlon", false).events.join(','),
              "HT,SP,DT,JT,WT");
    EXPECT_EQ(standard.combinedItemCode("WT", "F", 60), "THRWeight_F60");
    // Masters ages go in fives; a throws pentathlon is for masters only.
    EXPECT_TRUE(standard.combinedEvent("Men", 37, "Pentathlon", false).events.isEmpty());
    EXPECT_TRUE(m_sink.saw("Invalid:M 5 37"));
    EXPECT_TRUE(standard.combinedEvent("Boys", 16, "Throws Pentathlon", false).events.isEmpty());

    const auto title = StandardItems::parseCombinedTitle("  Women 45   Throws Pentathlon");
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->genderWord, "Women");
    EXPECT_EQ(title->ageOrGrade, 45);
    EXPECT_EQ(title->name, "Throws Pentathlon");
    EXPECT_FALSE(StandardItems::parseCombinedTitle("Boys Octathlon").has_value());

    ProgramSetup setup(*m_nathlons);
    ASSERT_TRUE(setup.addStandardCombined("Women 45 Throws Pentathlon"));
    EXPECT_EQ(count("MYEVENT", "N_ATHLON = 5 and C_GENDER = 'F' and C_AGE = '45'"), 6);
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'THRWeight_F45'"), 1);
    // The same n-Athlon twice is refused.
    EXPECT_FALSE(setup.addStandardCombined("Women 45 Pentathlon"));
    EXPECT_TRUE(m_sink.saw("There is already a "));
    EXPECT_EQ(count("MYEVENT"), 6);
}

TEST_F(NathlonsTest, DeletingAnNathlonNeedsNoParticipantsAndTakesItsProgram)
{
    ProgramSetup setup(*m_nathlons);
    ASSERT_TRUE(setup.addStandardCombined("Boys 16 Octathlon"));
    const qint64 other = m_nathlons->addOneItem("SHD____100M16", true);
    ASSERT_GT(other, 0);
    const qint64 javelin =
        value("select EVENTNO from MYEVENT where ITEMCODE = 'THRJavelinM16'").toLongLong();
    ASSERT_TRUE(database().execute("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO) values "
                                   "(" +
                                   db::sqlInt(database().nextKeyNumber()) + ", " +
                                   db::sqlInt(m_meetingNo) + ", " + db::sqlInt(javelin) + ")"));
    EXPECT_FALSE(setup.deleteNathlon(javelin));
    EXPECT_TRUE(m_sink.saw("It cannot be removed from the program.\rThey must first be deleted !"));
    EXPECT_EQ(count("MYEVENT"), 10);
    ASSERT_TRUE(database().execute("delete from PARTICIPATE"));

    EXPECT_FALSE(setup.deleteNathlon(other));
    m_sink.answerNo();
    EXPECT_FALSE(setup.deleteNathlon(javelin));
    EXPECT_EQ(count("PROGRAM"), 10);
    m_sink.answerYes();
    ASSERT_TRUE(setup.deleteNathlon(javelin));
    EXPECT_EQ(count("MYEVENT"), 1);
    EXPECT_EQ(count("PROGRAM"), 1);
    EXPECT_EQ(value("select HAS_N_ATHLONS from MEETING"), "0");
}

TEST_F(NathlonsTest, SwimmingMeetingsTakeStandardCombinedItems)
{
    ProgramSetup setup(*m_events);
    ASSERT_TRUE(setup.addStandardCombined("Girls 13 Pentathlon"));
    EXPECT_EQ(count("MYEVENT", "N_ATHLON = 5"), 6);
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'NTH______5F13W' and FINAL_NOT_RUN = 1"), 1);
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'HDL_____80F13W'"), 1);
    EXPECT_EQ(value("select HAS_N_ATHLONS from MEETING"), "1");
    EXPECT_EQ(m_items->PerfFormatOf("NTH______5F13W"), 8);
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

// Leaving the item screens saves every event's selection and program in one go.
class SaveSelectionTest : public DrawFixture {};

TEST_F(SaveSelectionTest, AFailurePartWayLeavesEveryEventAsItWas)
{
    const qint64 first = addSelected("FRE_____50M10W");
    const qint64 second = addSelected("FRE_____50F10W");
    const qint64 third = addSelected("BRE_____50F10W");
    ASSERT_TRUE(m_events->setFormatEdit(first, "2,3,2"));
    ASSERT_TRUE(m_events->setFormatEdit(second, "3,2,2"));
    ASSERT_TRUE(m_events->setSelected(third, false));
    // The save draws one key per new heat, in event order: a row already holding the
    // fourth key makes the second event's second heat fail after the first event's heats
    // were written.
    const qint64 key = database().nextKeyNumber();
    ASSERT_TRUE(database().execute("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, "
                                   "HEATNO) values (" +
                                   db::sqlInt(key + 4) + ", 0, 0, 'A', 1)"));
    const QString before = value("select list(PROGRAMNO) from PROGRAM");
    EXPECT_FALSE(m_events->saveSelection());
    EXPECT_TRUE(m_sink.saw("The selection could not be saved; nothing was changed."));
    EXPECT_EQ(value("select list(PROGRAMNO) from PROGRAM"), before);
    EXPECT_EQ(value("select list(coalesce(HEATFORMAT, '') || '/' || SELECTED) from (select * "
                    "from MYEVENT order by EVENTNO)"),
              "/X,/X,/X");
    // The working copies are kept, so that the next save can succeed.
    ASSERT_TRUE(database().execute("delete from PROGRAM where MEETINGNO = 0"));
    EXPECT_TRUE(m_events->saveSelection());
    EXPECT_EQ(heats(first, "A"), 2);
    EXPECT_EQ(heats(second, "A"), 3);
    EXPECT_EQ(count("PROGRAM", "EVENTNO = " + db::sqlInt(third)), 0);
}

TEST_F(SaveSelectionTest, AnOpenTransactionIsAnInternalError)
{
    const qint64 e = addSelected("FRE_____50M10W");
    ASSERT_TRUE(m_events->setFormatEdit(e, "2,3,2"));
    ASSERT_TRUE(database().startBatch());
    EXPECT_FALSE(m_events->saveSelection());
    EXPECT_TRUE(m_sink.saw("The transaction is !STILL! active."));
    database().rollbackBatch();
    EXPECT_EQ(heats(e, "A"), 0);
}

TEST_F(SaveSelectionTest, TheMeetingFollowsTheSavedProgram)
{
    const qint64 e = addSelected("FRE_____50M10W");
    ASSERT_TRUE(database().execute("update PROGRAM set DAY_SEQ = 4"));
    ASSERT_TRUE(database().execute("update MYEVENT set CATEGORY = 'A'"));
    QStringList lost;
    ASSERT_TRUE(m_events->saveSelection(&lost));
    EXPECT_TRUE(lost.isEmpty());
    EXPECT_EQ(value("select HAS_CATEGORIES || '/' || DAY_COUNT from MEETING"), "1/4");
    // Days are only ever raised here.
    ASSERT_TRUE(database().execute("update PROGRAM set DAY_SEQ = 1"));
    ASSERT_TRUE(database().execute("update MYEVENT set CATEGORY = ''"));
    ASSERT_TRUE(m_events->saveSelection());
    EXPECT_EQ(value("select HAS_CATEGORIES || '/' || DAY_COUNT from MEETING"), "0/4");
    // Heat counts that do not match the format leave a program that disagrees with them:
    // the event is listed and its counts are taken from the program.
    ASSERT_TRUE(m_events->setFormatEdit(e, "3,2,2"));
    ASSERT_TRUE(database().execute("update MYEVENT set C_HEATCOUNTSEDIT = '2'"));
    ASSERT_TRUE(m_events->saveSelection(&lost));
    EXPECT_EQ(lost, QStringList{m_items->ItemDescription("FRE_____50M10W", false)});
    EXPECT_TRUE(m_sink.saw(" Heatformat sync errors"));
    EXPECT_EQ(value("select HEATCOUNTS from MYEVENT"), "3");
    EXPECT_EQ(heats(e, "A"), 3);
}

} // namespace
