#include "entries/namecase.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/athletes.h"

namespace entries {

NameCase::NameCase(db::DmdCoreDbs& database, int meetingNo) : m_db(database), m_meetingNo(meetingNo)
{
}

QString NameCase::rightSurname(const QString& surname)
{
    return surname.toUpper();
}

QString NameCase::rightFirstName(const QString& firstName)
{
    return firstName.left(1).toUpper() + firstName.mid(1).toLower();
}

QList<WrongCaseName> NameCase::wrongNames(qint64 teamNo, int* checked)
{
    QString sql = QStringLiteral("select a.ATHLETENO, a.SURNAME, a.FIRSTNAME, t.TEAMNAME from "
                                 "ATHLETE a join TEAM t on t.TEAMNO = a.TEAMNO where "
                                 "t.MEETINGNO = ") +
                  db::sqlInt(m_meetingNo) + QStringLiteral(" and a.SURNAME <> ") +
                  db::quoted(kRelayTeamSurname);
    if (teamNo != 0)
        sql += QStringLiteral(" and a.TEAMNO = ") + db::sqlInt(teamNo);
    sql += QStringLiteral(" order by t.TEAMNAME, upper(a.SURNAME), upper(a.FIRSTNAME)");
    db::Query q = m_db.openQuery(sql);
    QList<WrongCaseName> wrong;
    for (q.first(); !q.eof(); q.next()) {
        WrongCaseName n;
        n.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        n.team = q.text(QStringLiteral("TEAMNAME"));
        n.surname = q.text(QStringLiteral("SURNAME"));
        n.firstName = q.text(QStringLiteral("FIRSTNAME"));
        n.rightSurname = rightSurname(n.surname);
        n.rightFirstName = rightFirstName(n.firstName);
        if (n.surname != n.rightSurname || n.firstName != n.rightFirstName)
            wrong.append(n);
    }
    if (checked)
        *checked = q.recordCount();
    return wrong;
}

QString NameCase::listing(const QList<WrongCaseName>& names)
{
    QString text = QStringLiteral("The cases of the following ") + QString::number(names.size()) +
                   QStringLiteral(" Athletes is wrong\r");
    for (const WrongCaseName& n : names)
        text += QLatin1Char('\r') + n.team + QStringLiteral(": ") + n.surname +
                QStringLiteral(", ") + n.firstName;
    return text;
}

int NameCase::correct(qint64 teamNo)
{
    int checked = 0;
    const QList<WrongCaseName> names = wrongNames(teamNo, &checked);
    if (names.isEmpty()) {
        m_db.messages().information(QStringLiteral("All ") + QString::number(checked) +
                                    QStringLiteral(" Athletenames are in the correct case"));
        return 0;
    }
    if (!m_db.messages().confirm(listing(names) +
                                 QStringLiteral("\r\rCorrect them to SURNAME, Firstname")))
        return -1;
    const int done = correctNames(names);
    return done == names.size() ? done : -1;
}

int NameCase::correctNames(const QList<WrongCaseName>& names)
{
    int done = 0;
    for (const WrongCaseName& n : names) {
        const qint64 changed = m_db.executeRowsAffected(
            QStringLiteral("update ATHLETE set SURNAME = ") + db::quoted(n.rightSurname) +
            QStringLiteral(", FIRSTNAME = ") + db::quoted(n.rightFirstName) +
            QStringLiteral(" where ATHLETENO = ") + db::sqlInt(n.athleteNo));
        if (changed != 1) {
            m_db.messages().warning(
                QStringLiteral("Precisely 1 Athlete should have been updated, not ") +
                QString::number(changed));
            break;
        }
        ++done;
    }
    return done;
}

} // namespace entries
