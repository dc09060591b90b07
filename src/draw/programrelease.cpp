#include "draw/programrelease.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {

QString releasedColumn(Publication what)
{
    return what == Publication::Draw ? QStringLiteral("DRAW_RELEASED")
                                     : QStringLiteral("RESULTS_RELEASED");
}

QString revisionColumn(Publication what)
{
    return what == Publication::Draw ? QStringLiteral("DRAW_REVISION")
                                     : QStringLiteral("RESULTS_REVISION");
}

} // namespace

QString publicationName(Publication what)
{
    return what == Publication::Draw ? QStringLiteral("Draw") : QStringLiteral("Results");
}

ProgramRelease::ProgramRelease(db::DmdCoreDbs& database, const meeting::ItemTypes& items)
    : m_database(database), m_items(items)
{
}

base::Messages& ProgramRelease::messages() const
{
    return m_items.messages();
}

QString ProgramRelease::heatTitle(qint64 programNo)
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select E.ITEMCODE, E.HEATFORMAT, P.ROUND, P.HEATNO from PROGRAM P join "
                       "MYEVENT E on E.EVENTNO = P.EVENTNO where P.PROGRAMNO = ") +
        db::sqlInt(programNo));
    if (!q.isOpen() || q.isEmpty())
        return QString();
    q.first();
    return m_items.ItemDescription(q.text("ITEMCODE").trimmed(), false) + QLatin1Char(' ') +
           heatName(q.text("HEATFORMAT").trimmed(), q.text("ROUND"), int(q.integer("HEATNO")));
}

ProgramRelease::State ProgramRelease::state(qint64 programNo, Publication what)
{
    State s;
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.ROUND, P.") + releasedColumn(what) +
        QStringLiteral(" as REL, P.") + revisionColumn(what) +
        QStringLiteral(" as REV, M.RESULTS_HAS_REVISIONS from PROGRAM P join MEETING M on "
                       "M.MEETINGNO = P.MEETINGNO where P.PROGRAMNO = ") +
        db::sqlInt(programNo));
    if (!q.isOpen() || q.isEmpty()) {
        messages().warning(QStringLiteral("There is no program row ") + QString::number(programNo));
        return s;
    }
    q.first();
    s.found = true;
    s.released = q.integer("REL") == 1;
    s.revision = int(q.integer("REV"));
    s.round = q.text("ROUND");
    s.revisions = q.integer("RESULTS_HAS_REVISIONS") == 1;
    return s;
}

bool ProgramRelease::setReleased(qint64 programNo, Publication what, bool release)
{
    const State s = state(programNo, what);
    if (!s.found)
        return false;
    const QString heat = heatTitle(programNo);
    if (s.released == release) {
        messages().information(
            QStringLiteral("The ") + publicationName(what) + QStringLiteral(" for ") + heat +
            QStringLiteral(" was already ") +
            (release ? QStringLiteral("released") : QStringLiteral("retracted")) +
            QStringLiteral("."));
        return false;
    }
    if (!messages().confirm((release ? QStringLiteral("Release") : QStringLiteral("Retract")) +
                            QStringLiteral(" the ") + publicationName(what) +
                            QStringLiteral(" for ") + heat))
        return false;
    return m_database.executeOneRow(QStringLiteral("update PROGRAM set ") + releasedColumn(what) +
                                    QStringLiteral(" = ") + db::sqlInt(release ? 1 : 0) +
                                    QStringLiteral(" where PROGRAMNO = ") + db::sqlInt(programNo));
}

bool ProgramRelease::incrementRevision(qint64 programNo, Publication what)
{
    const State s = state(programNo, what);
    if (!s.found)
        return false;
    const QString item = heatTitle(programNo);
    if (!messages().confirm(QStringLiteral("Increment the revision for ") + item +
                            QStringLiteral(" for Round ") + s.round + QStringLiteral(" from ") +
                            QString::number(s.revision) + QStringLiteral(" to ") +
                            QString::number(s.revision + 1)))
        return false;
    // Counted up from the stored value, so that two officials do not skip a number.
    return m_database.executeOneRow(QStringLiteral("update PROGRAM set ") + revisionColumn(what) +
                                    QStringLiteral(" = coalesce(") + revisionColumn(what) +
                                    QStringLiteral(", 0) + 1 where PROGRAMNO = ") +
                                    db::sqlInt(programNo));
}

bool ProgramRelease::mayRewrite(qint64 programNo, Publication what)
{
    const State s = state(programNo, what);
    if (!s.found)
        return false;
    if (!s.revisions || !s.released)
        return true;
    messages().warning(QStringLiteral("The ") + publicationName(what) + QStringLiteral(" for ") +
                       heatTitle(programNo) +
                       QStringLiteral(" was released.\rRetract it before you change it."));
    return false;
}

bool ProgramRelease::mayRedraw(qint64 programNo)
{
    return mayRewrite(programNo, Publication::Draw);
}

bool ProgramRelease::mayRecalculate(qint64 programNo)
{
    return mayRewrite(programNo, Publication::Results);
}

} // namespace draw
