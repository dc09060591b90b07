#include "entries/relayteams.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/athletes.h"
#include "entries/participations.h"
#include "entries/teams.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace entries {

RelayTeams::RelayTeams(db::DmdCoreDbs& database, const EntrySettings& settings)
    : m_db(database), m_settings(settings)
{
}

QString RelayTeams::checkNames(const QStringList& names, int count)
{
    if (names.size() != count) {
        return QStringLiteral("The number of names (") + QString::number(names.size()) +
               QStringLiteral(") does not correspond to\rthe number of Relay-Teams (") +
               QString::number(count) + QLatin1Char(')');
    }
    QSet<QString> seen;
    for (const QString& name : names) {
        if (name.trimmed().isEmpty())
            return QStringLiteral("A name may not be empty");
        if (name != name.trimmed())
            return QStringLiteral("A name may not have spaces before or after: ") + name;
        if (name.contains(QLatin1Char(',')))
            return QStringLiteral("A name may not have commas: ") + name;
        if (seen.contains(name.toUpper()))
            return QStringLiteral("There are duplicates: ") + name;
        seen.insert(name.toUpper());
    }
    return {};
}

bool RelayTeams::teamHasGender(const TeamRow& team, const QString& relayGender)
{
    return (relayGender == QLatin1String("M") && team.hasMale) ||
           (relayGender == QLatin1String("F") && team.hasFemale) ||
           relayGender == QLatin1String("T");
}

int RelayTeams::legCount(const QString& relayLegs)
{
    int legs = 0;
    for (const QString& part : relayLegs.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype x = part.indexOf(QLatin1Char('x'), 0, Qt::CaseInsensitive);
        legs += x > 0 ? part.left(x).toInt() : 1;
    }
    return legs;
}

QList<RelayEventRow> RelayTeams::relayEvents(bool byAgeAndGender)
{
    const meeting::ItemTypes items(meeting::editionOf(m_db.applicationCode()), m_db.messages());
    QList<RelayEventRow> rows;
    for (const EventRow& e : Participations(m_db, m_settings).selectedEvents()) {
        if (items.IsRelayGroup(e.itemCode.left(3)))
            rows.append({e, {}});
    }
    if (byAgeAndGender) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const RelayEventRow& a, const RelayEventRow& b) {
                             return std::make_pair(a.event.age, a.event.gender) <
                                    std::make_pair(b.event.age, b.event.gender);
                         });
    }
    db::Query q = m_db.openQuery(
        QStringLiteral("select P.EVENTNO, T.TEAMABRV, A.FIRSTNAME from PARTICIPATE P join ATHLETE "
                       "A on A.ATHLETENO = P.ATHLETENO join TEAM T on T.TEAMNO = A.TEAMNO where "
                       "P.MEETINGNO = ") +
        db::sqlInt(m_settings.meetingNo) + QStringLiteral(" and A.SURNAME = ") +
        db::quoted(kRelayTeamSurname) +
        QStringLiteral(" order by T.TEAMABRV, A.FIRSTNAME, A.ATHLETENO"));
    QHash<qint64, QStringList> teams;
    for (q.first(); !q.eof(); q.next())
        teams[q.integer(QStringLiteral("EVENTNO"))].append(
            q.text(QStringLiteral("TEAMABRV")).trimmed() + QStringLiteral(" (") +
            q.text(QStringLiteral("FIRSTNAME")).trimmed() + QLatin1Char(')'));
    for (RelayEventRow& r : rows)
        r.teams = teams.value(r.event.eventNo);
    return rows;
}

QList<RelayTeamRow> RelayTeams::inEvent(qint64 eventNo)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select A.ATHLETENO, A.FIRSTNAME, T.TEAMABRV from PARTICIPATE P join "
                       "ATHLETE A on A.ATHLETENO = P.ATHLETENO join TEAM T on T.TEAMNO = "
                       "A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and A.SURNAME = ") + db::quoted(kRelayTeamSurname) +
        QStringLiteral(" order by T.TEAMABRV, A.FIRSTNAME, A.ATHLETENO"));
    QList<RelayTeamRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append({q.integer(QStringLiteral("ATHLETENO")),
                     q.text(QStringLiteral("TEAMABRV")).trimmed() + QStringLiteral(" (") +
                         q.text(QStringLiteral("FIRSTNAME")).trimmed() + QLatin1Char(')')});
    return rows;
}

