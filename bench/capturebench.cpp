// Capturing one result on the championship meeting (60 teams, 1,500 swimmers, 6,000
// entries, every first round drawn at 8 lanes by the draw): the edit dialog's checks, the
// one-statement write and the calculated state of the heat, then the refresh the screen makes: the
// heat's athletes and program row, and the whole program list of the capture by event. A keystroke
// should cost under 50 ms.
//
// usage: capturebench [RESULTS]   (default 200 results, each timed; the median, the 90th
//                                 percentile and the worst are reported)

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawall.h"
#include "draw/drawengine.h"
#include "meeting/currentmeeting.h"
#include "meeting/itemtypes.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/resultedit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kLanes = 8;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Figures {
    double median = 0;
    double p90 = 0;
    double worst = 0;
};

Figures figures(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    Figures f;
    if (times.empty())
        return f;
    f.median = times[times.size() / 2];
    f.p90 = times[std::min(times.size() - 1, times.size() * 9 / 10)];
    f.worst = times.back();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int results = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTemporaryDir dir;
    int athletes = 0;
    int entries = 0;
    bench::Meeting m =
        bench::importedChampionship(dir.path(), QStringLiteral("capture"), &athletes, &entries);
    db::DmdCoreDbs& database = *m.run->database();
    bench::makeDrawable(m, kLanes);
    // Every first round drawn as the draw menu does it (Bests Last on best times).
    draw::DrawRandom drawRandom(2026);
    draw::DrawEngine engine(database, m.run->items(), m.run->meeting(), drawRandom);
    draw::DrawAll all(engine);
    m.sink->answerYes();
    const int drawn = all.firstRounds().drawnAthletes;
    const meeting::ItemTypes& items = m.run->items();
    const QList<results::CaptureProgramRow> program =
        results::captureProgramRows(database, items, m.meetingNo, results::CaptureOrder::Sequence);
    QList<results::CaptureProgramRow> heats;
    for (const results::CaptureProgramRow& row : program)
        if (row.athletes > 0 && row.drawn > 0)
            heats.append(row);
    std::printf("meeting: %d swimmers, %d entries, %d program rows, %d swimmers drawn\n", athletes,
                entries, int(program.size()), drawn);
    if (heats.isEmpty())
        return 1;

    QRandomGenerator random(2026);
    results::ResultCapture capture(*m.run);
    std::vector<double> write, panel, list;
    for (int i = 0; i < results; ++i) {
        const results::CaptureProgramRow& row = heats[int(random.bounded(int(heats.size())))];
        const QList<results::CaptureAthleteRow> inHeat =
            results::captureAthletes(database, items, row, draw::MemberOrder::Lane);
        const results::CaptureAthleteRow& athlete = inHeat[int(random.bounded(int(inHeat.size())))];
        results::ResultEntry entry = results::entryOf(athlete);
        entry.performance =
            items.PerfValueToText(row.itemCode, 25.0 + random.bounded(4000) / 100.0, false);
        QElapsedTimer timer;
        timer.start();
        if (!capture.capture(row, athlete, entry)) {
            std::fprintf(stderr, "refused: %s\n", qPrintable(entry.performance));
            return 1;
        }
        write.push_back(milliseconds(timer));
        timer.restart();
        results::captureProgramRow(database, items, row.programNo);
        results::captureAthletes(database, items, row, draw::MemberOrder::Lane);
        panel.push_back(milliseconds(timer));
        timer.restart();
        results::captureProgramRows(database, items, m.meetingNo, results::CaptureOrder::Sequence);
        list.push_back(milliseconds(timer));
    }
    const Figures w = figures(write);
    const Figures p = figures(panel);
    const Figures l = figures(list);
    std::vector<double> keystroke(write.size());
    for (size_t i = 0; i < write.size(); ++i)
        keystroke[i] = write[i] + panel[i] + list[i];
    const Figures k = figures(keystroke);
    std::printf("%d results                      median     p90   worst (ms)\n", results);
    std::printf("check, write, calculated state %7.2f %7.2f %7.2f\n", w.median, w.p90, w.worst);
    std::printf("heat refresh (row, athletes)   %7.2f %7.2f %7.2f\n", p.median, p.p90, p.worst);
    std::printf("program list refresh           %7.2f %7.2f %7.2f\n", l.median, l.p90, l.worst);
    std::printf("one keystroke, all of it       %7.2f %7.2f %7.2f   (target 50)\n", k.median, k.p90,
                k.worst);
    return 0;
}
