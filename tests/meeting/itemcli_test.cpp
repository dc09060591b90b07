#include "support/testdatabase.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using testing_support::runCli;

namespace {

TEST(ItemCliTest, DescribesAnItem)
{
    QString out;
    QString err;
    ASSERT_EQ(runCli({"item", "describe", "SHD____100M19", "--edition", "athletics"}, &out, &err),
              0)
        << err.toStdString();
    for (const char* line :
         {"group: SHD\n", "type: ____100\n", "gender: M\n", "age: 19\n", "track_or_field: T\n",
          "distance: 100\n", "wind_kind: 1\n", "format: 4\n", "mask: 99.99\n", "largest: 99.99\n",
          "format_description: seconds.decimals\n", "description: 100m 19 Male\n",
          "description_afrikaans: 100m 19 Manlik\n"})
        EXPECT_TRUE(out.contains(line)) << line;

    ASSERT_EQ(runCli({"--json", "item", "describe", "F_R4X50___F99W"}, &out), 0);
    const QJsonObject relay = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(relay["relay_legs"].toString(), "4x50");
    EXPECT_EQ(relay["distance"].toString(), "200");
    EXPECT_EQ(relay["format"].toString(), "3");
    EXPECT_EQ(relay["description"].toString(), "4X50m FreestRel Female Mixed Ages");
}

TEST(ItemCliTest, ListsGroupsAndTypes)
{
    QString out;
    ASSERT_EQ(runCli({"item", "groups", "--afrikaans"}, &out), 0);
    EXPECT_TRUE(out.startsWith("FRE\tVryslag\nBRE\tBorsslag\n"));
    ASSERT_EQ(runCli({"item", "types", "JMP", "--edition", "athletics"}, &out), 0);
    EXPECT_EQ(out,
              "High___\tHighJump\nPole___\tPolevault\nLong___\tLongJump\nTripple\tTripleJump\n");
    EXPECT_EQ(runCli({"item", "types", "XYZ"}, &out), 1);
    EXPECT_EQ(runCli({"item", "groups", "--edition", "running"}, &out), 2);
}

TEST(ItemCliTest, NormalisesChecksAndReads)
{
    QString out;
    QString err;
    ASSERT_EQ(runCli({"perf", "normalise", "FRE____100M19W", "65.32"}, &out), 0);
    EXPECT_EQ(out, "1:05.32\n");
    EXPECT_EQ(runCli({"perf", "normalise", "FRE____100M19W", "6x"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The performance does not look right: 6x"));

    EXPECT_EQ(runCli({"perf", "check", "SHD____100M19", "09.85", "--edition", "athletics"}, &out),
              0);
    EXPECT_EQ(
        runCli({"perf", "check", "SHD____100M19", "9.85", "--edition", "athletics"}, &out, &err),
        1);
    EXPECT_TRUE(err.contains("The format of 9.85 should be 09.85")) << err.toStdString();

    ASSERT_EQ(runCli({"perf", "value", "1:02:03.5"}, &out), 0);
    EXPECT_EQ(out, "3723.5\n");
    EXPECT_EQ(runCli({"perf", "value", "abc"}, &out), 1);

    ASSERT_EQ(runCli({"perf", "third-digit", "FRE____100M19W", "1:00.00", "1"}, &out), 0);
    EXPECT_EQ(out, "0:59.991\n");
    EXPECT_EQ(runCli({"perf", "third-digit", "FRE____100M19W", "1:00.00", ""}, &out), 1);
}

TEST(ItemCliTest, ChecksWindTexts)
{
    QString out;
    QString err;
    EXPECT_EQ(runCli({"wind", "check", "-0.4"}, &out), 0);
    EXPECT_EQ(runCli({"wind", "check", "1.60"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The format should be 1.6 or +1.6"));
    ASSERT_EQ(runCli({"--json", "wind", "check", "01.6"}, &out), 1);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["message"].toString(),
              "The format should be 1.6 or +1.6");
    EXPECT_EQ(runCli({"wind", "check"}, &out), 2);
}

} // namespace
