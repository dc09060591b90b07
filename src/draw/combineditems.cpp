#include "draw/combineditems.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/query.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "meeting/itemtypes.h"

#include <QHash>
#include <QSet>
#include <QTime>

namespace draw {

namespace {

QString inList(const QList<qint64>& numbers)
{
    QStringList texts;
    for (qint64 n : numbers)
        texts.append(db::sqlInt(n));
    return QStringLiteral("(") + texts.join(QStringLiteral(", ")) + QStringLiteral(")");
}

bool isNathlonItem(const meeting::ItemTypes& items, const EventRow& event)
{
    return event.nAthlon > 0 || event.itemCode.startsWith(QLatin1String("NTH")) ||
           items.IsNathlon(event.itemCode);
}

// Rounds before the final in the saved format: a combined race is only ever one final.
bool hasHeats(const EventRow& event)
{
    return HeatFormats::roundCount(event.format) > 0;
}

} // namespace

CombinedItems::CombinedItems(Events& events) : m_events(events) {}

qint64 CombinedItems::groupOf(qint64 eventNo)
{
    return m_events.database()
        .selectOneValue(QStringLiteral("coalesce(COMBINEDNO, 0)"), QStringLiteral("MYEVENT"),
                        QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                            QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_events.meetingNo()))
        .toLongLong();
}

QString CombinedItems::groupName(qint64 combinedNo)
{
    return m_events.database()
        .selectOneValue(QStringLiteral("NAME"), QStringLiteral("COMBINED"),
                        QStringLiteral("COMBINEDNO = ") + db::sqlInt(combinedNo))
        .trimmed();
}

int CombinedItems::drawnLanes(const QString& where)
{
    // A combined race is one final: its lanes are on the events' PARTICIPATE rows.
    return m_events.database().ZSqlCount(
        QStringLiteral("PARTICIPATE P"),
        QStringLiteral("P.LANE > 0 and P.EVENTNO in (select E.EVENTNO from MYEVENT E where ") +
            where + QStringLiteral(")"));
}

QString CombinedItems::refusal(const EventRow& event)
{
    const QString title = m_events.eventTitle(event.eventNo);
    if (isNathlonItem(m_events.items(), event))
        return QStringLiteral("An item of an n-Athlon cannot be combined: ") + title;
    if (hasHeats(event))
        return QStringLiteral("You cannot combine this Item: it hast Heats: ") + title;
    if (event.combinedNo > 0)
        return QStringLiteral("This Item is already in the Combined Item \"") + event.combinedName +
               QStringLiteral("\": ") + title;
    // Drawn alone, its swimmers hold lanes the group's race would give again.
    if (drawnLanes(QStringLiteral("E.EVENTNO = ") + db::sqlInt(event.eventNo)) > 0)
        return QStringLiteral("This Item is already drawn on its own: ") + title +
               QStringLiteral("\rClear the Draw of its Final first, then combine it.");
    return QString();
}

QString CombinedItems::freeName()
{
    QSet<QString> used;
    db::Query q = m_events.database().openQuery(
        QStringLiteral("select NAME from COMBINED where MEETINGNO = ") +
        db::sqlInt(m_events.meetingNo()));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        used.insert(q.text("NAME").trimmed());
    int n = 1;
    while (used.contains(QString::number(n)))
        ++n;
    return QString::number(n);
}

QString CombinedItems::groupTypeOf(const QList<EventRow>& events) const
{
    // The group, distance and gender part of the code: one item for several ages when
    // they all agree, otherwise different items (classes, strokes) in one race.
    const QString item = events.first().itemCode.left(10);
    for (const EventRow& e : events)
        if (e.itemCode.left(10) != item)
            return QStringLiteral("Items");
    return QStringLiteral("Ages");
}

qint64 CombinedItems::combine(const QList<qint64>& eventNos, const QString& name)
{
    base::Messages& messages = m_events.messages();
    QList<qint64> unique;
    for (qint64 e : eventNos)
        if (!unique.contains(e))
            unique.append(e);
    if (unique.size() < 2) {
        messages.warning(QStringLiteral("It does not make sense to \"Combine\" one Item on its "
                                        "own."));
        return 0;
    }
    const QString groupName = name.trimmed().isEmpty() ? freeName() : name.trimmed();
    if (groupName.size() > kMaxNameLength) {
        messages.warning(QStringLiteral("The name of a Combined Item has at most ") +
                         QString::number(kMaxNameLength) + QStringLiteral(" characters: ") +
                         groupName);
        return 0;
    }
    QList<EventRow> rows;
    for (qint64 e : unique) {
        const EventRow row = m_events.event(e);
        if (row.eventNo == 0) {
            messages.warning(QStringLiteral("There is no such event in this meeting: ") +
                             QString::number(e));
            return 0;
        }
        if (const QString why = refusal(row); !why.isEmpty()) {
            messages.warning(why);
            return 0;
        }
        rows.append(row);
    }

    db::DmdCoreDbs& database = m_events.database();
    const qint64 combinedNo = database.nextKeyNumber();
    if (combinedNo <= 0)
        return 0;
    const QString key = db::sqlInt(combinedNo);
    const QString inEvents = inList(unique);
    // The group takes the slot of the first event's final (a new event without a
    // program row gets day 1 and no time), and every event's rows take the group's.
    const QString insert =
        QStringLiteral("insert into COMBINED (COMBINEDNO, MEETINGNO, NAME, GROUP_TYPE, DAY_SEQ, "
                       "SEQ, THETIME, PIT) select first 1 ") +
        key + QStringLiteral(", ") + db::sqlInt(m_events.meetingNo()) + QStringLiteral(", ") +
        db::quoted(groupName) + QStringLiteral(", ") + db::quoted(groupTypeOf(rows)) +
        QStringLiteral(", coalesce(P.DAY_SEQ, 1), coalesce(P.SEQ, 0), P.THETIME, "
                       "coalesce(P.PIT, '') from RDB$DATABASE left join PROGRAM P on "
                       "P.EVENTNO = ") +
        db::sqlInt(unique.first()) + QStringLiteral(" and P.ROUND = 'F' order by P.HEATNO");
    const QString assign = QStringLiteral("update MYEVENT set COMBINEDNO = ") + key +
                           QStringLiteral(" where EVENTNO in ") + inEvents;
    const QString fromGroup = QStringLiteral(" from COMBINED C where C.COMBINEDNO = ") + key;
    const QString copySlot = QStringLiteral("update PROGRAM set DAY_SEQ = (select C.DAY_SEQ") +
                             fromGroup + QStringLiteral("), SEQ = (select C.SEQ") + fromGroup +
                             QStringLiteral("), THETIME = (select C.THETIME") + fromGroup +
                             QStringLiteral("), PIT = (select C.PIT") + fromGroup +
                             QStringLiteral(") where EVENTNO in ") + inEvents;
    return database.executeAll({insert, assign, copySlot}) ? combinedNo : 0;
}

