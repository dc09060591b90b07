#include "base/messages.h"
#include "base/scriptedsink.h"
#include "draw/patterndraw.h"
#include "draw/patterntables.h"
#include "meeting/itemtypes.h"

#include <gtest/gtest.h>

namespace {

class PatternTablesTest : public ::testing::Test {
protected:
    base::ScriptedSink m_sink;
    base::Messages m_messages{m_sink};
};

TEST_F(PatternTablesTest, EveryCycleOfEveryLaneCountIsOneLaneForEachTeamInEveryLane)
{
    const QMap<int, int> cycles{{5, 19}, {6, 16}, {7, 14}, {8, 12}, {9, 11}};
    for (auto it = cycles.cbegin(); it != cycles.cend(); ++it) {
        const QStringList list = draw::patternCycles(it.key());
        EXPECT_EQ(list.size(), it.value()) << it.key() << " lanes";
        for (const QString& cycle : list)
            EXPECT_EQ(draw::cycleFault(cycle, it.key()), QString())
                << it.key() << " lanes: " << cycle.toStdString();
    }
    EXPECT_TRUE(draw::patternCycles(4).isEmpty());
    EXPECT_TRUE(draw::patternCycles(10).isEmpty());
}

TEST_F(PatternTablesTest, TheCheckFindsBrokenCycles)
{
    // Team 1 twice in lane 1; a pattern with a team missing; one pattern short.
    EXPECT_NE(draw::cycleFault("12345,13452,34512,45123,51234", 5), QString());
    EXPECT_NE(draw::cycleFault("12344,23451,34512,45123,51234", 5), QString());
    EXPECT_NE(draw::cycleFault("12345,23451,34512,45123", 5), QString());
    EXPECT_EQ(draw::cycleFault("12345,23451,34512,45123,51234", 5), QString());
}

TEST_F(PatternTablesTest, SequencesRunThroughTheCyclesAndWrapAfterTheLast)
{
    EXPECT_EQ(draw::patternForSequence(1, 5, m_messages), "43512");
    EXPECT_EQ(draw::patternForSequence(5, 5, m_messages), "51324");
    EXPECT_EQ(draw::patternForSequence(6, 5, m_messages), "15243");
    // 19 cycles of 5: sequence 96 is the first pattern of cycle 20, which is cycle 1.
    EXPECT_EQ(draw::patternForSequence(96, 5, m_messages), "43512");
    EXPECT_EQ(draw::patternForSequence(95, 5, m_messages),
              draw::patternCycles(5).last().split(',').last());
    EXPECT_EQ(draw::patternForSequence(1, 9, m_messages), "857469132");
    EXPECT_EQ(draw::patternForSequence(8 * 12 + 3, 8, m_messages), "23167458");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(PatternTablesTest, WrongLanesOrSequencesGiveTheIdentityAndAnInternalError)
{
    EXPECT_EQ(draw::patternForSequence(1, 4, m_messages), "123456789");
    EXPECT_TRUE(m_sink.saw("Invalid Lanes for ZPattern: 4"));
    EXPECT_EQ(draw::patternForSequence(0, 5, m_messages), "12345");
    EXPECT_TRUE(m_sink.saw("Invalid nSeq for _Pattern5Cycles: 0"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 2);
}

TEST_F(PatternTablesTest, OnlyBendRacesOfTheRunningGroupsTakeThePattern)
{
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, m_messages);
    EXPECT_FALSE(draw::patternApplies(athletics, "SHD____100M19"));
    EXPECT_TRUE(draw::patternApplies(athletics, "SHD____200M19"));
    EXPECT_TRUE(draw::patternApplies(athletics, "SHD____400F19"));
    EXPECT_TRUE(draw::patternApplies(athletics, "HDL____400M19"));
    EXPECT_TRUE(draw::patternApplies(athletics, "REL4X100__M19"));
    EXPECT_FALSE(draw::patternApplies(athletics, "LOD____800M19"));
    EXPECT_FALSE(draw::patternApplies(athletics, "JMPLong___M19"));
    // Swimming strokes are not of those groups.
    const meeting::ItemTypes swimming(meeting::Edition::Swimming, m_messages);
    EXPECT_FALSE(draw::patternApplies(swimming, "FRE____200M13W"));
}

} // namespace
