#include "drawfixture.h"

#include "db/sqltext.h"

void DrawFixture::SetUp()
{
    DatabaseTest::SetUp();
    m_items = std::make_unique<meeting::ItemTypes>(meeting::Edition::Swimming, messages());
    m_meetingNo = createMeeting(2, 8);
    m_events = std::make_unique<draw::Events>(database(), *m_items, m_meetingNo);
}

int DrawFixture::createMeeting(int days, int lanes)
{
    const int meetingNo = int(database().nextKeyNumber());
    EXPECT_TRUE(
        database().execute(QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, DAY_COUNT, "
                                          "DOLVANE_LANE_COUNT, ROUND_SEQ_SAME) values (") +
                           db::sqlInt(meetingNo) + ", 'Gala', " + db::sqlInt(days) + ", " +
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
