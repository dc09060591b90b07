#include "entries/csvheadersuggestion.h"

#include <gtest/gtest.h>

using entries::AgeSource;
using entries::CsvSetup;
using entries::suggestFromHeader;

namespace {

int columnOf(const CsvSetup& setup, const QString& field)
{
    for (const auto& [name, column] : setup.namedColumns())
        if (name == field)
            return column;
    return -1;
}

} // namespace

TEST(CsvHeaderSuggestion, titlesNameFieldsWhateverTheirCaseBlanksAndUnderscores)
{
    const auto s = suggestFromHeader({"SURNAME", "First name", "sex", "Birth_Year", "Club",
                                      "ID-number", "Id Number", "Shoe size", "Local Smds"});
    EXPECT_EQ(s.text(), "Surname 1, Firstname 2, Gender 3, BirthYear 4, Team 5, ID-number 6, "
                        "IdNumber 7, Local Smds 9");
    // Two age columns: the order Age, Birthdate, BirthYear, IdNumber decides.
    EXPECT_EQ(s.ageSource, AgeSource::BirthYear);
}

TEST(CsvHeaderSuggestion, itemColumnsGiveTheFirstAndLastItemAndTheirBests)
{
    const auto withBests =
        suggestFromHeader({"Surname", "Gender", "Age", "Team", "Item", "Best", "Item2", "Best"});
    EXPECT_EQ(withBests.text(), "Surname 1, Gender 2, Age 3, Team 4, First Item 5, Last Item 7");
    EXPECT_TRUE(withBests.bests);
    EXPECT_EQ(withBests.ageSource, AgeSource::Age);
    const auto plain = suggestFromHeader({"Surname", "Item 1", "Item 2", "Item 3", "Itemised"});
    EXPECT_EQ(plain.text(), "Surname 1, First Item 2, Last Item 4");
    EXPECT_FALSE(plain.bests);
    // A file of swimmers' lines has no header to speak of.
    EXPECT_TRUE(suggestFromHeader({"NEL", "Jan", "M", "13", "OAK"}).isEmpty());
    EXPECT_TRUE(suggestFromHeader({}).isEmpty());
}

TEST(CsvHeaderSuggestion, takingItMovesTheTitledFieldsAndFreesColumnsTitledForOthers)
{
    CsvSetup old;
    old.surname = 2; // the last file had the surname second
    old.firstName = 1;
    old.team = 9;   // no title in the new file: stays
    old.number = 4; // the new file's column 4 is titled "Age"
    old.ageSource = AgeSource::BirthDate;
    old.ageDate = 7;
    const auto s = suggestFromHeader({"Surname", "Firstname", "Gender", "Age"});
    EXPECT_FALSE(s.matches(old));
    const CsvSetup taken = s.appliedTo(old);
    EXPECT_EQ(columnOf(taken, "Surname"), 1);
    EXPECT_EQ(columnOf(taken, "Firstname"), 2);
    EXPECT_EQ(columnOf(taken, "Gender"), 3);
    EXPECT_EQ(columnOf(taken, "Age"), 4);
    EXPECT_EQ(columnOf(taken, "Number"), 0);
    EXPECT_EQ(columnOf(taken, "Team"), 9);
    // The age source the user chose keeps its column, which no title claims: it stays.
    EXPECT_EQ(taken.ageSource, AgeSource::BirthDate);
    EXPECT_FALSE(taken.hasItems);
    EXPECT_TRUE(s.matches(taken));

    CsvSetup none;
    const CsvSetup fresh = suggestFromHeader({"Surname", "Age", "Item", "Item"}).appliedTo(none);
    EXPECT_EQ(fresh.ageSource, AgeSource::Age);
    EXPECT_TRUE(fresh.hasItems);
    EXPECT_EQ(fresh.itemFirst, 3);
    EXPECT_EQ(fresh.itemLast, 4);
}
