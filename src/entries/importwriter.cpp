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

// The statements of an import, prepared once in the batch transaction.
struct ImportWriter::Statements {
    std::unique_ptr<db::Statement> addTeam;
    std::unique_ptr<db::Statement> openTeam;
    std::unique_ptr<db::Statement> addAthlete;
    std::unique_ptr<db::Statement> addEntry;
    std::unique_ptr<db::Statement> lineStart;
    std::unique_ptr<db::Statement> lineUndo;
};

QString MeetingEntries::athleteKey(qint64 teamNo, const AthleteRow& a)
{
    return QString::number(teamNo) + QLatin1Char('|') + a.gender + QLatin1Char('|') +
           a.surname.toUpper() + QLatin1Char('|') + QString::number(a.age) + QLatin1Char('|') +
           a.firstName.toUpper();
}

void MeetingEntries::load(db::DmdCoreDbs& database, int meetingNo)
{
    teams.clear();
    athletes.clear();
    entries.clear();
    for (const TeamRow& t : Teams(database, meetingNo).list())
        teams.insert(t.abbreviation.trimmed().toUpper(), t);
    const QString ofMeeting = QStringLiteral(" where MEETINGNO = ") + db::sqlInt(meetingNo);
    db::Query a = database.openQuery(
        QStringLiteral("select ATHLETENO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE from ATHLETE") +
        ofMeeting);
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
                                     ofMeeting);
    for (p.first(); !p.eof(); p.next())
        entries.insert(
            {p.integer(QStringLiteral("ATHLETENO")), p.integer(QStringLiteral("EVENTNO"))});
}

bool wipeBeforeImport(db::DmdCoreDbs& database, int meetingNo, WipeMode wipe, qint64 wipeTeamNo,
                      QString* failure)
{
    QStringList statements;
    const QString meeting = QStringLiteral(" where MEETINGNO = ") + db::sqlInt(meetingNo);
    if (wipe == WipeMode::AllTeams) {
        for (const char* table : {"HEATPART", "PARTICIPATE", "RELAY_ATHLETE", "ATHLETE", "TEAM"})
            statements << QStringLiteral("delete from ") + QString::fromLatin1(table) + meeting;
    } else if (wipe == WipeMode::TeamAthletes) {
        statements << QStringLiteral("delete from RELAY_ATHLETE where ") +
                          sqlInList(QStringLiteral("RELAYTEAMNO"), wipeTeamNo)
                   << QStringLiteral("delete from HEATPART where ") +
                          sqlInList(QStringLiteral("ATHLETENO"), wipeTeamNo)
                   << QStringLiteral("delete from PARTICIPATE where ") +
                          sqlInList(QStringLiteral("ATHLETENO"), wipeTeamNo)
                   << QStringLiteral("delete from ATHLETE where TEAMNO = ") +
                          db::sqlInt(wipeTeamNo);
    }
    if (statements.isEmpty())
        return true;
    if (database.executeAll(statements))
        return true;
    *failure = database.lastError().message;
    return false;
}

ImportWriter::ImportWriter(db::DmdCoreDbs& database, int meetingNo, MeetingEntries& existing)
    : m_db(database), m_meetingNo(meetingNo), m_existing(existing)
{
}

ImportWriter::~ImportWriter() = default;

bool ImportWriter::prepare()
{
    m_sql = std::make_unique<Statements>();
    Statements& s = *m_sql;
    s.addTeam = m_db.prepareBatch(
        QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, "
                       "HASFEMALE, LEAGUE) values (?, ?, ?, ?, 1, 1, 0)"));
    s.openTeam =
        m_db.prepareBatch(QStringLiteral("update TEAM set HASMALE = 1, HASFEMALE = 1 where "
                                         "TEAMNO = ?"));
    s.addAthlete = m_db.prepareBatch(
        QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                       "GENDER, AGE, NUMBER, ID_NUMBER, BIRTHDATE, N_ATHLON, CATEGORY, "
                       "DISABILITY_CLASSES, LOCAL_SMDS, WORLD_SMDS, GAI_RACIST_ABRV) values "
                       "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)"));
    s.addEntry = m_db.prepareBatch(Participations::insertStatement());
    s.lineStart = m_db.prepareBatch(QStringLiteral("savepoint IMPORT_LINE"));
    s.lineUndo = m_db.prepareBatch(QStringLiteral("rollback to savepoint IMPORT_LINE"));
    if (s.addTeam && s.openTeam && s.addAthlete && s.addEntry && s.lineStart && s.lineUndo)
        return true;
    m_failure = m_db.lastError().message;
    return false;
}

qint64 ImportWriter::nextKey()
{
    return m_nextKey < m_keys.size() ? m_keys[m_nextKey++] : 0;
}

bool ImportWriter::run(db::Statement& statement, const QList<QVariant>& values)
{
    return m_db.batchExecute(statement, values);
}

bool ImportWriter::databaseFailed() const
{
    return m_db.lastError().isUnreachableDatabase() || !m_db.isConnected();
}

