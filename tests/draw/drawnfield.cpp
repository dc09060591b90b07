#include "drawnfield.h"

#include "db/sqltext.h"

qint64 DrawnFieldTest::addTeam(const QString& abbreviation)
{
    const qint64 teamNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, "
                       "HASFEMALE, LEAGUE) values (") +
        db::sqlInt(teamNo) + ", " + db::sqlInt(m_meetingNo) + ", " +
        db::quoted(abbreviation + " Club") + ", " + db::quoted(abbreviation) + ", 1, 1, 0)"));
    m_teams << teamNo;
    return teamNo;
}

qint64 DrawnFieldTest::addSwimmer(qint64 teamNo, const QString& surname, int age)
{
    const qint64 athleteNo = database().nextKeyNumber();
    ++m_swimmers;
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                       "GENDER, AGE, NUMBER) values (") +
        db::sqlInt(athleteNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(teamNo) + ", " +
        db::quoted(surname) + ", 'Sam', 'M', " + db::sqlInt(age) + ", " +
        db::quoted(QString::number(m_swimmers)) + ")"));
    return athleteNo;
}

qint64 DrawnFieldTest::enterSwimmer(qint64 eventNo, qint64 athleteNo, double bestSeconds)
{
    const QString code =
        database().selectOneValue("ITEMCODE", "MYEVENT", "EVENTNO = " + db::sqlInt(eventNo));
    const QString best =
        bestSeconds > 0 ? m_items->PerfValueToText(code.trimmed(), bestSeconds, false) : QString();
    const QString team =
        database().selectOneValue("TEAMNO", "ATHLETE", "ATHLETENO = " + db::sqlInt(athleteNo));
    const qint64 partNo = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, "
                       "BESTPERFBEFORE, PERFORMANCE, PLACE, E_PLACE, LANE, DISQ_STATUS, "
                       "DID_NOT_CALL) values (") +
        db::sqlInt(partNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) + ", " +
        team + ", " + db::sqlInt(athleteNo) + ", " + db::quoted(best) + ", '', 0, 0, 0, 0, 0)"));
    return partNo;
}

QList<qint64> DrawnFieldTest::enterField(qint64 eventNo, int count, bool withBests)
{
    while (m_teams.size() < 4)
        addTeam(QStringLiteral("T") + QString::number(m_teams.size() + 1));
    QList<qint64> athletes;
    for (int i = 0; i < count; ++i) {
        const qint64 a = addSwimmer(m_teams[i % 4], QStringLiteral("SWIMMER") + QString::number(i));
        enterSwimmer(eventNo, a, withBests ? 60 + i : 0);
        athletes << a;
    }
    return athletes;
}

QList<DrawnFieldTest::Heat> DrawnFieldTest::drawnRows(qint64 eventNo, const QString& round)
{
    const bool final = round == "F";
    db::Query q = database().openQuery(
        final ? "select 0 as HEATNO, LANE, ATHLETENO from PARTICIPATE where LANE > 0 and "
                "EVENTNO = " +
                    db::sqlInt(eventNo) + " order by LANE"
              : "select HEATNO, LANE, ATHLETENO from HEATPART where EVENTNO = " +
                    db::sqlInt(eventNo) + " and ROUND = " + db::quoted(round) +
                    " order by HEATNO, LANE");
    QList<Heat> rows;
    for (q.first(); !q.eof(); q.next()) {
        rows << Heat{int(q.integer("HEATNO")), int(q.integer("LANE")), q.integer("ATHLETENO")};
    }
    return rows;
}

draw::DrawEngine& DrawnFieldTest::engine(quint64 seed)
{
    m_random = std::make_unique<draw::DrawRandom>(seed);
    m_engine = std::make_unique<draw::DrawEngine>(database(), *m_items, run().meeting(), *m_random);
    return *m_engine;
}
