#include "recordsfixture.h"

#include "records/swimitemcheck.h"

namespace {

using records::SwimItemCheck;
using records::SwimItemTarget;

class SwimItemCheckTest : public RecordsTest {
protected:
    QStringList codes()
    {
        QStringList list;
        db::Query q = database().openQuery("select ITEMCODE from MYEVENT where MEETINGNO = " +
                                           QString::number(m_meetingNo) + " order by ITEMCODE");
        for (q.first(); !q.eof(); q.next())
            list << q.text("ITEMCODE");
        return list;
    }
    SwimItemCheck checker() { return SwimItemCheck(database(), run().items()); }
};

TEST_F(SwimItemCheckTest, ACorrectMeetingSaysSoOnlyWhenAsked)
{
    addEvent("FRE____100M12W");
    addEvent("FRE____100M12WZ");
    EXPECT_FALSE(checker().check(SwimItemTarget::Meeting, m_meetingNo, false));
    EXPECT_TRUE(m_sink.shown().isEmpty());
    m_sink.answerYes();
    EXPECT_FALSE(checker().check(SwimItemTarget::Meeting, m_meetingNo, true));
    EXPECT_TRUE(m_sink.saw("Check the Items for this Meeting"));
    EXPECT_TRUE(m_sink.saw("No errors were found"));
}

TEST_F(SwimItemCheckTest, TheCheckListsCodesWithoutTheMarkAndStillSwapsZW)
{
    addEvent("FRE____100M12W");
    addEvent("BRE_____50F11");
    addEvent("FRE_____50M12ZW");
    records::SwimItemFindings findings;
    EXPECT_TRUE(checker().check(SwimItemTarget::Meeting, m_meetingNo, false, &findings));
    EXPECT_EQ(findings.lines.size(), 2);
    EXPECT_TRUE(findings.lines.contains("11 Female 50m Breaststroke"))
        << findings.lines.join("|").toStdString();
    EXPECT_TRUE(findings.lines.contains("Fixed: 12 Male 50m Freestyle"));
    const auto warnings = m_sink.ofKind(base::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].title, "Invalid swim Items");
    EXPECT_TRUE(warnings[0].text.startsWith(
        "The following Items in the Meeting is not correct for Swimming."));
    EXPECT_TRUE(warnings[0].text.contains("\"Fix Dolvane Meeting\""));
    EXPECT_EQ(codes(), (QStringList{"BRE_____50F11", "FRE____100M12W", "FRE_____50M12WZ"}));
}

TEST_F(SwimItemCheckTest, TheFixAppendsTheMarkUnlessTheMeetingAlreadyHasThatItem)
{
    addEvent("BRE_____50F11");
    addEvent("FRE____100M12");
    addEvent("FRE____100M12W");
    m_sink.answerYes();
    m_sink.answerYes();
    records::SwimItemFindings findings;
    EXPECT_FALSE(checker().fix(SwimItemTarget::Meeting, m_meetingNo, true, &findings));
    findings.lines.sort();
    EXPECT_EQ(findings.lines, (QStringList{"Duplicate not fixed: 12 Male 100m Freestyle",
                                           "Fixed: 11 Female 50m Breaststroke"}));
    EXPECT_EQ(codes(), (QStringList{"BRE_____50F11W", "FRE____100M12", "FRE____100M12W"}));
    EXPECT_TRUE(m_sink.saw("was not correct for Swimming."));
    EXPECT_TRUE(m_sink.saw("The program attempted to fix them."));
}

TEST_F(SwimItemCheckTest, RefusingTheBackupQuestionChangesNothing)
{
    addEvent("BRE_____50F11");
    m_sink.answerYes();
    m_sink.answerNo();
    EXPECT_TRUE(checker().fix(SwimItemTarget::Meeting, m_meetingNo, true));
    EXPECT_TRUE(m_sink.saw("PLEASE MAKE A BACKUP OF YOUR DATA BEFORE FIXING THE ITEMS !"));
    EXPECT_EQ(codes(), QStringList{"BRE_____50F11"});
    // No to the first question stops a check too, with nothing found.
    m_sink.answerNo();
    EXPECT_FALSE(checker().check(SwimItemTarget::Meeting, m_meetingNo, true));
}

TEST_F(SwimItemCheckTest, ARecordSetIsCheckedAndFixedLikeAMeeting)
{
    const qint64 set = newSet("NAT");
    exec("insert into RECORD (RECORDNO, RECORDSETNO, ITEMCODE, HOLDERTYPENO, RECORD) values (" +
         QString::number(key()) + ", " + QString::number(set) + ", 'FRE____100M12', 1, '1:05.00')");
    EXPECT_TRUE(checker().check(SwimItemTarget::RecordSet, set, false));
    EXPECT_TRUE(m_sink.saw("The following Items in the RecordSet is not correct for Swimming."));
    EXPECT_TRUE(m_sink.saw("\"Manage Data\" -> \"RecordSets\""));
    EXPECT_FALSE(checker().fix(SwimItemTarget::RecordSet, set, false));
    EXPECT_EQ(value("select ITEMCODE from RECORD"), "FRE____100M12W");
}

TEST_F(SwimItemCheckTest, TheAthleticsEditionHasNoSwimmingCheck)
{
    addEvent("BRE_____50F11");
    const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages());
    EXPECT_FALSE(
        SwimItemCheck(database(), athletics).check(SwimItemTarget::Meeting, m_meetingNo, false));
    EXPECT_TRUE(m_sink.saw("This is not Dolvane"));
    EXPECT_EQ(errors(), 1);
}

} // namespace
