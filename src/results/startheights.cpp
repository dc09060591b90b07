#include "results/startheights.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/perfdisplay.h"
#include "results/fieldmarks.h"

namespace results {

namespace {

const QString kColumns =
    QStringLiteral("select E.EVENTNO, E.ITEMCODE, coalesce(E.N_ATHLON, 0) as N_ATHLON, "
                   "S.SPEC_GRAM_OR_MM from MYEVENT E left join NON_CRUCIAL_SPEC S on "
                   "S.EVENTNO = E.EVENTNO where E.MEETINGNO = ");

} // namespace

StartHeight StartHeights::rowOf(const db::Query& q) const
{
    StartHeight h;
    h.eventNo = q.integer(QStringLiteral("EVENTNO"));
    h.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
    h.description = m_items.ItemDescription(h.itemCode, false);
    // A high jump of a combined event is told apart from the open one.
    const int nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
    if (nAthlon > 0)
        h.description += QStringLiteral("  (part of the ") +
                         m_items.ItemDescription(
                             QStringLiteral("NTH") +
                                 QString::number(nAthlon).rightJustified(7, QLatin1Char('_')) +
                                 h.itemCode.mid(10),
                             false) +
                         QLatin1Char(')');
    const QString stored = q.text(QStringLiteral("SPEC_GRAM_OR_MM")).trimmed();
    h.height = stored.isEmpty() ? kStartHeightNone : meeting::performanceForDisplay(stored);
    return h;
}

StartHeights::StartHeights(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo)
    : m_db(database), m_items(items), m_meetingNo(meetingNo)
{
}

QList<StartHeight> StartHeights::list()
{
    QList<StartHeight> result;
    db::Query q = m_db.openQuery(kColumns + db::sqlInt(m_meetingNo) +
                                 QStringLiteral(" and E.SELECTED = 'X' order by E.C_SEQ, "
                                                "E.ITEMCODE, E.EVENTNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        if (m_items.IsVerticalJump(q.text(QStringLiteral("ITEMCODE")).trimmed()))
            result.append(rowOf(q));
    }
    return result;
}

std::optional<StartHeight> StartHeights::of(qint64 eventNo)
{
    db::Query q = m_db.openQuery(kColumns + db::sqlInt(m_meetingNo) +
                                 QStringLiteral(" and E.EVENTNO = ") + db::sqlInt(eventNo));
    if (!q.isOpen() || q.isEmpty()) {
        m_db.messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return std::nullopt;
    }
    const QString code = q.text(QStringLiteral("ITEMCODE")).trimmed();
    if (!m_items.IsVerticalJump(code)) {
        m_db.messages().warning(QStringLiteral("Starting heights are only for vertical jumps: ") +
                                m_items.ItemDescription(code, false));
        return std::nullopt;
    }
    return rowOf(q);
}

bool StartHeights::set(qint64 eventNo, const QString& height)
{
    const std::optional<StartHeight> event = of(eventNo);
    if (!event)
        return false;
    const QString typed = height.trimmed();
    const QString where = QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo);
    // No height (the default 0.00) is no row.
    if (typed.isEmpty() || meeting::ItemTypes::PerfIsBlank(typed))
        return m_db.execute(QStringLiteral("delete from NON_CRUCIAL_SPEC") + where);
    const std::optional<QString> canonical =
        readFieldMark(m_items, event->itemCode, typed, m_db.messages());
    if (!canonical)
        return false;
    return m_db.executeOneRow(
        QStringLiteral("update or insert into NON_CRUCIAL_SPEC (EVENTNO, SPEC_GRAM_OR_MM, "
                       "MEETINGNO) values (") +
        db::sqlInt(eventNo) + QStringLiteral(", ") + db::quoted(*canonical) + QStringLiteral(", ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(") matching (EVENTNO)"));
}

int purgeOrphanStartHeights(db::DmdCoreDbs& database)
{
    const qint64 removed = database.executeRowsAffected(
        QStringLiteral("delete from NON_CRUCIAL_SPEC S where not exists (select 1 from MYEVENT E "
                       "where E.EVENTNO = S.EVENTNO)"));
    if (removed > 0)
        database.messages().information(QString::number(removed) +
                                        QStringLiteral(" orphan EditVertJumpStartHgts were "
                                                       "removed."));
    return int(std::max<qint64>(removed, 0));
}

} // namespace results
