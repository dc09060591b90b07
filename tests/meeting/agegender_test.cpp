#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/genderage.h"

#include <gtest/gtest.h>

using namespace meeting;

namespace {

TEST(AgeFromIdNumber, CenturyTurnsFiveYearsBeforeThisYear)
{
    const struct {
        const char* id;
        int year;
        const char* born;
    } cases[] = {
        {"1203055009087", 2026, "2012/03/05"}, {"2303055009087", 2026, "1923/03/05"},
        {"9503055009087", 2026, "1995/03/05"}, {"2103055009087", 2026, "2021/03/05"},
        {"2203055009087", 2026, "1922/03/05"}, {"0001015009087", 2000, "1900/01/01"},
        {"9912315009087", 2099, "1999/12/31"}, {"9401015009087", 2099, "2094/01/01"},
        {"0001015009087", 2005, "2000/01/01"}, {"0101015009087", 2005, "1901/01/01"},
    };
    for (const auto& c : cases) {
        const IdBirthDate r = birthDateFromIdNumber(QString::fromLatin1(c.id), c.year);
        EXPECT_TRUE(r.ok) << c.id << " " << c.year << " " << r.message.toStdString();
        EXPECT_EQ(r.date, QString::fromLatin1(c.born)) << c.id << " " << c.year;
    }
}

TEST(AgeFromIdNumber, BadNumbersSayWhy)
{
    const struct {
        const char* id;
        const char* message;
    } cases[] = {
        {"", "ID is Empty"},
        {"   ", "ID is Empty"},
        {"12A3055009087", "Id must be 6 digits: 12A305"},
        {"1203", "Id must be 6 digits: 1203"},
        {"-20305", "Id must be 6 digits: -20305"},
        {"1213055009087", "The limits for year/month/day is from 1->99, 1->12, 1->31\r"},
        {"1200055009087", "The limits for year/month/day is from 1->99, 1->12, 1->31\r"},
        {"1201325009087", "The limits for year/month/day is from 1->99, 1->12, 1->31\r"},
        {"1302295009087", "Getting the year failed: 1302295009087"},
    };
    for (const auto& c : cases) {
        const IdBirthDate r = birthDateFromIdNumber(QString::fromLatin1(c.id), 2026);
        EXPECT_FALSE(r.ok) << c.id;
        EXPECT_TRUE(r.message.startsWith(QString::fromLatin1(c.message)))
            << c.id << ": " << r.message.toStdString();
    }
}

TEST(AgeText, ParsesImportedAges)
{
    const struct {
        const char* text;
        const char* gender;
        int age;
    } cases[] = {
        {"17", "", 17},           {"u18", "", 17},      {"U/18", "", 17},
        {"O18", "", 17},          {"o/18", "", 17},     {" 9 ", "", 9},
        {"MIX", "", 99},          {"mixed", "", 99},    {"99", "", 99},
        {"U16", "", 15},          {"u23", "", 22},      {"Senior", "", 25},
        {"SENIORS", "", 25},      {"open", "", 25},     {"master", "M", 50},
        {"Master", "F", 45},      {"veteran", "M", 40}, {"subveteran", "F", 30},
        {"GrandMaster", "M", 60}, {"55-59", "", 55},    {"60-64", "F", 60},
    };
    for (const auto& c : cases) {
        const auto age = parseAgeText(QString::fromLatin1(c.text), QString::fromLatin1(c.gender));
        ASSERT_TRUE(age.has_value()) << c.text;
        EXPECT_EQ(*age, c.age) << c.text;
    }
    for (const char* bad : {"", "abc", "1", "96", "u2", "master", "17.5", "u/", "x18", "100"})
        EXPECT_FALSE(parseAgeText(QString::fromLatin1(bad)).has_value()) << bad;
    // The gender letter comes from the athlete, never from the text.
    EXPECT_FALSE(parseAgeText("FMASTER", "M").has_value());
    EXPECT_FALSE(parseAgeText("FMASTER").has_value());
    EXPECT_FALSE(parseAgeText("MVETERAN", "F").has_value());
}

TEST(AgeText, GenderWordsFollowTheAgeAndLanguage)
{
    EXPECT_EQ(genderWord("M", "", 0, false), "Male");
    EXPECT_EQ(genderWord("F", "", 0, true), "Vroulik");
    EXPECT_EQ(genderWord("T", "", 0, false), "TwoGdr");
    EXPECT_EQ(genderWord("T", "12", 0, true), QString()); // Afrikaans has no mixed word
    // 17 is adult only when ages are not plain numbers.
    EXPECT_EQ(genderWord("M", "17", 0, false), "Boys");
    EXPECT_EQ(genderWord("M", "17", 1, false), "Men");
    EXPECT_EQ(genderWord("F", "20", 0, false), "Women");
    EXPECT_EQ(genderWord("F", "8", 0, true), "Dogters");
    EXPECT_EQ(genderWord("M", "25", 2, true), "Mans");
}

TEST(AgeText, DescriptionsByAgeType)
{
    EXPECT_EQ(ageDescription(nullptr, "F", "32", 1, false), "Masters 30");
    EXPECT_EQ(ageDescription(nullptr, "M", "32", 1, false), "32");
    EXPECT_EQ(ageDescription(nullptr, "M", "47", 2, true), "Meesters 45");
    EXPECT_EQ(ageDescription(nullptr, "M", "99", 1, false), "MixAge");
    EXPECT_EQ(ageDescription(nullptr, "F", "17", 1, false), "U18");
    EXPECT_EQ(ageDescription(nullptr, "F", "22", 1, true), "O23");
    EXPECT_EQ(ageDescription(nullptr, "M", "25", 2, false), "Senior");
    EXPECT_EQ(ageDescription(nullptr, "M", "9", 0, false), "09");
    EXPECT_EQ(ageDescription(nullptr, "M", "17", 0, false), "17");
    EXPECT_EQ(genderAgeDescription(nullptr, "F", "15", 1, false), "Girls U16");

    base::ScriptedSink sink;
    base::Messages messages(sink);
    EXPECT_EQ(ageDescription(&messages, "M", "12", 7, false), "12");
    EXPECT_TRUE(sink.saw("Invalid Age Type: 7"));
    genderAgeDescription(&messages, "", "12", 0, false);
    EXPECT_TRUE(sink.saw("Empty gender or age:"));
}

TEST(Grades, StandInForAgesBelowNineteen)
{
    EXPECT_EQ(ageDescription(nullptr, "M", "14", kAgeDescGrades, false), "08");
    EXPECT_EQ(ageDescription(nullptr, "M", "18", kAgeDescGrades, false), "12");
    EXPECT_EQ(ageDescription(nullptr, "M", "19", kAgeDescGrades, false), "19");
    EXPECT_EQ(gradeToAge(8), 14);
    EXPECT_EQ(ageToGrade(14), 8);

    EXPECT_EQ(checkEnteredAge("", true), "You have to enter the Grade");
    EXPECT_EQ(checkEnteredAge("7b", true), "The Grade must be numeric");
    EXPECT_EQ(checkEnteredAge("0", true), "The Grade must be between 1 and 89");
    EXPECT_EQ(checkEnteredAge("90", true), "The Grade must be between 1 and 89");
    EXPECT_EQ(checkEnteredAge("89", true), QString());
    EXPECT_EQ(checkEnteredAge(" ", false), "You have to enter the Age");
    EXPECT_EQ(checkEnteredAge("x", false), "The Age must be numeric");
    EXPECT_EQ(checkEnteredAge("1", false), "The age must be between 2 and 95");
    EXPECT_EQ(checkEnteredAge("96", false), "The age must be between 2 and 95");
    EXPECT_EQ(checkEnteredAge("2", false), QString());
}

TEST(AgeAndBirthDate, BirthYearMustMatchTheAgeAtTheMeeting)
{
    base::ScriptedSink sink;
    base::Messages messages(sink);
    const QDate today(2025, 6, 1);
    EXPECT_TRUE(checkAgeAndBirthDate(messages, "", "15", false, 2025, today));
    EXPECT_TRUE(checkAgeAndBirthDate(messages, "2010/12/31", "15", false, 2025, today));
    EXPECT_EQ(sink.shown().size(), 0);

    sink.answerNo();
    EXPECT_FALSE(checkAgeAndBirthDate(messages, "2009/12/31", "15", false, 2025, today));
    EXPECT_TRUE(sink.saw("The age does not correspond to the birthday.\rFor Age 15 the "
                         "birthdate ( 2009/12/31 ) must be between\r2010/01/01 and "
                         "2010/12/31\rAccept anyway ?"));
    sink.answerYes();
    EXPECT_TRUE(checkAgeAndBirthDate(messages, "2009/12/31", "15", false, 2025, today));

    // Grade 9 is age 15.
    EXPECT_TRUE(checkAgeAndBirthDate(messages, "2010/01/01", "9", true, 2025, today));

    sink.clear();
    EXPECT_FALSE(checkAgeAndBirthDate(messages, "2010/02/30", "15", false, 2025, today));
    EXPECT_TRUE(sink.saw("Invalid birthdate"));
    EXPECT_FALSE(checkAgeAndBirthDate(messages, "2010/02/03", "fifteen", false, 2025, today));
    EXPECT_TRUE(sink.saw("Invalid age: it must be a number"));

    sink.clear();
    sink.answerNo();
    EXPECT_FALSE(checkAgeAndBirthDate(messages, "2023/01/01", "2", false, 2025, today));
    EXPECT_TRUE(sink.saw("The date does not give an age between 4 and 95.\rAccept anyway"));
}

} // namespace
