#include "base/messages.h"
#include "base/scriptedsink.h"
#include "scoring/medals.h"
#include "scoring/scoringsettings.h"

#include <gtest/gtest.h>

namespace {

using scoring::ScoringSettings;

ScoringSettings byPlace()
{
    ScoringSettings s;
    s.teamScoreBasis = 1;
    s.medalBasedOn = 1;
    s.checkGold = s.checkSilver = s.checkBronze = true;
    scoring::defaultMedalValues(s);
    return s;
}

TEST(MedalTest, ByPlaceTheValueMustEqualTheMedalsPlace)
{
    const ScoringSettings s = byPlace();
    EXPECT_EQ(scoring::medalOf(s, 1, false, false), "Gold");
    EXPECT_EQ(scoring::medalOf(s, 2, false, false), "Silver");
    EXPECT_EQ(scoring::medalOf(s, 3, false, false), "Bronze");
    EXPECT_EQ(scoring::medalOf(s, 4, false, false), "");
    EXPECT_EQ(scoring::medalOf(s, 0, false, false), "");
    EXPECT_EQ(scoring::medalOf(s, 1, true, false), "");
    EXPECT_EQ(scoring::medalOf(s, 1, false, true), "");
    EXPECT_EQ(scoring::medalOf(s, 1, false, false, true), "");
    ScoringSettings noSilver = s;
    noSilver.checkSilver = false;
    EXPECT_EQ(scoring::medalOf(noSilver, 2, false, false), "");
    ScoringSettings none = s;
    none.medalBasedOn = 0;
    EXPECT_EQ(scoring::medalOf(none, 1, false, false), "");
}

TEST(MedalTest, ByTableScoreTheFirstMedalReachedIsGiven)
{
    ScoringSettings s = byPlace();
    s.medalBasedOn = 2;
    scoring::defaultMedalValues(s);
    EXPECT_EQ(s.pointGold, 800);
    EXPECT_EQ(scoring::medalOf(s, 812, false, false), "Gold");
    EXPECT_EQ(scoring::medalOf(s, 700, false, false), "Silver");
    EXPECT_EQ(scoring::medalOf(s, 650, false, false), "Bronze");
    EXPECT_EQ(scoring::medalOf(s, 599, false, false), "");
    // A heat row keeps its medal by score.
    EXPECT_EQ(scoring::medalOf(s, 812, false, false, true), "Gold");
}

TEST(MedalTest, LeftOutTeamsPassTheirMedalsOnAndTiesShare)
{
    using Places = QList<std::pair<int, bool>>;
    EXPECT_EQ(
        scoring::medalPlacesWithExclusions(Places{{1, false}, {1, false}, {3, false}, {4, false}}),
        (QList<int>{1, 1, 2, 0}));
    EXPECT_EQ(scoring::medalPlacesWithExclusions(
                  Places{{1, true}, {2, false}, {3, true}, {4, false}, {5, false}, {6, false}}),
              (QList<int>{0, 1, 0, 2, 3, 0}));
    // A tie at the last medal keeps both; the next place ends the medals.
    EXPECT_EQ(scoring::medalPlacesWithExclusions(
                  Places{{1, false}, {2, false}, {3, false}, {3, false}, {5, false}}),
              (QList<int>{1, 2, 3, 3, 0}));
    EXPECT_EQ(scoring::medalPlacesWithExclusions(Places{{1, true}, {1, true}}), (QList<int>{0, 0}));
}

TEST(MedalTest, MedalNamesAndTheImpossibleFourth)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    EXPECT_EQ(scoring::medalName(1, messages), "Gold");
    EXPECT_EQ(scoring::medalName(3, messages), "Bronze");
    EXPECT_EQ(scoring::medalName(0, messages), "");
    EXPECT_EQ(sink.count(base::MessageKind::Error), 0);
    EXPECT_EQ(scoring::medalName(4, messages), "");
    EXPECT_TRUE(sink.saw("Medal place greater than 3!"));
}

TEST(WinnersSettingsTest, EachMistakeHasItsMessage)
{
    ScoringSettings s = byPlace();
    EXPECT_EQ(scoring::winnersSettingsRefusal(s, "2", 0), "");
    const struct {
        std::function<void(ScoringSettings&)> change;
        QString deduction;
        int tagged;
        const char* message;
    } cases[] = {
        {[](ScoringSettings& x) { x.teamScoreBasis = 0; }, "", 0,
         "Select \"Place Points\"  _OR_  \"Table Score\""},
        {[](ScoringSettings& x) { x.teamScoreBasis = 2; }, "", 0,
         "The number of Score Table points to use per event for team scores must be above 0"},
        {[](ScoringSettings&) {}, "two", 0,
         "Enter a number for Deducting Points for Disqualifications"},
        {[](ScoringSettings& x) { x.checkGold = x.checkSilver = x.checkBronze = false; }, "", 0,
         "If medals are awarded, they must be indicated"},
        {[](ScoringSettings& x) { x.pointSilver = 0; }, "", 0,
         "There must be a corresponding value for the Silver medal awarded"},
        {[](ScoringSettings& x) { x.pointSilver = 1; }, "", 0,
         "The places for medals must be ascending"},
        {[](ScoringSettings& x) {
             x.medalBasedOn = 2;
             x.pointGold = 600;
             x.pointSilver = 700;
             x.pointBronze = 500;
         },
         "", 0, "The points for the medals must be descending"},
        {[](ScoringSettings& x) { x.medalsExcludeTeams = true; }, "", 0,
         "\"Exclude Teams\" is checked, but there are NO Teams selected."},
        {[](ScoringSettings&) {}, "", 2,
         "\"Exclude Teams\" is NOT checked, but there ARE Teams selected."},
    };
    for (const auto& c : cases) {
        ScoringSettings changed = s;
        c.change(changed);
        EXPECT_EQ(scoring::winnersSettingsRefusal(changed, c.deduction, c.tagged), c.message);
    }
}

} // namespace
