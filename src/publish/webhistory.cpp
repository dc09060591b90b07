#include "publish/webhistory.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "publish/eventresults.h"
#include "publish/htmlpage.h"
#include "publish/weblayout.h"
#include "publish/website.h"
#include "results/perfhistory.h"

#include <QDir>
#include <QHash>

namespace publish {

QString historyFileName(int day, qint64 eventNo, const QString& round, int heatNo)
{
    return QStringLiteral("History_%1_%2_%3%4.html").arg(day).arg(eventNo).arg(round).arg(heatNo);
}

bool publishHistory(WebSite& site, qint64 programNo)
{
    base::Run& run = site.run();
    const std::optional<EventResults> event = eventResults(run, programNo);
    if (!event) {
        site.messages().warning(QStringLiteral("There is no program row ") +
                                QString::number(programNo));
        return false;
    }
    const results::CaptureProgramRow& row = event->row;
    const QString noHistory = QStringLiteral("This Event does not have History");
    if (!run.items().IsVerticalJump(row.itemCode)) {
        site.messages().warning(noHistory);
        return false;
    }
    results::PerfHistory history(*run.database(), run.items(), run.meeting());
    const std::optional<results::FieldRace> race = history.race(row.eventNo, row.round, row.heatNo);
    if (!race)
        return false;
    const QList<results::BarHeight> heights = history.heights(*race);
    if (heights.isEmpty()) {
        site.messages().warning(noHistory);
        return false;
    }
    Listing listing{QStringLiteral("Lane,Team,Athlete"), QStringLiteral("LANE,TEAM,ATHLETE"), {}};
    for (const results::BarHeight& h : heights) {
        listing.titles += QLatin1Char(',') + h.height;
        listing.fields += QStringLiteral(",Perf_") + QString::number(h.heightSeq);
    }
    // Every athlete of the race in lane order, and one who jumped without a lane after them.
    QList<ResultLine> athletes = event->starters;
    for (const QList<ResultLine>* more : {&event->placed, &event->statused})
        for (const ResultLine& l : *more)
            if (l.lane <= 0)
                athletes << l;
    for (const ResultLine& l : std::as_const(athletes)) {
        FieldRow fields{{QStringLiteral("LANE"), l.lane > 0 ? QString::number(l.lane) : QString()},
                        {QStringLiteral("TEAM"), l.teamAbrv},
                        {QStringLiteral("ATHLETE"), l.name()}};
        for (const results::HeightMarks& m : history.marks(*race, l.athleteNo))
            fields.insert(QStringLiteral("Perf_") + QString::number(m.heightSeq), m.marks);
        listing.rows << fields;
    }
    const int day = row.day > 0 ? row.day : site.settings().publishDay;
    if (!site.checkRoot())
        return false;
    const QString folder = site.dayFolder(day);
    if (folder.isEmpty())
        return false;
    QStringList lines =
        pageHeader({event->title, QStringLiteral("Attempt History")},
                   QStringLiteral("../") + QString::fromLatin1(kStyleSheetName), false);
    QString error;
    appendTable(listing, &lines, &error); // the titles and fields are made in pairs above
    lines << pageFooter();
    return site.writePage(
        QDir(folder).filePath(historyFileName(day, row.eventNo, row.round, row.heatNo)), lines);
}

} // namespace publish
