// Publishing the whole championship meeting (60 teams, 1,500 swimmers, 6,000 entries,
// every first round drawn at 8 lanes and swum, the finals too): every heat's and final's
// results page with its index lines, the start lists and the program of both days, the team
// totals and the master index. Beside it the limit: the same bytes, file by file, written
// with plain file writes. The target is within 3 times the limit.
//
// usage: publishbench [ROUNDS] [--keep DIR] [--publish-only]
//   default 5 rounds, the best is reported; --keep copies the last site into DIR;
//   --publish-only leaves out the plain writes, so that a profiler sees publishing alone.

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/readcounts.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "publish/meetingreads.h"
#include "publish/sitepublish.h"
#include "publish/website.h"
#include "results/captureprogram.h"
#include "results/places.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include <sys/resource.h>

namespace {

constexpr int kLanes = 8;

// The processor time of the calling thread, and of the whole process (user and system),
// which a loaded machine disturbs far less than the time on the clock.
double threadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double processCpu()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Every drawn swimmer of the meeting gets a time; then all places are calculated.
bool swimEverything(bench::Meeting& m)
{
    db::DmdCoreDbs& database = *m.run->database();
    QRandomGenerator random(2026);
    if (!database.startBatch())
        return false;
    for (const char* table : {"HEATPART", "PARTICIPATE"}) {
        db::Query rows = database.openQuery(
            QStringLiteral("select X.") +
            (QLatin1String(table) == QLatin1String("HEATPART") ? QStringLiteral("HEATPARTNO")
                                                               : QStringLiteral("PARTNO")) +
            QStringLiteral(" as K from ") + table + QStringLiteral(" X where X.MEETINGNO = ") +
            db::sqlInt(m.meetingNo) + QStringLiteral(" and X.LANE > 0"));
        const QString key = QLatin1String(table) == QLatin1String("HEATPART")
                                ? QStringLiteral("HEATPARTNO")
                                : QStringLiteral("PARTNO");
        for (rows.first(); !rows.eof(); rows.next()) {
            const int hundredths = 2500 + int(random.bounded(4000));
            const QString time = QStringLiteral("00:%1.%2")
                                     .arg(hundredths / 100, 2, 10, QLatin1Char('0'))
                                     .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
            if (!database.batchExecute(QStringLiteral("update ") + table +
                                       QStringLiteral(" set PERFORMANCE = ") + db::quoted(time) +
                                       QStringLiteral(" where ") + key + QStringLiteral(" = ") +
                                       db::sqlInt(rows.integer(QStringLiteral("K"))))) {
                database.rollbackBatch();
                return false;
            }
        }
    }
    if (!database.commitBatch())
        return false;
    return results::Places(database, m.run->items(), m.run->meeting()).CalcAllPlaces(m.meetingNo);
}

// The parts of the reading one after the other: each one's time and what it asked of the
// engine ("0.012 s 3/7500": statements and rows).
class Steps {
public:
    explicit Steps(const QElapsedTimer& timer) : m_timer(timer) {}
    QString next()
    {
        const double now = seconds(m_timer);
        const db::ReadCounts counts = db::readCounts();
        const QString text =
            QString::asprintf("%.3f s %lld/%lld", now - m_seconds,
                              counts.statements - m_counts.statements, counts.rows - m_counts.rows);
        m_seconds = now;
        m_counts = counts;
        return text;
    }

private:
    const QElapsedTimer& m_timer;
    double m_seconds = 0;
    db::ReadCounts m_counts;
};

struct Written {
    qint64 bytes = 0;
    int files = 0;
};

// Reads back every file of the site and writes the same bytes, file by file, into `to`.
double plainWrites(const QString& from, const QString& to, Written* written)
{
    QList<std::pair<QString, QByteArray>> files;
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.append({QDir(from).relativeFilePath(path), f.readAll()});
    }
    QElapsedTimer timer;
    timer.start();
    for (const auto& [name, bytes] : files) {
        const QString path = QDir(to).filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        written->bytes += bytes.size();
        ++written->files;
    }
    return seconds(timer);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString keep;
    if (const qsizetype at = args.indexOf(QStringLiteral("--keep")); at >= 0) {
        keep = args.value(at + 1);
        args.remove(at, std::min<qsizetype>(2, args.size() - at));
    }
    const bool publishOnly = args.removeAll(QStringLiteral("--publish-only")) > 0;
    const int rounds = args.isEmpty() ? 5 : std::max(1, args.first().toInt());
    QTemporaryDir dir;
    bench::ChampionshipCounts counts;
    bench::Meeting m = bench::drawnChampionship(dir.path(), QStringLiteral("publish"), kLanes,
                                                QStringLiteral("TEAMSCOREBASIS = 1"), &counts);
    db::DmdCoreDbs& database = *m.run->database();
    const int athletes = counts.athletes;
    const int entries = counts.entries;
    // The finals: the eight fastest entries of each event in lanes 1 to 8.
    database.execute(QStringLiteral("update PARTICIPATE P set P.LANE = (select count(*) from "
                                    "PARTICIPATE Q where Q.EVENTNO = P.EVENTNO and Q.PARTNO <= "
                                    "P.PARTNO) where P.MEETINGNO = ") +
                     db::sqlInt(m.meetingNo));
    database.execute(QStringLiteral("update PARTICIPATE set LANE = 0 where LANE > 8 and "
                                    "MEETINGNO = ") +
                     db::sqlInt(m.meetingNo));
    if (!swimEverything(m)) {
        std::fprintf(stderr, "the results could not be written\n");
        return 1;
    }
    QList<qint64> published;
    for (const results::CaptureProgramRow& row : results::captureProgramRows(
             database, m.run->items(), m.meetingNo, results::CaptureOrder::Sequence))
        if (!row.isCalculatedFinal() && row.withResults > 0)
            published << row.programNo;
    std::printf("meeting: %d swimmers, %d entries, %d heats and finals with results\n", athletes,
                entries, int(published.size()));

