#pragma once

// Rows of a meeting written straight into the test database, as the other screens would
// leave them.

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace shell_test {

inline int addMeeting(db::DmdCoreDbs& database, const QString& description, int dayCount = 1,
                      int viewComplex = 0)
{
    const int meetingNo = int(database.nextKeyNumber());
    database.execute(QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, "
                                    "THEDATE, DAY_COUNT, VIEW_HEATS_COMPLEX) values (") +
                     db::sqlInt(meetingNo) + ", " + db::quoted(description) +
                     ", 'Town Pool', '2026/03/14', " + db::sqlInt(dayCount) + ", " +
                     db::sqlInt(viewComplex) + ")");
    return meetingNo;
}

inline int addEvent(db::DmdCoreDbs& database, int meetingNo, const QString& selected = "X",
                    const QString& itemCode = "FRE____100M12W", const QString& category = QString())
{
    const int eventNo = int(database.nextKeyNumber());
    database.execute(QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, "
                                    "SELECTED, CATEGORY) values (") +
                     db::sqlInt(eventNo) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::quoted(itemCode) + ", " + db::quoted(selected) + ", " +
                     (category.isEmpty() ? QStringLiteral("null") : db::quoted(category)) + ")");
    return eventNo;
}

inline void addHeat(db::DmdCoreDbs& database, int meetingNo, int eventNo, int day)
{
    database.execute(QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, "
                                    "HEATNO, DAY_SEQ) values (") +
                     db::sqlInt(database.nextKeyNumber()) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::sqlInt(eventNo) + ", 'F', 0, " + db::sqlInt(day) + ")");
}

inline int addTeam(db::DmdCoreDbs& database, int meetingNo, int league = 1)
{
    const int teamNo = int(database.nextKeyNumber());
    database.execute(QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, LEAGUE) "
                                    "values (") +
                     db::sqlInt(teamNo) + ", " + db::sqlInt(meetingNo) + ", 'Sharks', " +
                     db::sqlInt(league) + ")");
    return teamNo;
}

inline void addAthlete(db::DmdCoreDbs& database, int meetingNo, int teamNo,
                       const QString& category = QString())
{
    database.execute(QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, "
                                    "CATEGORY) values (") +
                     db::sqlInt(database.nextKeyNumber()) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::sqlInt(teamNo) + ", 'Ndlovu', " +
                     (category.isEmpty() ? QStringLiteral("null") : db::quoted(category)) + ")");
}

inline void addCategory(db::DmdCoreDbs& database, int meetingNo, const QString& category)
{
    database.execute(QStringLiteral("insert into CATEGORY (DUMMY_NO, MEETINGNO, CATEGORY, "
                                    "DESCRIPTION) values (") +
                     db::sqlInt(database.nextKeyNumber()) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::quoted(category) + ", " + db::quoted(category) + ")");
}

} // namespace shell_test
