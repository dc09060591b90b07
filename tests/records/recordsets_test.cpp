#include "recordsfixture.h"

namespace {

using records::RecordSets;

class RecordSetsTest : public RecordsTest {};

TEST_F(RecordSetsTest, ANewSetIsRefusedForEachBadValueAndNothingIsWritten)
{
    RecordSets sets(database());
    ASSERT_GT(sets.NewRecordSet({"National", "NAT", "2024"}), 0);
    const struct {
        records::RecordSetValues values;
        const char* message;
    } refused[] = {
        {{"", "X", ""}, "The Name is empty"},
        {{"Other", " ", ""}, "The Abbreviation is empty"},
        {{"wind", "W1", ""}, "The Name may not be \"wind\"."},
        {{"Windy", "WIND", ""}, "The Abbreviation may not be \"wind\"."},
        {{"national", "N2", ""}, "The Name \"national\" already exists"},
        {{"Other", "nat", ""}, "The Abbreviation \"nat\" already exists"},
        {{"Other", "OT", "19x9"}, "The year must be numeric"},
        {{"Other", "OT", "1799"}, "The year must be between 1800 and 2100."},
        {{"Other", "OT", "2101"}, "The year must be between 1800 and 2100."},
    };
    for (const auto& r : refused) {
        m_sink.clear();
        EXPECT_EQ(sets.NewRecordSet(r.values), 0) << r.message;
        EXPECT_TRUE(m_sink.saw(r.message)) << r.message;
    }
    EXPECT_EQ(count("RECORDSET"), 1);
    EXPECT_GT(sets.NewRecordSet({"Other", "OT", "1800"}), 0);
    EXPECT_GT(sets.NewRecordSet({"No year", "NY", ""}), 0);
    EXPECT_EQ(sets.byAbbreviation("ny")->year, 0);
    EXPECT_EQ(sets.byAbbreviation("OT")->year, 1800);
}

TEST_F(RecordSetsTest, RenamingToItsOwnNameIsAllowedButNotToAnothers)
{
    RecordSets sets(database());
    const qint64 first = sets.NewRecordSet({"First", "F1", ""});
    sets.NewRecordSet({"Second", "S2", ""});
    EXPECT_TRUE(sets.update(first, {"First", "F1", "2020"}));
    EXPECT_FALSE(sets.update(first, {"Second", "F1", ""}));
    EXPECT_EQ(sets.byNumber(first)->name, "First");
    EXPECT_EQ(sets.byNumber(first)->year, 2020);
}

TEST_F(RecordSetsTest, DeletingASetTakesItsRecordsAndSelectionsWithIt)
{
    const qint64 doomed = newSet("DEL");
    const qint64 kept = newSet("KEP");
    setRecord(run().items(), doomed, "FRE____100M12W", "1:05.00");
    setRecord(run().items(), kept, "FRE____100M12W", "1:04.00");
    watch(doomed);
    EXPECT_TRUE(RecordSets(database()).deleteRecordSet(doomed));
    EXPECT_EQ(count("RECORD"), 1);
    EXPECT_EQ(count("MEETINGSET"), 0);
    EXPECT_EQ(count("RECORDSET"), 1);
}

TEST_F(RecordSetsTest, AMeetingSelectsASetOnceAndItsListsFollow)
{
    RecordSets sets(database());
    const qint64 national = newSet("NAT");
    const qint64 standard = newSet("QS");
    watch(national, false, 3);
    watch(standard, true, -2);
    EXPECT_FALSE(sets.selectForMeeting(m_meetingNo, national, false, 0));
    EXPECT_TRUE(m_sink.saw("This recordset was already selected for this meeting"));
    EXPECT_EQ(run().meeting().recordSets(), QString::number(national));
    EXPECT_EQ(run().meeting().failStandardsWithPoints(), QString::number(standard) + ",-2");
    const QList<records::MeetingSetRow> rows = sets.ofMeeting(m_meetingNo);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].abbreviation, "NAT");
    EXPECT_TRUE(rows[1].failStandard);
    EXPECT_TRUE(sets.unselectForMeeting(m_meetingNo, national));
    EXPECT_EQ(sets.ofMeeting(m_meetingNo).size(), 1);
}

class RecordEditingTest : public RecordsTest {};

TEST_F(RecordEditingTest, AMainHolderComesFirstThenCoHoldersWhoShareItsRecord)
{
    records::Records recs(database(), run().items());
    const qint64 set = newSet("NAT");
    const QString item = "FRE____100M12W";
    EXPECT_EQ(recs.addCoHolder(set, item, {"Co", "", "", ""}), 0);
    EXPECT_TRUE(m_sink.saw("Add the Main Record Holder before you add co-holders"));
    EXPECT_EQ(recs.NewRecord(set, item, " ", {"Main", "", "", ""}), 0);
    EXPECT_TRUE(m_sink.saw("The record may not be empty"));
    EXPECT_EQ(recs.NewRecord(set, item, "65.5", {"Main", "", "", "14/03/2020"}), 0);
    EXPECT_TRUE(m_sink.saw("Expected date formmat yyyy/mm/dd"));
    EXPECT_EQ(count("RECORD"), 0);

    const qint64 main = recs.NewRecord(set, item, "65.5", {"Main", "Ann", "OAK", "2020/03/14"});
    ASSERT_GT(main, 0);
    EXPECT_EQ(recs.mainRecord(set, item), "1:05.50");
    EXPECT_EQ(recs.NewRecord(set, item, "1:04.00", {"Other", "", "", ""}), 0);
    EXPECT_TRUE(m_sink.saw("The record already exists."));
    EXPECT_EQ(recs.addCoHolder(set, item, {}), 0);
    EXPECT_TRUE(m_sink.saw("You cannot enter an empty co-holder"));
    const qint64 co = recs.addCoHolder(set, item, {"Equal", "Bo", "ELM", ""});
    ASSERT_GT(co, 0);

    const QList<records::RecordRow> rows = recs.ofItem(set, item);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].holderTypeText(), "Main");
    EXPECT_EQ(rows[1].holderTypeText(), "Co");
    EXPECT_EQ(rows[1].record, "1:05.50");
    EXPECT_EQ(value("select C_GENDER || C_AGE from RECORD where RECORDNO = " + QString::number(co)),
              "M12");

    EXPECT_FALSE(recs.deleteRecord(main));
    EXPECT_TRUE(m_sink.saw("There are co-holders.  First delete the co-holders."));
    EXPECT_TRUE(recs.deleteRecord(co));
    EXPECT_TRUE(recs.deleteRecord(main));
    EXPECT_EQ(count("RECORD"), 0);
}

} // namespace
