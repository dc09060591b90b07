#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "draw/programrows.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"

void CaptureFixture::SetUp()
{
    DatabaseTest::SetUp();
    meeting::createTranslations(run());
    meeting::createMeetingAges(run());
    m_items = &run().items();
    m_meetingNo = int(database().nextKeyNumber());
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, DAY_COUNT, "
                       "DOLVANE_LANE_COUNT, ROUND_SEQ_SAME) values (") +
        db::sqlInt(m_meetingNo) + ", 'Spring Gala', 'Pool', '2025/03/14', 1, 8, 0)"));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
    m_teamNo = database().nextKeyNumber();
    ASSERT_TRUE(database().execute(
        "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE) values (" +
        db::sqlInt(m_teamNo) + ", " + db::sqlInt(m_meetingNo) + ", 'Dolphins', 'DOL', 1)"));
    m_events = std::make_unique<draw::Events>(database(), *m_items, m_meetingNo);
    m_sink.clear();
}

qint64 CaptureFixture::addEvent(const QString& itemCode)
{
    draw::NewEvent event;
    event.itemCode = itemCode;
    event.selected = true;
    const qint64 eventNo = m_events->addEvent(event);
    EXPECT_GT(eventNo, 0) << itemCode.toStdString();
    return eventNo;
}

qint64 CaptureFixture::addSwimmer(const QString& surname, int age, int league)
{
    qint64 teamNo = m_teamNo;
    if (league != 1) {
        teamNo = database().nextKeyNumber();
        EXPECT_TRUE(database().execute(
            "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE) values (" +
            db::sqlInt(teamNo) + ", " + db::sqlInt(m_meetingNo) + ", 'League " +
            QString::number(league) + "', 'L" + QString::number(league) + "', " +
            db::sqlInt(league) + ")"));
    }
    const qint64 athleteNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE, "
        "NUMBER) values (" +
        db::sqlInt(athleteNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(teamNo) + ", " +
        db::quoted(surname) + ", 'Sam', 'M', " + db::sqlInt(age) + ", " +
        db::quoted(QString::number(athleteNo % 1000)) + ")"));
    return athleteNo;
}

QList<qint64> CaptureFixture::swimmers(int n)
{
    QList<qint64> out;
    for (int i = 1; i <= n; ++i)
        out << addSwimmer(QStringLiteral("Swimmer %1").arg(i, 2, 10, QChar('0')));
    return out;
}

qint64 CaptureFixture::enter(qint64 eventNo, qint64 athleteNo, int lane)
{
    const qint64 partNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, LANE, PLACE, "
        "E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
        db::sqlInt(partNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) + ", " +
        db::sqlInt(m_teamNo) + ", " + db::sqlInt(athleteNo) + ", " + db::sqlInt(lane) +
        ", 0, 0, 0, '')"));
    return partNo;
}

qint64 CaptureFixture::drawHeat(qint64 eventNo, const QString& round, int heatNo,
                                const QList<qint64>& swimmers)
{
    draw::ProgramRows rows(database(), messages());
    if (rows.heatExists(eventNo, round, heatNo) == 0) {
        draw::HeatSlot slot;
        slot.seq = 1;
        EXPECT_TRUE(rows.addHeat(eventNo, round, heatNo, slot));
    }
    int lane = 0;
    for (qint64 athleteNo : swimmers) {
        if (count("PARTICIPATE", "EVENTNO = " + db::sqlInt(eventNo) +
                                     " and ATHLETENO = " + db::sqlInt(athleteNo)) == 0)
            enter(eventNo, athleteNo);
        EXPECT_TRUE(database().execute(
            "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ATHLETENO, "
            "LANE, PLACE, E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
            db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(m_meetingNo) + ", " +
            db::sqlInt(eventNo) + ", " + db::quoted(round) + ", " + db::sqlInt(heatNo) + ", " +
            db::sqlInt(athleteNo) + ", " + db::sqlInt(++lane) + ", 0, 0, 0, '')"));
    }
    return results::programNoOf(database(), eventNo, round, heatNo);
}

qint64 CaptureFixture::drawFinal(qint64 eventNo, const QList<qint64>& swimmers)
{
    int lane = 0;
    for (qint64 athleteNo : swimmers)
        enter(eventNo, athleteNo, ++lane);
    return results::programNoOf(database(), eventNo, "F", 0);
}

results::CaptureProgramRow CaptureFixture::programRow(qint64 programNo)
{
    const auto row = results::captureProgramRow(database(), *m_items, programNo);
    EXPECT_TRUE(row.has_value()) << programNo;
    return row.value_or(results::CaptureProgramRow());
}

results::CaptureAthleteRow CaptureFixture::athleteIn(qint64 programNo, qint64 athleteNo)
{
    return results::captureAthlete(database(), *m_items, programRow(programNo), athleteNo);
}

QString CaptureFixture::time(const QString& itemCode, double seconds)
{
    return m_items->PerfValueToText(itemCode, seconds, false);
}

QString CaptureFixture::column(qint64 programNo, qint64 athleteNo, const QString& name)
{
    const results::CaptureProgramRow row = programRow(programNo);
    QString where =
        "EVENTNO = " + db::sqlInt(row.eventNo) + " and ATHLETENO = " + db::sqlInt(athleteNo);
    if (!row.isFinal())
        where +=
            " and ROUND = " + db::quoted(row.round) + " and HEATNO = " + db::sqlInt(row.heatNo);
    return value("select " + name + " from " + results::resultTable(row) + " where " + where)
        .trimmed();
}
