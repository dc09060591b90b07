#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// The orders of a heat's members: by lane (lane 0 last), by status and electronic place
// (place 0 last), by surname.
enum class MemberOrder { Lane = 1, Status = 2, Surname = 3 };

// One athlete (or relay team) of a heat. The final's members are the event's PARTICIPATE
// rows (heatPartNo -1); the members of a heat of round A, B or C are its HEATPART rows
// (partNo and didNotCall -1).
struct HeatMember {
    qint64 partNo = -1;
    qint64 heatPartNo = -1;
    int didNotCall = -1;
    qint64 athleteNo = 0;
    QString surname;
    QString firstName;
    QString teamName;
    QString teamAbrv;
    int lane = 0;
    int place = 0;
    int ePlace = 0;
    int disqStatus = 0;
    QString performance;
    int medalWithExcluded = 0; // 0 unless the meeting excludes teams from medals
};

// The order clause of a member order over the heat rows "X" joined to ATHLETE "A"; empty
// for an unknown order.
QString memberOrderBy(int order);

// The query that sheets, capture and the manual draw read a heat's members with; empty,
// with an internal error, for a missing round or heat or an unknown order.
QString heatMembersSql(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                       const QString& round, int heatNo, int order);
// `ok` tells an empty heat from a refused question.
QList<HeatMember> heatMembers(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                              const QString& round, int heatNo, int order, bool* ok = nullptr);

} // namespace draw
