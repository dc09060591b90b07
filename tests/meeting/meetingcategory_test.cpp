#include "meetingfixture.h"

#include "meeting/categories.h"

using meeting::Categories;

namespace {

class MeetingCategoryTest : public meeting_testing::MeetingTest {
protected:
    void SetUp() override
    {
        MeetingTest::SetUp();
        m_no = currentMeeting();
    }
    Categories categories() { return Categories(database(), m_no); }
    int keyOf(const QString& code)
    {
        for (const meeting::Category& c : categories().list())
            if (c.code == code)
                return c.key;
        return 0;
    }
    int m_no = 0;
};

TEST_F(MeetingCategoryTest, CodesAndDescriptionsAreUniqueWhateverTheCase)
{
    ASSERT_TRUE(categories().add("ab", "Able"));
    EXPECT_FALSE(categories().add("AB", "Other"));
    EXPECT_TRUE(m_sink.saw("The Category already exists"));
    EXPECT_FALSE(categories().add("CD", "ABLE"));
    EXPECT_TRUE(m_sink.saw("The description already exists"));
    EXPECT_FALSE(categories().add("", "Empty"));
    EXPECT_TRUE(m_sink.saw("The Category may not be empty"));
    EXPECT_FALSE(categories().add("EF", " "));
    EXPECT_TRUE(m_sink.saw("The Description may not be empty"));
    EXPECT_FALSE(categories().add("TOOLONG", "Long"));
    EXPECT_FALSE(categories().add("GH", QString(16, 'd')));
    EXPECT_EQ(count("CATEGORY"), 1);

    // Another meeting may use the same code.
    const int other = newMeeting("Other");
    EXPECT_TRUE(Categories(database(), other).add("AB", "Able"));
    // Editing a row may keep its own code.
    EXPECT_TRUE(categories().edit(keyOf("ab"), "ab", "Able bodied"));
}

TEST_F(MeetingCategoryTest, RenamingACodeRenamesItInAthletesAndEvents)
{
    ASSERT_TRUE(categories().add("S1", "Class one"));
    addAthlete(m_no, "Smith", "S1");
    addEvent(m_no, "F", "12", "S1");
    ASSERT_TRUE(categories().edit(keyOf("S1"), "S9", "Class nine"));
    EXPECT_EQ(count("ATHLETE", "CATEGORY='S9'"), 1);
    EXPECT_EQ(count("MYEVENT", "CATEGORY='S9'"), 1);
    const QList<meeting::Category> list = categories().list();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].athletes, 1);
    EXPECT_EQ(list[0].events, 1);
}

TEST_F(MeetingCategoryTest, ACategoryInUseCannotBeDeleted)
{
    ASSERT_TRUE(categories().add("S1", "Class one"));
    ASSERT_TRUE(categories().add("S2", "Class two"));
    addAthlete(m_no, "Smith", "S1");
    EXPECT_FALSE(categories().remove(keyOf("S1")));
    EXPECT_TRUE(m_sink.saw("You cannot delete this Category.\rIt has 1 Athletes, and 0 Events."));
    m_sink.answerNo();
    EXPECT_FALSE(categories().remove(keyOf("S2")));
    EXPECT_TRUE(m_sink.saw("Delete Category S2 ?"));
    m_sink.answerYes();
    EXPECT_TRUE(categories().remove(keyOf("S2")));
    EXPECT_EQ(count("CATEGORY"), 1);
}

