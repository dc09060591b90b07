#include "recordsfixture.h"

#include "records/recordcheck.h"

namespace {

using records::RecordCheck;

class RecordCheckTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        m_athletics = std::make_unique<meeting::ItemTypes>(meeting::Edition::Athletics, messages());
    }
    RecordCheck athleticsCheck() { return RecordCheck(database(), *m_athletics, run().meeting()); }
    RecordCheck swimmingCheck() { return RecordCheck(database(), run().items(), run().meeting()); }

    std::unique_ptr<meeting::ItemTypes> m_athletics;
};

TEST_F(RecordCheckTest, TheHundredMetresRecordIsBrokenEqualledOrNotAndWindAboveTwoPreventsIt)
{
    RecordCheck check = athleticsCheck();
    const QString item = "SHD____100M19";
    EXPECT_EQ(check.CompareWithRecord(item, "10.80", "10.85", ""), records::Broken);
    EXPECT_EQ(check.CompareWithRecord(item, "10.85", "10.85", ""), records::Equalled);
    EXPECT_EQ(check.CompareWithRecord(item, "10.90", "10.85", ""), records::Neither);
    EXPECT_EQ(check.CompareWithRecord(item, "10.80", "10.85", "+2.1"), records::WindPrevented);
    EXPECT_EQ(check.CompareWithRecord(item, "10.85", "10.85", "+2.1"), records::WindPrevented);
    EXPECT_EQ(check.CompareWithRecord(item, "10.90", "10.85", "+2.1"), records::Neither);
    EXPECT_EQ(check.CompareWithRecord(item, "10.80", "10.85", "+2.0"), records::Broken);
    EXPECT_EQ(check.CompareWithRecord(item, "10.85", "10.85", "2.0"), records::Equalled);
    EXPECT_EQ(check.CompareWithRecord(item, "10.80", "10.85", "-3.5"), records::Broken);
    // A long race takes no wind reading.
    EXPECT_EQ(check.CompareWithRecord("SHD____400M19", "48.10", "48.20", "+3.0"), records::Broken);
    EXPECT_EQ(errors(), 0);
}

TEST_F(RecordCheckTest, FieldItemsAreBetterHigherAndOnlyJumpsTakeWind)
{
    RecordCheck check = athleticsCheck();
    const QString longJump = "JMPLong___M19";
    const QString shot = "THRShotputM19";
    const QString jumpRecord = *m_athletics->NormalisePerf(longJump, "6.20");
    const QString shotRecord = *m_athletics->NormalisePerf(shot, "15.00");
    const QString jump = *m_athletics->NormalisePerf(longJump, "6.25");
    EXPECT_EQ(check.CompareWithRecord(longJump, jump, jumpRecord, ""), records::Broken);
    EXPECT_EQ(check.CompareWithRecord(longJump, jump, jumpRecord, "2.5"), records::WindPrevented);
    EXPECT_EQ(check.CompareWithRecord(longJump, *m_athletics->NormalisePerf(longJump, "6.10"),
                                      jumpRecord, ""),
              records::Neither);
    EXPECT_EQ(check.CompareWithRecord(shot, *m_athletics->NormalisePerf(shot, "15.20"), shotRecord,
                                      "5.0"),
              records::Broken);
    EXPECT_EQ(errors(), 0);
}

TEST_F(RecordCheckTest, BlankTextsCompareAsNeitherAndAChangedFormatIsReported)
{
    RecordCheck check = athleticsCheck();
    EXPECT_EQ(check.CompareWithRecord("SHD____100M19", "10.80", "", ""), records::Neither);
    EXPECT_EQ(check.CompareWithRecord("SHD____100M19", "00.00", "10.85", ""), records::Neither);
    EXPECT_EQ(errors(), 0);
    // A record stored in another width sorts differently from its value: the numbers win.
    EXPECT_EQ(check.CompareWithRecord("SHD____100M19", "10.80", "010.85", ""), records::Broken);
    ASSERT_EQ(errors(), 1);
    EXPECT_TRUE(m_sink.saw("The string and numerical checks differ when testing for a record."));
    EXPECT_TRUE(m_sink.saw("SOLUTION 2 (BETTER)"));
}

TEST_F(RecordCheckTest, RecordsBrokenListsTheWatchedSetsInOrderWithEqualledMarked)
{
    const qint64 national = newSet("NAT");
    const qint64 school = newSet("SCH");
    const qint64 unwatched = newSet("OLD");
    const QString item = "FRE____100M12W";
    setRecord(run().items(), national, item, "1:05.00");
    setRecord(run().items(), school, item, "1:06.00");
    setRecord(run().items(), unwatched, item, "1:10.00");
    watch(school);
    watch(national);

    RecordCheck check = swimmingCheck();
    EXPECT_EQ(check.RecordsBroken(item, "1:04.50", "").sets, (QStringList{"SCH", "NAT"}));
    const records::RecordsBrokenResult equalled = check.RecordsBroken(item, "1:05.00", "");
    EXPECT_EQ(equalled.text(), "SCH =NAT");
    EXPECT_EQ(equalled.captureMessage(), "RECORDS were beaten or equalled\r\rSCH =NAT");
    EXPECT_EQ(check.RecordsBroken(item, "1:06.00", "").sets, QStringList{"=SCH"});
    EXPECT_FALSE(check.RecordsBroken(item, "1:07.00", "").any());
    EXPECT_TRUE(check.RecordsBroken(item, "", "").captureMessage().isEmpty());
    // Swimming items take no wind, whatever is typed beside them.
    EXPECT_EQ(check.RecordsBroken(item, "1:04.50", "+5.0").sets, (QStringList{"SCH", "NAT"}));
    EXPECT_EQ(errors(), 0);
}

