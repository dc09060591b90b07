#include "recordsfixture.h"

#include "records/recordupdate.h"

namespace {

class RecordUpdateTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        m_set = newSet("NAT");
        m_oak = addTeam("OAK");
        m_elm = addTeam("ELM");
    }
    QStringList holders(const QString& itemCode)
    {
        QStringList list;
        for (const records::RecordRow& r :
             records::Records(database(), run().items()).ofItem(m_set, itemCode))
            list << r.holderTypeText() + " " + r.holder.surname + " " + r.record + " " +
                        r.holder.date;
        return list;
    }
    bool update(qint64 teamNo = 0)
    {
        m_sink.answerYes();
        return records::UpdateRecordsFromMeeting(database(), run().items(), m_set, m_meetingNo,
                                                 teamNo);
    }
    qint64 m_set = 0;
    qint64 m_oak = 0;
    qint64 m_elm = 0;
};

TEST_F(RecordUpdateTest, TwoSwimmersWhoEqualTheRecordBothBecomeCoHolders)
{
    setRecord(run().items(), m_set, "FRE____100M12W", "1:05.00", "Old");
    const qint64 event = addEvent("FRE____100M12W");
    addResult(event, addAthlete(m_oak, "Ames", "M", 12), m_oak, "1:05.00", 1, 1);
    addResult(event, addAthlete(m_elm, "Bell", "M", 12), m_elm, "1:05.00", 1, 1);
    addResult(event, addAthlete(m_elm, "Slow", "M", 12), m_elm, "1:09.00", 3);
    ASSERT_TRUE(update());
    EXPECT_EQ(holders("FRE____100M12W"),
              (QStringList{"Main Old 1:05.00 2020/01/01", "Co Ames 1:05.00 2025/03/14",
                           "Co Bell 1:05.00 2025/03/14"}));
    EXPECT_TRUE(m_sink.saw("Done: recordset updated"));
}

TEST_F(RecordUpdateTest, ABrokenRecordReplacesEveryHolderAndOnlyTheFastestHoldsIt)
{
    setRecord(run().items(), m_set, "FRE_____50F12W", "35.00", "Old");
    records::Records(database(), run().items())
        .addCoHolder(m_set, "FRE_____50F12W", {"OldCo", "", "", ""});
    const qint64 event = addEvent("FRE_____50F12W");
    addResult(event, addAthlete(m_oak, "Quick", "F", 12), m_oak, "0:34.00", 1);
    addResult(event, addAthlete(m_elm, "Second", "F", 12), m_elm, "0:34.50", 2);
    const QList<records::RecordCandidate> found =
        records::RecordUpdate(database(), run().items()).candidates(m_set, m_meetingNo);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].typeText(), "Broken");
    EXPECT_EQ(found[0].oldRecord, "0:35.00");
    ASSERT_TRUE(update());
    EXPECT_EQ(holders("FRE_____50F12W"), QStringList{"Main Quick 0:34.00 2025/03/14"});
}

TEST_F(RecordUpdateTest, AnItemWithoutARecordTakesTheEventsBestAndOneTeamCanBeChosen)
{
    const qint64 event = addEvent("FRE____200M12W");
    addResult(event, addAthlete(m_oak, "Second", "M", 12), m_oak, "2:35.00", 2);
    addResult(event, addAthlete(m_elm, "Winner", "M", 12), m_elm, "2:30.00", 1);
    addResult(event, addAthlete(m_elm, "Unplaced", "M", 12), m_elm, "2:20.00", 0);
    // The best of the event belongs to another team: OAK has nothing.
    EXPECT_TRUE(records::RecordUpdate(database(), run().items())
                    .candidates(m_set, m_meetingNo, m_oak)
                    .isEmpty());
    EXPECT_FALSE(update(m_oak));
    EXPECT_TRUE(m_sink.saw("No records found"));
    ASSERT_TRUE(update(m_elm));
    EXPECT_EQ(holders("FRE____200M12W"), QStringList{"Main Winner 2:30.00 2025/03/14"});
}

TEST_F(RecordUpdateTest, ASwimmerFoundTwiceForAnItemKeepsTheBetterOneSelected)
{
    const qint64 first = addEvent("FRE____400M12W");
    const qint64 second = addEvent("FRE____400M12W");
    const qint64 swimmer = addAthlete(m_oak, "Twice", "M", 12);
    addResult(first, swimmer, m_oak, "5:10.00", 1);
    addResult(second, swimmer, m_oak, "5:00.00", 1);
    const QList<records::RecordCandidate> found =
        records::RecordUpdate(database(), run().items()).candidates(m_set, m_meetingNo);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].performance, "5:00.00");
    EXPECT_TRUE(found[0].mustUpdate);
    EXPECT_FALSE(found[1].mustUpdate);
    EXPECT_TRUE(m_sink.saw(" duplicates !"));
}

TEST_F(RecordUpdateTest, SayingNoWritesNothing)
{
    const qint64 event = addEvent("FRE____200M12W");
    addResult(event, addAthlete(m_oak, "Winner", "M", 12), m_oak, "2:30.00", 1);
    m_sink.answerNo();
    EXPECT_FALSE(records::UpdateRecordsFromMeeting(database(), run().items(), m_set, m_meetingNo));
    EXPECT_EQ(count("RECORD"), 0);
}

} // namespace