TEST_F(MeetingCategoryTest, SwitchingOnNeedsCategoriesAndAssignsTheUnassigned)
{
    addAthlete(m_no, "Smith");
    addEvent(m_no, "F", "12");
    EXPECT_FALSE(meeting::switchCategoriesOn(run(), false, "S1"));
    EXPECT_TRUE(m_sink.saw("You must add at least one Category if there are Categories"));

    ASSERT_TRUE(categories().add("S1", "Class one"));
    EXPECT_FALSE(meeting::switchCategoriesOn(run(), false, "zz"));
    EXPECT_TRUE(m_sink.saw("Thge Category is invalid:zz"));
    EXPECT_EQ(count("ATHLETE", "CATEGORY is null"), 1);

    ASSERT_TRUE(meeting::switchCategoriesOn(run(), true, "s1"));
    EXPECT_TRUE(run().meeting().hasCategories());
    EXPECT_TRUE(run().meeting().categoriesRecordSetEach());
    EXPECT_EQ(count("ATHLETE", "CATEGORY='S1'"), 1);
    EXPECT_EQ(count("MYEVENT", "CATEGORY='S1'"), 1);
    EXPECT_EQ(categories().withoutRecordSet(), 1);

    EXPECT_TRUE(meeting::setCurrentAddCategory(run(), "s1"));
    EXPECT_EQ(run().meeting().currentAddCategory(), "S1");
}

TEST_F(MeetingCategoryTest, SwitchingOnIsRefusedWithCompetitionsOrDescribedItems)
{
    ASSERT_TRUE(categories().add("S1", "Class one"));
    exec("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, LEAGUE) values (7001, " +
         db::sqlInt(m_no) + ", 'Sharks', 2)");
    EXPECT_FALSE(meeting::switchCategoriesOn(run(), false, "S1"));
    EXPECT_TRUE(m_sink.saw("You cannot have Competitions AND Categories in the same Meeting"));
    exec("delete from TEAM");

    addEvent(m_no, "M", "10", "S1", "FREE50");
    exec("insert into EVENTDSCR (EVENTDSCRNO, MEETINGNO, EVENTNO, DESCRIPTION) select 7002, " +
         db::sqlInt(m_no) + ", EVENTNO, 'Fun swim' from MYEVENT");
    EXPECT_FALSE(meeting::switchCategoriesOn(run(), false, "S1"));
    EXPECT_TRUE(m_sink.saw("There are the following Described Items.\rFREE50: Fun swim"));
    EXPECT_FALSE(run().meeting().hasCategories());
}

TEST_F(MeetingCategoryTest, SwitchingOffClearsEverythingOnceNoItemIsSplit)
{
    ASSERT_TRUE(categories().add("S1", "Class one"));
    ASSERT_TRUE(categories().add("S2", "Class two"));
    addAthlete(m_no, "Smith", "S1");
    ASSERT_TRUE(meeting::switchCategoriesOn(run(), false, "S1"));
    ASSERT_TRUE(meeting::setCurrentAddCategory(run(), "S2"));
    addEvent(m_no, "F", "12", "S1", "FREE50");
    addEvent(m_no, "F", "12", "S2", "FREE50");
    EXPECT_FALSE(meeting::switchCategoriesOff(run()));
    EXPECT_TRUE(m_sink.saw("There are the following Items with different Categories\rFREE50"));

    exec("delete from MYEVENT where CATEGORY='S2'");
    m_sink.answerNo();
    EXPECT_FALSE(meeting::switchCategoriesOff(run()));
    EXPECT_EQ(count("CATEGORY"), 2);
    m_sink.answerYes();
    ASSERT_TRUE(meeting::switchCategoriesOff(run()));
    EXPECT_TRUE(m_sink.saw("Is it OK to remove all Categories. ?"));
    EXPECT_EQ(count("CATEGORY"), 0);
    EXPECT_EQ(count("ATHLETE", "CATEGORY is not null"), 0);
    EXPECT_EQ(count("MYEVENT", "CATEGORY is not null"), 0);
    EXPECT_FALSE(run().meeting().hasCategories());
    EXPECT_EQ(run().meeting().currentAddCategory(), QString());

    EXPECT_FALSE(meeting::setCurrentAddCategory(run(), "S1"));
    EXPECT_TRUE(m_sink.saw("No Categories to select from!"));
}

} // namespace