bool RelayTeams::canEnterRelays()
{
    if (relayEvents().isEmpty()) {
        m_db.messages().warning(QStringLiteral("No Relay items are selected for this "
                                               "Meeting\rSelect them under \"Select Items and "
                                               "Heats\"."));
        return false;
    }
    if (Teams(m_db, m_settings.meetingNo).list().isEmpty()) {
        m_db.messages().warning(
            QStringLiteral("There are no Teams to enter relay-participations for."));
        return false;
    }
    return true;
}

QList<RelayTeamRow> RelayTeams::ofTeam(qint64 teamNo, qint64 eventNo)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select a.ATHLETENO, a.FIRSTNAME from ATHLETE a join PARTICIPATE p on "
                       "p.ATHLETENO = a.ATHLETENO where a.TEAMNO = ") +
        db::sqlInt(teamNo) + QStringLiteral(" and p.EVENTNO = ") + db::sqlInt(eventNo) +
        QStringLiteral(" and a.SURNAME = ") + db::quoted(kRelayTeamSurname) +
        QStringLiteral(" order by a.ATHLETENO"));
    QList<RelayTeamRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append({q.integer(QStringLiteral("ATHLETENO")), q.text(QStringLiteral("FIRSTNAME"))});
    return rows;
}

qint64 RelayTeams::enter(qint64 relayTeamNo, qint64 eventNo)
{
    // Relay teams are entered without the athlete checks: they have no most-items rule.
    const QString team =
        m_db.selectOneValue(QStringLiteral("TEAMNO"), QStringLiteral("ATHLETE"),
                            QStringLiteral("ATHLETENO = ") + db::sqlInt(relayTeamNo));
    const qint64 partNo = m_db.nextKeyNumber();
    if (partNo == 0 || team.isEmpty())
        return 0;
    return m_db.execute(Participations::insertSql(partNo, m_settings.meetingNo, eventNo,
                                                  team.toLongLong(), relayTeamNo, QString()))
               ? partNo
               : 0;
}

qint64 RelayTeams::findOrCreate(qint64 teamNo, const QString& gender, int age, const QString& name)
{
    const QString found = m_db.selectOneValue(
        QStringLiteral("ATHLETENO"), QStringLiteral("ATHLETE"),
        QStringLiteral("TEAMNO = ") + db::sqlInt(teamNo) + QStringLiteral(" and SURNAME = ") +
            db::quoted(kRelayTeamSurname) + QStringLiteral(" and GENDER = ") + db::quoted(gender) +
            QStringLiteral(" and AGE = ") + db::sqlInt(age) +
            QStringLiteral(" and coalesce(FIRSTNAME, '') = ") + db::quoted(name));
    if (!found.isEmpty())
        return found.toLongLong();
    return create(teamNo, gender, age, name);
}

qint64 RelayTeams::create(qint64 teamNo, const QString& gender, int age, const QString& name)
{
    AthleteRow relay;
    relay.teamNo = teamNo;
    relay.surname = kRelayTeamSurname;
    relay.firstName = name;
    relay.gender = gender;
    relay.age = age;
    return Athletes(m_db, m_settings).save(relay);
}

bool RelayTeams::remove(qint64 relayTeamNo, qint64 eventNo)
{
    // The entry goes by the rules of every entry: not with performances, asked when drawn.
    // The relay event stays, also when its last relay team leaves it.
    if (!Participations(m_db, m_settings).remove(relayTeamNo, eventNo, false))
        return false;
    m_db.execute(QStringLiteral("delete from RELAY_ATHLETE where RELAYTEAMNO = ") +
                 db::sqlInt(relayTeamNo) + QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo));
    const QString mine = QStringLiteral("ATHLETENO = ") + db::sqlInt(relayTeamNo);
    if (m_db.ZSqlCount(QStringLiteral("PARTICIPATE"), mine) > 0) {
        m_db.messages().information(
            QStringLiteral("The same Relay-Athlete participates in another Relay as well"));
        return true;
    }
    return m_db.execute(QStringLiteral("delete from ATHLETE where ") + mine);
}

bool RelayTeams::setRelayTeams(qint64 teamNo, qint64 eventNo, const QStringList& names, bool force)
{
    return setRelayTeams(teamNo, eventNo, int(names.size()), names, force);
}

