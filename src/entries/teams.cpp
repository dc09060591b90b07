#include "entries/teams.h"

#include "entries/athletes.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace entries {

namespace {

TeamRow teamOf(const db::Query& q)
{
    TeamRow t;
    t.teamNo = q.integer(QStringLiteral("TEAMNO"));
    t.name = q.text(QStringLiteral("TEAMNAME"));
    t.abbreviation = q.text(QStringLiteral("TEAMABRV"));
    t.hasMale = q.integer(QStringLiteral("HASMALE")) == 1;
    t.hasFemale = q.integer(QStringLiteral("HASFEMALE")) == 1;
    return t;
}

const QString kTeamColumns =
    QStringLiteral("select TEAMNO, TEAMNAME, TEAMABRV, HASMALE, HASFEMALE from TEAM ");

} // namespace

Teams::Teams(db::DmdCoreDbs& database, int meetingNo) : m_db(database), m_meetingNo(meetingNo) {}

QList<TeamRow> Teams::list()
{
    QList<TeamRow> rows;
    db::Query q = m_db.openQuery(kTeamColumns + QStringLiteral("where MEETINGNO = ") +
                                 db::sqlInt(m_meetingNo) + QStringLiteral(" order by TEAMNAME"));
    for (q.first(); !q.eof(); q.next())
        rows.append(teamOf(q));
    return rows;
}

std::optional<TeamRow> Teams::find(qint64 teamNo)
{
    db::Query q = m_db.openQuery(kTeamColumns + QStringLiteral("where MEETINGNO = ") +
                                 db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMNO = ") +
                                 db::sqlInt(teamNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    return teamOf(q);
}

std::optional<TeamRow> Teams::findByAbbreviation(const QString& abbreviation)
{
    db::Query q = m_db.openQuery(kTeamColumns + QStringLiteral("where MEETINGNO = ") +
                                 db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMABRV = ") +
                                 db::quoted(abbreviation));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    return teamOf(q);
}

int Teams::athleteCount(qint64 teamNo)
{
    return m_db.ZSqlCount(QStringLiteral("ATHLETE"),
                          QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                              QStringLiteral(" and TEAMNO = ") + db::sqlInt(teamNo));
}

Teams::MemberCounts Teams::memberCounts(qint64 teamNo)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select count(*) as ALL_ROWS, coalesce(sum(case when SURNAME = ") +
        db::quoted(kRelayTeamSurname) +
        QStringLiteral(" then 1 else 0 end), 0) as RELAY_TEAMS from ATHLETE where MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMNO = ") + db::sqlInt(teamNo));
    MemberCounts counts;
    if (!q.isOpen() || q.isEmpty())
        return counts;
    q.first();
    counts.relayTeams = int(q.integer(QStringLiteral("RELAY_TEAMS")));
    counts.athletes = int(q.integer(QStringLiteral("ALL_ROWS"))) - counts.relayTeams;
    return counts;
}

Teams::Field Teams::checkText(const TeamRow& team, const QString& column, const QString& word,
                              const QString& value, Field field)
{
    base::Messages& messages = m_db.messages();
    if (value.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("The ") + word + QStringLiteral(" may not be empty"));
        return field;
    }
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char(',')) ||
        value.contains(QLatin1Char('#'))) {
        messages.warning(QStringLiteral("The ") + word +
                         QStringLiteral(" may not contain a \";\", \",\" or \"#\"."));
        return field;
    }
    QString where = QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                    QStringLiteral(" and ") + column + QStringLiteral(" = ") + db::quoted(value);
    if (team.teamNo != 0)
        where += QStringLiteral(" and TEAMNO <> ") + db::sqlInt(team.teamNo);
    if (m_db.ZSqlCount(QStringLiteral("TEAM"), where) > 0) {
        messages.warning(QStringLiteral("There is already a Team with this ") + word);
        return field;
    }
    const int width = m_db.fieldLength(QStringLiteral("TEAM"), column);
    if (width > 0 && value.size() > width) {
        messages.warning(QStringLiteral("The ") + word +
                         QStringLiteral(" may not be longer than ") + QString::number(width));
        return field;
    }
    return Field::None;
}

