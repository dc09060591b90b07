#include "handdrawfixture.h"

#include "db/sqltext.h"

qint64 HandDrawFixture::addTeam(const QString& abrv, bool male, bool female)
{
    const qint64 no = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, HASFEMALE) values (" +
        db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::quoted(abrv + " School") +
        ", " + db::quoted(abrv) + ", " + db::sqlInt(male ? 1 : 0) + ", " +
        db::sqlInt(female ? 1 : 0) + ")"));
    return no;
}

qint64 HandDrawFixture::addSwimmer(qint64 teamNo, const QString& surname, const QString& gender)
{
    const qint64 no = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE) "
        "values (" +
        db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(teamNo) + ", " +
        db::quoted(surname) + ", 'Sam', " + db::quoted(gender) + ", 13)"));
    return no;
}

qint64 HandDrawFixture::enterSwimmer(qint64 eventNo, qint64 athleteNo, const QString& best,
                                     int didNotCall, int status)
{
    const qint64 no = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, BESTPERFBEFORE, "
        "PERFORMANCE, PLACE, LANE, DISQ_STATUS, DID_NOT_CALL) select " +
        db::sqlInt(no) + ", MEETINGNO, " + db::sqlInt(eventNo) + ", TEAMNO, ATHLETENO, " +
        db::quoted(best) + ", '', 0, 0, " + db::sqlInt(status) + ", " + db::sqlInt(didNotCall) +
        " from ATHLETE where ATHLETENO = " + db::sqlInt(athleteNo)));
    return no;
}

qint64 HandDrawFixture::seat(qint64 eventNo, const QString& round, int heat, qint64 athleteNo,
                             int lane, int place, const QString& performance, int status)
{
    const qint64 no = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ATHLETENO, LANE, "
        "PLACE, PERFORMANCE, DISQ_STATUS) values (" +
        db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) + ", " +
        db::quoted(round) + ", " + db::sqlInt(heat) + ", " + db::sqlInt(athleteNo) + ", " +
        db::sqlInt(lane) + ", " + db::sqlInt(place) + ", " + db::quoted(performance) + ", " +
        db::sqlInt(status) + ")"));
    return no;
}

QString HandDrawFixture::where(qint64 eventNo, const QString& round, qint64 athleteNo)
{
    const QString found =
        round == "F" ? value("select '0/' || LANE from PARTICIPATE where LANE > 0 and EVENTNO = " +
                             db::sqlInt(eventNo) + " and ATHLETENO = " + db::sqlInt(athleteNo))
                     : value("select HEATNO || '/' || LANE from HEATPART where EVENTNO = " +
                             db::sqlInt(eventNo) + " and ROUND = " + db::quoted(round) +
                             " and ATHLETENO = " + db::sqlInt(athleteNo));
    return found.isEmpty() ? QStringLiteral("-") : found;
}

QString HandDrawFixture::drawPicture(qint64 eventNo, const QString& round)
{
    return value("select list(X, ' ') from (select ATHLETENO || ':' || HEATNO || '/' || LANE "
                 "as X from HEATPART where EVENTNO = " +
                 db::sqlInt(eventNo) + " and ROUND = " + db::quoted(round) +
                 " order by ATHLETENO, HEATNO, LANE)");
}
