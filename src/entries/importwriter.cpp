#include "entries/importwriter.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/participations.h"

namespace entries {

namespace {

QString sqlInList(const QString& column, qint64 teamNo)
{
    return column + QStringLiteral(" in (select ATHLETENO from ATHLETE where TEAMNO = ") +
           db::sqlInt(teamNo) + QLatin1Char(')');
}

} // namespace

QString MeetingEntries::athleteKey(qint64 teamNo, const AthleteRow& a)
{
    return QString::number(teamNo) + QLatin1Char('|') + a.gender + QLatin1Char('|') +
           a.surname.toUpper() + QLatin1Char('|') + QString::number(a.age) + QLatin1Char('|') +
           a.firstName.toUpper();
}

void MeetingEntries::load(db::DmdCoreDbs& database, int meetingNo, WipeMode wipe, qint64 wipeTeamNo)
{
    teams.clear();
    athletes.clear();
    entries.clear();
    if (wipe == WipeMode::AllTeams)
        return;
    for (const TeamRow& t : Teams(database, meetingNo).list())
        teams.insert(t.abbreviation.trimmed().toUpper(), t);
    const QString ofMeeting = QStringLiteral(" where MEETINGNO = ") + db::sqlInt(meetingNo);
    const QString skipTeam = wipe == WipeMode::TeamAthletes
                                 ? QStringLiteral(" and TEAMNO <> ") + db::sqlInt(wipeTeamNo)
                                 : QString();
    db::Query a = database.openQuery(
        QStringLiteral("select ATHLETENO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE from ATHLETE") +
        ofMeeting + skipTeam);
    for (a.first(); !a.eof(); a.next()) {
        AthleteRow row;
        row.surname = a.text(QStringLiteral("SURNAME"));
        row.firstName = a.text(QStringLiteral("FIRSTNAME"));
        row.gender = a.text(QStringLiteral("GENDER")).trimmed();
        row.age = int(a.integer(QStringLiteral("AGE")));
        athletes.insert(athleteKey(a.integer(QStringLiteral("TEAMNO")), row),
                        a.integer(QStringLiteral("ATHLETENO")));
    }
    db::Query p = database.openQuery(QStringLiteral("select ATHLETENO, EVENTNO from PARTICIPATE") +
                                     ofMeeting + skipTeam);
    for (p.first(); !p.eof(); p.next())
        entries.insert(
            {p.integer(QStringLiteral("ATHLETENO")), p.integer(QStringLiteral("EVENTNO"))});
}

ImportWriter::ImportWriter(db::DmdCoreDbs& database, int meetingNo, MeetingEntries& existing)
    : m_db(database), m_meetingNo(meetingNo), m_existing(existing)
{
}

bool ImportWriter::reserveKeys(int count)
{
    if (count < 1) {
        m_nextKey = 1;
        m_lastKey = 0;
        return true;
    }
    m_nextKey = db::StatementBlocks::reserveKeys(m_db, count, &m_failure);
    m_lastKey = m_nextKey + count - 1;
    return m_nextKey > 0;
}

qint64 ImportWriter::nextKey()
{
    return m_nextKey <= m_lastKey ? m_nextKey++ : 0;
}

bool ImportWriter::flush()
{
    if (m_blocks.flush())
        return true;
    m_failure = m_blocks.failure();
    return false;
}

bool ImportWriter::exec(const QString& sql)
{
    if (m_blocks.add(sql))
        return true;
    m_failure = m_blocks.failure();
    return false;
}

bool ImportWriter::wipeFirst(WipeMode wipe, qint64 wipeTeamNo)
{
    const QString meeting = QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo);
    if (wipe == WipeMode::AllTeams) {
        for (const char* table : {"HEATPART", "PARTICIPATE", "RELAY_ATHLETE", "ATHLETE", "TEAM"}) {
            if (!exec(QStringLiteral("delete from ") + QString::fromLatin1(table) + meeting))
                return false;
        }
    } else if (wipe == WipeMode::TeamAthletes) {
        const QStringList statements{QStringLiteral("delete from RELAY_ATHLETE where ") +
                                         sqlInList(QStringLiteral("RELAYTEAMNO"), wipeTeamNo),
                                     QStringLiteral("delete from HEATPART where ") +
                                         sqlInList(QStringLiteral("ATHLETENO"), wipeTeamNo),
                                     QStringLiteral("delete from PARTICIPATE where ") +
                                         sqlInList(QStringLiteral("ATHLETENO"), wipeTeamNo),
                                     QStringLiteral("delete from ATHLETE where TEAMNO = ") +
                                         db::sqlInt(wipeTeamNo)};
        for (const QString& sql : statements) {
            if (!exec(sql))
                return false;
        }
    }
    return flush();
}

