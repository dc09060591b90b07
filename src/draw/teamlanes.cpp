#include "draw/teamlanes.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QSet>

namespace draw {

namespace {

QStringList teamList(db::DmdCoreDbs& database, int meetingNo, const QString& condition)
{
    db::Query q = database.openQuery(
        QStringLiteral("select TEAMABRV from TEAM where MEETINGNO = ") + db::sqlInt(meetingNo) +
        condition + QStringLiteral(" order by TEAMABRV"));
    QStringList teams;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        teams.append(q.text("TEAMABRV").trimmed());
    return teams;
}

QString genderCondition(const QString& gender)
{
    if (gender == QLatin1String("M"))
        return QStringLiteral(" and HASMALE = 1");
    if (gender == QLatin1String("F"))
        return QStringLiteral(" and HASFEMALE = 1");
    return QString();
}

} // namespace

QString genderWord(const QString& gender)
{
    return gender == QLatin1String("M") ? QStringLiteral("Male") : QStringLiteral("Female");
}

QString teamLaneListForNewHeat(db::DmdCoreDbs& database, base::Messages& messages, int meetingNo,
                               const QString& gender)
{
    if (gender != QLatin1String("M") && gender != QLatin1String("F"))
        messages.internalError(460301, QStringLiteral("New gender type: the program will "
                                                      "select all genders"));
    // The heat keeps 120 characters: whole teams only, the first ones in order.
    QString list;
    for (const QString& team : teamList(database, meetingNo, genderCondition(gender))) {
        const QString longer = list.isEmpty() ? team : list + QLatin1Char(';') + team;
        if (longer.size() > kTeamLaneListWidth)
            break;
        list = longer;
    }
    return list;
}

ConstantTeamLanes::ConstantTeamLanes(db::DmdCoreDbs& database, base::Messages& messages,
                                     int meetingNo)
    : m_database(database), m_messages(messages), m_meetingNo(meetingNo)
{
}

QString ConstantTeamLanes::column(const QString& gender) const
{
    return gender == QLatin1String("M") ? QStringLiteral("MALE_TEAMS")
                                        : QStringLiteral("FEMALE_TEAMS");
}

QStringList ConstantTeamLanes::lanes(const QString& gender)
{
    const QString text =
        m_database
            .selectOneValue(column(gender), QStringLiteral("MEETING"),
                            QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo))
            .trimmed();
    QStringList teams;
    for (const QString& team : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        teams.append(team.trimmed());
    return teams;
}

QStringList ConstantTeamLanes::teamsOfGender(const QString& gender)
{
    return teamList(m_database, m_meetingNo, genderCondition(gender));
}

QStringList ConstantTeamLanes::missingTeams(const QString& gender, const QStringList& lanes)
{
    QStringList missing;
    for (const QString& team : teamsOfGender(gender))
        if (!lanes.contains(team))
            missing.append(team);
    return missing;
}

bool ConstantTeamLanes::setLanes(const QString& gender, const QStringList& teams)
{
    if (gender != QLatin1String("M") && gender != QLatin1String("F")) {
        m_messages.warning(QStringLiteral("The gender must be M or F, not ") + gender);
        return false;
    }
    const QStringList known = teamList(m_database, m_meetingNo, QString());
    QSet<QString> seen;
    for (const QString& team : teams) {
        if (!known.contains(team)) {
            m_messages.warning(QStringLiteral("There is no team \"") + team +
                               QStringLiteral("\" in this meeting"));
            return false;
        }
        if (seen.contains(team)) {
            m_messages.warning(QStringLiteral("The team ") + team +
                               QStringLiteral(" has more than one lane"));
            return false;
        }
        seen.insert(team);
    }
    const QString text = teams.join(QLatin1Char(';'));
    if (text.size() > 1000) {
        m_messages.warning(QStringLiteral("Too many teams for the lanes"));
        return false;
    }
    return m_database.execute(QStringLiteral("update MEETING set ") + column(gender) +
                              QStringLiteral(" = ") + db::quoted(text) +
                              QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo));
}

bool ConstantTeamLanes::addLane(const QString& gender, const QString& team)
{
    if (team.trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("No Teams selected"));
        return false;
    }
    QStringList list = lanes(gender);
    list.append(team.trimmed());
    return setLanes(gender, list);
}

bool ConstantTeamLanes::removeLane(const QString& gender, int lane)
{
    QStringList list = lanes(gender);
    if (lane < 1 || lane > list.size()) {
        m_messages.warning(QStringLiteral("There is no lane ") + QString::number(lane));
        return false;
    }
    list.removeAt(lane - 1);
    list.append(missingTeams(gender, list));
    return setLanes(gender, list);
}

QList<LaneUse> lanesUsed(db::DmdCoreDbs& database, int meetingNo)
{
    // The lanes of the rounds before the final and of the finals, together.
    db::Query q = database.openQuery(
        QStringLiteral("select X.LANE, T.TEAMABRV, count(*) as ATHLETES from (select "
                       "ATHLETENO, LANE from HEATPART where MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and LANE > 0 union all select ATHLETENO, LANE from PARTICIPATE where "
                       "MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and LANE > 0) X join ATHLETE A on A.ATHLETENO = X.ATHLETENO join TEAM "
                       "T on T.TEAMNO = A.TEAMNO group by X.LANE, T.TEAMABRV order by X.LANE, "
                       "T.TEAMABRV"));
    QList<LaneUse> uses;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        uses.append(
            {int(q.integer("LANE")), q.text("TEAMABRV").trimmed(), int(q.integer("ATHLETES"))});
    return uses;
}

} // namespace draw
