#pragma once

#include "entries/entrysettings.h"
#include "entries/participations.h"
#include "entries/teams.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}

namespace entries {

struct RelayTeamRow {
    qint64 athleteNo = 0; // the relay team's ATHLETE row
    QString name;         // its FIRSTNAME: "A", "B" ...
};

// A selected relay event with the relay teams entered in it.
struct RelayEventRow {
    EventRow event;
    QStringList teams; // "OAK (A)", by team abbreviation
};

// Relay teams as competitors: per team and relay event, and for all teams at once.
class RelayTeams {
public:
    RelayTeams(db::DmdCoreDbs& database, const EntrySettings& settings);

    // The refusal of a list of relay-team names for `count` teams, empty when it is
    // acceptable.
    static QString checkNames(const QStringList& names, int count);

    // The meeting's selected relay events, by sequence or by age and gender, each with its
    // relay teams.
    QList<RelayEventRow> relayEvents(bool byAgeAndGender = false);
    // Tells (and is false) when there are no relay events or no teams to enter.
    bool canEnterRelays();

    // Every relay team entered in the event, named "ABRV (A)", by team abbreviation.
    QList<RelayTeamRow> inEvent(qint64 eventNo);
    // The team's relay teams entered in the event, in the order they were made.
    QList<RelayTeamRow> ofTeam(qint64 teamNo, qint64 eventNo);
    // Makes the team's relay teams in the event match `names` position by position:
    // renames kept positions, removes dropped ones, creates new ones. A team without the
    // event's gender is refused unless `force`; more than two relay teams are asked about.
    bool setRelayTeams(qint64 teamNo, qint64 eventNo, const QStringList& names, bool force = false);
    // The same with the number of relay teams the user gave: the names must match it.
    bool setRelayTeams(qint64 teamNo, qint64 eventNo, int count, const QStringList& names,
                       bool force = false);
    // Takes the relay team out of the event as any entry is taken out (refused with
    // performances), with its swimmers in that event; the relay team itself goes too
    // unless it swims another relay.
    bool remove(qint64 relayTeamNo, qint64 eventNo);
    // Every team with the gender of every selected relay event gets its relay team and
    // participation. Returns the numbers added as {relay teams, participations}.
    std::pair<int, int> createForAll();

    // The relay-team athlete of a team for a gender and age with this name, made when
    // missing; 0 when it could not be written.
    qint64 findOrCreate(qint64 teamNo, const QString& gender, int age, const QString& name);
    // Whether the team has swimmers of the relay's gender ("T": mixed, every team).
    static bool teamHasGender(const TeamRow& team, const QString& relayGender);
    // The legs of a relay item ("4x100" has 4).
    static int legCount(const QString& relayLegs);

private:
    qint64 enter(qint64 relayTeamNo, qint64 eventNo);
    qint64 create(qint64 teamNo, const QString& gender, int age, const QString& name);

    db::DmdCoreDbs& m_db;
    EntrySettings m_settings;
};

} // namespace entries
