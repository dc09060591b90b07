#include "drawfixture.h"

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"

void DrawFixture::SetUp()
{
    DatabaseTest::SetUp();
    meeting::createTranslations(run());
    meeting::createMeetingAges(run());
    m_items = &run().items();
    m_meetingNo = createMeeting(2, 8);
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
    m_sink.clear();
    m_events = std::make_unique<draw::Events>(database(), *m_items, m_meetingNo);
}

int DrawFixture::createMeeting(int days, int lanes)
{
    const int meetingNo = int(database().nextKeyNumber());
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, "
                       "DAY_COUNT, DOLVANE_LANE_COUNT, ROUND_SEQ_SAME) values (") +
        db::sqlInt(meetingNo) + ", 'Gala', 'Pool', '2025/03/14', " + db::sqlInt(days) + ", " +
        db::sqlInt(lanes) + ", 0)"));
    return meetingNo;
}

qint64 DrawFixture::addSelected(const QString& itemCode)
{
    draw::NewEvent event;
    event.itemCode = itemCode;
    event.selected = true;
    const qint64 eventNo = m_events->addEvent(event);
    EXPECT_GT(eventNo, 0) << itemCode.toStdString();
    return eventNo;
}

void DrawFixture::saveFormat(qint64 eventNo, const QString& format)
{
    ASSERT_TRUE(m_events->setFormatEdit(eventNo, format));
    m_events->saveSelection();
}

int DrawFixture::heats(qint64 eventNo, const QString& round)
{
    return count(QStringLiteral("PROGRAM"), QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                                                QStringLiteral(" and ROUND = ") +
                                                db::quoted(round));
}

void DrawFixture::enter(qint64 eventNo, int swimmers, int placed)
{
    for (int i = 0; i < swimmers; ++i) {
        ASSERT_TRUE(database().execute(
            "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, PLACE, DISQ_STATUS) values (" +
            db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
            db::sqlInt(eventNo) + ", " + db::sqlInt(i < placed ? i + 1 : 0) + ", 0)"));
    }
}
