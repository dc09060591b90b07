#include "recordsfixture.h"

#include "base/configstore.h"
#include "records/recordimport.h"

#include <QFile>

namespace {

class RecordImportTest : public RecordsTest {
protected:
    QString writeFile(const QByteArray& text)
    {
        const QString path = m_home->dir() + "/records.csv";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    records::RecordCsvSetup setup()
    {
        records::RecordCsvSetup s;
        for (const auto& [key, column] : {std::pair{"SURNAME", 1},
                                          {"FIRSTNAME", 2},
                                          {"TEAM", 3},
                                          {"GENDER", 4},
                                          {"AGE", 5},
                                          {"ITEM", 6},
                                          {"DATE", 7},
                                          {"RECORD", 8}})
            EXPECT_TRUE(s.set(key, QString::number(column)));
        return s;
    }
    qint64 import(const QByteArray& text, const QString& abbreviation = "IMP")
    {
        return records::RecordImport(database(), run().items())
            .importFile(writeFile(text), {"Imported", abbreviation, "2024"}, setup());
    }
};

const QByteArray kGood = "Surname;First;Team;Gender;Age;Item;Date;Record\n"
                         "Ames;Jo;OAK;M;12;FRE____100;2024/02/01;65.32\n"
                         "Bell;Al;ELM;m;12;FRE100;2024/02/02;1:05.32\n"
                         "Cole;Bo;OAK;F;9;BRE50;;0:41.2\n";

TEST_F(RecordImportTest, ImportsIntoANewSetWithFurtherHoldersAsCoHolders)
{
    const qint64 set = import(kGood);
    ASSERT_GT(set, 0);
    EXPECT_TRUE(m_sink.saw("Done: Records imported"));
    const QList<records::RecordRow> rows = records::Records(database(), run().items()).ofSet(set);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].itemCode, "BRE_____50F09W");
    EXPECT_EQ(rows[0].record, "0:41.20");
    EXPECT_EQ(rows[1].itemCode, "FRE____100M12W");
    EXPECT_EQ(rows[1].holderTypeText(), "Main");
    EXPECT_EQ(rows[1].record, "1:05.32");
    EXPECT_EQ(rows[2].holderTypeText(), "Co");
    EXPECT_EQ(rows[2].holder.surname, "Bell");
    EXPECT_EQ(records::RecordSets(database()).byNumber(set)->year, 2024);
}

TEST_F(RecordImportTest, BadLinesAreListedAndRefusingLeavesNothingBehind)
{
    const QByteArray bad = "h\n"
                           "Ames;Jo;OAK;M;12;FRE____100;2024/02/01;65.32\n"
                           "Dee;Jo;OAK;Q;12;FRE____100;;1:00.00\n"
                           "Eve;Jo;OAK;F;1x;FRE____100;;1:00.00\n"
                           "Fay;Jo;OAK;F;12;XYZ100;;1:00.00\n"
                           "Gil;Jo;OAK;F;12;;;1:00.00\n"
                           "Hal;Jo;OAK;F;12;FRE____100;;\n"
                           "Ivy;Jo;OAK;F;12;FRE____100;;fast\n"
                           "Jon;Jo;OAK;F;12;FRE____100;03/03/2024;1:00.00\n"
                           "Kim;Jo;OAK;F;12\n";
    m_sink.answerNo();
    EXPECT_EQ(import(bad), 0);
    const auto questions = m_sink.ofKind(base::MessageKind::Confirm);
    ASSERT_EQ(questions.size(), 1);
    const QString& text = questions[0].text;
    EXPECT_TRUE(text.startsWith("The following lines had errors, and will not be imported."));
    for (const char* line :
         {"Line 3: Invalid Gender: Q", "Line 4: Invalid Age: 1x",
          "Line 5: Invalid Itemcode: XYZ100", "Line 6: Empty Item", "Line 7: Empty Record",
          "Line 8: Invalid Record: fast", "Line 9: Expected date formmat yyyy/mm/dd",
          "Line 10: Missing columns", "Continue to import anyway"})
        EXPECT_TRUE(text.contains(line)) << line;
    EXPECT_EQ(count("RECORDSET"), 0);
    EXPECT_EQ(count("RECORD"), 0);

    m_sink.answerYes();
    const qint64 set = import(bad);
    ASSERT_GT(set, 0);
    EXPECT_EQ(count("RECORD"), 1);
}

TEST_F(RecordImportTest, ASetupWithoutTheNeededColumnsOrABadSetNameIsRefused)
{
    records::RecordCsvSetup partial;
    partial.set("ITEM", "1");
    EXPECT_EQ(records::RecordImport(database(), run().items())
                  .importFile(writeFile(kGood), {"Imported", "IMP", ""}, partial),
              0);
    EXPECT_TRUE(m_sink.saw("The column of \"Gender\" is not set"));
    EXPECT_EQ(import(kGood, "wind"), 0);
    EXPECT_TRUE(m_sink.saw("may not be \"wind\"."));
    EXPECT_EQ(count("RECORDSET"), 0);
}

TEST_F(RecordImportTest, TheColumnSetupIsKeptInTheConfigurationStore)
{
    records::RecordCsvSetup s = setup();
    s.set("CLASS", "9");
    s.hasHeaderLine = false;
    s.save(run().config());
    EXPECT_EQ(run().config().readInt("CSV_REC_COLMNO_RECORD"), 8);
    EXPECT_EQ(run().config().readInt("CSV_REC_COLMNO_DSB_CLASS"), 9);
    records::RecordCsvSetup loaded;
    loaded.load(run().config());
    EXPECT_EQ(loaded.item, 6);
    EXPECT_FALSE(loaded.hasHeaderLine);
    EXPECT_FALSE(loaded.set("SPEED", "3"));
    EXPECT_FALSE(loaded.set("AGE", "x"));
}

} // namespace

namespace {

// Athletics types are named in mixed case ("JMPHigh___"): a file or a user typing them in
// another case still reaches the item, and the record is stored under its own spelling.
TEST_F(RecordImportTest, AthleticsTypesTakeTheirOwnSpellingWhateverCaseTheyAreTypedIn)
{
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    const QByteArray text = "Surname;First;Team;Gender;Age;Item;Date;Record\n"
                            "Ames;Jo;OAK;M;25;JMPHIGH;2024/02/01;2.10\n"
                            "Bell;Al;ELM;F;25;thrshotput;2024/02/02;15.20\n";
    const qint64 set = records::RecordImport(database(), athletics)
                           .importFile(writeFile(text), {"Field", "FLD", "2024"}, setup());
    ASSERT_GT(set, 0);
    records::Records records(database(), athletics);
    QStringList codes;
    for (const records::RecordRow& row : records.ofSet(set))
        codes << row.itemCode;
    codes.sort();
    EXPECT_EQ(codes, QStringList({"JMPHigh___M25", "THRShotputF25"}));

    const qint64 added = records.NewRecord(set, "jmplong___m25", "7.50", {"Cole", "Bo", "OAK", ""});
    ASSERT_GT(added, 0);
    EXPECT_EQ(records.ofItem(set, "JMPLong___M25").size(), 1);
    EXPECT_EQ(records.NewRecord(set, "JMPLONG___M25", "7.60", {"Dunn", "Cy", "ELM", ""}), 0);
    EXPECT_TRUE(m_sink.saw("The record already exists."));
}

} // namespace
