#include "drawfixture.h"

#include "draw/heatgroups.h"
#include "draw/simplexeditor.h"

using namespace draw;

namespace {

class SimplexEditorTest : public DrawFixture {
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        m_groups = std::make_unique<HeatGroups>(*m_items, lanes());
        m_editor = std::make_unique<SimplexEditor>(*m_events, *m_groups);
    }
    std::unique_ptr<HeatGroups> m_groups;
    std::unique_ptr<SimplexEditor> m_editor;
};

TEST_F(SimplexEditorTest, SemisByTimesFillTheFinalFromTheLanes)
{
    const qint64 e = addSelected("FRE____200M15W");
    ASSERT_TRUE(m_editor->setHeats(e, "3", false));
    EXPECT_EQ(m_events->event(e).formatEdit, "3,0,8");
    EXPECT_EQ(m_events->event(e).heatCountsEdit, "3");
    // Clearing asks first, and heats-are-finals needs heats.
    EXPECT_FALSE(m_editor->setHeats(e, "0", true));
    EXPECT_TRUE(m_sink.saw("You cannot indicate that Heats-are-finals"));
    m_sink.answerYes();
    ASSERT_TRUE(m_editor->setHeats(e, "0", false));
    EXPECT_EQ(m_events->event(e).formatEdit, "");
}

TEST_F(SimplexEditorTest, TypedHeatsAreChecked)
{
    const qint64 e = addSelected("FRE____200M15W");
    EXPECT_FALSE(m_editor->setHeats(e, "", false));
    EXPECT_TRUE(m_sink.saw("Enter the number of heats"));
    EXPECT_FALSE(m_editor->setHeats(e, "x", false));
    EXPECT_TRUE(m_sink.saw("Please enter a number"));
    EXPECT_FALSE(m_editor->setHeats(e, "101", false));
    EXPECT_TRUE(m_sink.saw("You must enter between 0 and 100 for the heats"));
    EXPECT_FALSE(m_editor->setHeats(e, "1", false)); // not confirmed
    EXPECT_TRUE(m_sink.saw("One heat does not normally make sense."));
    EXPECT_EQ(m_events->event(e).formatEdit, "");
}

TEST_F(SimplexEditorTest, OtherKindsOfFormatAndMixedAgesAreRefused)
{
    const qint64 e = addSelected("FRE____200M15W");
    ASSERT_TRUE(m_events->setFormatEdit(e, "4,3,4/2,3,2"));
    EXPECT_FALSE(m_editor->setHeats(e, "3", false));
    EXPECT_TRUE(m_sink.saw("This format is complex."));
    ASSERT_TRUE(m_events->setFormatEdit(e, "2,3,2"));
    EXPECT_FALSE(m_editor->setHeats(e, "3", false));
    EXPECT_TRUE(m_sink.saw("This format has more than just performance-selection."));
    const qint64 mixed = addSelected("FRE_____50M99W");
    EXPECT_FALSE(m_editor->setHeats(mixed, "2", false));
    EXPECT_TRUE(m_sink.saw("Heats are not allowed on Mixed events."));
}

} // namespace