qint64 ImportWriter::teamOf(const ImportLine& line, bool addTeams, QString* why)
{
    const QString key = line.teamAbbreviation.toUpper();
    if (const auto failed = m_teamFailures.constFind(key); failed != m_teamFailures.constEnd()) {
        *why = *failed;
        return -1;
    }
    auto it = m_existing.teams.find(key);
    if (it != m_existing.teams.end()) {
        if ((!it->hasMale || !it->hasFemale) && !m_teamsOpened.contains(it->teamNo)) {
            if (!run(*m_sql->openTeam, {it->teamNo})) {
                m_teamFailures.insert(key, m_db.lastError().message);
                *why = m_db.lastError().message;
                return -1;
            }
            m_teamsOpened.insert(it->teamNo);
        }
        return it->teamNo;
    }
    if (!addTeams)
        return 0;
    TeamRow team;
    team.teamNo = nextKey();
    team.name = line.teamAbbreviation;
    team.abbreviation = line.teamAbbreviation;
    if (!run(*m_sql->addTeam, {team.teamNo, m_meetingNo, team.name, team.abbreviation})) {
        m_teamFailures.insert(key, m_db.lastError().message);
        *why = m_db.lastError().message;
        return -1;
    }
    team.hasMale = team.hasFemale = true;
    m_existing.teams.insert(key, team);
    ++m_counts.teamsAdded;
    return team.teamNo;
}

bool ImportWriter::writeLine(const ImportLine& line, qint64 teamNo, qint64 athleteNo, bool isNew)
{
    const AthleteRow& a = line.athlete;
    if (isNew &&
        !run(*m_sql->addAthlete, {athleteNo, m_meetingNo, teamNo, a.surname, a.firstName, a.gender,
                                  a.age, a.number, a.idNumber, a.birthDate, a.category,
                                  a.disabilityClasses, a.localSmds, a.worldSmds, a.demographic}))
        return false;
    for (const ImportEntry& e : line.entries) {
        if (m_existing.entries.contains({athleteNo, e.eventNo}))
            continue;
        if (!run(*m_sql->addEntry, Participations::insertValues(nextKey(), m_meetingNo, e.eventNo,
                                                                teamNo, athleteNo, e.best)))
            return false;
    }
    return true;
}

bool ImportWriter::write(const QList<ImportLine>& lines, bool addTeams)
{
    // Every key the lines can need, drawn at once: one per team, athlete and entry.
    int keys = 0;
    QSet<QString> teams;
    for (const ImportLine& line : lines) {
        if (line.athleteError)
            continue;
        keys += 1 + int(line.entries.size());
        teams.insert(line.teamAbbreviation.toUpper());
    }
    keys += int(teams.size());
    m_keys = m_db.nextKeyNumbers(keys);
    if (keys > 0 && m_keys.isEmpty()) {
        m_failure = QStringLiteral("No key numbers could be drawn: ") + m_db.lastError().message;
        return false;
    }
    if (!m_db.startBatch()) {
        m_failure = m_db.lastError().message;
        return false;
    }
    bool failed = !prepare();
    for (const ImportLine& line : lines) {
        if (failed)
            break;
        if (line.athleteError) {
            ++m_counts.linesSkipped;
            continue;
        }
        QString why;
        const qint64 teamNo = teamOf(line, addTeams, &why);
        if (teamNo <= 0) {
            if (teamNo < 0)
                m_counts.failedLines.append(QStringLiteral("Line ") + QString::number(line.lineNo) +
                                            QStringLiteral(": Team ") + line.teamAbbreviation +
                                            QStringLiteral(" could not be added: ") + why);
            failed = teamNo < 0 && databaseFailed();
            ++m_counts.linesSkipped;
            continue;
        }
        const QString key = MeetingEntries::athleteKey(teamNo, line.athlete);
        const auto found = m_existing.athletes.constFind(key);
        const bool isNew = found == m_existing.athletes.constEnd();
        // An athlete found in the meeting keeps its participations; a relay team found
        // again still enters the relays of this line.
        if (!isNew && !line.relay) {
            ++m_counts.duplicates;
            continue;
        }
        const qint64 athleteNo = isNew ? nextKey() : *found;
        if (!run(*m_sql->lineStart, {})) {
            failed = true;
            break;
        }
        if (!writeLine(line, teamNo, athleteNo, isNew)) {
            m_counts.failedLines.append(QStringLiteral("Line ") + QString::number(line.lineNo) +
                                        QStringLiteral(": ") + m_db.lastError().message);
            ++m_counts.linesSkipped;
            failed = databaseFailed() || !run(*m_sql->lineUndo, {});
            continue;
        }
        if (isNew) {
            m_existing.athletes.insert(key, athleteNo);
            ++(line.relay ? m_counts.relayTeamsAdded : m_counts.athletesAdded);
        }
        for (const ImportEntry& e : line.entries) {
            if (m_existing.entries.contains({athleteNo, e.eventNo})) {
                m_counts.duplicateParticipations.append(
                    QStringLiteral("Line ") + QString::number(line.lineNo) +
                    QStringLiteral(": Duplicate Participation: ") + e.itemCode);
                continue;
            }
            m_existing.entries.insert({athleteNo, e.eventNo});
            ++m_counts.participationsAdded;
            m_counts.bestsImported += e.best.isEmpty() ? 0 : 1;
        }
    }
    m_sql.reset();
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
