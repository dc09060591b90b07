#include "entries/evententries.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"

#include <QHash>

namespace entries {

namespace {

// Rounds run C, B, A and then the final.
const QString kRoundsInOrder = QStringLiteral("CBAF");

} // namespace

EventEntries::EventEntries(db::DmdCoreDbs& database, const EntrySettings& settings,
                           const meeting::ItemTypes& items)
    : m_db(database), m_settings(settings), m_items(items)
{
}

QList<EventEntryRow> EventEntries::events(bool relays, Order order,
                                          const HeatShortfallCheck& tooFew)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select E.EVENTNO, E.ITEMCODE, E.C_GENDER, E.C_AGE, E.CATEGORY, "
                       "E.N_ATHLON, ") +
        programSequenceSql() +
        QStringLiteral(" as PROGRAM_SEQ, E.HEATCOUNTS, E.HEATFORMAT, E.FINAL_NOT_RUN, "
                       "(select count(*) from PARTICIPATE P where P.EVENTNO = E.EVENTNO) as "
                       "ATHLETES from MYEVENT E where E.MEETINGNO = ") +
        db::sqlInt(m_settings.meetingNo) + QStringLiteral(" and E.SELECTED = 'X' order by ") +
        (order == Order::Sequence ? QStringLiteral("PROGRAM_SEQ, E.EVENTNO")
                                  : QStringLiteral("E.C_ABSAORDER, E.EVENTNO")));
    QList<EventEntryRow> rows;
    for (q.first(); !q.eof(); q.next()) {
        EventEntryRow r;
        r.event.eventNo = q.integer(QStringLiteral("EVENTNO"));
        r.event.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
        r.event.gender = q.text(QStringLiteral("C_GENDER")).trimmed();
        r.event.age = q.text(QStringLiteral("C_AGE")).trimmed();
        r.event.category = q.text(QStringLiteral("CATEGORY")).trimmed();
        r.event.nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
        r.event.sequence = int(q.integer(QStringLiteral("PROGRAM_SEQ")));
        r.relay = m_items.IsRelayGroup(r.event.itemCode.left(3));
        if (r.relay != relays)
            continue;
        r.heatFormat = q.text(QStringLiteral("HEATFORMAT")).trimmed();
        r.heatCounts = q.text(QStringLiteral("HEATCOUNTS")).trimmed();
        r.finalNotRun = q.integer(QStringLiteral("FINAL_NOT_RUN")) != 0;
        r.athletes = int(q.integer(QStringLiteral("ATHLETES")));
        r.tooFew = tooFew && r.athletes > 0 && tooFew(r);
        rows.append(r);
    }
    return rows;
}

QList<EventParticipant> EventEntries::participants(qint64 eventNo)
{
    const QString ofEvent = QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo);
    QString firstRound;
    db::Query rounds =
        m_db.openQuery(QStringLiteral("select distinct ROUND from PROGRAM") + ofEvent);
    for (rounds.first(); !rounds.eof(); rounds.next()) {
        const QString round = rounds.text(QStringLiteral("ROUND")).trimmed();
        if (firstRound.isEmpty() ||
            kRoundsInOrder.indexOf(round) < kRoundsInOrder.indexOf(firstRound))
            firstRound = round;
    }
    QHash<qint64, std::pair<int, int>> heats; // athlete -> heat, lane of the first round
    if (!firstRound.isEmpty() && firstRound != QLatin1String("F")) {
        db::Query h =
            m_db.openQuery(QStringLiteral("select ATHLETENO, HEATNO, LANE from HEATPART") +
                           ofEvent + QStringLiteral(" and ROUND = ") + db::quoted(firstRound));
        for (h.first(); !h.eof(); h.next())
            heats.insert(
                h.integer(QStringLiteral("ATHLETENO")),
                {int(h.integer(QStringLiteral("HEATNO"))), int(h.integer(QStringLiteral("LANE")))});
    }
    db::Query q = m_db.openQuery(
        QStringLiteral("select P.PARTNO, P.ATHLETENO, P.BESTPERFBEFORE, P.LANE, P.DID_NOT_CALL, "
                       "A.SURNAME, A.FIRSTNAME, A.NUMBER, A.BIRTHDATE, T.TEAMABRV from PARTICIPATE "
                       "P join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join TEAM T on "
                       "T.TEAMNO = A.TEAMNO where P.EVENTNO = ") +
        db::sqlInt(eventNo) +
        QStringLiteral(" order by T.TEAMABRV, upper(A.SURNAME), upper(A.FIRSTNAME), P.PARTNO"));
    QList<EventParticipant> rows;
    for (q.first(); !q.eof(); q.next()) {
        EventParticipant p;
        p.partNo = q.integer(QStringLiteral("PARTNO"));
        p.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        p.team = q.text(QStringLiteral("TEAMABRV")).trimmed();
        const QString surname = q.text(QStringLiteral("SURNAME")).trimmed();
        const QString firstName = q.text(QStringLiteral("FIRSTNAME")).trimmed();
        p.name = surname == kRelayTeamSurname
                     ? p.team + QStringLiteral(" (") + firstName + QLatin1Char(')')
                     : surname + QStringLiteral(", ") + firstName;
        p.best = q.text(QStringLiteral("BESTPERFBEFORE")).trimmed();
        p.number = q.text(QStringLiteral("NUMBER")).trimmed();
        p.birthDate = q.text(QStringLiteral("BIRTHDATE")).trimmed();
        p.callRoom =
            q.integer(QStringLiteral("DID_NOT_CALL")) != 0 ? QStringLiteral("DNC") : QString();
        const int finalLane = int(q.integer(QStringLiteral("LANE")));
        if (firstRound == QLatin1String("F")) {
            // A final without a lane is not drawn yet.
            if (finalLane > 0) {
                p.round = firstRound;
                p.lane = finalLane;
            }
        } else if (const auto it = heats.constFind(p.athleteNo); it != heats.constEnd()) {
            p.round = firstRound;
            p.heat = it->first;
            p.lane = it->second;
        }
        rows.append(p);
    }
    return rows;
}