bool Teams::checkGenderKept(const TeamRow& team, const QString& gender, const QString& word)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select SURNAME, FIRSTNAME, GENDER, AGE from ATHLETE where MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMNO = ") + db::sqlInt(team.teamNo) +
        QStringLiteral(" and GENDER = ") + db::quoted(gender) +
        QStringLiteral(" order by SURNAME, FIRSTNAME"));
    if (q.recordCount() == 0)
        return true;
    QString text;
    for (q.first(); !q.eof(); q.next()) {
        text += q.text(QStringLiteral("SURNAME")) + QStringLiteral(", ") +
                q.text(QStringLiteral("FIRSTNAME")) + QStringLiteral("  ") +
                q.text(QStringLiteral("GENDER")) + QStringLiteral(" ") +
                q.text(QStringLiteral("AGE")) + QLatin1Char('\r');
    }
    text += QStringLiteral("\rThere are ") + QString::number(q.recordCount()) +
            QStringLiteral(" Athletes selected for this Team.\r\"Has ") + word +
            QStringLiteral("\" must be checked.");
    m_db.messages().warning(text);
    return false;
}

Teams::Field Teams::check(const TeamRow& team)
{
    m_lastRefusal = checkAll(team);
    return m_lastRefusal;
}

Teams::Field Teams::checkAll(const TeamRow& team)
{
    const QString name = QStringLiteral("TEAMNAME");
    if (checkText(team, name, QStringLiteral("name"), team.name, Field::Name) != Field::None)
        return Field::Name;
    if (checkText(team, QStringLiteral("TEAMABRV"), QStringLiteral("abbreviation"),
                  team.abbreviation, Field::Abbreviation) != Field::None)
        return Field::Abbreviation;
    if (!team.hasMale && !team.hasFemale) {
        m_db.messages().warning(QStringLiteral("Select at least Males OR Females"));
        return Field::Genders;
    }
    if (team.teamNo != 0) {
        if (!team.hasMale && !checkGenderKept(team, QStringLiteral("M"), QStringLiteral("Males")))
            return Field::Genders;
        if (!team.hasFemale &&
            !checkGenderKept(team, QStringLiteral("F"), QStringLiteral("Females")))
            return Field::Genders;
    }
    return Field::None;
}

qint64 Teams::add(const TeamRow& team)
{
    return check(team) == Field::None ? save(team) : 0;
}

qint64 Teams::save(const TeamRow& team)
{
    if (team.teamNo != 0) {
        return m_db.execute(QStringLiteral("update TEAM set TEAMNAME = ") + db::quoted(team.name) +
                            QStringLiteral(", TEAMABRV = ") + db::quoted(team.abbreviation) +
                            QStringLiteral(", HASMALE = ") + db::sqlInt(team.hasMale ? 1 : 0) +
                            QStringLiteral(", HASFEMALE = ") + db::sqlInt(team.hasFemale ? 1 : 0) +
                            QStringLiteral(" where TEAMNO = ") + db::sqlInt(team.teamNo))
                   ? team.teamNo
                   : 0;
    }
    const qint64 key = m_db.nextKeyNumber();
    if (key == 0)
        return 0;
    const QString sql =
        QStringLiteral("insert into TEAM ( TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, "
                       "HASFEMALE, LEAGUE ) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::quoted(team.name) + QLatin1Char(',') + db::quoted(team.abbreviation) +
        QLatin1Char(',') + db::sqlInt(team.hasMale ? 1 : 0) + QLatin1Char(',') +
        db::sqlInt(team.hasFemale ? 1 : 0) + QStringLiteral(",0)");
    return m_db.execute(sql) ? key : 0;
}

bool Teams::edit(const TeamRow& team)
{
    return team.teamNo != 0 && check(team) == Field::None && save(team) != 0;
}

bool Teams::remove(qint64 teamNo)
{
    base::Messages& messages = m_db.messages();
    if (teamNo == 0) {
        messages.warning(QStringLiteral("You cannot delete an empty record"));
        return false;
    }
    const int athletes = athleteCount(teamNo);
    if (athletes > 0) {
        messages.warning(QStringLiteral("You cannot delete this team, it has ") +
                         QString::number(athletes) + QStringLiteral(" athletes;"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Delete this team")))
        return false;
    return m_db.execute(QStringLiteral("delete from TEAM where MEETINGNO=") +
                        db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMNO=") +
                        db::sqlInt(teamNo));
}

} // namespace entries
