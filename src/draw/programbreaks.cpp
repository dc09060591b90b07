#include "draw/programbreaks.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace draw {

namespace {
const QString kDisconnected = QStringLiteral(
    "not exists (select 1 from PROGRAM P where P.PROGRAMNO = PROGRAM_BREAK.PROGRAMNO)");
}

qint64 ProgramBreaks::add(qint64 programNo, const QString& description)
{
    if (programNo <= 0) {
        m_messages.warning(QStringLiteral("Select the Event"));
        return 0;
    }
    const qint64 key = m_database.nextKeyNumber();
    if (key <= 0)
        return 0;
    const bool ok = m_database.executeOneRow(
        QStringLiteral("insert into PROGRAM_BREAK (PROGRAM_BREAK_NO, MEETINGNO, PROGRAMNO, "
                       "DESCRIPTION) values (") +
        db::sqlInt(key) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(programNo) + ", " +
        db::quoted(description.left(50)) + ")");
    return ok ? key : 0;
}

bool ProgramBreaks::edit(qint64 breakNo, const QString& description)
{
    if (breakNo <= 0) {
        m_messages.warning(QStringLiteral("No break to edit"));
        return false;
    }
    return m_database.executeOneRow(QStringLiteral("update PROGRAM_BREAK set DESCRIPTION = ") +
                                    db::quoted(description.left(50)) +
                                    QStringLiteral(" where PROGRAM_BREAK_NO = ") +
                                    db::sqlInt(breakNo));
}

bool ProgramBreaks::remove(qint64 breakNo)
{
    if (breakNo <= 0 || !m_messages.confirm(QStringLiteral("Delete this Break")))
        return false;
    return m_database.executeOneRow(QStringLiteral("delete from PROGRAM_BREAK where "
                                                   "PROGRAM_BREAK_NO = ") +
                                    db::sqlInt(breakNo));
}

QList<ProgramBreak> ProgramBreaks::list()
{
    QList<ProgramBreak> result;
    db::Query q = m_database.openQuery(
        QStringLiteral("select B.PROGRAM_BREAK_NO, B.PROGRAMNO, B.DESCRIPTION, P.SEQ from "
                       "PROGRAM_BREAK B join PROGRAM P on P.PROGRAMNO = B.PROGRAMNO where "
                       "B.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" order by P.SEQ"));
    for (q.first(); !q.eof(); q.next()) {
        result.append({q.integer("PROGRAM_BREAK_NO"), q.integer("PROGRAMNO"), int(q.integer("SEQ")),
                       q.text("DESCRIPTION")});
    }
    return result;
}

int ProgramBreaks::disconnectedCount()
{
    return m_database.ZSqlCount(QStringLiteral("PROGRAM_BREAK"),
                                QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                                    QStringLiteral(" and ") + kDisconnected);
}

int ProgramBreaks::removeDisconnected()
{
    const int total = disconnectedCount();
    if (total == 0)
        return 0;
    if (!m_messages.confirm(QStringLiteral("The ") + QString::number(total) +
                            QStringLiteral(" Breaks are DISCONNECTED from the program.\r"
                                           "Must the program delete them")))
        return 0;
    const int removed = int(m_database.executeRowsAffected(
        QStringLiteral("delete from PROGRAM_BREAK where MEETINGNO = ") + db::sqlInt(m_meetingNo) +
        QStringLiteral(" and ") + kDisconnected));
    m_messages.information((removed == total ? QStringLiteral("All ") : QStringLiteral("Only ")) +
                           QString::number(std::max(0, removed)) + QStringLiteral(" of the ") +
                           QString::number(total) +
                           QStringLiteral(" disconnected Breaks were deleted."));
    return removed;
}

} // namespace draw
