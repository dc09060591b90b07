#include "publish/webhistory.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "publish/eventresults.h"
#include "publish/htmlpage.h"
#include "publish/textfile.h"
#include "publish/weblayout.h"
#include "publish/website.h"
#include "results/perfhistory.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace publish {

QString historyFileName(int day, qint64 eventNo, const QString& round, int heatNo)
{
    return QStringLiteral("History_%1_%2_%3%4.html").arg(day).arg(eventNo).arg(round).arg(heatNo);
}

QString historyFileName(const EventResults& event, int day)
{
    return historyFileName(day, event.row.eventNo, event.row.round, event.row.heatNo);
}

QString historyLinkLine(const QString& historyFile)
{
    return QStringLiteral("<BR><A href=\"") + historyFile +
           QStringLiteral("\">Attempt History</A>");
}

QStringList linkedHistoryPages(const QString& folder)
{
    static const QRegularExpression link(QStringLiteral("^<BR><A href=\"(History_[^\"]+)\">"));
    QStringList linked;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QStringList lines;
        if (!programNoOfResultsFile(name) || !readTextFile(dir.filePath(name), &lines))
            continue;
        for (const QString& line : std::as_const(lines)) {
            const QRegularExpressionMatch m = link.match(line);
            if (m.hasMatch() && !linked.contains(m.captured(1)))
                linked << m.captured(1);
        }
    }
    return linked;
}

namespace {

// A results page published before the first bar height links no history: it gets the link
// now, so that the history published later is not a page nobody can reach.
bool linkFromResultsPage(WebSite& site, const QString& folder,
                         const results::CaptureProgramRow& row, const QString& historyFile)
{
    const QString path = QDir(folder).filePath(
        resultsFileName(row.seq, row.itemCode, row.round, row.heatNo, row.programNo));
    QStringList lines;
    if (!QFileInfo::exists(path) || !readTextFile(path, &lines))
        return true;
    const QString link = historyLinkLine(historyFile);
    if (lines.contains(link))
        return true;
    const qsizetype footer = lines.lastIndexOf(pageFooter().constFirst());
    lines.insert(footer < 0 ? lines.size() : footer, link);
    return site.writePage(path, lines);
}

} // namespace

std::optional<QStringList> historyPageLines(base::Run& run, const EventResults& event)
{
    const results::CaptureProgramRow& row = event.row;
    if (!run.items().IsVerticalJump(row.itemCode) ||
        run.meeting().integer(QStringLiteral("HAS_PERF_HIST")) != 1)
        return std::nullopt;
    results::PerfHistory history(*run.database(), run.items(), run.meeting());
    const results::FieldRace race{row.eventNo, row.round, row.isFinal() ? 0 : row.heatNo,
                                  row.itemCode};
    const QList<results::BarHeight> heights = history.heights(race);
    if (heights.isEmpty())
        return std::nullopt;
    Listing listing{QStringLiteral("Lane,Team,Athlete"), QStringLiteral("LANE,TEAM,ATHLETE"), {}};
    for (const results::BarHeight& h : heights) {
        listing.titles += QLatin1Char(',') + h.height;
        listing.fields += QStringLiteral(",Perf_") + QString::number(h.heightSeq);
    }
    // Every athlete of the race in lane order, and one who jumped without a lane after them.
    QList<ResultLine> athletes = event.starters;
    for (const QList<ResultLine>* more : {&event.placed, &event.statused})
        for (const ResultLine& l : *more)
            if (l.lane <= 0)
                athletes << l;
    for (const ResultLine& l : std::as_const(athletes)) {
        FieldRow fields{{QStringLiteral("LANE"), l.lane > 0 ? QString::number(l.lane) : QString()},
                        {QStringLiteral("TEAM"), l.teamAbrv},
                        {QStringLiteral("ATHLETE"), l.name()}};
        for (const results::HeightMarks& m : history.marks(race, l.athleteNo))
            fields.insert(QStringLiteral("Perf_") + QString::number(m.heightSeq), m.marks);
        listing.rows << fields;
    }
    QStringList lines =
        pageHeader({event.title, QStringLiteral("Attempt History")},
                   QStringLiteral("../") + QString::fromLatin1(kStyleSheetName), false);
    QString error;
    appendTable(listing, &lines, &error); // the titles and fields are made in pairs above
    lines << pageFooter();
    return lines;
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
    // A field item of a meeting without histories is told so by the history itself.
    if (run.items().IsVerticalJump(row.itemCode) &&
        !results::PerfHistory(*run.database(), run.items(), run.meeting())
             .race(row.eventNo, row.round, row.heatNo))
        return false;
    const std::optional<QStringList> lines = historyPageLines(run, *event);
    if (!lines) {
        site.messages().warning(QStringLiteral("This Event does not have History"));
        return false;
    }
    const int day = row.day > 0 ? row.day : site.settings().publishDay;
    if (!site.checkRoot())
        return false;
    const QString folder = site.dayFolder(day);
    const QString file = historyFileName(*event, day);
    return !folder.isEmpty() && site.writePage(QDir(folder).filePath(file), *lines) &&
           linkFromResultsPage(site, folder, row, file);
}

} // namespace publish