qint64 ImportWriter::teamOf(const ImportLine& line, bool addTeams, bool* failed)
{
    const QString key = line.teamAbbreviation.toUpper();
    auto it = m_existing.teams.find(key);
    if (it != m_existing.teams.end()) {
        if ((!it->hasMale || !it->hasFemale) && !m_teamsOpened.contains(it->teamNo)) {
            m_teamsOpened.insert(it->teamNo);
            *failed = !exec(QStringLiteral("update TEAM set HASMALE = 1, HASFEMALE = 1 where "
                                           "TEAMNO = ") +
                            db::sqlInt(it->teamNo));
        }
        return it->teamNo;
    }
    if (!addTeams)
        return 0;
    TeamRow team;
    team.teamNo = nextKey();
    team.name = line.teamAbbreviation;
    team.abbreviation = line.teamAbbreviation;
    *failed = !exec(QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, "
                                   "HASMALE, HASFEMALE, LEAGUE) values (") +
                    db::sqlInt(team.teamNo) + QLatin1Char(',') + db::sqlInt(m_meetingNo) +
                    QLatin1Char(',') + db::quoted(team.name) + QLatin1Char(',') +
                    db::quoted(team.abbreviation) + QStringLiteral(",1,1,0)"));
    m_existing.teams.insert(key, team);
    ++m_counts.teamsAdded;
    return team.teamNo;
}

qint64 ImportWriter::athleteOf(const ImportLine& line, qint64 teamNo, bool* failed, bool* isNew)
{
    const AthleteRow& a = line.athlete;
    const QString key = MeetingEntries::athleteKey(teamNo, a);
    *isNew = false;
    if (const auto it = m_existing.athletes.constFind(key); it != m_existing.athletes.constEnd())
        return *it;
    *isNew = true;
    const qint64 athleteNo = nextKey();
    const QString sql =
        QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                       "GENDER, AGE, NUMBER, ID_NUMBER, BIRTHDATE, N_ATHLON, CATEGORY, "
                       "DISABILITY_CLASSES, LOCAL_SMDS, WORLD_SMDS, GAI_RACIST_ABRV) values (") +
        db::sqlInt(athleteNo) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(teamNo) + QLatin1Char(',') + db::quoted(a.surname) + QLatin1Char(',') +
        db::quoted(a.firstName) + QLatin1Char(',') + db::quoted(a.gender) + QLatin1Char(',') +
        db::sqlInt(a.age) + QLatin1Char(',') + db::quoted(a.number) + QLatin1Char(',') +
        db::quoted(a.idNumber) + QLatin1Char(',') + db::quoted(a.birthDate) +
        QStringLiteral(",0,") + db::quoted(a.category) + QLatin1Char(',') +
        db::quoted(a.disabilityClasses) + QLatin1Char(',') + db::quoted(a.localSmds) +
        QLatin1Char(',') + db::quoted(a.worldSmds) + QLatin1Char(',') + db::quoted(a.demographic) +
        QLatin1Char(')');
    *failed = !exec(sql);
    m_existing.athletes.insert(key, athleteNo);
    if (line.relay)
        ++m_counts.relayTeamsAdded;
    else
        ++m_counts.athletesAdded;
    return athleteNo;
}

bool ImportWriter::write(const QList<ImportLine>& lines, WipeMode wipe, qint64 wipeTeamNo,
                         bool addTeams)
{
    int keys = 1;
    for (const ImportLine& line : lines)
        keys += 2 + int(line.entries.size());
    if (!reserveKeys(keys))
        return false;
    if (!m_db.startBatch()) {
        m_failure = m_db.lastError().message;
        return false;
    }
    bool failed = !wipeFirst(wipe, wipeTeamNo);
    for (const ImportLine& line : lines) {
        if (failed)
            break;
        if (line.athleteError) {
            ++m_counts.linesSkipped;
            continue;
        }
        const qint64 teamNo = teamOf(line, addTeams, &failed);
        if (teamNo == 0) {
            ++m_counts.linesSkipped;
            continue;
        }
        bool isNew = false;
        const qint64 athleteNo = athleteOf(line, teamNo, &failed, &isNew);
        // An athlete found in the meeting keeps its participations; a relay team found
        // again still enters the relays of this line.
        if (!isNew && !line.relay) {
            ++m_counts.duplicates;
            continue;
        }
        for (const ImportEntry& e : line.entries) {
            if (failed)
                break;
            if (m_existing.entries.contains({athleteNo, e.eventNo})) {
                m_counts.duplicateParticipations.append(
                    QStringLiteral("Line ") + QString::number(line.lineNo) +
                    QStringLiteral(": Duplicate Participation: ") + e.itemCode);
                continue;
            }
            failed = !exec(Participations::insertSql(nextKey(), m_meetingNo, e.eventNo, teamNo,
                                                     athleteNo, e.best));
            m_existing.entries.insert({athleteNo, e.eventNo});
            ++m_counts.participationsAdded;
            m_counts.bestsImported += e.best.isEmpty() ? 0 : 1;
        }
    }
    if (!failed)
        failed = !flush();
    if (failed || !m_db.commitBatch()) {
        if (m_failure.isEmpty())
            m_failure = m_db.lastError().message;
        m_db.rollbackBatch();
        m_counts = {};
        return false;
    }
    return true;
}

} // namespace entries
