// The draw on the championship meeting (60 teams, 1,500 swimmers, 6,000 entries over a
// two-day program, 10 lanes, Bests Last with best times): one event of 100 swimmers (a
// click on the draw screen) and all first rounds of the meeting, each beside the time the
// engine needs to write the same heat rows with prepared statements in one transaction:
// the limit.
//
// usage: drawbench [ROUNDS] [--no-forced-writes]
//   ROUNDS: default 5; the best round of each is reported. --no-forced-writes leaves the
//   page writes to the system's cache, to see the cost of the work without the commits'
//   waits for the disk (the draw commits every quarter second or so; the limit once in all).

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/fbclient.h"
#include "db/sqltext.h"
#include "draw/drawall.h"
#include "draw/drawengine.h"
#include "meeting/currentmeeting.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int kLanes = 10;
const QString kBigEvent = QStringLiteral("FRE____100M18W");

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// A hundred of the meeting's male swimmers entered in one more event, with best times.
qint64 enterBigEvent(bench::Meeting& m)
{
    db::DmdCoreDbs& database = *m.run->database();
    const qint64 eventNo =
        database
            .selectOneValue(QStringLiteral("EVENTNO"), QStringLiteral("MYEVENT"),
                            QStringLiteral("ITEMCODE = ") + db::quoted(kBigEvent))
            .toLongLong();
    db::Query q = database.openQuery(QStringLiteral("select first 100 ATHLETENO, TEAMNO from "
                                                    "ATHLETE where GENDER = 'M' order by "
                                                    "ATHLETENO"));
    QRandomGenerator random(100);
    for (q.first(); !q.eof(); q.next()) {
        const int hundredths = 5500 + int(random.bounded(2500));
        const QString best =
            QStringLiteral("0:") + QString::number(hundredths / 100).rightJustified(2, '0') +
            QLatin1Char('.') + QString::number(hundredths % 100).rightJustified(2, '0');
        database.execute(
            QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, "
                           "ATHLETENO, BESTPERFBEFORE, PERFORMANCE, PLACE, E_PLACE, LANE, "
                           "DISQ_STATUS) values (") +
            db::sqlInt(database.nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
            QLatin1Char(',') + db::sqlInt(eventNo) + QLatin1Char(',') +
            db::sqlInt(q.integer(QStringLiteral("TEAMNO"))) + QLatin1Char(',') +
            db::sqlInt(q.integer(QStringLiteral("ATHLETENO"))) + QLatin1Char(',') +
            db::quoted(best) + QStringLiteral(", '', 0, 0, 0, 0)"));
    }
    return eventNo;
}

struct HeatRow {
    qint64 eventNo;
    QByteArray round;
    int heat;
    qint64 athleteNo;
    int lane;
};

// The heat rows of the draw (a final only event's lanes as round F), read back.
QList<HeatRow> drawnRows(db::DmdCoreDbs& database, int meetingNo, qint64 eventNo = 0)
{
    const QString event =
        eventNo > 0 ? QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo) : QString();
    QList<HeatRow> rows;
    db::Query heats = database.openQuery(
        QStringLiteral("select EVENTNO, ROUND, HEATNO, ATHLETENO, LANE from HEATPART where "
                       "MEETINGNO = ") +
        db::sqlInt(meetingNo) + event);
    for (heats.first(); !heats.eof(); heats.next()) {
        rows << HeatRow{
            heats.integer(QStringLiteral("EVENTNO")), heats.text(QStringLiteral("ROUND")).toUtf8(),
            int(heats.integer(QStringLiteral("HEATNO"))),
            heats.integer(QStringLiteral("ATHLETENO")), int(heats.integer(QStringLiteral("LANE")))};
    }
    db::Query finals = database.openQuery(
        QStringLiteral("select EVENTNO, ATHLETENO, LANE from PARTICIPATE where LANE > 0 and "
                       "MEETINGNO = ") +
        db::sqlInt(meetingNo) + event);
    for (finals.first(); !finals.eof(); finals.next()) {
        rows << HeatRow{finals.integer(QStringLiteral("EVENTNO")), "F", 0,
                        finals.integer(QStringLiteral("ATHLETENO")),
                        int(finals.integer(QStringLiteral("LANE")))};
    }
    return rows;
}

