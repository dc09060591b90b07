#include "publish/webmanage.h"

#include "base/messages.h"
#include "base/run.h"
#include "publish/textfile.h"
#include "publish/webhistory.h"
#include "publish/webindex.h"
#include "publish/weblayout.h"
#include "publish/website.h"
#include "results/captureprogram.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <functional>

namespace publish {

namespace {

// Every index of a day folder: the sequence index and the group pages (the item index
// lists group pages, not results).
QStringList resultIndexes(const QDir& folder)
{
    QStringList names{QString::fromLatin1(kSequenceIndex)};
    names << folder.entryList({QStringLiteral("Group_*.html")}, QDir::Files, QDir::Name);
    return names;
}

QList<int> days(const QString& root)
{
    QList<int> out;
    for (const QString& d :
         QDir(root).entryList({QStringLiteral("Day*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const int day = d.mid(3).toInt(&ok);
        if (ok && day > 0)
            out << day;
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

SiteReport inspectSite(WebSite& site)
{
    SiteReport report;
    for (const int day : days(site.root())) {
        const QDir folder(site.dayFolderPath(day));
        const QString prefix = dayFolderName(day) + QLatin1Char('/');
        QSet<QString> linked;
        for (const QString& index : resultIndexes(folder)) {
            QStringList lines, entries;
            if (!readTextFile(folder.filePath(index), &lines) ||
                !indexEntries(lines, &entries, nullptr))
                continue;
            for (const QString& line : std::as_const(entries)) {
                const QString file = linkOfIndexLine(line);
                linked.insert(file);
                if (!file.isEmpty() && !folder.exists(file) &&
                    !report.indexesWithoutFile.contains(prefix + index + QStringLiteral(": ") +
                                                        file))
                    report.indexesWithoutFile << prefix + index + QStringLiteral(": ") + file;
            }
        }
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        // A history page is linked from its results page, not from an index.
        const bool histories =
            !files.filter(QRegularExpression(QStringLiteral("^History_"))).isEmpty();
        const QStringList linkedHistories =
            histories ? linkedHistoryPages(folder.path()) : QStringList();
        for (const QString& name : files) {
            if (programNoOfResultsFile(name)) {
                if (!linked.contains(name))
                    report.filesNotInIndex << prefix + name;
            } else if (name.startsWith(QLatin1String("History_")) && isDayPageName(name)) {
                if (!linkedHistories.contains(name))
                    report.filesNotInIndex << prefix + name;
            } else if (!isDayPageName(name)) {
                report.notResultsFiles << prefix + name;
            }
        }
    }
    return report;
}

bool deleteOrphans(WebSite& site, const SiteReport& report)
{
    const QDir root(site.root());
    for (const QString& file : report.filesNotInIndex)
        QFile::remove(root.filePath(file));
    for (const QString& entry : report.indexesWithoutFile) {
        // "DayN/Index.html: page.html"
        const QString index = entry.section(QStringLiteral(": "), 0, 0);
        const QString page = entry.section(QStringLiteral(": "), 1);
        QStringList lines;
        if (!readTextFile(root.filePath(index), &lines))
            continue;
        const qint64 programNo = programNoOfResultsFile(page).value_or(0);
        QString error;
        if (programNo > 0 && removeResultsLine(&lines, programNo, &error) &&
            !site.writePage(root.filePath(index), lines))
            return false;
    }
    if (!report.notResultsFiles.isEmpty()) {
        for (const QString& file : report.notResultsFiles)
            QFile::remove(root.filePath(file));
        site.messages().note(
            QStringLiteral("These files were deleted because they are not results files:\r") +
            report.notResultsFiles.join(QStringLiteral("\r")));
    }
    return true;
}

namespace {

// The program rows named by a line of some day's sequence index.
QSet<qint64> indexedProgramRows(WebSite& site)
{
    QSet<qint64> published;
    for (const int day : days(site.root())) {
        QStringList lines, entries;
        if (readTextFile(
                QDir(site.dayFolderPath(day)).filePath(QString::fromLatin1(kSequenceIndex)),
                &lines) &&
            indexEntries(lines, &entries, nullptr)) {
            for (const QString& l : std::as_const(entries))
                published.insert(programNoOfIndexLine(l));
        }
    }
    return published;
}

// The meeting's program rows in program order that `wanted` keeps.
QList<qint64> programRowsWhere(WebSite& site,
                               const std::function<bool(const results::CaptureProgramRow&)>& wanted)
{
    QList<qint64> out;
    base::Run& run = site.run();
    for (const results::CaptureProgramRow& row :
         results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                     results::CaptureOrder::Sequence)) {
        if (wanted(row))
            out << row.programNo;
    }
    return out;
}

} // namespace

QList<qint64> unpublishedResults(WebSite& site)
{
    const QSet<qint64> published = indexedProgramRows(site);
    return programRowsWhere(site, [&](const results::CaptureProgramRow& row) {
        return row.withResults > 0 && !row.isCalculatedFinal() &&
               !published.contains(row.programNo);
    });
}

QList<qint64> publishedResults(WebSite& site)
{
    const QSet<qint64> published = indexedProgramRows(site);
    return programRowsWhere(site, [&](const results::CaptureProgramRow& row) {
        return published.contains(row.programNo);
    });
}

} // namespace publish
