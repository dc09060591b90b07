// The places of a championship meeting: CalcAllPlaces over every program row with results
// (race places, league places, the check and the placed count of each heat), beside the
// limit: one statement per table that ranks the same rows with RANK() OVER (PARTITION BY
// ...) and writes the ranks back.
//
// The meeting: 60 teams of 25 swimmers, 40 events of 150 entries each swum in round A heats
// of 8 lanes with a final of 8, every swimmer with a time (ties included). The rows are
// written before the clock starts.
//
// usage: placesbench [ROUNDS]   (default 3; the best round of each is reported)

#include "championship.h"

#include "base/run.h"
#include "base/scriptedsink.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"
#include "results/places.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>
#include <memory>

namespace {

constexpr int kTeams = 60;
constexpr int kSwimmersPerTeam = 25;
constexpr int kEvents = 40;
constexpr int kEntriesPerEvent = 150;
constexpr int kLanes = 8;

struct Meeting : bench::Meeting {
    int heatRows = 0;
    int finalRows = 0;
    int programRows = 0;
};

QString swimTime(QRandomGenerator& random)
{
    // 1:00.00 to 1:09.99 in steps that make equal times common.
    const int hundredths = 6000 + int(random.bounded(400)) * 2;
    return QStringLiteral("%1:%2.%3")
        .arg(hundredths / 6000)
        .arg((hundredths / 100) % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

bool batch(db::DmdCoreDbs& database, const QString& sql)
{
    if (database.batchExecute(sql))
        return true;
    std::fprintf(stderr, "failed: %s\n", qPrintable(sql));
    return false;
}

// The meeting with its swum heats and finals, written in one transaction.
Meeting openMeeting(const QString& dir, const QString& empty, int round)
{
    Meeting m;
    bench::openCopy(m, empty, dir + QStringLiteral("/round") + QString::number(round) + ".gdb");
    db::DmdCoreDbs& database = *m.run->database();
    QRandomGenerator random(20261206);
    m.meetingNo = int(database.nextKeyNumber());
    qint64 key = database.nextKeyNumber() * 10 + 1000000; // keys of our own above the sequence
    bool ok = database.startBatch();
    ok = ok && batch(database, QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, "
                                              "THEDATE, DAY_COUNT, DOLVANE_LANE_COUNT) values (") +
                                   db::sqlInt(m.meetingNo) +
                                   QStringLiteral(", 'Championship', '2026/03/14', 2, 8)"));
    QList<qint64> athletes;
    QList<qint64> teamOf;
    for (int t = 0; t < kTeams && ok; ++t) {
        const qint64 teamNo = key++;
        ok = batch(database, QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, "
                                            "TEAMABRV, LEAGUE) values (") +
                                 db::sqlInt(teamNo) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                                 QStringLiteral(", 'Team', 'T', ") + db::sqlInt(t % 2) +
                                 QLatin1Char(')'));
        for (int s = 0; s < kSwimmersPerTeam && ok; ++s) {
            const qint64 athleteNo = key++;
            ok = batch(database,
                       QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, "
                                      "FIRSTNAME, GENDER, AGE) values (") +
                           db::sqlInt(athleteNo) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                           QLatin1Char(',') + db::sqlInt(teamNo) +
                           QStringLiteral(", 'Swimmer', 'A', 'M', 13)"));
            athletes.append(athleteNo);
            teamOf.append(teamNo);
        }
    }
    static const QStringList strokes{QStringLiteral("FRE"), QStringLiteral("BCK"),
                                     QStringLiteral("BRE"), QStringLiteral("BFL")};
    for (int e = 0; e < kEvents && ok; ++e) {
        const qint64 eventNo = key++;
        const QString code = strokes[e % 4] + QStringLiteral("____100") +
                             (e % 8 < 4 ? QStringLiteral("M") : QStringLiteral("F")) +
                             QString::number(10 + e / 8) + QStringLiteral("W");
        ok = batch(database, QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, "
                                            "N_ATHLON, SELECTED, C_GENDER, C_AGE, C_SEQ, "
                                            "COMBINEDNO, FINAL_NOT_RUN) values (") +
                                 db::sqlInt(eventNo) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                                 QLatin1Char(',') + db::quoted(code) +
                                 QStringLiteral(", 0, 'X', ") + db::quoted(code.mid(10, 1)) +
                                 QLatin1Char(',') + db::quoted(code.mid(11, 2)) + QLatin1Char(',') +
                                 db::sqlInt(e + 1) + QStringLiteral(", 0, 0)"));
        const int heats = (kEntriesPerEvent + kLanes - 1) / kLanes;
        for (int h = 0; h <= heats && ok; ++h) {
            const QString roundLetter = h == 0 ? QStringLiteral("F") : QStringLiteral("A");
            ok = batch(database,
                       QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, "
                                      "EVENTNO, ROUND, HEATNO, DAY_SEQ, SEQ, "
                                      "PLACEDCOUNT, NOT_CALCULATED_YET) values (") +
                           db::sqlInt(key++) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                           QLatin1Char(',') + db::sqlInt(eventNo) + QLatin1Char(',') +
                           db::quoted(roundLetter) + QLatin1Char(',') + db::sqlInt(h) +
                           QLatin1Char(',') + db::sqlInt(e < kEvents / 2 ? 1 : 2) +
                           QLatin1Char(',') + db::sqlInt(e + 1) + QStringLiteral(", 0, 1)"));
            ++m.programRows;
        }
        const int first = int(random.bounded(int(athletes.size())));
        for (int i = 0; i < kEntriesPerEvent && ok; ++i) {
            const int a = (first + i * 7) % int(athletes.size());
            const int heatNo = 1 + i / kLanes;
            const bool inFinal = i < kLanes;
            ok =
                batch(database,
                      QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, "
                                     "ATHLETENO, LANE, PERFORMANCE, THIRD_DIGIT, E_PLACE, PLACE, "
                                     "DISQ_STATUS) values (") +
                          db::sqlInt(key++) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                          QLatin1Char(',') + db::sqlInt(eventNo) + QLatin1Char(',') +
                          db::sqlInt(teamOf[a]) + QLatin1Char(',') + db::sqlInt(athletes[a]) +
                          QLatin1Char(',') + db::sqlInt(inFinal ? i + 1 : 0) + QLatin1Char(',') +
                          db::quoted(inFinal ? swimTime(random) : QString()) +
                          QStringLiteral(", '', 0, 0, 0)"));
            ok =
                ok && batch(database,
                            QStringLiteral("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, "
                                           "ROUND, HEATNO, ATHLETENO, LANE, PERFORMANCE, "
                                           "THIRD_DIGIT, E_PLACE, PLACE, DISQ_STATUS) values (") +
                                db::sqlInt(key++) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
                                QLatin1Char(',') + db::sqlInt(eventNo) + QStringLiteral(", 'A', ") +
                                db::sqlInt(heatNo) + QLatin1Char(',') + db::sqlInt(athletes[a]) +
                                QLatin1Char(',') + db::sqlInt(1 + i % kLanes) + QLatin1Char(',') +
                                db::quoted(swimTime(random)) + QStringLiteral(", '', 0, 0, 0)"));
            ++m.heatRows;
            m.finalRows += inFinal ? 1 : 0;
        }
    }
    if (!ok || !database.commitBatch()) {
        std::fprintf(stderr, "could not write the meeting\n");
        std::exit(1);
    }
    meeting::useMeeting(*m.run, m.meetingNo);
    return m;
}

