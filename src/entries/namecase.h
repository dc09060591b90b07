#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// An athlete whose name is not written SURNAME, Firstname, with the name it should have.
struct WrongCaseName {
    qint64 athleteNo = 0;
    QString team;
    QString surname;
    QString firstName;
    QString rightSurname;
    QString rightFirstName;
};

// Converting the case of athlete names to SURNAME (upper case) and Firstname (first
// letter upper case, the rest lower case). Relay teams are left out.
class NameCase {
public:
    NameCase(db::DmdCoreDbs& database, int meetingNo);

    static QString rightSurname(const QString& surname);
    static QString rightFirstName(const QString& firstName);

    // The athletes of one team (teamNo 0: of every team) whose names are in the wrong
    // case, ordered by team and name; `checked` gets the number of athletes looked at.
    QList<WrongCaseName> wrongNames(qint64 teamNo, int* checked = nullptr);
    // "The cases of the following n Athletes is wrong" and a line "TEAM: SURNAME, Firstname"
    // for each, as the names stand now.
    static QString listing(const QList<WrongCaseName>& names);

    // Lists the wrong names and, on Confirm, corrects them. "All n Athletenames are in the
    // correct case" when there is nothing to do. The number corrected, -1 when stopped or
    // when a name could not be corrected.
    int correct(qint64 teamNo);
    // Corrects the names listed, one statement each; every statement must change exactly
    // one row, else it stops with the message. The number corrected.
    int correctNames(const QList<WrongCaseName>& names);

private:
    db::DmdCoreDbs& m_db;
    int m_meetingNo;
};

} // namespace entries
