// The import of a championship's entries (60 teams, 1,500 swimmers, 6,000 entries with best
// times) into an empty meeting on the embedded engine, beside the time the engine needs to
// insert the same rows in one transaction with prepared statements: the limit.
//
// usage: importbench [ROUNDS]   (default 3; the best round of each is reported)
//        importbench --write FILE  (writes the championship file and its item codes, one a
//                                   line, to FILE.items, for trying the import by hand)

#include "../tests/support/entryfilegenerator.h"

#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/fbclient.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"
#include "entries/athleteimport.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "shell/run.h"
#include "shell/scriptedsink.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using testing_support::GeneratedLayout;

struct Meeting {
    std::unique_ptr<shell::ScriptedSink> sink = std::make_unique<shell::ScriptedSink>();
    std::unique_ptr<shell::Run> run;
    int meetingNo = 0;
};

// A fresh copy of the empty database with one meeting and its events.
Meeting openMeeting(const QString& dir, const QString& empty, int round, const QStringList& codes)
{
    Meeting m;
    const QString path = dir + QStringLiteral("/round") + QString::number(round) + ".gdb";
    QFile::copy(empty, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    m.run = std::make_unique<shell::Run>(*m.sink);
    db::ConnectOptions options;
    options.offerSelect = false;
    if (!db::connectTo(*m.run, path, options)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        std::exit(1);
    }
    db::DmdCoreDbs& database = *m.run->database();
    m.meetingNo = int(database.nextKeyNumber());
    database.execute(QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, THEDATE) "
                                    "values (") +
                     db::sqlInt(m.meetingNo) + QStringLiteral(", 'Championship', '2026/03/14')"));
    int seq = 0;
    for (const QString& code : codes) {
        database.execute(
            QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, "
                           "SELECTED, C_GENDER, C_AGE, C_SEQ) values (") +
            db::sqlInt(database.nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m.meetingNo) +
            QLatin1Char(',') + db::quoted(code) + QStringLiteral(",0,'X',") +
            db::quoted(code.mid(10, 1)) + QLatin1Char(',') + db::quoted(code.mid(11, 2)) +
            QLatin1Char(',') + db::sqlInt(++seq) + QLatin1Char(')'));
    }
    return m;
}

double importOnce(Meeting& m, const QString& file, int itemLast, int* athletes, int* entries)
{
    meeting::useMeeting(*m.run, m.meetingNo);
    entries::AthleteImport importer(*m.run, entries::EntrySettings::from(m.run->meeting()));
    entries::CsvSetup& s = importer.setup();
    s = entries::CsvSetup();
    s.surname = GeneratedLayout::surname;
    s.firstName = GeneratedLayout::firstName;
    s.gender = GeneratedLayout::gender;
    s.ageAge = GeneratedLayout::age;
    s.ageSource = entries::AgeSource::Age;
    s.team = GeneratedLayout::team;
    s.number = GeneratedLayout::number;
    s.hasNumber = true;
    s.hasItems = true;
    s.hasBests = true;
    s.itemFirst = GeneratedLayout::itemFirst;
    s.itemLast = itemLast;
    QElapsedTimer timer;
    timer.start();
    const auto outcome = importer.run(file);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (outcome != entries::AthleteImport::Outcome::Imported || !importer.report().isEmpty()) {
        std::fprintf(stderr, "import failed:\n%s\n", qPrintable(importer.reportText()));
        std::exit(1);
    }
    *athletes = importer.counts().athletesAdded;
    *entries = importer.counts().participationsAdded;
    return seconds;
}

