#include "schedfixture.h"

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingupdate.h"
#include "meeting/runservices.h"
#include "sched/restguidelines.h"
#include "sched/schedparams.h"

void SchedFixture::SetUp()
{
    DatabaseTest::SetUp();
    meeting::createTranslations(run());
    meeting::createMeetingAges(run());
    m_meetingNo = int(database().nextKeyNumber());
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, DAY_COUNT, "
                       "DOLVANE_LANE_COUNT, ROUND_SEQ_SAME) values (") +
        db::sqlInt(m_meetingNo) + ", 'Winter Gala', 'Pool', '2025/03/14', 2, 8, 0)"));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
    m_events = std::make_unique<draw::Events>(database(), run().items(), m_meetingNo);
    m_sink.clear();
}

qint64 SchedFixture::addEvent(const QString& itemCode, const QString& format)
{
    draw::NewEvent event;
    event.itemCode = itemCode;
    event.selected = true;
    const qint64 eventNo = m_events->addEvent(event);
    EXPECT_GT(eventNo, 0) << itemCode.toStdString();
    if (!format.isEmpty()) {
        EXPECT_TRUE(m_events->setFormatEdit(eventNo, format));
        m_events->saveSelection();
    }
    return eventNo;
}

qint64 SchedFixture::addFieldEvent(const QString& itemCode, const QString& pit, int estimated)
{
    const qint64 eventNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, SELECTED, "
        "ESTIMATEDATHLETECOUNT, SET_TWO_COUNT, FINAL_NOT_RUN, HEATFORMAT) values (" +
        db::sqlInt(eventNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::quoted(itemCode) +
        ", 0, 'X', " + db::sqlInt(estimated) + ", 0, 0, '')"));
    EXPECT_TRUE(database().execute(
        "insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, DAY_SEQ, SEQ, PIT) "
        "values (" +
        db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::sqlInt(eventNo) + ", 'F', 0, 1, 0, " + db::quoted(pit) + ")"));
    return eventNo;
}

qint64 SchedFixture::programNo(qint64 eventNo, const QString& round, int heat)
{
    return value("select PROGRAMNO from PROGRAM where EVENTNO = " + db::sqlInt(eventNo) +
                 " and ROUND = " + db::quoted(round) + " and HEATNO = " + db::sqlInt(heat))
        .toLongLong();
}

void SchedFixture::setSlot(qint64 programNo, int day, const QString& time)
{
    ASSERT_TRUE(database().execute("update PROGRAM set DAY_SEQ = " + db::sqlInt(day) +
                                   ", THETIME = " + db::quoted(time) +
                                   " where PROGRAMNO = " + db::sqlInt(programNo)));
}

QString SchedFixture::slotOf(qint64 programNo)
{
    return value("select DAY_SEQ || ' ' || coalesce(substring(cast(THETIME as varchar(13)) "
                 "from 1 for 8), '-') from PROGRAM where PROGRAMNO = " +
                 db::sqlInt(programNo));
}

qint64 SchedFixture::addSwimmer(const QString& surname, const QString& firstName)
{
    const qint64 athleteNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into ATHLETE (ATHLETENO, MEETINGNO, SURNAME, FIRSTNAME, GENDER, AGE) values (" +
        db::sqlInt(athleteNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::quoted(surname) + ", " +
        db::quoted(firstName) + ", 'M', 13)"));
    return athleteNo;
}

void SchedFixture::enter(qint64 athleteNo, qint64 eventNo)
{
    ASSERT_TRUE(database().execute(
        "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO, PLACE, DISQ_STATUS) "
        "values (" +
        db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::sqlInt(eventNo) + ", " + db::sqlInt(athleteNo) + ", 0, 0)"));
}

void SchedFixture::drawIntoHeat(qint64 athleteNo, qint64 eventNo, const QString& round, int heat)
{
    ASSERT_TRUE(database().execute(
        "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ATHLETENO, LANE) "
        "values (" +
        db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::sqlInt(eventNo) + ", " + db::quoted(round) + ", " + db::sqlInt(heat) + ", " +
        db::sqlInt(athleteNo) + ", 4)"));
}

void SchedFixture::useFastPresets()
{
    ASSERT_TRUE(sched::storeTimeParameters(run(), sched::TimeParameters::preset(true)));
    ASSERT_TRUE(sched::storeRestGuidelines(run(), sched::RestGuidelines::preset(true)));
}

void SchedFixture::setConfigOther(const QString& text)
{
    ASSERT_TRUE(meeting::updateMeeting(run(), {{QStringLiteral("CONFIGOTHER"), text}}));
}

QString SchedFixture::configOther()
{
    return value("select CONFIGOTHER from MEETING where MEETINGNO = " + db::sqlInt(m_meetingNo));
}
