#pragma once

#include "entries/csvsetup.h"
#include "entries/importreport.h"
#include "entries/teams.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <memory>

namespace db {
class DmdCoreDbs;
class Statement;
} // namespace db

namespace entries {

// The teams, athletes and participations of the meeting as the import finds them.
struct MeetingEntries {
    QHash<QString, TeamRow> teams;       // by upper-case abbreviation
    QHash<QString, qint64> athletes;     // by athleteKey()
    QSet<QPair<qint64, qint64>> entries; // (athlete, event)

    static QString athleteKey(qint64 teamNo, const AthleteRow& athlete);
    void load(db::DmdCoreDbs& database, int meetingNo);
};

// Deletes what the import replaces, in a transaction of its own: it stays done whatever
// becomes of the import after it. False when the database refused; nothing is deleted then.
bool wipeBeforeImport(db::DmdCoreDbs& database, int meetingNo, WipeMode wipe, qint64 wipeTeamNo,
                      QString* failure);

// Writes the checked lines into the meeting in the batch transaction: new teams, athletes,
// relay teams and participations. A line is written whole or not at all: a line the
// database refuses, or whose team cannot be added, fails on its own and the others go on.
// When the database itself fails, nothing of the import remains.
class ImportWriter {
public:
    ImportWriter(db::DmdCoreDbs& database, int meetingNo, MeetingEntries& existing);
    ~ImportWriter();

    // False when the database itself failed; the meeting is then as it was and `failure`
    // says why.
    bool write(const QList<ImportLine>& lines, bool addTeams);
    const ImportCounts& counts() const { return m_counts; }
    const QString& failure() const { return m_failure; }

private:
    struct Statements;
    bool prepare();
    qint64 nextKey();
    // The line's team: 0 when it is not there and may not be added, -1 when the database
    // refused it (the reason in `why`).
    qint64 teamOf(const ImportLine& line, bool addTeams, QString* why);
    bool writeLine(const ImportLine& line, qint64 teamNo, qint64 athleteNo, bool isNew);
    bool run(db::Statement& statement, const QList<QVariant>& values);
    // A refusal of the database itself ends the import.
    bool databaseFailed() const;

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    MeetingEntries& m_existing;
    ImportCounts m_counts;
    QString m_failure;
    QList<qint64> m_keys;
    int m_nextKey = 0;
    std::unique_ptr<Statements> m_sql;
    QSet<qint64> m_teamsOpened;             // found teams set to both genders already
    QHash<QString, QString> m_teamFailures; // upper-case abbreviation -> the database's reason
};

} // namespace entries
