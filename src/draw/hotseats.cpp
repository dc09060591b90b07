#include "draw/hotseats.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/roundfacts.h"
#include "meeting/itemtypes.h"

namespace draw {

HotSeats::HotSeats(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                   base::Messages& messages)
    : m_database(database), m_items(items), m_messages(messages)
{
}

bool HotSeats::open(qint64 eventNo, const QString& round)
{
    const RoundFacts facts = roundFacts(m_database, m_messages, eventNo, round);
    if (!facts.found)
        return false;
    if (facts.firstRound) {
        m_messages.warning(QStringLiteral("HotSeats is not applicable to the first round (") +
                           facts.round + QStringLiteral(")"));
        return false;
    }
    m_eventNo = eventNo;
    m_round = facts.round;
    m_previous = facts.previousRound;
    m_meetingNo = facts.meetingNo;
    m_fieldItem = m_items.IsFieldItem(facts.itemCode);
    return true;
}

QList<HotSeat> HotSeats::waiting(bool showEmpty)
{
    const QString inRound =
        m_round == QLatin1String("F")
            ? QStringLiteral("exists (select 1 from PARTICIPATE X where X.EVENTNO = B.EVENTNO and "
                             "X.ATHLETENO = B.ATHLETENO and X.LANE > 0)")
            : QStringLiteral("exists (select 1 from HEATPART X where X.EVENTNO = B.EVENTNO and "
                             "X.ATHLETENO = B.ATHLETENO and X.ROUND = ") +
                  db::quoted(m_round) + QStringLiteral(")");
    db::Query q = m_database.openQuery(
        QStringLiteral("select B.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV, B.PLACE, "
                       "B.PERFORMANCE from HEATPART B join ATHLETE A on A.ATHLETENO = "
                       "B.ATHLETENO left join TEAM T on T.TEAMNO = A.TEAMNO where B.EVENTNO = ") +
        db::sqlInt(m_eventNo) + QStringLiteral(" and B.ROUND = ") + db::quoted(m_previous) +
        QStringLiteral(" and B.PLACE > 0 and coalesce(B.DISQ_STATUS, 0) = 0 and not ") + inRound +
        QStringLiteral(" order by B.PERFORMANCE") +
        (m_fieldItem ? QStringLiteral(" desc") : QString()));
    QList<HotSeat> seats;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        seats.append(
            {q.integer("ATHLETENO"),
             q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed(),
             q.text("TEAMABRV").trimmed(), int(q.integer("PLACE")),
             q.text("PERFORMANCE").trimmed()});
    if (seats.isEmpty() && showEmpty)
        m_messages.information(QStringLiteral("There are no \"hotseats\" available"));
    return seats;
}

bool HotSeats::replace(qint64 drawnAthleteNo, qint64 waitingAthleteNo)
{
    const bool final = m_round == QLatin1String("F");
    const QString drawnWhere = QStringLiteral("EVENTNO = ") + db::sqlInt(m_eventNo) +
                               QStringLiteral(" and ATHLETENO = ") + db::sqlInt(drawnAthleteNo) +
                               (final ? QStringLiteral(" and LANE > 0")
                                      : QStringLiteral(" and ROUND = ") + db::quoted(m_round));
    db::Query drawn = m_database.openQuery(
        QStringLiteral("select X.LANE, ") +
        (final ? QStringLiteral("0 as HEATNO") : QStringLiteral("X.HEATNO")) +
        QStringLiteral(", A.SURNAME, A.FIRSTNAME, T.TEAMABRV from ") +
        (final ? QStringLiteral("PARTICIPATE X") : QStringLiteral("HEATPART X")) +
        QStringLiteral(" join ATHLETE A on A.ATHLETENO = X.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where X.") +
        QString(drawnWhere).replace(QStringLiteral(" and "), QStringLiteral(" and X.")));
    if (!drawn.isOpen() || drawn.isEmpty()) {
        m_messages.warning(QStringLiteral("The athlete ") + QString::number(drawnAthleteNo) +
                           QStringLiteral(" is not drawn in ") + roundText(m_round));
        return false;
    }
    drawn.first();
    const QList<HotSeat> seats = waiting(false);
    const auto seat = std::find_if(seats.begin(), seats.end(), [&](const HotSeat& s) {
        return s.athleteNo == waitingAthleteNo;
    });
    if (seat == seats.end()) {
        m_messages.warning(QStringLiteral("The athlete ") + QString::number(waitingAthleteNo) +
                           QStringLiteral(" is not in a hot seat"));
        return false;
    }
    const int heat = int(drawn.integer("HEATNO"));
    const int lane = int(drawn.integer("LANE"));
    if (!m_messages.confirm(
            QStringLiteral("Replace the athlete ") + drawn.text("SURNAME").trimmed() +
            QStringLiteral(", ") + drawn.text("FIRSTNAME").trimmed() + QStringLiteral(" of Team ") +
            drawn.text("TEAMABRV").trimmed() + QStringLiteral(" drawn in") +
            QStringLiteral(" Heat ") + QString::number(heat) + QStringLiteral(" Lane ") +
            QString::number(lane) + QStringLiteral(" with Athlete ") + seat->name))
        return false;
    QStringList statements;
    if (final) {
        statements.append(QStringLiteral("update PARTICIPATE set LANE = 0 where ") + drawnWhere);
        statements.append(QStringLiteral("update PARTICIPATE set LANE = ") + db::sqlInt(lane) +
                          QStringLiteral(" where EVENTNO = ") + db::sqlInt(m_eventNo) +
                          QStringLiteral(" and ATHLETENO = ") + db::sqlInt(waitingAthleteNo));
    } else {
        const qint64 key = m_database.nextKeyNumber();
        if (key <= 0)
            return false;
        RoundFacts facts;
        facts.eventNo = m_eventNo;
        facts.meetingNo = m_meetingNo;
        facts.round = m_round;
        statements.append(QStringLiteral("delete from HEATPART where ") + drawnWhere);
        statements.append(insertHeatPartSql(key, facts, heat, waitingAthleteNo, lane));
    }
    return m_database.executeAll(statements);
}

} // namespace draw
