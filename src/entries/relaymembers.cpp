#include "entries/relaymembers.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/relayteams.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

namespace entries {

RelayMembers::RelayMembers(db::DmdCoreDbs& database, int meetingNo, qint64 relayTeamNo,
                           qint64 eventNo)
    : m_db(database), m_meetingNo(meetingNo), m_relayTeamNo(relayTeamNo), m_eventNo(eventNo)
{
    db::Query ev = m_db.openQuery(
        QStringLiteral("select ITEMCODE, C_GENDER, C_AGE from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
    const QString itemCode = ev.isEmpty() ? QString() : ev.text(QStringLiteral("ITEMCODE"));
    m_gender = ev.isEmpty() ? QString() : ev.text(QStringLiteral("C_GENDER")).trimmed();
    m_age = ev.isEmpty() ? QString() : ev.text(QStringLiteral("C_AGE")).trimmed();
    const meeting::ItemTypes items(meeting::editionOf(m_db.applicationCode()), m_db.messages());
    if (!itemCode.isEmpty() && items.IsRelayGroup(itemCode.left(3)))
        m_legs = RelayTeams::legCount(items.RelayLegs(itemCode.trimmed()));
}

std::optional<RelayMembers> RelayMembers::ofRow(db::DmdCoreDbs& database, int meetingNo,
                                                qint64 relayAthleteNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select RELAYTEAMNO, EVENTNO from RELAY_ATHLETE where RELAY_ATHLETE_NO = ") +
        db::sqlInt(relayAthleteNo));
    if (q.isEmpty())
        return std::nullopt;
    return RelayMembers(database, meetingNo, q.integer(QStringLiteral("RELAYTEAMNO")),
                        q.integer(QStringLiteral("EVENTNO")));
}

QList<RelayMemberRow> RelayMembers::list()
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select RELAY_ATHLETE_NO, ATHLETENO, LEGNO, FIRST_OR_RESERVE from "
                       "RELAY_ATHLETE where RELAYTEAMNO = ") +
        db::sqlInt(m_relayTeamNo) + QStringLiteral(" and EVENTNO = ") + db::sqlInt(m_eventNo) +
        QStringLiteral(" order by FIRST_OR_RESERVE, LEGNO, RELAY_ATHLETE_NO"));
    QList<RelayMemberRow> rows;
    for (q.first(); !q.eof(); q.next()) {
        rows.append({q.integer(QStringLiteral("RELAY_ATHLETE_NO")),
                     q.integer(QStringLiteral("ATHLETENO")),
                     int(q.integer(QStringLiteral("LEGNO"))),
                     q.text(QStringLiteral("FIRST_OR_RESERVE")).trimmed()});
    }
    return rows;
}

QList<AthleteRow> RelayMembers::candidates(bool anyAge)
{
    QString sql = QStringLiteral("select ") + athleteColumns() +
                  QStringLiteral(" from ATHLETE where TEAMNO = (select TEAMNO from ATHLETE "
                                 "where ATHLETENO = ") +
                  db::sqlInt(m_relayTeamNo) + QStringLiteral(") and SURNAME <> ") +
                  db::quoted(kRelayTeamSurname) +
                  QStringLiteral(" and ATHLETENO not in (select ATHLETENO from RELAY_ATHLETE "
                                 "where RELAYTEAMNO = ") +
                  db::sqlInt(m_relayTeamNo) + QStringLiteral(" and EVENTNO = ") +
                  db::sqlInt(m_eventNo) + QLatin1Char(')');
    if (m_gender == QLatin1String("M") || m_gender == QLatin1String("F"))
        sql += QStringLiteral(" and GENDER = ") + db::quoted(m_gender);
    if (!anyAge)
        sql += QStringLiteral(" and AGE = ") + db::sqlInt(m_age.toInt());
    db::Query q = m_db.openQuery(
        sql + QStringLiteral(" order by GENDER, AGE, upper(SURNAME), upper(FIRSTNAME)"));
    QList<AthleteRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append(athleteOf(q));
    return rows;
}

qint64 RelayMembers::add(qint64 athleteNo, const QString& kind)
{
    base::Messages& messages = m_db.messages();
    if (m_db.ZSqlCount(QStringLiteral("PARTICIPATE"),
                       QStringLiteral("ATHLETENO = ") + db::sqlInt(m_relayTeamNo) +
                           QStringLiteral(" and EVENTNO = ") + db::sqlInt(m_eventNo)) == 0) {
        messages.warning(QStringLiteral("You must first select all the Teams that participate in "
                                        "this Relay.\rThis is done under   \"Athletes\" --> "
                                        "\"Relays\"."));
        return 0;
    }
    const QList<RelayMemberRow> members = list();
    for (const RelayMemberRow& m : members) {
        if (m.athleteNo == athleteNo) {
            messages.warning(QStringLiteral("This Athlete is already in this Relay Team"));
            return 0;
        }
    }
    // First and reserve members together: a relay team has no more members than legs.
    if (members.size() >= m_legs) {
        messages.warning(QStringLiteral("You already entered ") + QString::number(members.size()) +
                         QStringLiteral(" legs for this Relay"));
        return 0;
    }
    const qint64 key = m_db.nextKeyNumber();
    if (key == 0 ||
        !m_db.execute(QStringLiteral("insert into RELAY_ATHLETE (RELAY_ATHLETE_NO, MEETINGNO, "
                                     "RELAYTEAMNO, EVENTNO, ATHLETENO, LEGNO, FIRST_OR_RESERVE) "
                                     "values (") +
                      db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) +
                      QLatin1Char(',') + db::sqlInt(m_relayTeamNo) + QLatin1Char(',') +
                      db::sqlInt(m_eventNo) + QLatin1Char(',') + db::sqlInt(athleteNo) +
                      QStringLiteral(",0,") + db::quoted(kind) + QLatin1Char(')')))
        return 0;
    return key;
}

