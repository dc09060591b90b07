#pragma once

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingcreate.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"
#include "support/testdatabase.h"

namespace meeting_testing {

// A connected run with the meeting services of a run, and helpers to make meetings.
class MeetingTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::createTranslations(run());
        meeting::createMeetingAges(run());
        m_sink.clear();
    }

    int newMeeting(const QString& name = QStringLiteral("Gala"),
                   const QString& venue = QStringLiteral("Pool"),
                   const QString& date = QStringLiteral("2025/03/14"))
    {
        return meeting::createMeeting(database(), {name, venue, date});
    }
    // A new meeting made current.
    int currentMeeting(const QString& name = QStringLiteral("Gala"))
    {
        const int no = newMeeting(name);
        meeting::setCurrentMeeting(run(), no);
        return no;
    }
    void exec(const QString& sql) { ASSERT_TRUE(database().execute(sql)) << sql.toStdString(); }
    // A selected event of the meeting with the given gender and age.
    void addEvent(int meetingNo, const QString& gender, const QString& age,
                  const QString& category = QString(), const QString& itemCode = QString())
    {
        exec(QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, SELECTED, "
                            "C_GENDER, C_AGE, CATEGORY) values (") +
             db::sqlInt(database().nextKeyNumber()) + QStringLiteral(", ") + db::sqlInt(meetingNo) +
             QStringLiteral(", ") + db::quoted(itemCode.isEmpty() ? gender + age : itemCode) +
             QStringLiteral(", 'X', ") + db::quoted(gender) + QStringLiteral(", ") +
             db::quoted(age) + QStringLiteral(", ") +
             (category.isEmpty() ? QStringLiteral("null") : db::quoted(category)) +
             QStringLiteral(")"));
    }
    int addAthlete(int meetingNo, const QString& surname, const QString& category = QString())
    {
        const int key = int(database().nextKeyNumber());
        exec(QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, SURNAME, FIRSTNAME, "
                            "GENDER, AGE, BIRTHDATE, CATEGORY) values (") +
             db::sqlInt(key) + QStringLiteral(", ") + db::sqlInt(meetingNo) + QStringLiteral(", ") +
             db::quoted(surname) + QStringLiteral(", 'Ann', 'F', 12, '2013/02/03', ") +
             (category.isEmpty() ? QStringLiteral("null") : db::quoted(category)) +
             QStringLiteral(")"));
        return key;
    }
    int internalErrors() const { return m_sink.count(base::MessageKind::Error); }
    int warnings() const { return m_sink.count(base::MessageKind::Warning); }
};

} // namespace meeting_testing
