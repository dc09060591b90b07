#pragma once

#include "entries/athletes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class DmdCoreDbs;
}

namespace entries {

struct RelayMemberRow {
    qint64 relayAthleteNo = 0;
    qint64 athleteNo = 0;
    int leg = 0;  // 0: not yet known
    QString kind; // "F" first team, "R" reserve
};

// The swimmers of one relay team in one relay event, with their legs. Only the printed
// sheets read them.
class RelayMembers {
public:
    RelayMembers(db::DmdCoreDbs& database, int meetingNo, qint64 relayTeamNo, qint64 eventNo);
    // The members of the relay team and event that a member row belongs to; nothing when
    // there is no such row.
    static std::optional<RelayMembers> ofRow(db::DmdCoreDbs& database, int meetingNo,
                                             qint64 relayAthleteNo);

    int legs() const { return m_legs; }
    QList<RelayMemberRow> list();
    // The relay team's swimmers who may still join: of its team, the relay's gender (both
    // for a mixed relay) and age (any age when asked), not relay teams, not chosen yet.
    QList<AthleteRow> candidates(bool anyAge = false);
    // `kind` "F" or "R". The new key, 0 when refused.
    qint64 add(qint64 athleteNo, const QString& kind);
    bool setLeg(qint64 relayAthleteNo, int leg);
    bool swapLegs(const QString& kind, int first, int second);
    bool remove(qint64 relayAthleteNo);

    // Deletes the member rows of the meeting that do not point to an athlete of the
    // meeting, a selected event and a relay team of the meeting, and lists them for the
    // user to write down. The lines shown, empty when every row was sound.
    static QStringList checkLinks(db::DmdCoreDbs& database, int meetingNo);

private:
    db::DmdCoreDbs& m_db;
    int m_meetingNo;
    qint64 m_relayTeamNo;
    qint64 m_eventNo;
    int m_legs = 0;
    QString m_gender;
    QString m_age;
};

} // namespace entries
