#include "draw/latedraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/roundfacts.h"

namespace draw {

LateDraw::LateDraw(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo)
    : m_database(database), m_messages(messages), m_eventNo(eventNo)
{
}

bool LateDraw::open()
{
    const QString format =
        m_database.selectOneValue(QStringLiteral("HEATFORMAT"), QStringLiteral("MYEVENT"),
                                  QStringLiteral("EVENTNO = ") + db::sqlInt(m_eventNo));
    const QString first = HeatFormats::firstRound(format.trimmed());
    if (first.isEmpty())
        return false;
    const RoundFacts facts = roundFacts(m_database, m_messages, m_eventNo, first);
    if (!facts.found)
        return false;
    m_round = facts.round;
    m_heats = facts.heats;
    m_meetingNo = facts.meetingNo;
    return true;
}

int LateDraw::heats() const
{
    return m_heats;
}

const QString& LateDraw::round() const
{
    return m_round;
}

QList<UndrawnAthlete> LateDraw::undrawn(bool showEmpty)
{
    const QString notDrawn =
        m_round == QLatin1String("F")
            ? QStringLiteral("coalesce(P.LANE, 0) = 0")
            : QStringLiteral("not exists (select 1 from HEATPART H where H.EVENTNO = P.EVENTNO "
                             "and H.ATHLETENO = P.ATHLETENO and H.ROUND = ") +
                  db::quoted(m_round) + QStringLiteral(")");
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.ATHLETENO, A.SURNAME, A.FIRSTNAME, T.TEAMABRV from PARTICIPATE "
                       "P join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(m_eventNo) + QStringLiteral(" and ") + notDrawn +
        QStringLiteral(" order by A.SURNAME, A.FIRSTNAME"));
    QList<UndrawnAthlete> athletes;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        athletes.append({q.integer("ATHLETENO"), q.text("SURNAME").trimmed(),
                         q.text("FIRSTNAME").trimmed(), q.text("TEAMABRV").trimmed()});
    if (athletes.isEmpty() && showEmpty)
        m_messages.information(QStringLiteral("There are no Athletes that were not Drawn for a "
                                              "Heats and Lanes"));
    return athletes;
}

QList<int> LateDraw::lanesInUse(int heat)
{
    const bool final = m_round == QLatin1String("F");
    db::Query q = m_database.openQuery(
        final ? QStringLiteral("select LANE from PARTICIPATE where EVENTNO = ") +
                    db::sqlInt(m_eventNo) + QStringLiteral(" and LANE > 0 order by LANE")
              : QStringLiteral("select LANE from HEATPART where EVENTNO = ") +
                    db::sqlInt(m_eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(m_round) +
                    QStringLiteral(" and HEATNO = ") + db::sqlInt(heat) +
                    QStringLiteral(" and LANE > 0 order by LANE"));
    QList<int> lanes;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        lanes.append(int(q.integer("LANE")));
    return lanes;
}

bool LateDraw::add(qint64 athleteNo, int heat, const QString& laneText)
{
    const bool final = m_round == QLatin1String("F");
    if (final ? heat != 0 : (heat < 1 || heat > m_heats)) {
        m_messages.warning(QStringLiteral("Select a Heat"));
        return false;
    }
    const QString partWhere = QStringLiteral("EVENTNO = ") + db::sqlInt(m_eventNo) +
                              QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo);
    if (m_database.ZSqlCount(QStringLiteral("PARTICIPATE"), partWhere) == 0) {
        m_messages.warning(QStringLiteral("The athlete ") + QString::number(athleteNo) +
                           QStringLiteral(" is not entered in this event"));
        return false;
    }
    const QString heatWhere = partWhere + QStringLiteral(" and ROUND = ") + db::quoted(m_round);
    const QString current = final
                                ? QString()
                                : m_database.selectOneValue(QStringLiteral("HEATNO"),
                                                            QStringLiteral("HEATPART"), heatWhere);
    if (!final && current.toInt() > 0) {
        m_messages.warning(QStringLiteral("The Athlete is already in Heat ") + current);
        return false;
    }
    bool ok = false;
    const int lane = laneText.trimmed().toInt(&ok);
    if (!ok || lane < 0) {
        m_messages.warning(QStringLiteral("The lane must be a number"));
        return false;
    }
    if (lane > 0 && lanesInUse(heat).contains(lane)) {
        m_messages.warning(QStringLiteral("The lane is already occupied."));
        return false;
    }
    if (final)
        return m_database.executeOneRow(QStringLiteral("update PARTICIPATE set LANE = ") +
                                        db::sqlInt(lane) + QStringLiteral(" where ") + partWhere);
    if (!current.isEmpty())
        return m_database.executeOneRow(QStringLiteral("update HEATPART set HEATNO = ") +
                                        db::sqlInt(heat) + QStringLiteral(", LANE = ") +
                                        db::sqlInt(lane) +
                                        QStringLiteral(", TEAMDRAW_USED = 0 where ") + heatWhere);
    const qint64 key = m_database.nextKeyNumber();
    if (key <= 0)
        return false;
    RoundFacts facts;
    facts.eventNo = m_eventNo;
    facts.meetingNo = m_meetingNo;
    facts.round = m_round;
    return m_database.executeOneRow(insertHeatPartSql(key, facts, heat, athleteNo, lane));
}

} // namespace draw
