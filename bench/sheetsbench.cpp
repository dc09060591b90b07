// The officials' paper over the championship meeting: the sheets of every heat of the
// first day into one PDF, and the twenty check lists over the whole meeting.
//
//   build/bench/sheetsbench [ROUNDS]

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "sheets/checklists.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/sheetprinting.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int kLanes = 8;

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// The pages poppler counts in the file.
int pdfPageCount(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(60000))
        return 0;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    bench::ChampionshipCounts counts;
    bench::Meeting m = bench::drawnChampionship(
        dir.path(), QStringLiteral("sheets"), kLanes,
        QStringLiteral("SHEETS_SKIP_START = 0, USE_DISTRIBUTION = 0"), &counts);
    db::DmdCoreDbs& database = *m.run->database();
    std::printf("meeting: %d swimmers, %d entries, %d events; %d athletes drawn\n", counts.athletes,
                counts.entries, counts.events, counts.drawnAthletes);

    // The first day's drawn heats: every heat of a first round, and the finals of events
    // without heats.
    QList<sheets::HeatRef> heats;
    db::Query q = database.openQuery(
        QStringLiteral("select P.EVENTNO, P.ROUND, P.HEATNO from PROGRAM P where P.MEETINGNO = ") +
        db::sqlInt(m.meetingNo) +
        QStringLiteral(" and P.DAY_SEQ = 1 and (exists (select 1 from HEATPART H where "
                       "H.EVENTNO = P.EVENTNO and H.ROUND = P.ROUND and H.HEATNO = P.HEATNO) or "
                       "(P.ROUND = 'F' and exists (select 1 from PARTICIPATE X where X.EVENTNO "
                       "= P.EVENTNO and X.LANE > 0))) order by P.SEQ, P.ROUND, P.HEATNO"));
    for (q.first(); !q.eof(); q.next())
        heats.append({q.integer("EVENTNO"), q.text("ROUND").trimmed(), int(q.integer("HEATNO"))});

    const QString pdf = dir.filePath(QStringLiteral("day1.pdf"));
    double bestSheets = std::numeric_limits<double>::max();
    int sheetCount = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        sheets::SheetPrinting printing(*m.run);
        const QList<sheets::SheetPage> pages = printing.pages(heats, false);
        sheets::PdfSheetOutput output(*m.run, pdf);
        if (!output.write(pages)) {
            std::fprintf(stderr, "the PDF could not be written\n");
            return 1;
        }
        for (const sheets::HeatRef& heat : heats)
            printing.markPrinted(heat);
        bestSheets = std::min(bestSheets, seconds(timer));
        sheetCount = int(pages.size());
    }
    const int printedPages = pdfPageCount(pdf);

    QList<int> every;
    for (int n = 1; n <= sheets::kCheckCount; ++n)
        every << n;
    double bestChecks = std::numeric_limits<double>::max();
    int findings = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QList<sheets::CheckFinding> found = sheets::CheckLists(*m.run).run(every);
        bestChecks = std::min(bestChecks, seconds(timer));
        findings = 0;
        for (const sheets::CheckFinding& f : found)
            findings += f.rows;
    }

    std::printf("day 1: %d heats, %d sheets, %d PDF pages\n", int(heats.size()), sheetCount,
                printedPages);
    std::printf("  sheets (read, lay out, write, mark): best %7.2f s = %6.1f pages/s "
                "(target 20)\n",
                bestSheets, printedPages / std::max(bestSheets, 1e-9));
    std::printf("all twenty checks: best %7.3f s, %d findings (target under 2 s)\n", bestChecks,
                findings);
    return 0;
}
