#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/itemtypes.h"
#include "meeting/perfdisplay.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using base::MessageKind;
using meeting::Edition;
using meeting::ItemTypes;

namespace {

const QString kCR = QStringLiteral("\r");

class PerformancesTest : public ::testing::Test {
protected:
    base::ScriptedSink sink;
    base::Messages messages{sink};
    ItemTypes swim{Edition::Swimming, messages};
    ItemTypes athletics{Edition::Athletics, messages};

    int internalErrors() const { return sink.count(MessageKind::Error); }
    QString lastWarning() const
    {
        const auto shown = sink.ofKind(MessageKind::Warning);
        return shown.isEmpty() ? QString() : shown.last().text;
    }
    QString lastError() const
    {
        const auto errors = sink.ofKind(MessageKind::Error);
        return errors.isEmpty() ? QString() : errors.last().text;
    }
};

TEST_F(PerformancesTest, WritesTheCanonicalTextOfEachFormat)
{
    EXPECT_EQ(swim.PerfValueToText("FRE_____25F11W", 14.2, false), "14.20");
    EXPECT_EQ(swim.PerfValueToText("FRE____100M19W", 65.32, false), "1:05.32");
    EXPECT_EQ(swim.PerfValueToText("FRE____800M17W", 9 * 60 + 45.1, false), "09:45.10");
    EXPECT_EQ(swim.PerfValueToText("FRE___3000M17W", 3600 + 2 * 60 + 3.5, false), "1:02:03.50");
    EXPECT_EQ(athletics.PerfValueToText("SHD____100M19", 9.85, false), "09.85");
    EXPECT_EQ(athletics.PerfValueToText("SHD____400M19", 48.3, false), "0:48.30");
    EXPECT_EQ(athletics.PerfValueToText("SHD____300M14", 38.2, false), "0:38.20");
    EXPECT_EQ(athletics.PerfValueToText("SHD____300M15", 38.2, false), "38.20");
    EXPECT_EQ(athletics.PerfValueToText("LOD___1500M17", 4 * 60 + 5.2, false), "04:05.20");
    EXPECT_EQ(athletics.PerfValueToText("RDR__42200F99", 2 * 3600 + 31 * 60 + 4, false),
              "2:31:04.00");
    EXPECT_EQ(athletics.PerfValueToText("THRShotputM19", 8.5, false), "08.50");
    EXPECT_EQ(athletics.PerfValueToText("JMPHigh___F15", 1.5, false), "1.50");
    EXPECT_EQ(athletics.PerfValueToText("NTH_____10M19", 6543, false), "06543");
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(PerformancesTest, RoundsTheLastDecimalAsAPersonDoes)
{
    EXPECT_EQ(swim.PerfValueToText("FRE_____25F11W", 14.125, false), "14.13");
    EXPECT_EQ(swim.PerfValueToText("FRE_____25F11W", 14.124, false), "14.12");
    // 14.115 and 1.005 are a hair below their decimal value as doubles.
    EXPECT_EQ(swim.PerfValueToText("FRE_____25F11W", 14.115, false), "14.12");
    EXPECT_EQ(athletics.PerfValueToText("JMPHigh___F15", 1.005, false), "1.01");
    EXPECT_EQ(swim.PerfValueToText("FRE____100M19W", 65.325, false), "1:05.33");
    EXPECT_EQ(swim.PerfValueToText("FRE____100M19W", 65.3249, false), "1:05.32");
    // A rounding that reaches the minute carries into it.
    EXPECT_EQ(swim.PerfValueToText("FRE____100M19W", 59.999, false), "1:00.00");
    EXPECT_EQ(swim.PerfValueToText("FRE____800M19W", 3599.996, false), "60:00.00");
    EXPECT_EQ(swim.PerfValueToText("FRE____100M19W", 0.004, false), "0:00.00");
}

TEST_F(PerformancesTest, PointsRoundHalvesToEven)
{
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 6542.5, false), "06542");
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 6543.5, false), "06544");
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 6543.49, false), "06543");
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 6543.51, false), "06544");
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 0.5, false), "00000");
    EXPECT_EQ(athletics.PerfValueToText("NTH______7F17", 1.5, false), "00002");
    EXPECT_EQ(athletics.NormalisePerf("NTH_____10M19", "6543"), "06543");
}

