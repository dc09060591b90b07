#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// The pattern draw: in the bend races every team keeps a number and the teams' lanes rotate
// through the balanced cycles of the pattern tables, heat by heat through the program.

// True for the items the pattern applies to: track items of the short, long, relay and
// hurdle groups from 150 m to 500 m.
bool patternApplies(const meeting::ItemTypes& items, const QString& itemCode);

// The teams that take part in the pattern of one gender, by their number (1 to the lanes).
using PatternTeams = QMap<int, QString>;

class PatternDraw {
public:
    PatternDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items, base::Messages& messages,
                int meetingNo);

    int laneCount();
    bool setLaneCount(int lanes);
    // "M" or "F".
    PatternTeams teams(const QString& gender);
    // Gives the teams, in order, the numbers 1, 2, ... of the gender's pattern; every other
    // team of the meeting takes no part. Unknown or repeated teams are refused.
    bool setTeams(const QString& gender, const QStringList& teamsInOrder);
    // "Tag all Teams according to what Genders they allow": numbers the teams with athletes
    // of each gender in abbreviation order.
    bool tagTeamsByGender();

    // Checks the lane count and that each gender has exactly that many teams, numbered 1
    // to the lanes; false with the system's message. With `askFewTeams`, a meeting with
    // fewer teams than lanes is told so and may go on.
    bool configurationCorrect(bool askFewTeams);

    // "Clear all the current Pattern Sequences Numbers", then "Renumber the Pattern
    // Sequences": the heats of the pattern's items in program order get 1, 2, 3, ...; with
    // a correct configuration each such heat also gets its teams' lanes (RANDOMDRAW), so
    // that the team-lane draws follow the pattern. One transaction; the count numbered, or
    // -1 on failure.
    int renumber();

    // The teams, lane 1 first, of pattern `sequence` for the gender; empty entries (with
    // the internal error) for numbers without a team.
    QStringList teamsOfSequence(int sequence, const QString& gender);

    // The printed pattern: one line per numbered heat ("PROGRAM SEQ, PATTERN (TEAM
    // NUMBERS), ITEM") and the legends of the team numbers; empty (with the message) when
    // the configuration is not correct.
    QString report();

private:
    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
    base::Messages& m_messages;
    int m_meetingNo;
};

} // namespace draw
