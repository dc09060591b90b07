#pragma once

#include "entries/teams.h"

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// "Split Team by Gender": a team with boys and girls becomes two teams. The old team keeps
// the girls and is renamed "_GIRLS:..."; a new team "_BOYS:..." with the abbreviation
// "_..." takes the boys with their entries. Each team is split in one transaction.
class TeamSplit {
public:
    TeamSplit(db::DmdCoreDbs& database, int meetingNo);

    // The question asked before anything else; false when the user says No.
    bool confirmStart();
    // The teams with athletes of both genders, ordered by name; the names of the others in
    // `others`.
    QList<TeamRow> teamsWithBothGenders(QStringList* others = nullptr);
    // The same, with the teams that cannot be split listed first, and "No teams has both
    // genders" when none can.
    QList<TeamRow> splittableTeams();
    // The new key of the boys' team, 0 when refused or when a statement failed (then
    // nothing of this team was changed).
    qint64 split(const TeamRow& team);
    // "Split the teams from the current one onwards": teams[first] to the end. The number
    // of teams split; it stops at the first team that fails.
    int splitFrom(const QList<TeamRow>& teams, int first);

    // The names of the two teams, each cut to its column before the prefix is added.
    struct Names {
        QString girlsName;
        QString boysName;
        QString boysAbbreviation;
        bool nameCut = false;
        bool abbreviationCut = false;
    };
    static Names namesFor(const TeamRow& team, int nameWidth, int abbreviationWidth);

private:
    db::DmdCoreDbs& m_db;
    int m_meetingNo;
};

} // namespace entries
