#include "recordsfixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using testing_support::runCli;

class RecordCliTest : public RecordsTest {
protected:
    int cli(const QStringList& args, QString* out = nullptr, QString* err = nullptr)
    {
        // The desktop's run keeps the database open in this process; the CLI is another
        // program on the same file.
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
};

TEST_F(RecordCliTest, ImportCheckSetAndUpdateAsAUserWould)
{
    const QString csv = m_home->dir() + "/nat.csv";
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Item,Gender,Age,Record,Surname\nFRE____100,M,12,1:05.00,Ames\n"
               "FRE_____50,M,12,30.00,Bell\n");
    file.close();
    QString out;
    QString err;
    ASSERT_EQ(cli({"recordset", "import", csv, "--name", "National", "--abrv", "NAT", "--setup",
                   "ITEM=1", "--setup", "GENDER=2", "--setup", "AGE=3", "--setup", "RECORD=4",
                   "--setup", "SURNAME=5"},
                  &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("records: 2")) << out.toStdString();
    ASSERT_EQ(cli({"--json", "recordset", "list"}, &out), 0);
    const QJsonArray sets = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets[0].toObject()["abbreviation"].toString(), "NAT");
    EXPECT_EQ(sets[0].toObject()["records"].toInt(), 2);

    ASSERT_EQ(cli({"recordset", "select", "NAT"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"record", "check", "FRE____100M12W", "1:04.99"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(out, "NAT\n");
    ASSERT_EQ(cli({"--json", "record", "check", "FRE____100M12W", "65"}, &out), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["sets"].toArray()[0].toString(),
              "=NAT");
    ASSERT_EQ(cli({"record", "check", "FRE____100M12W", "1:06"}, &out), 0);
    EXPECT_EQ(out, "no records\n");

    ASSERT_EQ(cli({"record", "set", "NAT", "FRE____200M12W", "2:30", "--holder", "Cole", "--date",
                   "2024/01/01"},
                  &out, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(cli({"record", "set", "NAT", "FRE____200M12W", "--co", "--holder", ""}, &out, &err),
              1);
    EXPECT_TRUE(err.contains("You cannot enter an empty co-holder")) << err.toStdString();

    const qint64 oak = addTeam("OAK");
    const qint64 event = addEvent("FRE____200M12W");
    addResult(event, addAthlete(oak, "Dunn", "M", 12), oak, "2:29.00", 1);
    // Without --yes the question is No: the list is shown and nothing changes.
    EXPECT_EQ(cli({"recordset", "update-from-meeting", "NAT"}, &out, &err), 1);
    EXPECT_TRUE(out.contains("Broken\tFRE____200M12W\t2:29.00\t2:30.00\tDunn"))
        << out.toStdString();
    ASSERT_EQ(
        cli({"--yes", "recordset", "update-from-meeting", "NAT", "--team", "OAK"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(cli({"recordset", "show", "NAT"}, &out), 0);
    EXPECT_TRUE(out.contains("FRE____200M12W\tMain\t2:29.00\tDunn")) << out.toStdString();
    EXPECT_FALSE(out.contains("Cole"));

    EXPECT_EQ(cli({"recordset", "new", "Wind", "wind"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("may not be \"wind\".")) << err.toStdString();
    EXPECT_EQ(cli({"recordset", "new", "Old", "OLD", "--year", "1799"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The year must be between 1800 and 2100."));
    EXPECT_EQ(cli({"--yes", "recordset", "delete", "NAT"}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(count("RECORD"), 0);
}

TEST_F(RecordCliTest, TheSwimmingCheckListsAndTheRepairFixes)
{
    addEvent("BRE_____50F11");
    addEvent("FRE____100M12W");
    QString out;
    QString err;
    EXPECT_EQ(cli({"item", "check-swimming"}, &out, &err), 1);
    EXPECT_EQ(out, "11 Female 50m Breaststroke\n");
    EXPECT_TRUE(err.contains("is not correct for Swimming.")) << err.toStdString();
    EXPECT_EQ(cli({"item", "repair-swimming"}, &out, &err), 1);
    EXPECT_EQ(value("select count(*) from MYEVENT where ITEMCODE = 'BRE_____50F11W'"), "0");
    ASSERT_EQ(cli({"--yes", "item", "repair-swimming"}, &out, &err), 0) << err.toStdString();
    // The repair's own information comes first, then the listing.
    EXPECT_TRUE(out.contains("was not correct for Swimming.")) << out.toStdString();
    EXPECT_TRUE(out.endsWith("\nFixed: 11 Female 50m Breaststroke\n")) << out.toStdString();
    ASSERT_EQ(cli({"--json", "item", "check-swimming"}, &out), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(out.toUtf8()).object()["items"].toArray().isEmpty());
}

} // namespace
