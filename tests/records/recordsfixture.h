#pragma once

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingcreate.h"
#include "meeting/meetingsettings.h"
#include "records/records.h"
#include "records/recordsets.h"
#include "support/testdatabase.h"

// A current meeting of the swimming edition, with helpers for record sets, records and
// results written as the other areas write them.
class RecordsTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::createMeetingServices(run());
        m_meetingNo = meeting::createMeeting(database(), {"Gala", "Pool", "2025/03/14"});
        ASSERT_GT(m_meetingNo, 0);
        ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
        m_sink.clear();
    }

    void exec(const QString& sql) { ASSERT_TRUE(database().execute(sql)) << sql.toStdString(); }
    qint64 key() { return database().nextKeyNumber(); }

    qint64 newSet(const QString& abbreviation)
    {
        return records::RecordSets(database())
            .NewRecordSet({abbreviation + QStringLiteral(" records"), abbreviation, QString()});
    }
    // The main holder's record, written as typed through the record editing.
    void setRecord(const meeting::ItemTypes& items, qint64 set, const QString& itemCode,
                   const QString& record, const QString& surname = QStringLiteral("Holder"))
    {
        ASSERT_GT(records::Records(database(), items)
                      .NewRecord(set, itemCode, record, {surname, "Ann", "OAK", "2020/01/01"}),
                  0)
            << itemCode.toStdString() << " " << record.toStdString();
    }
    // The meeting watches the set (or takes it as a failing standard); settings reloaded.
    void watch(qint64 set, bool failStandard = false, int points = 0)
    {
        ASSERT_TRUE(records::RecordSets(database())
                        .selectForMeeting(m_meetingNo, set, failStandard, points));
        reload();
    }
    void reload() { ASSERT_TRUE(meeting::useMeeting(run(), m_meetingNo)); }

    qint64 addTeam(const QString& abbreviation, int league = 0, bool excludeMedals = false)
    {
        const qint64 no = key();
        exec(QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE, "
                            "EXCLUDE_MEDALS) values (") +
             db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " +
             db::quoted(abbreviation + QStringLiteral(" School")) + ", " +
             db::quoted(abbreviation) + ", " + db::sqlInt(league) + ", " +
             db::quoted(excludeMedals ? "X" : "") + ")");
        return no;
    }
    qint64 addAthlete(qint64 teamNo, const QString& surname, const QString& gender, int age,
                      const QString& category = QString())
    {
        const qint64 no = key();
        exec(QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, "
                            "FIRSTNAME, GENDER, AGE, CATEGORY) values (") +
             db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(teamNo) + ", " +
             db::quoted(surname) + ", 'Sam', " + db::quoted(gender) + ", " + db::sqlInt(age) +
             ", " + (category.isEmpty() ? QStringLiteral("null") : db::quoted(category)) + ")");
        return no;
    }
    qint64 addEvent(const QString& itemCode, bool excludePoints = false, bool excludeMedals = false)
    {
        const qint64 no = key();
        exec(QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, SELECTED, "
                            "N_ATHLON, C_GENDER, C_AGE, EXCLUDEPOINTS, EXCLUDE_MEDALS) values (") +
             db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::quoted(itemCode) +
             ", 'X', 0, " + db::quoted(itemCode.mid(10, 1)) + ", " +
             db::quoted(itemCode.mid(11, 2)) + ", " + db::quoted(excludePoints ? "X" : "") + ", " +
             db::quoted(excludeMedals ? "X" : "") + ")");
        return no;
    }
    // A final result with its places set directly, as the place calculation leaves them.
    qint64 addResult(qint64 eventNo, qint64 athleteNo, qint64 teamNo, const QString& performance,
                     int place, int shareCount = 0, int disqStatus = 0)
    {
        const qint64 no = key();
        exec(QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, "
                            "ATHLETENO, PERFORMANCE, PLACE, E_PLACE, PLACESHARECOUNT, "
                            "DISQ_STATUS) values (") +
             db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) + ", " +
             db::sqlInt(teamNo) + ", " + db::sqlInt(athleteNo) + ", " + db::quoted(performance) +
             ", " + db::sqlInt(place) + ", " + db::sqlInt(place) + ", " + db::sqlInt(shareCount) +
             ", " + db::sqlInt(disqStatus) + ")");
        return no;
    }
    void setMeeting(const QString& assignments)
    {
        exec(QStringLiteral("update MEETING set ") + assignments +
             QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo));
        reload();
    }

    // A new meeting comes with place points 8 to 1 for one table; the scoring tests write
    // their own.
    void noPlacePoints() { exec(QStringLiteral("delete from PLACEPOINT")); }

    int errors() const { return m_sink.count(base::MessageKind::Error); }

    int m_meetingNo = 0;
};
