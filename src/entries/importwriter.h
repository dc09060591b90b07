#pragma once

#include "db/statementblocks.h"

#include "entries/csvsetup.h"
#include "entries/importreport.h"
#include "entries/teams.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// The teams, athletes and participations of the meeting as the import finds them, with
// what the wipe will remove already left out.
struct MeetingEntries {
    QHash<QString, TeamRow> teams;       // by upper-case abbreviation
    QHash<QString, qint64> athletes;     // by athleteKey()
    QSet<QPair<qint64, qint64>> entries; // (athlete, event)

    static QString athleteKey(qint64 teamNo, const AthleteRow& athlete);
    // Reads the meeting; `wipe` and `wipeTeamNo` leave out what the wipe removes.
    void load(db::DmdCoreDbs& database, int meetingNo, WipeMode wipe, qint64 wipeTeamNo);
};

// Writes the checked lines into the meeting in the batch transaction: the wipe, new teams,
// athletes, relay teams and participations. Any failed statement rolls everything back.
class ImportWriter {
public:
    ImportWriter(db::DmdCoreDbs& database, int meetingNo, MeetingEntries& existing);

    // False when the database refused a statement; the meeting is then as it was and
    // `failure` says why.
    bool write(const QList<ImportLine>& lines, WipeMode wipe, qint64 wipeTeamNo, bool addTeams);
    const ImportCounts& counts() const { return m_counts; }
    const QString& failure() const { return m_failure; }

private:
    bool wipeFirst(WipeMode wipe, qint64 wipeTeamNo);
    bool reserveKeys(int count);
    qint64 nextKey();
    bool exec(const QString& sql);
    bool flush();
    qint64 teamOf(const ImportLine& line, bool addTeams, bool* failed);
    qint64 athleteOf(const ImportLine& line, qint64 teamNo, bool* failed, bool* isNew);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    MeetingEntries& m_existing;
    ImportCounts m_counts;
    QString m_failure;
    qint64 m_nextKey = 0;
    qint64 m_lastKey = -1;
    // Inserts travel to the server in blocks: one statement per block instead of one per
    // row is what keeps a championship's entries quick.
    db::StatementBlocks m_blocks{m_db};
    QSet<qint64> m_teamsOpened; // found teams set to both genders already
};

} // namespace entries