TEST_F(PerformancesTest, ReadsTimesDistancesAndPoints)
{
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("1:02:03.5"), 3723.5);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("1:05.32"), 65.32);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue(" 09.85 "), 9.85);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("12,3"), 12.3);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("0:00.00"), 0);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("  "), 0);
    EXPECT_DOUBLE_EQ(*athletics.PerfTextToValue("06543"), 6543);
    EXPECT_FALSE(athletics.PerfTextToValue("abc"));
    EXPECT_FALSE(athletics.PerfTextToValue("1:"));
    EXPECT_FALSE(athletics.PerfTextToValue(":5"));
    EXPECT_FALSE(athletics.PerfTextToValue("1:2:3:4"));
    EXPECT_FALSE(athletics.PerfTextToValue("1,2,3"));
    EXPECT_FALSE(athletics.PerfTextToValue("1e3"));
    EXPECT_EQ(internalErrors(), 0);
    EXPECT_FALSE(athletics.PerfTextToValue("M12.34"));
    EXPECT_TRUE(lastError().contains("Filter out manually stopped times for Timetronics: M12.34"));
}

TEST_F(PerformancesTest, BlankAndPlausibleTexts)
{
    for (const char* blank : {"", "   ", "0:00.00", "00.00", "-", "+0", ":.", "0:00:00.00"})
        EXPECT_TRUE(ItemTypes::PerfIsBlank(blank)) << blank;
    for (const char* notBlank : {"0:00.01", "X", "1", "00.00 a"})
        EXPECT_FALSE(ItemTypes::PerfIsBlank(notBlank)) << notBlank;

    for (const char* ok : {"1:05.32", "09.85", "1,05", "2:31:04.00", "06543", "5."})
        EXPECT_TRUE(ItemTypes::PerfLooksValid(ok)) << ok;
    for (const char* bad : {"1.05:32", "a", "1:2:3:4", "-5.00", "1 05", "1,2,3", "M1.00", "1:"})
        EXPECT_FALSE(ItemTypes::PerfLooksValid(bad)) << bad;
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(PerformancesTest, NormalisesOrReportsTheText)
{
    EXPECT_EQ(swim.NormalisePerf("FRE____100M19W", "65.32"), "1:05.32");
    EXPECT_EQ(swim.NormalisePerf("FRE____100M19W", "1:5.3"), "1:05.30");
    EXPECT_EQ(swim.NormalisePerf("FRE____800M19W", "9:45.1"), "09:45.10");
    EXPECT_EQ(athletics.NormalisePerf("SHD____100M19", "9,85"), "09.85");
    EXPECT_EQ(athletics.NormalisePerf("THRShotputM19", "8.5"), "08.50");
    EXPECT_EQ(internalErrors(), 0);

    EXPECT_FALSE(athletics.NormalisePerf("SHD____100M19", ""));
    EXPECT_TRUE(lastError().contains("The performance is empty"));
    EXPECT_FALSE(athletics.NormalisePerf("SHD____100M19", "9.85s"));
    EXPECT_TRUE(lastError().contains("The performance does not look right: 9.85s"));
    EXPECT_EQ(internalErrors(), 2);
}

TEST_F(PerformancesTest, AcceptsOnlyTheExactCanonicalText)
{
    EXPECT_TRUE(athletics.CheckPerfFormat("SHD____100M19", "09.85", true));
    EXPECT_TRUE(swim.CheckPerfFormat("FRE_____50M13W", "0:31.25", true));
    EXPECT_TRUE(swim.CheckPerfFormat("FRE_____25F11W", "18.40", true));
    EXPECT_TRUE(swim.CheckPerfFormat("BRE____400F15W", "6:12.80", true));
    EXPECT_TRUE(swim.CheckPerfFormat("FRE____800M17W", "09:45.10", true));
    EXPECT_TRUE(athletics.CheckPerfFormat("JMPHigh___F15", "1.50", true));
    EXPECT_TRUE(athletics.CheckPerfFormat("NTH_____10M19", "06543", true));
    EXPECT_TRUE(athletics.CheckPerfFormat("RDR__42200F99", "2:45:10.00", true));
    EXPECT_EQ(sink.shown().size(), 0);

    EXPECT_FALSE(swim.CheckPerfFormat("FRE_____50M13W", "31.25", false));
    EXPECT_FALSE(athletics.CheckPerfFormat("LOD___1500M17", "1:05.3", false));
    EXPECT_EQ(sink.shown().size(), 0);
}

TEST_F(PerformancesTest, RefusalExplainsTheFormat)
{
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "9.85", true));
    EXPECT_EQ(lastWarning(),
              "The format of 9.85 should be 09.85" + kCR + "seconds.decimals" + kCR + kCR +
                  "The problem is usually that the \"Decimal Setting\" of Windows is wrong." + kCR +
                  "To fix this:" + kCR +
                  "Click on the \"Start\"-button of Windows and go to \"Control Panel\"." + kCR +
                  "Look for something containing the word \"Region\"." + kCR +
                  "Then, under \"Additional Settings\" look for a \"Number\"-tab." + kCR +
                  "Change the \"Decimal Symbol\" to a point." + kCR +
                  "While you are there: change \"Column Separator\" to a comma." + kCR +
                  "Click \"Accept\".  The problem shoul now be fixed.");
}