bool RelayTeams::setRelayTeams(qint64 teamNo, qint64 eventNo, int count, const QStringList& names,
                               bool force)
{
    base::Messages& messages = m_db.messages();
    const QString refusal = checkNames(names, count);
    if (!refusal.isEmpty()) {
        messages.warning(refusal);
        return false;
    }
    if (names.size() > 2 &&
        !messages.confirm(QStringLiteral("Are you sure you want more than two Relay-Teams")))
        return false;
    const auto ev = Participations(m_db, m_settings).event(eventNo);
    const auto team = Teams(m_db, m_settings.meetingNo).find(teamNo);
    if (!ev || !team)
        return false;
    if (!teamHasGender(*team, ev->gender) && !force) {
        messages.warning(team->name + QStringLiteral(" does not have the gender of this relay"));
        return false;
    }
    const QList<RelayTeamRow> old = ofTeam(teamNo, eventNo);
    // Dropped positions go first: a relay team that already swam stops the edit before
    // anything else changed.
    for (qsizetype i = old.size() - 1; i >= names.size(); --i) {
        if (!remove(old[i].athleteNo, eventNo))
            return false;
    }
    for (int i = 0; i < int(names.size()); ++i) {
        if (i < old.size()) {
            if (old[i].name != names[i])
                m_db.execute(QStringLiteral("update ATHLETE set FIRSTNAME = ") +
                             db::quoted(names[i]) + QStringLiteral(" where ATHLETENO = ") +
                             db::sqlInt(old[i].athleteNo));
        } else {
            // Each new position is a relay team of its own: renaming it later renames it
            // in this relay only. A mixed-gender relay runs under the "M" row, which every
            // team may hold.
            const QString gender =
                ev->gender == QLatin1String("T") ? QStringLiteral("M") : ev->gender;
            const qint64 relay = create(teamNo, gender, ev->age.toInt(), names[i]);
            if (relay == 0 || enter(relay, eventNo) == 0)
                return false;
        }
    }
    return true;
}

std::pair<int, int> RelayTeams::createForAll()
{
    if (!canEnterRelays())
        return {0, 0};
    QList<EventRow> relays;
    for (const RelayEventRow& r : relayEvents())
        relays.append(r.event);
    const QList<TeamRow> teams = Teams(m_db, m_settings.meetingNo).list();
    const QString question = QStringLiteral(
        "This facility is meant for meetings in which every team enters a relay team for "
        "every relay.\rRemoving the unwanted ones afterwards may take long.\r\rCreate relay "
        "teams for all teams and all relays");
    const bool yes = teams.size() > 20 ? m_db.messages().confirmTwice(question)
                                       : m_db.messages().confirm(question);
    if (!yes)
        return {0, 0};
    int madeTeams = 0;
    int madeEntries = 0;
    for (const EventRow& e : relays) {
        for (const TeamRow& t : teams) {
            const bool fits = (e.gender == QLatin1String("M") && t.hasMale) ||
                              (e.gender == QLatin1String("F") && t.hasFemale) ||
                              (e.gender == QLatin1String("T") && t.hasMale && t.hasFemale);
            if (!fits)
                continue;
            const QString gender = e.gender == QLatin1String("T") ? QStringLiteral("M") : e.gender;
            const QString existing = m_db.selectOneValue(
                QStringLiteral("ATHLETENO"), QStringLiteral("ATHLETE"),
                QStringLiteral("TEAMNO = ") + db::sqlInt(t.teamNo) +
                    QStringLiteral(" and SURNAME = ") + db::quoted(kRelayTeamSurname) +
                    QStringLiteral(" and GENDER = ") + db::quoted(gender) +
                    QStringLiteral(" and AGE = ") + db::sqlInt(e.age.toInt()));
            qint64 relay = existing.toLongLong();
            if (relay == 0) {
                // Named, so that lists show "OAK (A)" rather than an empty name.
                relay = findOrCreate(t.teamNo, gender, e.age.toInt(), QStringLiteral("A"));
                madeTeams += relay != 0 ? 1 : 0;
            }
            if (relay != 0 &&
                m_db.ZSqlCount(QStringLiteral("PARTICIPATE"),
                               QStringLiteral("ATHLETENO = ") + db::sqlInt(relay) +
                                   QStringLiteral(" and EVENTNO = ") + db::sqlInt(e.eventNo)) ==
                    0 &&
                enter(relay, e.eventNo) != 0)
                ++madeEntries;
        }
    }
    m_db.messages().information(QString::number(madeTeams) + QStringLiteral(" RelayTeams and ") +
                                QString::number(madeEntries) +
                                QStringLiteral(" participations were added for Relay Events"));
    return {madeTeams, madeEntries};
}

} // namespace entries