TEST_F(RecordCheckTest, WindPreventedIsReportedInsteadOfTheRecord)
{
    const qint64 national = newSet("NAT");
    setRecord(*m_athletics, national, "SHD____100M19", "10.85");
    watch(national);
    RecordCheck check = athleticsCheck();
    const records::RecordsBrokenResult result =
        check.RecordsBroken("SHD____100M19", "10.70", "2.4");
    EXPECT_FALSE(result.any());
    EXPECT_TRUE(result.windPrevented);
    EXPECT_EQ(result.captureMessage(), "WIND Prevented a record");
}

TEST_F(RecordCheckTest, FailingStandardsAreListedFirstAndAnItemWithoutAStandardCannotFail)
{
    const qint64 standard = newSet("QS");
    const qint64 national = newSet("NAT");
    setRecord(run().items(), standard, "FRE____100M12W", "1:20.00");
    setRecord(run().items(), national, "FRE____100M12W", "1:05.00");
    watch(standard, true, -2);
    watch(national);
    RecordCheck check = swimmingCheck();
    EXPECT_TRUE(check.FailsStandard("FRE____100M12W", "1:20.01"));
    EXPECT_FALSE(check.FailsStandard("FRE____100M12W", "1:20.00"));
    EXPECT_FALSE(check.FailsStandard("FRE____100M12W", ""));
    EXPECT_FALSE(check.FailsStandard("FRE____200M12W", "3:20.00"));

    const records::RecordsBrokenResult slow = check.RecordsBroken("FRE____100M12W", "1:25.00", "");
    EXPECT_EQ(slow.sets, QStringList{"QS"});
    EXPECT_FALSE(slow.recordsBeaten());
    EXPECT_TRUE(slow.captureMessage().isEmpty());
    EXPECT_EQ(check.RecordsBroken("FRE____100M12W", "1:04.00", "").sets, QStringList{"NAT"});
}

TEST_F(RecordCheckTest, AMixedAgeItemIsComparedWithTheRecordsOfTheSwimmersOwnAge)
{
    const qint64 national = newSet("NAT");
    setRecord(run().items(), national, "FRE____100M12W", "1:06.00");
    setRecord(run().items(), national, "FRE____100M13W", "1:04.00");
    watch(national);
    const qint64 team = addTeam("OAK");
    const qint64 twelve = addAthlete(team, "Young", "M", 12);
    const qint64 thirteen = addAthlete(team, "Older", "M", 13);
    RecordCheck check = swimmingCheck();
    EXPECT_EQ(check.RecordsBroken("FRE____100M99W", "1:05.00", "", twelve).sets,
              QStringList{"NAT"});
    EXPECT_FALSE(check.RecordsBroken("FRE____100M99W", "1:05.00", "", thirteen).any());
    EXPECT_EQ(errors(), 0);
    EXPECT_FALSE(check.RecordsBroken("FRE____100M99W", "1:05.00", "").any());
    EXPECT_TRUE(m_sink.saw("Need athlete number for mixed-records"));
}

TEST_F(RecordCheckTest, EachCategoryIsComparedWithItsOwnRecordSet)
{
    const qint64 girls = newSet("GRL");
    setRecord(run().items(), girls, "FRE_____50F12W", "35.00");
    exec(QStringLiteral("insert into CATEGORY (DUMMY_NO, MEETINGNO, CATEGORY, DESCRIPTION, "
                        "RECORDSETNO) values (") +
         db::sqlInt(key()) + ", " + db::sqlInt(m_meetingNo) + ", 'G', 'Girls', " +
         db::sqlInt(girls) + ")");
    setMeeting("HAS_CATEGORIES = 1, CATEGORIES_RECSET_EACH = 1");
    const qint64 team = addTeam("OAK");
    const qint64 swimmer = addAthlete(team, "Fast", "F", 12, "G");
    const qint64 other = addAthlete(team, "Other", "F", 12);
    RecordCheck check = swimmingCheck();
    const QString fast = *run().items().NormalisePerf("FRE_____50F12W", "34.50");
    EXPECT_EQ(check.RecordsBroken("FRE_____50F12W", fast, "", swimmer).sets, QStringList{"GRL"});
    EXPECT_FALSE(check.RecordsBroken("FRE_____50F12W", fast, "", other).any());
    EXPECT_EQ(errors(), 0);
    EXPECT_FALSE(check.RecordsBroken("FRE_____50F12W", fast, "").any());
    EXPECT_TRUE(m_sink.saw("Need athlete number for Category-records"));
}

} // namespace
