// The total event of a combined event is computed, not run: no heats, no records, and an
// item cannot be both described and part of a combined event.

#include "scoring/athleticsfixture.h"

#include "draw/events.h"
#include "draw/programsetup.h"
#include "records/recordcheck.h"

namespace {

using testing_support::runCli;

class NathlonChecksTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        draw::Events events(database(), run().items(), m_meetingNo);
        ASSERT_TRUE(draw::ProgramSetup(events).addStandardCombined("Women", 25, "Heptathlon"));
        m_total = eventOf("NTH______7F25");
        ASSERT_GT(m_total, 0);
        m_sink.clear();
    }
    QString eventColumns(qint64 eventNo)
    {
        return value("select coalesce(C_HEATFORMATEDIT, '') || '|' || coalesce(FINAL_NOT_RUN, 0) "
                     "from MYEVENT where EVENTNO = " +
                     QString::number(eventNo));
    }
    qint64 m_total = 0;
};

TEST_F(NathlonChecksTest, TheTotalEventTakesNoHeats)
{
    draw::Events events(database(), run().items(), m_meetingNo);
    const QString before = eventColumns(m_total);
    EXPECT_EQ(before, "|1");
    EXPECT_FALSE(events.setFormatEdit(m_total, "2/8/0"));
    EXPECT_FALSE(events.setFinalNotRun(m_total, false));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 2);
    EXPECT_TRUE(m_sink.saw("Heats are not applicable to n-athlon results"));
    EXPECT_EQ(eventColumns(m_total), before);
    // Its components are ordinary events: heats may be set for them.
    const qint64 hurdles = eventOf("HDL____100F25");
    EXPECT_TRUE(events.setFormatEdit(hurdles, "2/8/0"));
    EXPECT_EQ(eventColumns(hurdles), "2/8/0|0");
}

TEST_F(NathlonChecksTest, ADescribedItemCannotBePartOfACombinedEvent)
{
    draw::Events events(database(), run().items(), m_meetingNo);
    const int before = count("MYEVENT");
    draw::NewEvent event;
    event.itemCode = "SHD____200F25";
    event.described = true;
    event.nAthlon = 7;
    event.description = "Relay heptathlon";
    EXPECT_EQ(events.addEvent(event), 0);
    EXPECT_TRUE(m_sink.saw("Cannot be Described AND nAthlon: SHD____200F25"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 1);
    EXPECT_EQ(count("MYEVENT"), before);
}

TEST_F(NathlonChecksTest, TheTotalEventHasNoRecords)
{
    // Even a set holding a record under the total's code is not checked against it.
    const qint64 set = newSet("NAT");
    setRecord(run().items(), set, "NTH______7F25", "5000");
    watch(set);
    reload();
    records::RecordCheck check(database(), run().items(), run().meeting());
    EXPECT_FALSE(check.RecordsBroken("NTH______7F25", "06200", QString()).any());
    setRecord(run().items(), set, "HDL____100F25", "13.50");
    reload();
    records::RecordCheck again(database(), run().items(), run().meeting());
    EXPECT_TRUE(again
                    .RecordsBroken("HDL____100F25",
                                   *run().items().NormalisePerf("HDL____100F25", "13.20"),
                                   QString())
                    .any());

    QString out, err;
    const QStringList db{"--db", m_path, "--edition", "athletics"};
    EXPECT_EQ(runCli(db + QStringList{"record", "check", "NTH______7F25", "6200", "--meeting",
                                      QString::number(m_meetingNo)},
                     &out, &err),
              1);
    EXPECT_TRUE(err.contains("Individual n-Athlon items has no record")) << err.toStdString();
}

} // namespace
