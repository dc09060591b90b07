#include "base/messages.h"
#include "base/scriptedsink.h"
#include "entries/nathlons.h"

#include <gtest/gtest.h>

namespace {

TEST(NathlonCount, NumbersNamesAndTheirSloppySpellingsAreRead)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    EXPECT_EQ(entries::readNathlonCount(messages, "8"), 8);
    EXPECT_EQ(entries::readNathlonCount(messages, "8-Athlon"), 8);
    EXPECT_EQ(entries::readNathlonCount(messages, "Octahlon"), 8);
    EXPECT_EQ(entries::readNathlonCount(messages, " decathlon "), 10);
    EXPECT_EQ(entries::readNathlonCount(messages, "Heptathlon"), 7);
    EXPECT_EQ(entries::readNathlonCount(messages, "20"), 20);
    EXPECT_EQ(entries::readNathlonCount(messages, ""), 0);
    EXPECT_EQ(entries::readNathlonCount(messages, "0"), 0);
    EXPECT_TRUE(sink.shown().isEmpty());
    for (const char* bad : {"1", "21", "00-Athlon", "Octopus", "8-Athletes"}) {
        sink.clear();
        EXPECT_FALSE(entries::readNathlonCount(messages, bad).has_value()) << bad;
        EXPECT_TRUE(sink.saw(QStringLiteral("n-Athlon error: ") + bad +
                             ": min is 2-Athlon, maximum is 20-Athlon."))
            << bad;
    }
    EXPECT_TRUE(entries::nathlonCountValid(messages, 0));
    EXPECT_FALSE(entries::nathlonCountValid(messages, 21));
}

} // namespace