// The input of a prepared statement, laid out as the server describes its parameters.
class Params {
public:
    Params(Firebird::ThrowStatusWrapper& status, Firebird::IStatement* statement)
        : m_meta(statement->getInputMetadata(&status)),
          m_buffer(m_meta->getMessageLength(&status), 0)
    {
        for (unsigned i = 0; i < m_meta->getCount(&status); ++i) {
            m_offsets.push_back(m_meta->getOffset(&status, i));
            m_fixed.push_back(
                m_meta->getType(&status, i) == SQL_TEXT ? m_meta->getLength(&status, i) : 0);
            *reinterpret_cast<short*>(&m_buffer[m_meta->getNullOffset(&status, i)]) = 0;
        }
    }
    ~Params() { m_meta->release(); }
    void setInt(int i, qint64 value)
    {
        *reinterpret_cast<qint32*>(&m_buffer[m_offsets[i]]) = qint32(value);
    }
    void setText(int i, const QByteArray& utf8)
    {
        if (m_fixed[i] > 0) { // CHAR: blank-padded to its width
            std::memset(&m_buffer[m_offsets[i]], ' ', m_fixed[i]);
            std::memcpy(&m_buffer[m_offsets[i]], utf8.constData(),
                        std::min(size_t(utf8.size()), size_t(m_fixed[i])));
            return;
        }
        *reinterpret_cast<short*>(&m_buffer[m_offsets[i]]) = short(utf8.size());
        std::memcpy(&m_buffer[m_offsets[i] + 2], utf8.constData(), size_t(utf8.size()));
    }
    Firebird::IMessageMetadata* meta() const { return m_meta; }
    void* data() { return m_buffer.data(); }

private:
    Firebird::IMessageMetadata* m_meta;
    std::vector<char> m_buffer;
    std::vector<unsigned> m_offsets;
    std::vector<unsigned> m_fixed;
};

// The same rows straight into the tables: three prepared statements, one transaction.
double limitOnce(Meeting& m, const testing_support::GeneratedEntries& generated)
{
    using namespace Firebird;
    db::DmdCoreDbs& database = *m.run->database();
    IMaster* master = db::fbMaster();
    ThrowStatusWrapper status(master->getStatus());
    IAttachment* att = database.attachment()->handle();
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
    QElapsedTimer timer;
    timer.start();
    double seconds = 0;
    try {
        qint64 key = database.nextKeyNumber() + 1;
        ITransaction* tra = att->startTransaction(&status, 0, nullptr);
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
        tra->commit(&status);
        seconds = double(timer.nsecsElapsed()) / 1e9;
        team->free(&status);
        ath->free(&status);
        part->free(&status);
    } catch (const FbException& e) {
        char text[512];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        std::fprintf(stderr, "limit failed: %s\n", text);
        std::exit(1);
    }
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
        const auto generated = testing_support::generateEntries({});
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
    qputenv("DOLVANE_CONFIG_DIR", (dir.path() + QStringLiteral("/config")).toUtf8());
    qputenv("USERPROFILE", dir.path().toUtf8());

    const auto generated = testing_support::generateEntries({});
    const QString file = dir.path() + QStringLiteral("/championship.csv");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(generated.csv) != generated.csv.size())
        return 1;
    out.close();
    const QString empty = dir.path() + QStringLiteral("/empty.gdb");
    {
        shell::ScriptedSink sink;
        shell::Messages messages(sink);
        if (!db::createEmptyDatabase(messages, empty))
            return 1;
    }
    std::printf("file: %d teams, %d swimmers, %d entries with best times, %lld bytes\n",
                generated.teams, generated.swimmers, generated.entries,
                static_cast<long long>(generated.csv.size()));
    const int itemLast = GeneratedLayout::itemFirst + 2 * (4 - 1);
    double bestImport = std::numeric_limits<double>::max();
    double bestLimit = std::numeric_limits<double>::max();
    for (int round = 0; round < rounds; ++round) {
        int athletes = 0;
        int entries = 0;
        {
            Meeting m = openMeeting(dir.path(), empty, 2 * round, generated.itemCodes);
            bestImport = std::min(bestImport, importOnce(m, file, itemLast, &athletes, &entries));
        }
        {
            Meeting m = openMeeting(dir.path(), empty, 2 * round + 1, generated.itemCodes);
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
