#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
}

namespace entries {

struct TeamRow {
    qint64 teamNo = 0;
    QString name;
    QString abbreviation;
    bool hasMale = true;
    bool hasFemale = true;
};

// The teams of one meeting: the list, and adding, editing and deleting with the checks of
// the team dialog. Refusals are shown through the run's messages and nothing is written.
class Teams {
public:
    enum class Field { None, Name, Abbreviation, Genders };

    Teams(db::DmdCoreDbs& database, int meetingNo);

    // Ordered by name.
    QList<TeamRow> list();
    std::optional<TeamRow> find(qint64 teamNo);
    std::optional<TeamRow> findByAbbreviation(const QString& abbreviation);
    int athleteCount(qint64 teamNo);
    // The team's swimmers and its relay teams, counted apart.
    struct MemberCounts {
        int athletes = 0;
        int relayTeams = 0;
    };
    MemberCounts memberCounts(qint64 teamNo);

    // The field at fault (its message shown), or None. `team.teamNo` 0 is a new team.
    Field check(const TeamRow& team);
    // The new key, 0 when refused or not written.
    qint64 add(const TeamRow& team);
    // Writes a team that passed check(): inserted when new (teamNo 0), else updated. Its
    // key, 0 when the database refused.
    qint64 save(const TeamRow& team);
    bool edit(const TeamRow& team);
    // The field of the last refusal of check(), add() or edit().
    Field lastRefusal() const { return m_lastRefusal; }
    // Asks before deleting; teamNo 0 is "no row selected".
    bool remove(qint64 teamNo);

private:
    Field checkAll(const TeamRow& team);
    Field checkText(const TeamRow& team, const QString& column, const QString& word,
                    const QString& value, Field field);
    bool checkGenderKept(const TeamRow& team, const QString& gender, const QString& word);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    Field m_lastRefusal = Field::None;
};

} // namespace entries
