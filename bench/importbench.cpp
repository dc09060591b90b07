// The import of a championship's entries (60 teams, 1,500 swimmers, 6,000 entries with best
// times) into an empty meeting on the embedded engine, beside the time the engine needs to
// insert the same rows in one transaction with prepared statements: the limit.
//
// usage: importbench [ROUNDS]   (default 3; the best round of each is reported)
//        importbench --write FILE  (writes the championship file and its item codes, one a
//                                   line, to FILE.items, for trying the import by hand)

#include "championship.h"

#include "db/dmdcoredbs.h"
#include "db/fbclient.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

using bench::Meeting;
using bench::Params;
using testing_support::GeneratedLayout;

// The same rows straight into the tables: three prepared statements, one transaction.
double limitOnce(Meeting& m, const testing_support::GeneratedEntries& generated)
{
    using namespace Firebird;
    db::DmdCoreDbs& database = *m.run->database();
    // The rows as the file gives them, parsed before the clock starts.
    struct Row {
        QByteArray surname, first, gender, team, number;
        int age;
        QList<QByteArray> bests;
    };
    QList<Row> rows;
    const QList<QByteArray> lines = generated.csv.split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> c = lines[i].trimmed().split(',');
        if (c.size() < GeneratedLayout::itemFirst)
            continue;
        Row r{c[0], c[1], c[2], c[4], c[5], c[3].toInt(), {}};
        for (int k = GeneratedLayout::itemFirst; k < c.size(); k += 2)
            r.bests << c[k];
        rows << r;
    }
    const qint64 eventNo = database
                               .selectOneValue(QStringLiteral("min(EVENTNO)"),
                                               QStringLiteral("MYEVENT"), QStringLiteral("1=1"))
                               .toLongLong();
    qint64 key = database.nextKeyNumber() + 1;
    const double seconds = bench::timedTransaction(m, [&](ThrowStatusWrapper& status,
                                                          IAttachment* att, ITransaction* tra) {
        IStatement* team = att->prepare(
            &status, tra, 0,
            "insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, HASFEMALE, "
            "LEAGUE) values (?, ?, ?, ?, 1, 1, 0)",
            3, 0);
        IStatement* ath = att->prepare(
            &status, tra, 0,
            "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE, "
            "NUMBER) values (?, ?, ?, ?, ?, cast(? as varchar(1)), ?, ?)",
            3, 0);
        IStatement* part = att->prepare(
            &status, tra, 0,
            "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, "
            "BESTPERFBEFORE, TEAMDRAW_USED, PLACE, E_PLACE, PERFORMANCE, LANE, DISQ_STATUS, "
            "WIND_SPEED) values (?, ?, ?, ?, ?, ?, 0, 0, 0, '', 0, 0, '')",
            3, 0);
        Params teamIn(status, team);
        Params athIn(status, ath);
        Params partIn(status, part);
        QHash<QByteArray, qint64> teams;
        for (const Row& r : rows) {
            qint64 teamNo = teams.value(r.team);
            if (teamNo == 0) {
                teamNo = key++;
                teams.insert(r.team, teamNo);
                teamIn.setInt(0, teamNo);
                teamIn.setInt(1, m.meetingNo);
                teamIn.setText(2, r.team);
                teamIn.setText(3, r.team);
                team->execute(&status, tra, teamIn.meta(), teamIn.data(), nullptr, nullptr);
            }
            const qint64 athleteNo = key++;
            athIn.setInt(0, athleteNo);
            athIn.setInt(1, m.meetingNo);
            athIn.setInt(2, teamNo);
            athIn.setText(3, r.surname);
            athIn.setText(4, r.first);
            athIn.setText(5, r.gender);
            athIn.setInt(6, r.age);
            athIn.setText(7, r.number);
            ath->execute(&status, tra, athIn.meta(), athIn.data(), nullptr, nullptr);
            for (const QByteArray& best : r.bests) {
                partIn.setInt(0, key++);
                partIn.setInt(1, m.meetingNo);
                partIn.setInt(2, eventNo);
                partIn.setInt(3, teamNo);
                partIn.setInt(4, athleteNo);
                partIn.setText(5, best);
                part->execute(&status, tra, partIn.meta(), partIn.data(), nullptr, nullptr);
            }
        }
        team->free(&status);
        ath->free(&status);
        part->free(&status);
    });
    const int written = database.ZSqlCount(QStringLiteral("PARTICIPATE"), QStringLiteral("1=1"));
    if (written != generated.entries) {
        std::fprintf(stderr, "limit wrote %d entries, not %d\n", written, generated.entries);
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--write") {
        const auto generated = bench::championshipEntries();
        QFile file(QString::fromLocal8Bit(argv[2]));
        QFile items(QString::fromLocal8Bit(argv[2]) + QStringLiteral(".items"));
        if (!file.open(QIODevice::WriteOnly) || !items.open(QIODevice::WriteOnly))
            return 1;
        file.write(generated.csv);
        items.write(generated.itemCodes.join(QLatin1Char('\n')).toUtf8() + '\n');
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    bench::useScratchHome(dir.path());

    const auto generated = bench::championshipEntries();
    const QString file = bench::writeEntriesFile(dir.path(), generated);
    const QString empty = bench::createEmptyDatabase(dir.path());
    if (file.isEmpty() || empty.isEmpty())
        return 1;
    std::printf("file: %d teams, %d swimmers, %d entries with best times, %lld bytes\n",
                generated.teams, generated.swimmers, generated.entries,
                static_cast<long long>(generated.csv.size()));
    double bestImport = std::numeric_limits<double>::max();
    double bestLimit = std::numeric_limits<double>::max();
    for (int round = 0; round < rounds; ++round) {
        int athletes = 0;
        int entries = 0;
        {
            Meeting m = bench::openMeeting(dir.path(), empty,
                                           QStringLiteral("import") + QString::number(round),
                                           generated.itemCodes);
            bestImport = std::min(bestImport, bench::importEntries(m, file, &athletes, &entries));
        }
        {
            Meeting m = bench::openMeeting(dir.path(), empty,
                                           QStringLiteral("limit") + QString::number(round),
                                           generated.itemCodes);
            bestLimit = std::min(bestLimit, limitOnce(m, generated));
        }
        std::printf("round %d: imported %d swimmers and %d entries\n", round + 1, athletes,
                    entries);
    }
    std::printf("import of the file (read, check, write):      %8.3f s\n", bestImport);
    std::printf("same rows, prepared inserts, one transaction:  %8.3f s\n", bestLimit);
    std::printf("ratio import / limit:                          %8.2f\n", bestImport / bestLimit);
    return 0;
}