TEST_F(PerformancesTest, MoreThan59SecondsHasItsOwnMessage)
{
    EXPECT_FALSE(athletics.CheckPerfFormat("LOD___1500M17", "01:65.00", true));
    EXPECT_EQ(lastWarning(), "The format of 01:65.00 should be 02:05.00" + kCR +
                                 "minutes:seconds.decimals" + kCR + kCR +
                                 "You cannot have more than 59 seconds.");
    // "1:5" has one digit after the colon: the general explanation.
    EXPECT_FALSE(athletics.CheckPerfFormat("LOD___1500M17", "1:5.00", true));
    EXPECT_TRUE(lastWarning().contains("Decimal Setting"));
}

TEST_F(PerformancesTest, RefusesValuesAboveTheLargest)
{
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "100.00", true));
    EXPECT_EQ(lastWarning(), "The maximum performance the programme can handle is 99.99");
    EXPECT_TRUE(athletics.CheckPerfFormat("SHD____400M19", "9:59.99", true));
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____400M19", "10:00.00", true));
    EXPECT_EQ(lastWarning(), "The maximum performance the programme can handle is 9:59.99");
    EXPECT_FALSE(athletics.CheckPerfFormat("JMPHigh___F15", "10.00", false));
    EXPECT_EQ(sink.count(MessageKind::Warning), 2);
}

TEST_F(PerformancesTest, ASpaceIsAlwaysReported)
{
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", " 09.85", false));
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "09.85 ", false));
    EXPECT_EQ(sink.count(MessageKind::Warning), 2);
    EXPECT_EQ(lastWarning(), "The performance has a space.  Please type all the digits.");
}

TEST_F(PerformancesTest, TextThatIsNoNumberIsRefused)
{
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "ab.cd", true));
    EXPECT_TRUE(lastWarning().startsWith("The format of ab.cd should be 00.00"));
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "-09.85", true));
    EXPECT_FALSE(athletics.CheckPerfFormat("SHD____100M19", "", false));
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(PerformancesTest, TrailingDecimalComma)
{
    EXPECT_EQ(ItemTypes::FixDecimalComma("12,3"), "12.3");
    EXPECT_EQ(ItemTypes::FixDecimalComma("12,"), "12.");
    EXPECT_EQ(ItemTypes::FixDecimalComma("1,23"), "1,23");
    EXPECT_EQ(ItemTypes::FixDecimalComma(","), ",");
    EXPECT_EQ(ItemTypes::FixDecimalComma("1,2,"), "1,2,");
    EXPECT_EQ(ItemTypes::FixDecimalComma("12.34"), "12.34");
}

