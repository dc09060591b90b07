#include "publish/webresults.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "publish/eventresults.h"
#include "publish/htmlpage.h"
#include "publish/meetingreads.h"
#include "publish/webhistory.h"
#include "publish/weblayout.h"
#include "publish/website.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace publish {

namespace {

QString number(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

int dayOf(WebSite& site, const results::CaptureProgramRow& row)
{
    return row.day > 0 ? row.day : site.settings().publishDay;
}

} // namespace

QStringList resultsPageLines(base::Run& run, const EventResults& results,
                             const QString& historyFile)
{
    const meeting::ItemTypes& items = run.items();
    const QString& code = results.row.itemCode;
    QStringList titleLines{results.title};
    const int windKind = items.WindKind(code);
    if (windKind == 1 && !results.row.wind.isEmpty())
        titleLines << QStringLiteral("Wind = ") + results.row.wind;
    QStringList titles{QStringLiteral("Place"), QStringLiteral("Performance"),
                       QStringLiteral("Athlete"), QStringLiteral("Team")};
    const bool age = items.IsMixedAgeOrVeteran(code);
    if (age)
        titles << QStringLiteral("Age");
    if (windKind == 2)
        titles << QStringLiteral("Wind");
    // The placed in place order; those with a status (DQ, DNS ...) after them.
    HtmlTable table(titles);
    for (const QList<ResultLine>* lines : {&results.placed, &results.statused})
        for (const ResultLine& l : *lines) {
            table << number(l.place) << l.performance << l.name() << l.team;
            if (age)
                table << number(l.age);
            if (windKind == 2)
                table << l.wind;
            table.endRow();
        }
    QStringList lines =
        pageHeader(titleLines, QStringLiteral("../") + QString::fromLatin1(kStyleSheetName), false);
    table.appendTo(&lines);
    if (!historyFile.isEmpty())
        lines << historyLinkLine(historyFile);
    lines << pageFooter();
    return lines;
}

namespace {

// The checks of one event and its page and index lines; the root and the refresh setting
// are checked already.
bool publishChecked(WebSite& site, const EventResults& results, bool ask)
{
    base::Messages& messages = site.messages();
    const results::CaptureProgramRow& row = results.row;
    if (row.notCalculated &&
        !messages.confirm(QStringLiteral("The Event is not Calculated yet: Print anyway")))
        return false;
    if (results.placed.isEmpty() &&
        !messages.confirm(QStringLiteral("No results for ") + results.title +
                          QStringLiteral("\rPublish the results anyway")))
        return false;
    const int day = dayOf(site, row);
    const QString fileName =
        resultsFileName(row.seq, row.itemCode, row.round, row.heatNo, row.programNo);
    // A vertical jump with its bar heights publishes its attempt history beside it.
    const std::optional<QStringList> history = historyPageLines(site.run(), results);
    const QString historyFile = history ? historyFileName(results, day) : QString();
    const QStringList page = resultsPageLines(site.run(), results, historyFile);
    const QString path = QDir(site.dayFolderPath(day)).filePath(fileName);
    const bool done = site.indexResults(
        day, fileName, htmlEscaped(results.title), row.programNo, row.itemCode, [&] {
            if (ask &&
                !messages.confirm(QStringLiteral("Continue to publish to the HTML\r") + fileName))
                return false;
            return (!history || site.writePage(QDir(site.dayFolderPath(day)).filePath(historyFile),
                                               *history)) &&
                   site.writePage(path, page);
        });
    if (done && ask)
        messages.information(QStringLiteral("Done creating web-file ") + fileName +
                             QStringLiteral("\rCopy all files in ") + site.root() +
                             QStringLiteral(" to the website"));
    return done;
}

} // namespace

bool publishResults(WebSite& site, qint64 programNo, bool ask)
{
    const std::optional<EventResults> results = eventResults(site.run(), programNo);
    if (!results) {
        site.messages().warning(QStringLiteral("There is no program row ") +
                                QString::number(programNo));
        return false;
    }
    return site.checkRoot() && site.checkAutoRefresh() && publishChecked(site, *results, ask);
}

bool publishManyResults(WebSite& site, const QList<qint64>& programNos, bool ask)
{
    const WebSite::ReadsHeld held(site);
    QList<results::CaptureProgramRow> rows;
    if (!resultsRows(site, programNos, &rows) || !site.checkRoot() || !site.checkAutoRefresh())
        return false;
    // Asking per file waits for each page to be written before the next question.
    site.beginIndexBatch(!ask);
    const bool ok = publishRowsInBatch(site, rows, ask);
    return site.endIndexBatch() && ok;
}

bool resultsRows(WebSite& site, const QList<qint64>& programNos,
                 QList<results::CaptureProgramRow>* rows)
{
    base::Run& run = site.run();
    QHash<qint64, results::CaptureProgramRow> held;
    for (const results::CaptureProgramRow& row : site.reads()->programRows())
        held.insert(row.programNo, row);
    rows->clear();
    rows->reserve(programNos.size());
    for (const qint64 programNo : programNos) {
        if (const auto row = held.constFind(programNo); row != held.cend()) {
            rows->append(*row);
            continue;
        }
        // A row the capture list leaves out is read on its own.
        const std::optional<results::CaptureProgramRow> row =
            results::captureProgramRow(*run.database(), run.items(), programNo);
        if (!row) {
            site.messages().warning(QStringLiteral("There is no program row ") +
                                    QString::number(programNo));
            return false;
        }
        rows->append(*row);
    }
    return true;
}

bool publishRowsInBatch(WebSite& site, const QList<results::CaptureProgramRow>& rows, bool ask)
{
    MeetingReads& reads = *site.reads();
    QList<std::pair<int, QString>> planned;
    planned.reserve(rows.size());
    for (const results::CaptureProgramRow& row : rows)
        planned.append({dayOf(site, row), row.itemCode});
    site.planIndexResults(planned);
    for (const results::CaptureProgramRow& row : rows) {
        if (!publishChecked(site, reads.resultsOf(row), ask))
            return false;
    }
    return true;
}

bool withdrawResults(WebSite& site, qint64 programNo)
{
    base::Run& run = site.run();
    const std::optional<results::CaptureProgramRow> row =
        results::captureProgramRow(*run.database(), run.items(), programNo);
    if (!row) {
        site.messages().warning(QStringLiteral("There is no program row ") +
                                QString::number(programNo));
        return false;
    }
    if (!site.checkRoot())
        return false;
    const int day = dayOf(site, *row);
    if (!site.unindexResults(day, programNo, row->itemCode))
        return false;
    const QDir folder(site.dayFolderPath(day));
    QFile::remove(folder.filePath(
        resultsFileName(row->seq, row->itemCode, row->round, row->heatNo, row->programNo)));
    // The history is reached from the results page only: it goes with it.
    QFile::remove(folder.filePath(historyFileName(day, row->eventNo, row->round, row->heatNo)));
    return true;
}

} // namespace publish
