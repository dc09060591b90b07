#pragma once

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/entrysettings.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"
#include "support/testdatabase.h"

#include <QFile>

// A fresh database with one meeting in 2026 whose events the test adds as MYEVENT rows.
class EntryTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        // As at start-up: the run keeps the meeting's ages, which loading a meeting fills.
        if (!run().meetingAges())
            meeting::createMeetingAges(run());
        m_meeting = makeMeeting(QStringLiteral("2026/03/14"));
        run().config().writeInt(QStringLiteral("CURRENT_MEET_NO"), m_meeting);
        run().setCurrentMeetingNo(m_meeting);
        loadMeeting();
    }

    int makeMeeting(const QString& date)
    {
        const qint64 key = database().nextKeyNumber();
        EXPECT_TRUE(database().execute(
            QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, THEDATE, "
                           "MAXPARTSPERATH, AGE_DESC_TYPE) values (") +
            db::sqlInt(key) + QStringLiteral(", 'Gala', ") + db::quoted(date) +
            QStringLiteral(", 0, 0)")));
        return int(key);
    }

    void setMeeting(const QString& column, int value)
    {
        ASSERT_TRUE(database().execute(
            QStringLiteral("update MEETING set ") + column + QStringLiteral(" = ") +
            db::sqlInt(value) + QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meeting)));
        loadMeeting();
    }

    // The run holds the loaded settings of the current meeting, as after selecting it.
    void loadMeeting()
    {
        ASSERT_TRUE(run().meeting().load(database(), m_meeting, run().meetingAges()));
    }

    // A selected event of the meeting for an item code such as "FRE____100M13W".
    qint64 addEvent(const QString& itemCode, int meetingNo = 0, const QString& category = {})
    {
        const qint64 key = database().nextKeyNumber();
        EXPECT_TRUE(database().execute(
            QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, "
                           "CATEGORY, SELECTED, C_GENDER, C_AGE, C_SEQ) values (") +
            db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(meetingNo ? meetingNo : m_meeting) +
            QLatin1Char(',') + db::quoted(itemCode) + QStringLiteral(",0,") + db::quoted(category) +
            QStringLiteral(",'X',") + db::quoted(itemCode.mid(10, 1)) + QLatin1Char(',') +
            db::quoted(itemCode.mid(11, 2)) + QLatin1Char(',') + db::sqlInt(key) +
            QLatin1Char(')')));
        return key;
    }

    entries::EntrySettings settings() { return entries::EntrySettings::from(run().meeting()); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_home->dir() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    int m_meeting = 0;
};