TEST_F(PerformancesTest, ThirdDigitRefinesTheTimeDownwards)
{
    const QString code = QStringLiteral("SHD____100M19");
    for (int digit = 1; digit <= 9; ++digit) {
        EXPECT_EQ(athletics.AddThirdDigit(code, "11.16", QString::number(digit)),
                  "11.15" + QString::number(digit));
    }
    EXPECT_EQ(athletics.AddThirdDigit(code, "11.16", "0"), "11.160");
    EXPECT_EQ(athletics.AddThirdDigit("SHD____400M19", "0:48.30", "3"), "0:48.293");
    EXPECT_EQ(swim.AddThirdDigit("FRE____100M19W", "1:00.00", "1"), "0:59.991");
    EXPECT_EQ(swim.AddThirdDigit("FRE___1500M19W", "16:05.32", "7"), "16:05.317");
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(PerformancesTest, ThirdDigitReportsWhatShouldHaveBeenFiltered)
{
    EXPECT_EQ(athletics.AddThirdDigit("SHD____100M19", "11.16", ""), "11.160");
    EXPECT_TRUE(lastError().contains("Filter out: No third digit"));
    athletics.AddThirdDigit("JMPLong___M19", "7.16", "3");
    EXPECT_TRUE(lastError().contains("Did not expect ThirdDigits in a field item"));
    EXPECT_EQ(athletics.AddThirdDigit("SHD____100M19", "11.1", "3"), "11.1");
    EXPECT_TRUE(lastError().contains("Expected two digits after the decimal point: 11.1"));
    athletics.AddThirdDigit("SHD____100M19", "11.160", "3");
    EXPECT_TRUE(lastError().contains("Expected two digits after the decimal point: 11.160"));
    EXPECT_EQ(internalErrors(), 4);
    athletics.PerfValueToText("THRShotputM19", 8.5, true);
    EXPECT_TRUE(lastError().contains("Refining to 3 Digits only apply to times"));
}

TEST_F(PerformancesTest, WindTexts)
{
    for (const char* ok : {"1.6", "+1.6", "-0.4", "0.0", "+0.0", "-0.0", " 2.0 ", "12.3"})
        EXPECT_TRUE(athletics.CheckWindText(ok, true)) << ok;
    EXPECT_EQ(sink.shown().size(), 0);

    EXPECT_FALSE(athletics.CheckWindText("1.60", true));
    EXPECT_EQ(lastWarning(), "The format should be 1.6 or +1.6");
    EXPECT_FALSE(athletics.CheckWindText("01.6", true));
    EXPECT_EQ(lastWarning(), "The format should be 1.6 or +1.6");
    EXPECT_FALSE(athletics.CheckWindText("-.4", true));
    EXPECT_EQ(lastWarning(), "The format should be -0.4 or +-0.4");
    EXPECT_FALSE(athletics.CheckWindText("2", false));
    EXPECT_EQ(sink.count(MessageKind::Warning), 3);

    for (const char* empty : {"", "  ", ".", ".."})
        EXPECT_TRUE(ItemTypes::WindIsEmpty(empty)) << empty;
    EXPECT_FALSE(athletics.CheckWindText(" . ", true));
    EXPECT_EQ(lastWarning(), "The wind is empty");
    EXPECT_FALSE(athletics.CheckWindText("abc", true));
    EXPECT_FALSE(athletics.CheckWindText("1,6", true));
    EXPECT_EQ(sink.count(MessageKind::Warning), 4);
}

// Canonical texts of one item order as their values do: the database sorts them as text,
// ascending for times and descending for field items.
TEST_F(PerformancesTest, CanonicalTextsSortAsTheirValues)
{
    const struct {
        const char* code;
        double max;
        double step;
    } items[] = {
        {"RDR__42200F99", 9 * 3600 + 59 * 60 + 59.99, 0.01},
        {"LOD___1500M17", 99 * 60 + 59.99, 0.01},
        {"SHD____400M19", 9 * 60 + 59.99, 0.01},
        {"SHD____100M19", 99.99, 0.01},
        {"THRDiscus_M19", 99.99, 0.01},
        {"JMPLong___M19", 9.99, 0.01},
        {"NTH______7F17", 99999, 1},
    };
    QRandomGenerator random(4711);
    for (const auto& item : items) {
        const int format = athletics.PerfFormatOf(item.code);
        const qint64 steps = qint64(std::llround(item.max / item.step));
        std::vector<qint64> picks{0, steps};
        for (int i = 0; i < 3000; ++i)
            picks.push_back(qint64(random.bounded(double(steps + 1))));
        std::sort(picks.begin(), picks.end());
        picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
        QStringList texts;
        for (qint64 k : picks) {
            const QString text = athletics.PerfValueToText(item.code, double(k) * item.step, false);
            ASSERT_EQ(text.size(), athletics.PerfMaxText(item.code).size()) << text.toStdString();
            ASSERT_TRUE(athletics.CheckPerfFormat(item.code, text, false)) << text.toStdString();
            ASSERT_EQ(athletics.NormalisePerf(item.code, text), text);
            texts << text;
        }
        for (qsizetype i = 1; i < texts.size(); ++i)
            ASSERT_LT(texts[i - 1], texts[i]) << item.code << " format " << format;
        if (ItemTypes::isTimeFormat(format))
            EXPECT_TRUE(athletics.IsTrackItem(item.code));
        else
            EXPECT_TRUE(athletics.IsFieldItem(item.code));
    }
    EXPECT_EQ(internalErrors(), 0);
}

// What pages and exports show: the padding goes, the value stays, and the result is still
// a text the item reads back to the same value.
TEST_F(PerformancesTest, DisplayTextDropsThePaddingButKeepsTheValue)
{
    const std::pair<const char*, const char*> shown[] = {
        {"00:29.30", "29.30"},
        {"0:00:29.30", "29.30"},
        {"01:05.20", "1:05.20"},
        {"10:05.20", "10:05.20"},
        {"0:01:05.20", "1:05.20"},
        {"1:02:03.45", "1:02:03.45"},
        {"00:29.305", "29.305"},
        {"05.20", "5.20"},
        {"00.50", "0.50"},
        {"00345", "345"},
        {"00000", "0"},
        {"00:00.00", "0.00"},
        {"2:00:00.00", "2:00:00.00"},
        {"9.99", "9.99"},
    };
    for (const auto& [stored, display] : shown)
        EXPECT_EQ(meeting::performanceForDisplay(stored), display) << stored;
    // Statuses, blanks and broken texts are shown as they are.
    for (const char* kept : {"", "  ", "DQ", "DNS", "NT", "M29.30", "1,50", "a:b"})
        EXPECT_EQ(meeting::performanceForDisplay(kept), kept) << kept;

    for (const char* code : {"SHD____100M19", "SHD____400M19", "LOD___1500M17", "RDR__42200F99",
                             "JMPLong___M19", "THRDiscus_M19", "NTH______7F17"}) {
        for (double value : {0.5, 9.99, 29.3, 65.2, 600.0, 3723.45}) {
            const QString stored = athletics.PerfValueToText(code, value, false);
            if (!athletics.CheckPerfFormat(code, stored, false))
                continue;
            const QString display = meeting::performanceForDisplay(stored);
            EXPECT_EQ(athletics.PerfTextToValue(display), athletics.PerfTextToValue(stored))
                << code << " " << stored.toStdString();
            EXPECT_EQ(athletics.NormalisePerf(code, display), stored) << code;
            EXPECT_FALSE(display.startsWith("0") && display.size() > 1 && display[1] != '.')
                << display.toStdString();
        }
    }
    EXPECT_EQ(internalErrors(), 0);
}

TEST_F(PerformancesTest, AnyTextIsAnsweredWithoutHarm)
{
    const QStringList texts{
        "",
        " ",
        ":",
        "::",
        ".",
        "..:",
        "9:99:99:99.99",
        "1e308",
        "-1",
        "+",
        "--1",
        "1..2",
        "1:.",
        QString(400, '9'),
        "0." + QString(400, '0') + "1",
        "\t1\n",
        "١٢",
        "1:2:",
        "99999999999:00.00",
        "M",
        "X",
        "-",
        "9:59:59.995",
    };
    const QStringList codes{
        "SHD____100M19", "NTH______7F17", "JMPHigh___F15", "RDR__42200F99", "", "X",
        "REL4X1MILEM99", "FRE____100M19W"};
    for (const QString& code : codes) {
        for (const QString& text : texts) {
            athletics.PerfLooksValid(text);
            if (const auto value = athletics.PerfTextToValue(text))
                athletics.PerfValueToText(code, *value, false);
            athletics.NormalisePerf(code, text);
            athletics.CheckPerfFormat(code, text, true);
            athletics.AddThirdDigit(code, text, "5");
            athletics.CheckWindText(text, true);
            ItemTypes::FixDecimalComma(text);
        }
        athletics.ItemDescription(code, false);
        athletics.RelayLegs(code);
        athletics.WindKind(code);
        athletics.IsMixedAgeOrVeteran(code);
    }
    EXPECT_TRUE(athletics.PerfValueToText("SHD____100M19", 1e300, false).endsWith(".00"));
    EXPECT_TRUE(athletics.PerfValueToText("RDR__42200F99", 1e300, false).endsWith(".00"));
}

} // namespace
