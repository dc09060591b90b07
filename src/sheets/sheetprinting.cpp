#include "sheets/sheetprinting.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingsettings.h"
#include "sheets/sheetoptions.h"

namespace sheets {

QString optionsTitle(const QString& round)
{
    return QStringLiteral("Print sheets for ") + (round == QLatin1String("F")
                                                      ? QStringLiteral("the Final")
                                                      : QStringLiteral("round ") + round);
}

qint64 SheetPrinting::combinedNoOf(qint64 eventNo)
{
    return m_run.database()
        ->selectOneValue(QStringLiteral("coalesce(COMBINEDNO, 0)"), QStringLiteral("MYEVENT"),
                         QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
        .toLongLong();
}

bool SheetPrinting::confirmDrawn(const PrintRequest& request, qint64 combinedNo)
{
    db::DmdCoreDbs& database = *m_run.database();
    base::Messages& messages = m_run.messages();
    if (request.round == QLatin1String("F")) {
        const QString events =
            combinedNo > 0 ? QStringLiteral("EVENTNO in (select C.EVENTNO from MYEVENT C where "
                                            "C.COMBINEDNO = ") +
                                 db::sqlInt(combinedNo) + QLatin1Char(')')
                           : QStringLiteral("EVENTNO = ") + db::sqlInt(request.eventNo);
        if (database.ZSqlCount(QStringLiteral("PARTICIPATE"), events + QStringLiteral(" and "
                                                                                      "LANE > 0")) >
            0)
            return true;
        return messages.confirm(QStringLiteral("No athletes were drawn: print anyway"));
    }
    QString heats = QStringLiteral("EVENTNO = ") + db::sqlInt(request.eventNo) +
                    QStringLiteral(" and ROUND = ") + db::quoted(request.round);
    if (request.heatNo > 0)
        heats += QStringLiteral(" and HEATNO = ") + db::sqlInt(request.heatNo);
    const int undrawn = database.ZSqlCount(QStringLiteral("HEATPART"),
                                           heats + QStringLiteral(" and coalesce(LANE, 0) = 0"));
    if (undrawn > 0)
        return messages.confirm(QString::number(undrawn) +
                                QStringLiteral(" athletes were not drawn: print anyway"));
    if (database.ZSqlCount(QStringLiteral("HEATPART"), heats + QStringLiteral(" and LANE > 0")) ==
        0)
        return messages.confirm(QStringLiteral("No athletes were drawn: print anyway"));
    return true;
}

QList<HeatRef> SheetPrinting::heatsToPrint(const PrintRequest& request)
{
    const int meetingNo = m_run.meeting().meetingNo();
    db::DmdCoreDbs& database = *m_run.database();
    if (database.ZSqlCount(QStringLiteral("MYEVENT"),
                           QStringLiteral("EVENTNO = ") + db::sqlInt(request.eventNo) +
                               QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo)) == 0) {
        m_run.messages().warning(QStringLiteral("There is no Item with the number ") +
                                 QString::number(request.eventNo) +
                                 QStringLiteral(" in this meeting."));
        return {};
    }
    if (!confirmDrawn(request, combinedNoOf(request.eventNo)))
        return {};
    QString sql = QStringLiteral("select HEATNO from PROGRAM where EVENTNO = ") +
                  db::sqlInt(request.eventNo) + QStringLiteral(" and ROUND = ") +
                  db::quoted(request.round);
    if (request.heatNo >= 0 && request.round != QLatin1String("F"))
        sql += QStringLiteral(" and HEATNO = ") + db::sqlInt(request.heatNo);
    db::Query q = database.openQuery(sql + QStringLiteral(" order by HEATNO"));
    QList<HeatRef> heats;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        heats.append({request.eventNo, request.round, int(q.integer("HEATNO"))});
    if (heats.isEmpty()) {
        if (request.heatNo > 0)
            m_run.messages().warning(
                QStringLiteral("There is no heat ") + QString::number(request.heatNo) +
                QStringLiteral(" in round ") + request.round + QStringLiteral(" of this event."));
        else
            m_run.messages().internalError(3662, QStringLiteral("No events in program"));
    }
    return heats;
}

QList<SheetPage> SheetPrinting::pages(const QList<HeatRef>& heats, bool ignoreDistribution)
{
    const SheetOptions options = readSheetOptions(m_run.meeting());
    const QDateTime printed = m_run.now();
    QList<SheetPage> all;
    for (const HeatRef& heat : heats) {
        if (const auto sheet = readHeatSheet(m_run, heat))
            all << heatPages(m_run, *sheet, options, ignoreDistribution, printed);
    }
    return all;
}

bool SheetPrinting::markPrinted(const HeatRef& heat)
{
    const qint64 combinedNo = combinedNoOf(heat.eventNo);
    if (combinedNo > 0)
        return m_run.database()->execute(
            QStringLiteral("update PROGRAM set SHEETSPRINTED = 1 where EVENTNO in (select "
                           "C.EVENTNO from MYEVENT C where C.COMBINEDNO = ") +
            db::sqlInt(combinedNo) + QLatin1Char(')'));
    return m_run.database()->execute(
        QStringLiteral("update PROGRAM set SHEETSPRINTED = 1 where EVENTNO = ") +
        db::sqlInt(heat.eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(heat.round) +
        QStringLiteral(" and HEATNO = ") + db::sqlInt(heat.heatNo));
}

int SheetPrinting::print(const PrintRequest& request, PageOutput& output,
                         const std::function<bool(const QString& title)>& acceptOptions)
{
    const QList<HeatRef> heats = heatsToPrint(request);
    if (heats.isEmpty())
        return 0;
    if (acceptOptions && !acceptOptions(optionsTitle(request.round)))
        return 0;
    const QList<SheetPage> all = pages(heats, request.ignoreDistribution);
    if (all.isEmpty()) {
        m_run.messages().warning(QStringLiteral("Every kind of sheet is switched off: nothing "
                                                "to print."));
        return 0;
    }
    if (!output.write(all))
        return 0;
    int marked = 0;
    for (const HeatRef& heat : heats)
        marked += markPrinted(heat) ? 1 : 0;
    m_run.messages().information(QStringLiteral("Done: all sheets displayed"));
    return marked;
}

} // namespace sheets
