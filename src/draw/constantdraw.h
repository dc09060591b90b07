#pragma once

#include <QList>
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

// An athlete the constant draw could not give a lane of his own team.
struct ConstantLeftover {
    qint64 athleteNo = 0;
    QString round;
    int heat = 0; // 0 with lane 0: no spot was left at all
    int lane = 0;
    QString teamAbrv;
    QString firstName;
    QString surname;
};

struct ConstantDrawResult {
    bool stored = false;
    int drawn = 0;
    QList<ConstantLeftover> leftovers;
};

// The first-round draw of the "Constant" method: every team keeps its lane (the meeting's
// team lanes of the item's gender) in every heat. The athletes of a team fill its lane heat
// by heat; athletes beyond that, and of teams without a lane, take the free lanes nearest
// the middle of the list. The round's previous draw is replaced in one transaction.
ConstantDrawResult constantFirstRoundDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                          base::Messages& messages, qint64 eventNo);

// "Leftover from Drawing": the table of athletes drawn outside their team's lane, or the
// sentence that there are none.
QString constantLeftoverReport(const meeting::ItemTypes& items, const QString& itemCode,
                               const QList<ConstantLeftover>& leftovers);

} // namespace draw
