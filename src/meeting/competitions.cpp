#include "meeting/competitions.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"

namespace meeting {

QList<Competition> competitions(base::Run& run)
{
    QList<Competition> list;
    db::Query q = run.database()->openQuery(QStringLiteral(
        "select T.MEETINGNO, max(T.LEAGUE) as LEAGUES, M.THEDATE, M.DESCRIPTION, M.VENUE "
        "from TEAM T join MEETING M on M.MEETINGNO = T.MEETINGNO "
        "group by T.MEETINGNO, M.THEDATE, M.DESCRIPTION, M.VENUE "
        "having max(T.LEAGUE) > 1 order by T.MEETINGNO, 2"));
    for (q.first(); !q.eof(); q.next())
        list.append({int(q.integer(QStringLiteral("MEETINGNO"))),
                     int(q.integer(QStringLiteral("LEAGUES"))), q.text(QStringLiteral("THEDATE")),
                     q.text(QStringLiteral("DESCRIPTION")), q.text(QStringLiteral("VENUE"))});
    return list;
}

QString competitionsText(const QList<Competition>& list)
{
    if (list.isEmpty())
        return QStringLiteral("No meeting has teams in more than one league.");
    QString text = QStringLiteral("Meetings with teams in more than one league:\r");
    for (const Competition& c : list)
        text += QStringLiteral("\r%1  %2 leagues  %3  %4  %5")
                    .arg(c.meetingNo)
                    .arg(c.leagues)
                    .arg(c.date, c.description, c.venue);
    return text;
}

} // namespace meeting