bool CombinedItems::uncombine(qint64 eventNo)
{
    const qint64 group = groupOf(eventNo);
    if (group <= 0) {
        m_events.messages().warning(QStringLiteral("This Item is not part of a Combined Item: ") +
                                    m_events.eventTitle(eventNo));
        return false;
    }
    if (drawnLanes(QStringLiteral("E.EVENTNO = ") + db::sqlInt(eventNo)) > 0) {
        m_events.messages().warning(
            QStringLiteral("This Item is already drawn in the race of the Combined Item \"") +
            groupName(group) + QStringLiteral("\": ") + m_events.eventTitle(eventNo) +
            QStringLiteral("\rClear the Draw of its Final first, then take it out of the "
                           "group."));
        return false;
    }
    return m_events.database().executeOneRow(
        QStringLiteral("update MYEVENT set COMBINEDNO = 0 where EVENTNO = ") + db::sqlInt(eventNo));
}

bool CombinedItems::deleteGroup(qint64 combinedNo)
{
    db::DmdCoreDbs& database = m_events.database();
    const QString where = QStringLiteral("COMBINEDNO = ") + db::sqlInt(combinedNo) +
                          QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_events.meetingNo());
    const int found = database.ZSqlCount(QStringLiteral("COMBINED"), where);
    if (found == 0) {
        m_events.messages().warning(QStringLiteral("There is no such Combined Item: ") +
                                    QString::number(combinedNo));
        return false;
    }
    const int members = database.ZSqlCount(QStringLiteral("MYEVENT"), where);
    if (members > 0) {
        QString text = QStringLiteral("The Combined Item \"") + groupName(combinedNo) +
                       QStringLiteral("\" still has ") + QString::number(members) +
                       QStringLiteral(" Items.\rTake them out before deleting it.");
        if (drawnLanes(QStringLiteral("E.COMBINEDNO = ") + db::sqlInt(combinedNo)) > 0)
            text += QStringLiteral("\rIts race is already drawn: clear the Draw of its Items' "
                                   "Finals first.");
        m_events.messages().warning(text);
        return false;
    }
    return database.executeOneRow(QStringLiteral("delete from COMBINED where ") + where);
}

QList<CombinedGroup> CombinedItems::groups()
{
    QList<CombinedGroup> result;
    QHash<qint64, int> index;
    const QString m = db::sqlInt(m_events.meetingNo());
    db::Query q = m_events.database().openQuery(
        QStringLiteral("select COMBINEDNO, NAME, GROUP_TYPE, coalesce(DAY_SEQ, 0) as DAY_SEQ, "
                       "coalesce(SEQ, 0) as SEQ, THETIME, coalesce(PIT, '') as PIT from COMBINED "
                       "where MEETINGNO = ") +
        m + QStringLiteral(" order by DAY_SEQ, SEQ, COMBINEDNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        CombinedGroup g;
        g.combinedNo = q.integer("COMBINEDNO");
        g.name = q.text("NAME").trimmed();
        g.groupType = q.text("GROUP_TYPE").trimmed();
        g.daySeq = int(q.integer("DAY_SEQ"));
        g.seq = int(q.integer("SEQ"));
        if (!q.isNull("THETIME"))
            g.time = q.value("THETIME").toTime().toString(QStringLiteral("HH:mm"));
        g.pit = q.text("PIT").trimmed();
        index.insert(g.combinedNo, int(result.size()));
        result.append(g);
    }
    db::Query members = m_events.database().openQuery(
        QStringLiteral("select E.EVENTNO, E.COMBINEDNO, (select count(*) from PARTICIPATE P "
                       "where P.EVENTNO = E.EVENTNO and P.LANE > 0) as DRAWN from MYEVENT E "
                       "where E.MEETINGNO = ") +
        m + QStringLiteral(" and E.COMBINEDNO > 0 order by E.EVENTNO"));
    for (members.first(); members.isOpen() && !members.eof(); members.next()) {
        const auto it = index.constFind(members.integer("COMBINEDNO"));
        if (it == index.constEnd())
            continue;
        CombinedGroup& g = result[*it];
        g.eventNos.append(members.integer("EVENTNO"));
        if (members.integer("DRAWN") > 0)
            g.drawnEventNos.insert(members.integer("EVENTNO"));
    }
    return result;
}

QList<EventRow> CombinedItems::candidates()
{
    QList<EventRow> result;
    for (const EventRow& e : m_events.list(true))
        if (e.combinedNo == 0 && !isNathlonItem(m_events.items(), e) && !hasHeats(e))
            result.append(e);
    return result;
}

} // namespace draw