void clearPlaces(db::DmdCoreDbs& database)
{
    for (const QString& table : {QStringLiteral("HEATPART"), QStringLiteral("PARTICIPATE")})
        database.execute(QStringLiteral("update ") + table +
                         QStringLiteral(" set E_PLACE = 0, PLACE = 0, PLACESHARECOUNT = 0, "
                                        "T_EMPTY = 0"));
}

double calcAllOnce(Meeting& m)
{
    base::Run& run = *m.run;
    results::Places places(*run.database(), run.items(), run.meeting());
    QElapsedTimer timer;
    timer.start();
    if (!places.CalcAllPlaces(m.meetingNo)) {
        std::fprintf(stderr, "CalcAllPlaces failed\n");
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

// RANK() over each heat and each final, written back by MERGE in one transaction.
double limitOnce(Meeting& m)
{
    db::DmdCoreDbs& database = *m.run->database();
    const QString meeting = db::sqlInt(m.meetingNo);
    QElapsedTimer timer;
    timer.start();
    bool ok = database.startBatch();
    ok = ok && database.batchExecute(
                   QStringLiteral("merge into HEATPART H using (select HEATPARTNO, rank() over "
                                  "(partition by EVENTNO, ROUND, HEATNO order by PERFORMANCE, "
                                  "THIRD_DIGIT) as R from HEATPART where MEETINGNO = ") +
                   meeting +
                   QStringLiteral(" and PERFORMANCE <> '') S on H.HEATPARTNO = S.HEATPARTNO "
                                  "when matched then update set E_PLACE = S.R, PLACE = S.R"));
    ok = ok && database.batchExecute(
                   QStringLiteral("merge into PARTICIPATE P using (select PARTNO, rank() over "
                                  "(partition by EVENTNO order by PERFORMANCE, THIRD_DIGIT) as R "
                                  "from PARTICIPATE where MEETINGNO = ") +
                   meeting +
                   QStringLiteral(" and PERFORMANCE <> '') S on P.PARTNO = S.PARTNO "
                                  "when matched then update set E_PLACE = S.R, PLACE = S.R"));
    ok = ok && database.commitBatch();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!ok) {
        std::fprintf(stderr, "the ranking statements failed\n");
        std::exit(1);
    }
    return seconds;
}

// The two ways agree on the race places they both write.
void compare(Meeting& m)
{
    db::DmdCoreDbs& database = *m.run->database();
    const QString sum = QStringLiteral("sum(E_PLACE)");
    const QString heats =
        database.selectOneValue(sum, QStringLiteral("HEATPART"), QStringLiteral("1=1"));
    clearPlaces(database);
    limitOnce(m);
    const QString ranked =
        database.selectOneValue(sum, QStringLiteral("HEATPART"), QStringLiteral("1=1"));
    if (heats != ranked) {
        std::fprintf(stderr, "the places differ: %s against %s\n", qPrintable(heats),
                     qPrintable(ranked));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    qputenv("DOLVANE_CONFIG_DIR", (dir.path() + QStringLiteral("/config")).toUtf8());
    qputenv("USERPROFILE", dir.path().toUtf8());
    const QString empty = dir.path() + QStringLiteral("/empty.gdb");
    {
        base::ScriptedSink sink;
        base::Messages messages(sink);
        if (!db::createEmptyDatabase(messages, empty))
            return 1;
    }
    double bestCalc = std::numeric_limits<double>::max();
    double bestAgain = std::numeric_limits<double>::max();
    double bestLimit = std::numeric_limits<double>::max();
    for (int round = 0; round < rounds; ++round) {
        Meeting m = openMeeting(dir.path(), empty, round);
        if (round == 0)
            std::printf("meeting: %d program rows, %d heat rows, %d final rows with times\n",
                        m.programRows, m.heatRows, m.finalRows);
        bestCalc = std::min(bestCalc, calcAllOnce(m));
        bestAgain = std::min(bestAgain, calcAllOnce(m));
        compare(m);
        clearPlaces(*m.run->database());
        bestLimit = std::min(bestLimit, limitOnce(m));
    }
    std::printf("CalcAllPlaces, places written:                  %8.3f s\n", bestCalc);
    std::printf("CalcAllPlaces again, places already right:      %8.3f s\n", bestAgain);
    std::printf("RANK() OVER (PARTITION BY ...) and MERGE back:  %8.3f s\n", bestLimit);
    std::printf("ratio CalcAllPlaces / limit:                    %8.2f\n", bestCalc / bestLimit);
    return 0;
}
