#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// The width of PROGRAM.RANDOMDRAW.
inline constexpr int kTeamLaneListWidth = 120;

// The list of team lanes a new heat is given (PROGRAM.RANDOMDRAW): the abbreviations of
// the teams with athletes of the gender ("M" or "F"), in abbreviation order, joined by
// ";", as many as the column holds. Another gender is an internal error and takes every
// team.
QString teamLaneListForNewHeat(db::DmdCoreDbs& database, base::Messages& messages, int meetingNo,
                               const QString& gender);

// "Male" or "Female" for "M" or "F".
QString genderWord(const QString& gender);

// The constant team lanes of a meeting: per gender an ordered list of teams, one per lane,
// lane 1 first, kept in MEETING.MALE_TEAMS and FEMALE_TEAMS.
class ConstantTeamLanes {
public:
    ConstantTeamLanes(db::DmdCoreDbs& database, base::Messages& messages, int meetingNo);

    QStringList lanes(const QString& gender);
    // The teams of the meeting that have athletes of the gender, in abbreviation order.
    QStringList teamsOfGender(const QString& gender);
    // The teams of the gender that have no lane yet.
    QStringList missingTeams(const QString& gender, const QStringList& lanes);

    // Checks and stores a whole list: every name a team of the meeting, none twice. False
    // with the message otherwise; nothing is written then.
    bool setLanes(const QString& gender, const QStringList& teams);
    // A new last lane for `team` ("No Teams selected" when empty).
    bool addLane(const QString& gender, const QString& team);
    // Removes lane `lane` (1-based); the lanes after it move up and any team of the gender
    // left without a lane is added as the last lane.
    bool removeLane(const QString& gender, int lane);

private:
    QString column(const QString& gender) const;

    db::DmdCoreDbs& m_database;
    base::Messages& m_messages;
    int m_meetingNo;
};

// "After TeamDraw : Check Lanes used": how many athletes of the meeting were drawn into
// each lane, per team.
struct LaneUse {
    int lane = 0;
    QString team;
    int athletes = 0;
};
QList<LaneUse> lanesUsed(db::DmdCoreDbs& database, int meetingNo);

} // namespace draw