    double best = 1e9;
    double bestLimit = 1e9;
    double bestCpu = 1e9;
    Written bytes;
    for (int round = 1; round <= rounds; ++round) {
        const QString root = dir.path() + QStringLiteral("/site") + QString::number(round);
        QDir().mkpath(root);
        m.sink->clear();
        const double threadCpuBefore = threadCpu();
        const double processCpuBefore = processCpu();
        QElapsedTimer timer;
        timer.start();
        db::resetReadCounts();
        Steps steps(timer);
        publish::WebSite site(*m.run, root);
        const publish::WebSite::ReadsHeld held(site);
        const QString settings = steps.next();
        // One reading of the meeting serves every page of the run.
        site.reads()->athletes();
        const QString athletesRead = steps.next();
        site.reads()->programRows();
        const QString rowsRead = steps.next();
        site.reads()->programLines();
        const QString linesRead = steps.next();
        const double readsTook = seconds(timer);
        const db::ReadCounts reads = db::readCounts();
        // The pages the master index links, all of them.
        site.settings().mustProgram = true;
        site.settings().mustStarters = true;
        site.settings().mustTeamTotals = true;
        if (!publish::publishMeeting(site)) {
            std::fprintf(stderr, "the meeting could not be published\n");
            return 1;
        }
        const double took = seconds(timer);
        const double mainCpu = threadCpu() - threadCpuBefore;
        const double allCpu = processCpu() - processCpuBefore;
        const db::ReadCounts all = db::readCounts();
        std::printf("  reading the meeting %.3f s, the pages %.3f s\n", readsTook,
                    took - readsTook);
        std::printf("  reading: %lld statements, %lld rows (site %s, athletes %s, program rows %s, "
                    "program lines %s); after it %lld statements, %lld rows\n",
                    reads.statements, reads.rows, qPrintable(settings), qPrintable(athletesRead),
                    qPrintable(rowsRead), qPrintable(linesRead), all.statements - reads.statements,
                    all.rows - reads.rows);
        std::printf("  processor time: %.3f s on the main thread, %.3f s in all\n", mainCpu,
                    allCpu);
        bestCpu = std::min(bestCpu, mainCpu);
        best = std::min(best, took);
        if (publishOnly)
            continue;
        Written w;
        const double limit =
            plainWrites(root, dir.path() + QStringLiteral("/plain") + QString::number(round), &w);
        std::printf("round %d: publishing %.3f s, plain writes of %d files (%.1f MB) %.3f s\n",
                    round, took, w.files, double(w.bytes) / 1e6, limit);
        bestLimit = std::min(bestLimit, limit);
        bytes = w;
        if (round == rounds && !keep.isEmpty()) {
            Written copied;
            plainWrites(root, keep, &copied);
        }
    }
    if (publishOnly) {
        std::printf("best of %d: publishing %.3f s (main thread's processor time %.3f s)\n", rounds,
                    best, bestCpu);
        return 0;
    }
    std::printf("best of %d: publishing %.3f s (main thread's processor time %.3f s), plain "
                "writes %.3f s: ratio %.1f (target 3)\n",
                rounds, best, bestCpu, bestLimit, best / bestLimit);
    return 0;
}
