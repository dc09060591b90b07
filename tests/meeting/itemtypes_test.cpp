#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemcodecheck.h"
#include "meeting/itemtypes.h"

#include <gtest/gtest.h>

using base::MessageKind;
using meeting::Edition;
using meeting::ItemTypes;

namespace {

class ItemTypesTest : public ::testing::Test {
protected:
    base::ScriptedSink sink;
    base::Messages messages{sink};
    ItemTypes swim{Edition::Swimming, messages};
    ItemTypes athletics{Edition::Athletics, messages};

    int internalErrors() const { return sink.count(MessageKind::Error); }
    QString lastError() const
    {
        const auto errors = sink.ofKind(MessageKind::Error);
        return errors.isEmpty() ? QString() : errors.last().text;
    }
};

TEST_F(ItemTypesTest, TakesASprintCodeApart)
{
    const QString code = QStringLiteral("SHD____100M19");
    EXPECT_EQ(athletics.ItemGroup(code), "SHD");
    EXPECT_EQ(athletics.ItemType(code), "____100");
    EXPECT_EQ(athletics.ItemGender(code), "M");
    EXPECT_EQ(athletics.ItemAge(code), "19");
    EXPECT_EQ(athletics.ItemTrackOrField(code), "T");
    EXPECT_EQ(athletics.ItemPart(code, 6), "");
    EXPECT_EQ(athletics.TrackDistance(code), 100);
    EXPECT_EQ(athletics.PerfFormatOf(code), 4);
    EXPECT_EQ(athletics.WindKind(code), 1);
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(ItemTypesTest, KnowsTheFieldItems)
{
    EXPECT_TRUE(athletics.IsFieldItem("JMPHigh___F15"));
    EXPECT_TRUE(athletics.IsVerticalJump("JMPHigh___F15"));
    EXPECT_TRUE(athletics.IsVerticalJump("JMPPole___M19"));
    EXPECT_TRUE(athletics.IsPoleVault("JMPPole___M19"));
    EXPECT_FALSE(athletics.IsVerticalJump("JMPLong___M19"));
    EXPECT_TRUE(athletics.IsThrow("THRJavelinM19"));
    EXPECT_TRUE(athletics.IsNathlon("NTH_____10M19"));
    EXPECT_EQ(athletics.ItemTrackOrField("NTH_____10M19"), "F");
    EXPECT_TRUE(swim.IsTrackItem("FRE____100M19W"));

    EXPECT_EQ(athletics.PerfFormatOf("JMPHigh___F15"), 7);
    EXPECT_EQ(athletics.WindKind("JMPHigh___F15"), 0);
    EXPECT_EQ(athletics.PerfFormatOf("JMPLong___M19"), 7);
    EXPECT_EQ(athletics.WindKind("JMPLong___M19"), 2);
    EXPECT_EQ(athletics.PerfFormatOf("JMPTrippleM19"), 6);
    EXPECT_EQ(athletics.WindKind("JMPTrippleM19"), 2);
    EXPECT_EQ(athletics.PerfFormatOf("THRJavelinM19"), 6);
    EXPECT_EQ(athletics.PerfMaxText("THRJavelinM19"), "99.99");
    EXPECT_EQ(athletics.PerfFormatOf("NTH_____10M19"), 8);
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(ItemTypesTest, ReportsPartsItCannotTake)
{
    EXPECT_EQ(athletics.ItemAge("SHD____100M1"), "1");
    EXPECT_EQ(lastError().contains("Itemcode too short: SHD____100M1"), true);
    athletics.ItemGender("SHD____100");
    EXPECT_TRUE(lastError().contains("Itemcode too short"));
    EXPECT_EQ(athletics.ItemPart("SHD____100M19", 7), "");
    EXPECT_TRUE(lastError().contains("Invalid itemcode portion number:7"));
    EXPECT_EQ(athletics.ItemPart("SHD____100M19XT44", 6), "T44");
    EXPECT_EQ(internalErrors(), 3);
    athletics.ItemPart("SHD____100M19XQ1", 6);
    EXPECT_TRUE(lastError().contains("Invalid disability code: SHD____100M19XQ1"));
    EXPECT_EQ(swim.ItemPart("FRE____100M19W", 6), "");
    EXPECT_EQ(internalErrors(), 4);
}

TEST_F(ItemTypesTest, SwimFormatsChangeAt26And500And3000Metres)
{
    const struct {
        const char* code;
        int format;
    } cases[] = {
        {"FRE_____25F11W", 4}, {"FRE_____26F11W", 3}, {"FRE_____50M13W", 3}, {"BRE____400F15W", 3},
        {"FRE____499M17W", 3}, {"FRE____500M17W", 2}, {"FRE____800M17W", 2}, {"FRE___1500M19W", 2},
        {"FRE___2999M19W", 2}, {"FRE___3000M19W", 1}, {"I_M4X50___F15W", 3}, {"F_R4X100__M99W", 3},
        {"RLD4X25___M99W", 3}, {"KBD_____25F09W", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(swim.PerfFormatOf(c.code), c.format) << c.code;
    EXPECT_EQ(swim.TrackDistance("I_M4X50___F15W"), 200);
    EXPECT_EQ(swim.TrackDistance("I_M4X25___F15W"), 100);
    EXPECT_EQ(swim.TrackDistance("F_R4X100__M99W"), 400);
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(ItemTypesTest, AthleticsFormatsFollowDistanceAndAge)
{
    const struct {
        const char* code;
        int format;
    } cases[] = {
        {"SHD____250M14", 4}, {"SHD____251M14", 3}, {"SHD____251M15", 4}, {"SHD____300M14", 3},
        {"SHD____300M15", 4}, {"SHD____300M99", 4}, {"SHD____301M19", 3}, {"SHD____400M19", 3},
        {"LOD___1400M19", 3}, {"LOD___1401M19", 2}, {"LOD___1500M17", 2}, {"LOD__19999M19", 2},
        {"LOD__20000M19", 1}, {"RDR__42200F99", 1}, {"WLK___5000M19", 2}, {"WLK___5001M19", 1},
        {"WLK__10000M19", 1}, {"XCN___8000M19", 2}, {"XCNX_CntryF15", 2}, {"BIABiathleF15", 2},
        {"HDL____110M19", 4}, {"STP___3000M19", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(athletics.PerfFormatOf(c.code), c.format) << c.code;
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(ItemTypesTest, RelayDistancesAndTheRelayLimit)
{
    EXPECT_EQ(athletics.TrackDistance("REL4X100__F15"), 400);
    EXPECT_EQ(athletics.PerfFormatOf("REL4X100__F15"), 3);
    EXPECT_EQ(athletics.TrackDistance("REL10X100_M19"), 1000);
    EXPECT_EQ(athletics.TrackDistance("REL4X800__M19"), 3200);
    EXPECT_EQ(athletics.PerfFormatOf("REL4X800__M19"), 2);
    EXPECT_EQ(athletics.TrackDistance("REL4_3_2_1M17"), 1000);
    EXPECT_EQ(athletics.PerfFormatOf("REL4_3_2_1M17"), 3);
    EXPECT_EQ(athletics.TrackDistance("REL82X48_MM19"), 2400);
    EXPECT_EQ(athletics.PerfFormatOf("REL4X50___M19"), 4); // 200
    EXPECT_EQ(athletics.PerfFormatOf("REL3X100__M19"), 4); // 300
    EXPECT_EQ(athletics.PerfFormatOf("REL7X200__M19"), 3); // 1400
    EXPECT_EQ(athletics.PerfFormatOf("REL2X701__M19"), 2); // 1402
    EXPECT_EQ(athletics.PerfFormatOf("REL4X1500_M19"), 2); // 6000
    EXPECT_EQ(athletics.TrackDistance("SRL5X100__F13"), 500);
    EXPECT_EQ(internalErrors(), 0);

    EXPECT_EQ(athletics.TrackDistance("REL4X1MILEM99"), 7040);
    athletics.PerfFormatOf("REL4X1MILEM99");
    EXPECT_EQ(internalErrors(), 1);
    EXPECT_TRUE(lastError().contains("Invalid relay: REL4X1MILEM99"));

    athletics.TrackDistance("RELXXX____M19");
    EXPECT_TRUE(lastError().contains("Relay could not be translated: RELXXX____M19"));
}

TEST_F(ItemTypesTest, DistanceOfAFieldItemIsAnInternalError)
{
    EXPECT_EQ(athletics.TrackDistance("JMPHigh___F15"), 0);
    EXPECT_TRUE(lastError().contains("Only get the distance for items that you know is track "
                                     "items.\rNot a track event:JMPHigh___F15"));
}

TEST_F(ItemTypesTest, SwimmingCodeWithoutWIsReportedOncePerRun)
{
    EXPECT_EQ(swim.PerfFormatOf("FRE____100M19"), 4); // by the athletics rules
    EXPECT_EQ(swim.PerfFormatOf("FRE____400M19"), 3);
    EXPECT_EQ(internalErrors(), 1);
    EXPECT_TRUE(lastError().contains("We will not pop this up again\rFRE____100M19"
                                     "The Itemcode does not end in \"W\"\r"));

    ItemTypes nextRun(Edition::Swimming, messages);
    nextRun.PerfFormatOf("FRE____100M19");
    EXPECT_EQ(internalErrors(), 2);
}

TEST_F(ItemTypesTest, AthleticsCodeWithWIsReportedEachTime)
{
    EXPECT_EQ(athletics.PerfFormatOf("FRE____100M19W"), 3);
    EXPECT_EQ(athletics.PerfFormatOf("FRE____100M19W"), 3);
    EXPECT_EQ(internalErrors(), 2);
    EXPECT_TRUE(lastError().contains("The Itemcode end in \"W\"\rFRE____100M19W"));
}

TEST_F(ItemTypesTest, DisabilityClassItemsHaveTheirOwnRules)
{
    EXPECT_EQ(athletics.PerfFormatOf("SHD_____60M19XT44"), 4);
    EXPECT_EQ(athletics.PerfFormatOf("SHD____400M19XT44"), 3);
    EXPECT_EQ(athletics.PerfFormatOf("LOD____800M19XT44"), 2);
    EXPECT_EQ(athletics.PerfFormatOf("REL4X400__M19XT44"), 3);
    EXPECT_EQ(internalErrors(), 0);
    athletics.PerfFormatOf("REL4X800__M19XT44");
    EXPECT_TRUE(lastError().contains("Invalid disabled relay: "));
    athletics.PerfFormatOf("RDR_100000M19XT44");
    EXPECT_TRUE(lastError().contains("Invalid disbaled running: "));
}

TEST_F(ItemTypesTest, RelayGroupsBelongToTheEdition)
{
    EXPECT_TRUE(athletics.IsRelayGroup("REL"));
    EXPECT_TRUE(athletics.IsRelayGroup("SRL"));
    EXPECT_FALSE(athletics.IsRelayGroup("F_R"));
    for (const char* g : {"F_R", "R_R", "K_R", "U_R", "M_R", "RLD"})
        EXPECT_TRUE(swim.IsRelayGroup(g)) << g;
    EXPECT_FALSE(swim.IsRelayGroup("I_M"));
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_FALSE(swim.IsRelayGroup("F_R4X50"));
    EXPECT_TRUE(lastError().contains("This function expects a group, 3chars, not: F_R4X50"));
}

TEST_F(ItemTypesTest, AgesOfMixedAndVeteranItems)
{
    EXPECT_TRUE(athletics.IsMixedAgeOrVeteran("SHD____100M99"));
    EXPECT_TRUE(athletics.IsMixedAgeOrVeteran("SHD____100M40"));
    EXPECT_FALSE(athletics.IsMixedAgeOrVeteran("SHD____100M35"));
    EXPECT_FALSE(athletics.IsMixedAgeOrVeteran("SHD____100M19"));
    EXPECT_EQ(athletics.ItemAgeClass("SHD____100M19", 17), "Senior");
    EXPECT_EQ(athletics.ItemAgeClass("SHD____100M15", 17), "Junior");
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_FALSE(athletics.IsMixedAgeOrVeteran("SHD____100MAB"));
    EXPECT_TRUE(lastError().contains("Invalid age:AB"));
    athletics.ItemAgeClass("SHD____100M19", 0);
    EXPECT_TRUE(lastError().contains("The deviding age between Younger and Older is not defined"));
}

TEST_F(ItemTypesTest, MasksDescriptionsAndLargestValues)
{
    const struct {
        const char* code;
        const char* mask;
        const char* max;
        const char* name;
    } cases[] = {
        {"RDR__42200F99", "9:99:99.99", "9:59:59.99", "hours:minutes:seconds.decimals"},
        {"LOD___1500M17", "99:99.99", "99:59.99", "minutes:seconds.decimals"},
        {"SHD____400M19", "9:99.99", "9:59.99", "minutes:seconds.decimals"},
        {"SHD____100M19", "99.99", "99.99", "seconds.decimals"},
        {"THRShotputM19", "99.99", "99.99", "meters.decimals"},
        {"JMPHigh___F15", "9.99", "9.99", "meters.decimals"},
        {"NTH_____10M19", "99999", "99999", "total table score"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(athletics.PerfMask(c.code), c.mask) << c.code;
        EXPECT_EQ(athletics.PerfMaxText(c.code), c.max) << c.code;
        EXPECT_EQ(athletics.PerfFormatName(c.code), c.name) << c.code;
    }
}

TEST_F(ItemTypesTest, GroupListsOfBothEditions)
{
    EXPECT_TRUE(swim.ItemGroups(false).startsWith("FRE;Freestyle;BRE;Breaststroke;BCK;"));
    EXPECT_TRUE(swim.ItemGroups(false).endsWith("M_R;Medley Relay;RLD;Ladder Relay"));
    EXPECT_TRUE(swim.ItemGroups(true).startsWith("FRE;Vryslag;BRE;Borsslag;"));
    EXPECT_TRUE(swim.ItemGroups(true).contains("I_M;Individuele Medley;KBD;Skopbord"));
    const QStringList athleticsGroups = athletics.ItemGroups(false).split(';');
    EXPECT_EQ(athleticsGroups.size(), 30);
    EXPECT_EQ(athleticsGroups.first(), "SHD");
    EXPECT_EQ(athleticsGroups.last(), "Pram");
    EXPECT_FALSE(athleticsGroups.contains("RDW"));
    EXPECT_TRUE(athletics.ItemGroups(true).contains("RDR;Pad wedlope;STP;Hindernis"));
    EXPECT_TRUE(athletics.ItemGroups(true).endsWith("KBK;SkopFiets;PRM;StootWa"));
}

TEST_F(ItemTypesTest, TypeListsOfEveryGroup)
{
    EXPECT_TRUE(swim.ZItemSubTypes("FRE", false)
                    .startsWith("_____25;25m Freestyle;_____50;50m Freestyle;_____75;"));
    EXPECT_TRUE(swim.ZItemSubTypes("BFL", false).endsWith("___1500;1500m Butterfly"));
    EXPECT_EQ(swim.ZItemSubTypes("I_M", false),
              "4X25___;100m(4X25) IndMedl;4X50___;200m(4X50) IndMedl;4X75___;300m(4X75) "
              "IndMedl;4X100__;400m(4X100) IndMedl;4X200__;800m(4X200) IndMedl");
    EXPECT_TRUE(swim.ZItemSubTypes("U_R", false).startsWith("4X25___;4X25m ButrflyRel;"));
    EXPECT_EQ(swim.ZItemSubTypes("RLD", false),
              "4X25___;4X25m LadderRel;4X50___;4X50m LadderRel;4X75___;4X75m LadderRel");
    // Both editions' lists answer, whatever the edition.
    EXPECT_TRUE(swim.ZItemSubTypes("LOD", false).contains("____880;Half Mile;___1000;1000m"));
    EXPECT_TRUE(
        athletics.ZItemSubTypes("NTH", false).contains("_____10;Decathlon;_____11;11-athlon"));
    EXPECT_TRUE(athletics.ZItemSubTypes("NTH", false).startsWith("______2;Biathlon;"));
    EXPECT_TRUE(athletics.ZItemSubTypes("XCN", false)
                    .startsWith("X_Cntry;CrossCountry XCtry;___1000;1km XCtry;___1500;1.5km"));
    EXPECT_TRUE(athletics.ZItemSubTypes("REL", false)
                    .endsWith("10X100_;10x100m Relay;4X1MILE;4x1Mile Relay"));
    EXPECT_TRUE(athletics.ZItemSubTypes("SRL", false).endsWith("5X100__;5x100m Shuttle Relay"));
    EXPECT_TRUE(athletics.ZItemSubTypes("RDW", false).startsWith("___3000;3km RoadRace;"));
    EXPECT_TRUE(athletics.ZItemSubTypes("JMP", false).endsWith("Tripple;TripleJump"));
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_EQ(athletics.ZItemSubTypes("XYZ", false), "");
    EXPECT_TRUE(lastError().contains("Invalid ItemGroup for ZItemSubTypes: XYZ"));
}

TEST_F(ItemTypesTest, TypedCodesAreCheckedAgainstTheEditionsGroupsGendersAndAges)
{
    EXPECT_EQ(itemCodeProblem(Edition::Swimming, "FRE_____50M13W"), "");
    EXPECT_EQ(itemCodeProblem(Edition::Swimming, "F_R4X50___T99W"), "");
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "JMPHigh___F15"), "");
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "SHD____100M02"), "");
    // A group of the other edition is not one of this edition's.
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "FRE_____50M13W"),
              "the group \"FRE\" is not one of the athletics groups");
    EXPECT_EQ(itemCodeProblem(Edition::Swimming, "SHD____100M19"),
              "the group \"SHD\" is not one of the swimming groups");
    EXPECT_EQ(itemCodeProblem(Edition::Swimming, "FRE_____50"),
              "an item code has at least 13 characters");
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "SHD____100W19"),
              "the gender \"W\" is not M, F or T");
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "SHD____100M01"),
              "the age \"01\" is not from 02 to 95 or 99");
    EXPECT_EQ(itemCodeProblem(Edition::Athletics, "SHD____100M96"),
              "the age \"96\" is not from 02 to 95 or 99");
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(ItemTypesTest, RelayLegs)
{
    EXPECT_EQ(athletics.RelayLegs("REL4X100__M19"), "4x100");
    EXPECT_EQ(athletics.RelayLegs("REL10X100_M19"), "10x100");
    EXPECT_EQ(athletics.RelayLegs("REL4X1500_M19"), "4x1500");
    EXPECT_EQ(athletics.RelayLegs("REL4X1MILEM99"), "4x1760");
    EXPECT_EQ(athletics.RelayLegs("REL842_2X1M19"), "800,400,200,2x100");
    EXPECT_EQ(athletics.RelayLegs("REL4_3_2_1M17"), "100,200,300,400");
    EXPECT_EQ(swim.RelayLegs("F_R4X50___F13W"), "4x50");
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_EQ(athletics.RelayLegs("SHD____100M19"), "");
    EXPECT_TRUE(lastError().contains("Invalid relay type: ____100"));
}

TEST_F(ItemTypesTest, DescriptionsInEnglishAndAfrikaans)
{
    EXPECT_EQ(swim.ItemDescription("FRE____100M19W", false), "100m Freestyle 19 Male");
    EXPECT_EQ(swim.ItemDescription("FRE____100M19W", true), "100m Freestyle 19 Manlik");
    EXPECT_EQ(swim.ItemDescription("F_R4X50___F99W", false), "4X50m FreestRel Female Mixed Ages");
    EXPECT_EQ(swim.ItemDescription("I_M4X50___T12W", false), "200m(4X50) IndMedl 12 2Gender");
    EXPECT_EQ(athletics.ItemDescription("REL4_3_2_1M17", false), "1234 Swedish Relay 17 Male");
    EXPECT_EQ(athletics.ItemDescription("JMPHigh___F15", true), "HighJump 15 Vroulik");
    EXPECT_EQ(internalErrors(), 0);

    EXPECT_EQ(athletics.ItemDescription("SHD____100Q19", false), "100m 19 Invalid");
    EXPECT_TRUE(lastError().contains("Invalid gender: Q"));
    athletics.ItemDescription("SHD____100M1A", false);
    EXPECT_TRUE(lastError().contains("Invalid age: 1A"));
    athletics.ItemDescription("SHD____100M96", false);
    EXPECT_TRUE(lastError().contains("Invalid Age: 96"));
}

TEST_F(ItemTypesTest, TypedItemCodesTakeTheirOwnSpelling)
{
    // Named types keep their mixed case; everything else is upper case.
    EXPECT_EQ(athletics.CanonicalItemCode(" jmphigh___f25 "), "JMPHigh___F25");
    EXPECT_EQ(athletics.CanonicalItemCode("JMPTRIPPLEM19"), "JMPTrippleM19");
    EXPECT_EQ(athletics.CanonicalItemCode("thrdiscus_f17"), "THRDiscus_F17");
    EXPECT_EQ(athletics.CanonicalItemCode("shd____100m25"), "SHD____100M25");
    EXPECT_EQ(athletics.CanonicalItemCode("rel4x1milem99"), "REL4X1MILEM99");
    EXPECT_EQ(swim.CanonicalItemCode("fre____100m19w"), "FRE____100M19W");
    // What is no item of ours is only put in upper case.
    EXPECT_EQ(athletics.CanonicalItemCode("xyzhigh___m19"), "XYZHIGH___M19");
    EXPECT_EQ(athletics.CanonicalItemCode("jmp"), "JMP");
    EXPECT_EQ(internalErrors(), 0);
}

} // namespace