bool EventEntries::mayGoTo(const QString& itemCode, bool relays)
{
    const bool relayItem = m_items.IsRelayGroup(itemCode.left(3));
    if (relayItem == relays)
        return true;
    m_db.messages().warning(
        relayItem ? QStringLiteral("You cannot go to that Item: the Item is a Relay-Item, "
                                   "and\ryou are currently NOT in \"Relay\"-mode in this screen.")
                  : QStringLiteral("You cannot go to that Item: the Item is NOT a Relay-Item, "
                                   "and\ryou are currently in \"Relay\"-mode in this screen."));
    return false;
}

std::optional<qint64> EventEntries::seekSequence(int sequence, bool relays)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select P.EVENTNO, E.ITEMCODE from PROGRAM P join MYEVENT E on "
                       "E.EVENTNO = P.EVENTNO where E.MEETINGNO = ") +
        db::sqlInt(m_settings.meetingNo) + QStringLiteral(" and E.SELECTED = 'X' and P.SEQ = ") +
        db::sqlInt(sequence));
    if (!q.isOpen() || q.isEmpty()) {
        m_db.messages().warning(QStringLiteral("Item sequence no ") + QString::number(sequence) +
                                QStringLiteral(" not found"));
        return std::nullopt;
    }
    if (!mayGoTo(q.text(QStringLiteral("ITEMCODE")).trimmed(), relays))
        return std::nullopt;
    return q.integer(QStringLiteral("EVENTNO"));
}

QList<AthleteRow> EventEntries::candidates(qint64 eventNo)
{
    const auto ev = Participations(m_db, m_settings).event(eventNo);
    if (!ev)
        return {};
    QString sql = QStringLiteral("select ") + athleteColumns() +
                  QStringLiteral(" from ATHLETE A where A.TEAMNO in (select TEAMNO from TEAM "
                                 "where MEETINGNO = ") +
                  db::sqlInt(m_settings.meetingNo) + QStringLiteral(") and A.SURNAME <> ") +
                  db::quoted(kRelayTeamSurname) +
                  QStringLiteral(" and coalesce(A.N_ATHLON, 0) = ") + db::sqlInt(ev->nAthlon) +
                  QStringLiteral(" and A.GENDER = ") + db::quoted(ev->gender) +
                  QStringLiteral(" and A.AGE = ") + db::sqlInt(ev->age.toInt()) +
                  QStringLiteral(" and A.ATHLETENO not in (select ATHLETENO from PARTICIPATE "
                                 "where EVENTNO = ") +
                  db::sqlInt(eventNo) + QLatin1Char(')');
    if (m_settings.hasCategories)
        sql += QStringLiteral(" and A.CATEGORY = ") + db::quoted(ev->category);
    db::Query q = m_db.openQuery(
        sql + QStringLiteral(" order by A.TEAMNO, upper(A.SURNAME), upper(A.FIRSTNAME)"));
    QList<AthleteRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append(athleteOf(q));
    return rows;
}

} // namespace entries