// The same rows written straight: prepared inserts (and the finals' lane updates), one
// transaction. The previous rows are removed before the clock starts.
double limitOnce(bench::Meeting& m, const QList<HeatRow>& rows, qint64 eventNo = 0)
{
    using namespace Firebird;
    db::DmdCoreDbs& database = *m.run->database();
    const QString event =
        eventNo > 0 ? QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo) : QString();
    database.execute(QStringLiteral("delete from HEATPART where MEETINGNO = ") +
                     db::sqlInt(m.meetingNo) + event);
    database.execute(QStringLiteral("update PARTICIPATE set LANE = 0 where MEETINGNO = ") +
                     db::sqlInt(m.meetingNo) + event);
    // The keys drawn from the sequence as the draw does, so that later draws do not meet them.
    const QList<qint64> keys = database.nextKeyNumbers(int(rows.size()));
    qsizetype nextKey = 0;
    const double taken = bench::timedTransaction(m, [&](ThrowStatusWrapper& status,
                                                        IAttachment* att, ITransaction* tra) {
        IStatement* insert = att->prepare(
            &status, tra, 0,
            "insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, HEATNO, ATHLETENO, LANE, "
            "MEETINGNO, DISQ_STATUS, PERFORMANCE, PLACE, E_PLACE) values (?, ?, ?, ?, ?, ?, ?, "
            "0, '', 0, 0)",
            3, 0);
        IStatement* update = att->prepare(&status, tra, 0,
                                          "update PARTICIPATE set LANE = ? where EVENTNO = ? and "
                                          "ATHLETENO = ? and MEETINGNO = ?",
                                          3, 0);
        bench::Params in(status, insert);
        bench::Params up(status, update);
        for (const HeatRow& r : rows) {
            if (r.round == "F") {
                up.setInt(0, r.lane);
                up.setInt(1, r.eventNo);
                up.setInt(2, r.athleteNo);
                up.setInt(3, m.meetingNo);
                update->execute(&status, tra, up.meta(), up.data(), nullptr, nullptr);
                continue;
            }
            in.setInt(0, keys[nextKey++]);
            in.setInt(1, r.eventNo);
            in.setText(2, r.round);
            in.setInt(3, r.heat);
            in.setInt(4, r.athleteNo);
            in.setInt(5, r.lane);
            in.setInt(6, m.meetingNo);
            insert->execute(&status, tra, in.meta(), in.data(), nullptr, nullptr);
        }
        insert->free(&status);
        update->free(&status);
    });
    return taken;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const bool forcedWrites = !(argc > 2 && QByteArrayView(argv[2]) == "--no-forced-writes");
    QTemporaryDir dir;
    bench::useScratchHome(dir.path());
    const auto generated = bench::championshipEntries();
    const QString file = bench::writeEntriesFile(dir.path(), generated);
    const QString empty = bench::createEmptyDatabase(dir.path());
    if (file.isEmpty() || empty.isEmpty())
        return 1;
    db::DbError error;
    if (!forcedWrites && !db::FbAttachment::setForcedWrites(empty, false, &error)) {
        std::fprintf(stderr, "forced writes: %s\n", qPrintable(error.message));
        return 1;
    }

    bench::Meeting m = bench::openMeeting(dir.path(), empty, QStringLiteral("draw"),
                                          generated.itemCodes + QStringList{kBigEvent});
    int athletes = 0;
    int entries = 0;
    bench::importEntries(m, file, &athletes, &entries);
    db::DmdCoreDbs& database = *m.run->database();
    const qint64 bigEvent = enterBigEvent(m);
    bench::makeDrawable(m, kLanes);
    std::printf("meeting: %d swimmers, %d entries + 100 in one event, %d events, %d lanes, "
                "forced writes %s\n",
                athletes, entries, int(generated.itemCodes.size()) + 1, kLanes,
                forcedWrites ? "on" : "off");

    draw::DrawRandom random(2026);
    draw::DrawEngine engine(database, m.run->items(), m.run->meeting(), random);
    const auto big = engine.readEvent(bigEvent);
    if (!big) {
        std::fprintf(stderr, "no event of 100\n");
        return 1;
    }

    // One event: a click, repeated to see past the first query's warm-up.
    double bestOne = std::numeric_limits<double>::max();
    QList<double> ones;
    for (int i = 0; i < 10 * rounds; ++i) {
        draw::DrawReport report;
        QElapsedTimer timer;
        timer.start();
        if (!engine.drawFirstRound(*big, report) || report.drawnAthletes != 100) {
            std::fprintf(stderr, "the draw of 100 failed: %s\n", qPrintable(engine.failure()));
            return 1;
        }
        ones << seconds(timer);
        bestOne = std::min(bestOne, ones.last());
    }
    std::sort(ones.begin(), ones.end());
    const QList<HeatRow> oneRows = drawnRows(database, m.meetingNo, bigEvent);
    double bestOneLimit = std::numeric_limits<double>::max();
    for (int i = 0; i < 10 * rounds; ++i)
        bestOneLimit = std::min(bestOneLimit, limitOnce(m, oneRows, bigEvent));

    // All first rounds.
    double bestAll = std::numeric_limits<double>::max();
    double firstAll = 0;
    int drawnEvents = 0;
    int drawnAthletes = 0;
    for (int i = 0; i < rounds; ++i) {
        draw::DrawAll all(engine);
        m.sink->answerYes();
        QElapsedTimer timer;
        timer.start();
        const draw::DrawReport report = all.firstRounds();
        if (i == 0)
            firstAll = seconds(timer);
        bestAll = std::min(bestAll, seconds(timer));
        drawnEvents = report.drawnEvents;
        drawnAthletes = report.drawnAthletes;
        if (!report.notDrawn.isEmpty()) {
            std::fprintf(stderr, "not drawn: %s\n", qPrintable(report.notDrawn.join('\n')));
            return 1;
        }
    }
    const QList<HeatRow> allRows = drawnRows(database, m.meetingNo);
    if (allRows.size() != drawnAthletes) {
        std::fprintf(stderr, "%d rows drawn, %d read back\n", drawnAthletes, int(allRows.size()));
        return 1;
    }
    double bestAllLimit = std::numeric_limits<double>::max();
    for (int i = 0; i < rounds; ++i)
        bestAllLimit = std::min(bestAllLimit, limitOnce(m, allRows));

    std::printf("one event of 100 swimmers (10 heats):\n");
    std::printf("  draw (read, rank, place, store):  best %8.2f ms, median %8.2f ms\n",
                bestOne * 1e3, ones[ones.size() / 2] * 1e3);
    std::printf("  same rows, prepared inserts:      best %8.2f ms\n", bestOneLimit * 1e3);
    std::printf("  ratio draw / limit:                    %8.2f\n", bestOne / bestOneLimit);
    std::printf("all first rounds (%d events, %d swimmers):\n", drawnEvents, drawnAthletes);
    std::printf("  draw all (saved every 0.25 s+):   best %8.3f s (the first, on an undrawn "
                "meeting: %.3f s)\n",
                bestAll, firstAll);
    std::printf("  same rows, prepared, one trans.:  best %8.3f s\n", bestAllLimit);
    std::printf("  ratio draw / limit:                    %8.2f (the first: %.2f)\n",
                bestAll / bestAllLimit, firstAll / bestAllLimit);
    return 0;
}
