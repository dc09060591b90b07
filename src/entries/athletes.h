#pragma once

#include "entries/entrysettings.h"

#include <QList>
#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
class Query;
} // namespace db

namespace base {
class Messages;
}

namespace entries {

struct DisabilityClasses;

inline const QString kRelayTeamSurname = QStringLiteral("RELAY TEAM");

// The orders of a team's athlete list: by age, gender and surname, or by surname alone;
// names compare in upper case.
enum class AthleteOrder { AgeGender, Surname };

struct AthleteRow {
    qint64 athleteNo = 0;
    qint64 teamNo = 0;
    QString surname;
    QString firstName;
    QString gender;
    int age = 0;
    QString number;
    QString idNumber;
    QString birthDate;
    QString category;
    QString disabilityClasses;
    QString localSmds;
    QString worldSmds;
    QString demographic;
    int nAthlon = 0;

    bool isRelayTeam() const { return surname == kRelayTeamSurname; }
};

// The athletes (and relay teams) of one meeting: the checks of the athlete dialog, saving,
// deleting and the lists the screens show.
class Athletes {
public:
    enum class Field {
        None,
        Gender,
        Age,
        Name,
        Number,
        BirthDate,
        Category,
        Demographic,
        DisabilityClasses,
        LocalSmds,
        WorldSmds
    };

    Athletes(db::DmdCoreDbs& database, const EntrySettings& settings);

    // The age typed in the "Age" (or "Grade") field; empty, with the message shown, when it
    // is not acceptable.
    static std::optional<int> readAgeText(base::Messages& messages, const EntrySettings& s,
                                          const QString& text, bool relayTeam);

    std::optional<AthleteRow> find(qint64 athleteNo);
    // A team's athletes, relay teams when asked.
    QList<AthleteRow> ofTeam(qint64 teamNo, bool withRelayTeams = true,
                             AthleteOrder order = AthleteOrder::AgeGender);
    int participationCount(qint64 athleteNo);

    // The field at fault (its message shown), or None. May ask the user to confirm.
    Field check(const AthleteRow& athlete);
    // The first of those checks: the gender, and that the team has it.
    Field checkGender(const AthleteRow& athlete);
    // The new ATHLETENO, 0 when refused. The insert and the update are two statements.
    qint64 add(const AthleteRow& athlete);
    bool edit(const AthleteRow& athlete);
    // Writes an athlete that passed check(): a new one (athleteNo 0) is inserted and then
    // updated, an old one updated. Its ATHLETENO, 0 when not written.
    qint64 save(const AthleteRow& athlete);
    base::Messages& messages();
    db::DmdCoreDbs& database() { return m_db; }
    // Refused while the athlete has participations.
    bool remove(qint64 athleteNo);
    // "Clear Birthdate".
    bool clearBirthDate(qint64 athleteNo);

    // Every column the update writes, composed once for add and edit.
    QString updateSql(const AthleteRow& athlete) const;

private:
    Field checkDuplicates(const AthleteRow& athlete);
    Field checkRelayTeam(const AthleteRow& athlete);
    Field checkNumber(const AthleteRow& athlete);
    Field checkBirthDate(const AthleteRow& athlete);
    Field checkCodes(const AthleteRow& athlete);
    Field checkDisability(const AthleteRow& athlete);
    DisabilityClasses readDisabilityClasses(const QString& typed) const;
    // An entered athlete's category must stay that of the events it entered.
    bool categoryFitsEntries(const AthleteRow& athlete);

    db::DmdCoreDbs& m_db;
    EntrySettings m_settings;
};

// An athlete row from a query that selected the ATHLETE columns by name.
AthleteRow athleteOf(const db::Query& q);
// The select list that athleteOf() reads.
QString athleteColumns();
// "Girls 13", "Men Masters 45": how the meeting describes a gender and an age.
QString genderAge(db::DmdCoreDbs& database, const QString& gender, int age,
                  const EntrySettings& settings);

} // namespace entries
