#include "draw/constantdraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/roundfacts.h"
#include "draw/teamlanes.h"
#include "meeting/itemtypes.h"

#include <algorithm>
#include <cmath>

namespace draw {

namespace {

struct Spot {
    QString team;
    int lane = 0;
    int heat = 0;
    int order = 0; // 1000 + twice the distance from the middle of the list
    qint64 athleteNo = 0;
};

struct Entrant {
    qint64 athleteNo = 0;
    QString teamAbrv;
    QString firstName;
    QString surname;
};

} // namespace

ConstantDrawResult constantFirstRoundDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                          base::Messages& messages, qint64 eventNo)
{
    ConstantDrawResult result;
    const QString format =
        database
            .selectOneValue(QStringLiteral("HEATFORMAT"), QStringLiteral("MYEVENT"),
                            QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
            .trimmed();
    const RoundFacts facts =
        roundFacts(database, messages, eventNo, HeatFormats::firstRound(format));
    if (!facts.found)
        return result;
    const QString gender = items.ItemGender(facts.itemCode);
    const QStringList lanes =
        ConstantTeamLanes(database, messages, facts.meetingNo)
            .lanes(gender == QLatin1String("M") ? gender : QStringLiteral("F"));
    db::Query q = database.openQuery(
        QStringLiteral("select P.ATHLETENO, T.TEAMABRV, A.FIRSTNAME, A.SURNAME from PARTICIPATE "
                       "P join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(eventNo) +
        QStringLiteral(" and coalesce(P.DID_NOT_CALL, 0) = 0 and coalesce(P.DISQ_STATUS, 0) = 0 "
                       "order by T.TEAMABRV, A.SURNAME, A.FIRSTNAME"));
    QList<Entrant> entrants;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        entrants.append({q.integer("ATHLETENO"), q.text("TEAMABRV").trimmed(),
                         q.text("FIRSTNAME").trimmed(), q.text("SURNAME").trimmed()});

    const int n = int(lanes.size());
    QList<Spot> spots;
    for (int i = 1; i <= n; ++i)
        for (int h = 1; h <= facts.heats; ++h)
            spots.append(
                {lanes[i - 1], i, h, 1000 + int(std::lround(std::abs(i - n / 2.0) * 2)), 0});
    std::stable_sort(spots.begin(), spots.end(),
                     [](const Spot& a, const Spot& b) { return a.order < b.order; });
    if (spots.isEmpty() && !entrants.isEmpty())
        messages.internalError(460601, QStringLiteral("No spots found ?!"));

    // Own team's lane first, heat by heat; whoever is left takes a free spot.
    QList<Entrant> over;
    for (const Entrant& e : entrants) {
        auto own = std::find_if(spots.begin(), spots.end(), [&](const Spot& s) {
            return s.athleteNo == 0 && s.team == e.teamAbrv;
        });
        // The team's spots sorted by heat: its lane is one lane, so heats come in order.
        if (own != spots.end())
            own->athleteNo = e.athleteNo;
        else
            over.append(e);
    }
    for (const Entrant& e : over) {
        auto free = std::find_if(spots.begin(), spots.end(),
                                 [](const Spot& s) { return s.athleteNo == 0; });
        if (free == spots.end()) {
            messages.internalError(460602, QStringLiteral("Athletes depleted ?!"));
            result.leftovers.append(
                {e.athleteNo, facts.round, 0, 0, e.teamAbrv, e.firstName, e.surname});
            continue;
        }
        free->athleteNo = e.athleteNo;
        result.leftovers.append(
            {e.athleteNo, facts.round, free->heat, free->lane, e.teamAbrv, e.firstName, e.surname});
    }

    QStringList statements{
        facts.isFinal()
            ? QStringLiteral("update PARTICIPATE set LANE = 0 where ") + roundRowsWhere(facts)
            : QStringLiteral("delete from HEATPART where ") + roundRowsWhere(facts)};
    for (const Spot& s : spots) {
        if (s.athleteNo == 0)
            continue;
        const bool ownLane =
            std::none_of(result.leftovers.begin(), result.leftovers.end(),
                         [&](const ConstantLeftover& l) { return l.athleteNo == s.athleteNo; });
        ++result.drawn;
        if (facts.isFinal()) {
            statements.append(QStringLiteral("update PARTICIPATE set LANE = ") +
                              db::sqlInt(s.lane) + QStringLiteral(", TEAMDRAW_USED = ") +
                              db::sqlInt(ownLane ? 1 : 0) + QStringLiteral(" where EVENTNO = ") +
                              db::sqlInt(eventNo) + QStringLiteral(" and ATHLETENO = ") +
                              db::sqlInt(s.athleteNo));
            continue;
        }
        const qint64 key = database.nextKeyNumber();
        if (key <= 0)
            return result;
        statements.append(insertHeatPartSql(key, facts, s.heat, s.athleteNo, s.lane, ownLane));
    }
    result.stored = database.executeAll(statements);
    return result;
}

QString constantLeftoverReport(const meeting::ItemTypes& items, const QString& itemCode,
                               const QList<ConstantLeftover>& leftovers)
{
    if (leftovers.isEmpty())
        return QStringLiteral("There are no Athletes that could not be drawn in a Lane assigned "
                              "for his Team.");
    const auto cell = [](const QString& text, int width) {
        return text.left(width).leftJustified(width);
    };
    QStringList lines{QStringLiteral("Athletes exceed the Number of Lanes available for a Team"),
                      cell(QStringLiteral("Seq"), 5) + cell(QStringLiteral("Time"), 7) +
                          cell(QStringLiteral("Item"), 27) + cell(QStringLiteral("Round"), 5) +
                          cell(QStringLiteral("Heat"), 5) + cell(QStringLiteral("Lane"), 5) +
                          cell(QStringLiteral("Team"), 8) + cell(QStringLiteral("Firstname"), 15) +
                          cell(QStringLiteral("Surname"), 15)};
    int seq = 0;
    for (const ConstantLeftover& l : leftovers)
        lines.append(cell(QString::number(++seq), 5) + cell(QString(), 7) +
                     cell(items.ItemDescription(itemCode, false), 27) + cell(l.round, 5) +
                     cell(QString::number(l.heat), 5) + cell(QString::number(l.lane), 5) +
                     cell(l.teamAbrv, 8) + cell(l.firstName, 15) + cell(l.surname, 15));
    return lines.join(QLatin1Char('\n'));
}

} // namespace draw
