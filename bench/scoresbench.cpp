// Team totals, the medal count and the record check of one result on the championship
// meeting (60 teams in two leagues, 1,500 swimmers, 6,000 entries) with every final placed
// by its best time, place points for ten places, medals by place and a watched record set
// holding a record for every item.
//
// usage: scoresbench [ROUNDS]   (default 5; the best and the median of each are reported)

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/itemtypes.h"
#include "records/recordcheck.h"
#include "records/records.h"
#include "records/recordsets.h"
#include "scoring/medalcount.h"
#include "scoring/placedresults.h"
#include "scoring/placepoints.h"
#include "scoring/teamtotals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// What the operation said before it failed.
int failed(const bench::Meeting& m, const char* what)
{
    std::fprintf(stderr, "%s failed\n", what);
    for (const auto& shown : m.sink->shown())
        std::fprintf(stderr, "  %s\n", qPrintable(shown.text));
    return 1;
}

void report(const char* what, QList<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-46s best %8.2f ms  median %8.2f ms\n", what, times.first(),
                times[times.size() / 2]);
}

// A result to check for records.
struct Sample {
    QString itemCode;
    QString performance;
    qint64 athleteNo = 0;
};

// Every final placed by its best time (ties share), as the place calculation leaves them;
// half the teams in league 1, half in league 2.
void placeEveryone(db::DmdCoreDbs& database, int meetingNo)
{
    database.execute(QStringLiteral("update TEAM set LEAGUE = 1 + mod(TEAMNO, 2) where "
                                    "MEETINGNO = ") +
                     db::sqlInt(meetingNo));
    db::Query q = database.openQuery(
        QStringLiteral("select P.PARTNO, P.EVENTNO, P.BESTPERFBEFORE, T.LEAGUE from PARTICIPATE P "
                       "join MYEVENT E on E.EVENTNO = P.EVENTNO "
                       "join TEAM T on T.TEAMNO = P.TEAMNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and coalesce(P.BESTPERFBEFORE, '') <> '' order by P.EVENTNO, T.LEAGUE, "
                       "P.BESTPERFBEFORE"));
    database.startBatch();
    qint64 event = -1;
    int league = -1;
    int place = 0;
    int position = 0;
    QString previous;
    for (q.first(); !q.eof(); q.next()) {
        const QString perf = q.text(QStringLiteral("BESTPERFBEFORE")).trimmed();
        if (q.integer(QStringLiteral("EVENTNO")) != event ||
            q.integer(QStringLiteral("LEAGUE")) != league) {
            event = q.integer(QStringLiteral("EVENTNO"));
            league = int(q.integer(QStringLiteral("LEAGUE")));
            position = 0;
            previous.clear();
        }
        ++position;
        if (perf != previous)
            place = position;
        previous = perf;
        database.batchExecute(QStringLiteral("update PARTICIPATE set PERFORMANCE = ") +
                              db::quoted(perf) + QStringLiteral(", PLACE = ") + db::sqlInt(place) +
                              QStringLiteral(", E_PLACE = ") + db::sqlInt(place) +
                              QStringLiteral(" where PARTNO = ") +
                              db::sqlInt(q.integer(QStringLiteral("PARTNO"))));
    }
    database.commitBatch();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    int athletes = 0;
    int entries = 0;
    bench::Meeting m =
        bench::importedChampionship(dir.path(), QStringLiteral("scores"), &athletes, &entries);
    db::DmdCoreDbs& database = *m.run->database();
    placeEveryone(database, m.meetingNo);

    scoring::PlacePointsTable points(database, m.meetingNo);
    for (int league : {1, 2}) {
        for (int place = 1; place <= 10; ++place)
            points.increase(league, QString::number(11 - place), QString::number(22 - 2 * place),
                            40);
    }
    // A record for every item, a little faster than the event's winner now and then.
    const qint64 set = records::RecordSets(database).NewRecordSet({"National", "NAT", "2025"});
    {
        db::Query best = database.openQuery(
            QStringLiteral("select E.ITEMCODE, min(P.PERFORMANCE) as BEST from MYEVENT E join "
                           "PARTICIPATE P on P.EVENTNO = E.EVENTNO where E.MEETINGNO = ") +
            db::sqlInt(m.meetingNo) + QStringLiteral(" and P.PLACE > 0 group by E.ITEMCODE"));
        records::Records records(database, m.run->items());
        database.startBatch();
        for (best.first(); !best.eof(); best.next())
            database.batchExecute(records.insertSql(
                database.nextKeyNumber(), set, best.text(QStringLiteral("ITEMCODE")),
                records::MainHolder, best.text(QStringLiteral("BEST")).trimmed(), {}));
        database.commitBatch();
    }
    records::RecordSets(database).selectForMeeting(m.meetingNo, set, false, 3);
    database.execute(QStringLiteral("update MEETING set TEAMSCOREBASIS = 1, "
                                    "COMP_PLACEPOINTS_HAS_SETS = 1, SHAREPLACEPOINTS = 1, "
                                    "MEDALBASEDON = 1, CHECKGOLD = 1, CHECKSILVER = 1, "
                                    "CHECKBRONZE = 1, POINTGOLD = 1, POINTSILVER = 2, "
                                    "POINTBRONZE = 3 where MEETINGNO = ") +
                     db::sqlInt(m.meetingNo));
    meeting::createMeetingServices(*m.run);
    meeting::useMeeting(*m.run, m.meetingNo);
    // A winner who equalled the record just made (not a mixed-age item, which would be
    // compared by the swimmer's own age).
    db::Query winner = database.openQuery(
        QStringLiteral("select first 1 P.ATHLETENO, P.PERFORMANCE, E.ITEMCODE from PARTICIPATE P "
                       "join MYEVENT E on E.EVENTNO = P.EVENTNO join RECORD R on R.ITEMCODE = "
                       "E.ITEMCODE and R.RECORD = P.PERFORMANCE where R.RECORDSETNO = ") +
        db::sqlInt(set) + QStringLiteral(" and E.C_AGE <> '99' order by P.PARTNO"));
    if (winner.isEmpty())
        return failed(m, "finding a record holder");
    const Sample sample{winner.text(QStringLiteral("ITEMCODE")),
                        winner.text(QStringLiteral("PERFORMANCE")).trimmed(),
                        winner.integer(QStringLiteral("ATHLETENO"))};
    std::printf("meeting: %d swimmers, %d placed entries, %d events, 2 leagues\n", athletes,
                database.ZSqlCount(QStringLiteral("PARTICIPATE"), QStringLiteral("PLACE > 0")),
                database.ZSqlCount(QStringLiteral("MYEVENT"),
                                   QStringLiteral("MEETINGNO = ") + db::sqlInt(m.meetingNo)));

    QList<double> totals, medals, split, checks, reading;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        scoring::placedFinals(database, m.meetingNo);
        reading << ms(timer);
        timer.restart();
        const auto t = scoring::teamTotals(database, m.run->items(), m.run->meeting());
        totals << ms(timer);
        if (!t.ok || t.rows.isEmpty())
            return failed(m, "team totals");
        timer.restart();
        scoring::teamTotals(database, m.run->items(), m.run->meeting(),
                            scoring::SplitLeague | scoring::SplitGender | scoring::SplitAge);
        split << ms(timer);
        timer.restart();
        const auto c = scoring::medalCount(database, m.run->items(), m.run->meeting());
        medals << ms(timer);
        if (!c.ok)
            return failed(m, "medal count");
    }
    for (int i = 0; i < 20 * rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        // A new check per result, as capture makes after a result is saved.
        records::RecordCheck check(database, m.run->items(), m.run->meeting());
        const auto result =
            check.RecordsBroken(sample.itemCode, sample.performance, QString(), sample.athleteNo);
        checks << ms(timer);
        if (!result.any())
            return failed(m, "record check");
    }
    report("reading the placed finals (the shared query)", reading);
    report("team totals (place points, no split)", totals);
    report("team totals split by league, gender, age", split);
    report("medal count per team", medals);
    report("record check of one result", checks);
    return 0;
}
