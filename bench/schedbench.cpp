// The athlete clash check over the championship (60 teams, 1,500 swimmers, 6,000 entries,
// every event in heats of eight and a final, the first rounds drawn, each of the two days
// packed from 09:00), beside the limit: one SQL self-join over the same collected
// participations that finds the same consecutive pairs and their rests.
//
// usage: schedbench [ROUNDS]   (default 3; the best round of each is reported)

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawall.h"
#include "draw/drawengine.h"
#include "meeting/currentmeeting.h"
#include "sched/clashcheck.h"
#include "sched/packing.h"
#include "sched/restguidelines.h"
#include "sched/schedparams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

constexpr int kLanes = 8;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "schedbench: %s\n", what);
    std::exit(1);
}

double seconds(QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// The championship with its first rounds drawn, the "Fast" presets, and each day packed
// from 09:00.
void prepare(bench::Meeting& m)
{
    base::Run& run = *m.run;
    db::DmdCoreDbs& database = *run.database();
    database.execute(QStringLiteral("update MEETING set DOLVANE_LANE_COUNT = ") +
                     db::sqlInt(kLanes) + QStringLiteral(", DAY_COUNT = 2 where MEETINGNO = ") +
                     db::sqlInt(m.meetingNo));
    meeting::useMeeting(run, m.meetingNo);
    if (!bench::makeProgram(m, kLanes))
        fail("the program could not be made");
    draw::DrawRandom random(2026);
    draw::DrawEngine engine(database, run.items(), run.meeting(), random);
    draw::DrawAll all(engine);
    m.sink->answerYes();
    if (!all.firstRounds().notDrawn.isEmpty())
        fail("some first rounds were not drawn");
    if (!sched::storeTimeParameters(run, sched::TimeParameters::preset(true)) ||
        !sched::storeRestGuidelines(run, sched::RestGuidelines::preset(true)))
        fail("cannot store the presets");
    const sched::StationRows rows(run);
    if (rows.all().isEmpty())
        fail("no program rows");
    qint64 firstOfDay2 = 0;
    for (const sched::StationRow& r : rows.all()) {
        if (r.day == 2 && firstOfDay2 == 0)
            firstOfDay2 = r.programNo;
    }
    const sched::StationRow& first = rows.all().first();
    sched::Packing packing(run);
    if (!packing.pack(first.station, sched::PackOrder::Time, first.programNo, 1,
                      QStringLiteral("09:00"), false) ||
        (firstOfDay2 != 0 && !packing.pack(first.station, sched::PackOrder::Time, firstOfDay2, 2,
                                           QStringLiteral("09:00"), false)))
        fail("packing failed");
}

// The limit: the pairs of consecutive events of each competitor and the rest between them,
// found by the database in one statement over the collected participations.
struct JoinResult {
    int pairs = 0;
    double restDays = 0;
};

JoinResult selfJoin(db::DmdCoreDbs& database)
{
    db::Query q = database.openQuery(QStringLiteral(
        "select count(*) as PAIRS, sum((PY.DAY_SEQ + PY.TIME_START) - (PX.DAY_SEQ + "
        "PX.TIME_STOP)) as REST from T_SCHED_PART X "
        "join T_SCHED_PROGRAM PX on PX.PROGRAMNO = X.PROGRAMNO "
        "join T_SCHED_PART Y on Y.ATHLETENO = X.ATHLETENO "
        "join T_SCHED_PROGRAM PY on PY.PROGRAMNO = Y.PROGRAMNO "
        "where PY.DAY_SEQ + PY.TIME_START > PX.DAY_SEQ + PX.TIME_START "
        "and not exists (select 1 from T_SCHED_PART Z "
        "join T_SCHED_PROGRAM PZ on PZ.PROGRAMNO = Z.PROGRAMNO where Z.ATHLETENO = X.ATHLETENO "
        "and PZ.DAY_SEQ + PZ.TIME_START > PX.DAY_SEQ + PX.TIME_START "
        "and PZ.DAY_SEQ + PZ.TIME_START < PY.DAY_SEQ + PY.TIME_START)"));
    if (!q.isOpen() || q.isEmpty())
        fail("the self-join failed");
    return {int(q.integer("PAIRS")), q.value("REST").toDouble()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    int athletes = 0;
    int entries = 0;
    bench::Meeting m =
        bench::importedChampionship(dir.path(), QStringLiteral("sched"), &athletes, &entries);
    QElapsedTimer timer;
    timer.start();
    prepare(m);
    base::Run& run = *m.run;
    db::DmdCoreDbs& database = *run.database();
    std::printf(
        "meeting: %d swimmers, %d entries, %d heat places, %d program rows over two "
        "days (drawn and packed in %.1f s)\n",
        athletes, entries, database.ZSqlCount(QStringLiteral("HEATPART"), QStringLiteral("1=1")),
        database.ZSqlCount(QStringLiteral("PROGRAM"), QStringLiteral("1=1")), seconds(timer));
    double bestCheck = std::numeric_limits<double>::max();
    double bestCollect = std::numeric_limits<double>::max();
    double bestJoin = std::numeric_limits<double>::max();
    JoinResult join;
    int clashes = 0;
    double clashRest = 0;
    for (int round = 0; round < rounds; ++round) {
        m.sink->clear();
        timer.restart();
        if (!sched::ClashCheck(run).checkAthletes())
            fail("the athlete check refused");
        bestCheck = std::min(bestCheck, seconds(timer));
        database.refreshReads();
        clashes = database.ZSqlCount(QStringLiteral("T_SCHED_CLASH"), QStringLiteral("1=1"));
        clashRest = database
                        .selectOneValue(QStringLiteral("sum(ACTUAL_REST)"),
                                        QStringLiteral("T_SCHED_CLASH"), QStringLiteral("1=1"))
                        .toDouble();
        timer.restart();
        sched::ClashCheck collect(run);
        if (!collect.collectProgram() || !collect.collectParticipations())
            fail("collecting failed");
        bestCollect = std::min(bestCollect, seconds(timer));
        database.refreshReads();
        timer.restart();
        join = selfJoin(database);
        bestJoin = std::min(bestJoin, seconds(timer));
        std::printf("round %d: %d pairs from the check, %d from the self-join\n", round + 1,
                    clashes, join.pairs);
    }
    std::printf("pairs: check %d, self-join %d; total rest %.1f and %.1f minutes\n", clashes,
                join.pairs, clashRest * 1440, join.restDays * 1440);
    std::printf("athlete check (collect, walk, write pairs): %8.3f s\n", bestCheck);
    std::printf("  of which collecting program and entries:  %8.3f s\n", bestCollect);
    std::printf("self-join over the collected entries:       %8.3f s\n", bestJoin);
    std::printf("ratio check / self-join:                    %8.2f\n", bestCheck / bestJoin);
    std::printf("ratio check / (collect + self-join):        %8.2f\n",
                bestCheck / (bestCollect + bestJoin));
    return clashes == join.pairs ? 0 : 1;
}