bool RelayMembers::setLeg(qint64 relayAthleteNo, int leg)
{
    base::Messages& messages = m_db.messages();
    if (leg < 0 || leg > m_legs) {
        messages.warning(QStringLiteral("This Relay only has ") + QString::number(m_legs) +
                         QStringLiteral(" legs."));
        return false;
    }
    const QList<RelayMemberRow> members = list();
    QString kind;
    for (const RelayMemberRow& m : members) {
        if (m.relayAthleteNo == relayAthleteNo)
            kind = m.kind;
    }
    for (const RelayMemberRow& m : members) {
        if (leg != 0 && m.relayAthleteNo != relayAthleteNo && m.kind == kind && m.leg == leg) {
            messages.warning(
                QStringLiteral("There is already an Athlete with this Leg in the ") +
                (kind == QLatin1String("R") ? QStringLiteral("Reserve") : QStringLiteral("First")) +
                QStringLiteral(" Team."));
            return false;
        }
    }
    return m_db.execute(QStringLiteral("update RELAY_ATHLETE set LEGNO = ") + db::sqlInt(leg) +
                        QStringLiteral(" where RELAY_ATHLETE_NO = ") + db::sqlInt(relayAthleteNo));
}

bool RelayMembers::swapLegs(const QString& kind, int first, int second)
{
    base::Messages& messages = m_db.messages();
    if (first < 1 || first > m_legs || second < 1 || second > m_legs) {
        messages.warning(QStringLiteral("The legs must be between 1 and ") +
                         QString::number(m_legs));
        return false;
    }
    if (first == second) {
        messages.warning(QStringLiteral("The legs must differ"));
        return false;
    }
    qint64 a = 0;
    qint64 b = 0;
    for (const RelayMemberRow& m : list()) {
        if (m.kind == kind && m.leg == first)
            a = m.relayAthleteNo;
        if (m.kind == kind && m.leg == second)
            b = m.relayAthleteNo;
    }
    if (a == 0) {
        messages.warning(QStringLiteral("The first  leg is not found: ") + QString::number(first));
        return false;
    }
    if (b == 0) {
        messages.warning(QStringLiteral("The second leg is not found: ") + QString::number(second));
        return false;
    }
    auto set = [this](qint64 row, int leg) {
        return m_db.execute(QStringLiteral("update RELAY_ATHLETE set LEGNO = ") + db::sqlInt(leg) +
                            QStringLiteral(" where RELAY_ATHLETE_NO = ") + db::sqlInt(row));
    };
    return set(a, second) && set(b, first);
}

bool RelayMembers::remove(qint64 relayAthleteNo)
{
    if (!m_db.messages().confirm(QStringLiteral("Remove this Athlete from the Relay Team")))
        return false;
    return m_db.execute(QStringLiteral("delete from RELAY_ATHLETE where RELAY_ATHLETE_NO = ") +
                        db::sqlInt(relayAthleteNo));
}

QStringList RelayMembers::checkLinks(db::DmdCoreDbs& database, int meetingNo)
{
    const QString meeting = db::sqlInt(meetingNo);
    const QString teamsOfMeeting =
        QStringLiteral("(select TEAMNO from TEAM where MEETINGNO = ") + meeting + QLatin1Char(')');
    db::Query q = database.openQuery(
        QStringLiteral("select R.RELAY_ATHLETE_NO, R.ATHLETENO, R.RELAYTEAMNO, R.EVENTNO from "
                       "RELAY_ATHLETE R where R.MEETINGNO = ") +
        meeting +
        QStringLiteral(" and (not exists (select 1 from ATHLETE A where A.ATHLETENO = "
                       "R.ATHLETENO and A.TEAMNO in ") +
        teamsOfMeeting +
        QStringLiteral(") or not exists (select 1 from MYEVENT E where E.EVENTNO = R.EVENTNO "
                       "and E.MEETINGNO = ") +
        meeting +
        QStringLiteral(" and E.SELECTED = 'X') or not exists (select 1 from ATHLETE T where "
                       "T.ATHLETENO = R.RELAYTEAMNO and T.SURNAME = ") +
        db::quoted(kRelayTeamSurname) + QStringLiteral(" and T.TEAMNO in ") + teamsOfMeeting +
        QStringLiteral(")) order by R.RELAY_ATHLETE_NO"));
    QStringList lines;
    for (q.first(); !q.eof(); q.next()) {
        lines << QStringLiteral("Athlete=") + q.text(QStringLiteral("ATHLETENO")) +
                     QStringLiteral("  RelayTeam=") + q.text(QStringLiteral("RELAYTEAMNO")) +
                     QStringLiteral("  Event=") + q.text(QStringLiteral("EVENTNO"));
        database.execute(QStringLiteral("delete from RELAY_ATHLETE where RELAY_ATHLETE_NO = ") +
                         db::sqlInt(q.integer(QStringLiteral("RELAY_ATHLETE_NO"))));
    }
    if (!lines.isEmpty()) {
        database.messages().warning(
            QStringLiteral("Athlete not connected to a valid Athlete OR Event OR RelayTeam\r\r") +
            lines.join(QLatin1Char('\r')) +
            QStringLiteral("\r\rInvalid references deleted\r\rPLEASE WRITE THEM DOWN\rBEFORE "
                           "CLOSING THIS DIALOGUE ! ! !\rif you need to correct it"));
    }
    return lines;
}

} // namespace entries
