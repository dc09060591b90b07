#pragma once

#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/teams.h"

// A meeting to which the tests add teams and athletes through the same checks as the
// screens.
class TeamsTest : public EntryTest {
protected:
    qint64 team(const QString& name, const QString& abrv, bool male = true, bool female = true)
    {
        return entries::Teams(database(), m_meeting).add({0, name, abrv, male, female});
    }

    qint64 athlete(qint64 teamNo, const QString& surname, const QString& gender, int age,
                   const QString& number = {})
    {
        entries::AthleteRow a;
        a.teamNo = teamNo;
        a.surname = surname;
        a.firstName = QStringLiteral("Kim");
        a.gender = gender;
        a.age = age;
        a.number = number;
        return entries::Athletes(database(), settings()).add(a);
    }

    // An entry of the athlete in the event, as the entry screen writes it.
    void enter(qint64 athleteNo, qint64 teamNo, qint64 eventNo)
    {
        ASSERT_TRUE(database().execute(
            QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO, "
                           "TEAMNO) values (") +
            db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
            QLatin1Char(',') + db::sqlInt(eventNo) + QLatin1Char(',') + db::sqlInt(athleteNo) +
            QLatin1Char(',') + db::sqlInt(teamNo) + QLatin1Char(')')));
    }

    QStringList numbersOf(qint64 teamNo)
    {
        QStringList numbers;
        database().refreshReads();
        db::Query q =
            database().openQuery(QStringLiteral("select NUMBER from ATHLETE where TEAMNO = ") +
                                 db::sqlInt(teamNo) + QStringLiteral(" order by GENDER, SURNAME"));
        for (q.first(); !q.eof(); q.next())
            numbers << q.text(QStringLiteral("NUMBER"));
        return numbers;
    }
};
