#include "championship.h"

#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/fbclient.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"
#include "draw/drawall.h"
#include "draw/drawengine.h"
#include "draw/events.h"
#include "entries/athleteimport.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

using testing_support::GeneratedLayout;

void useScratchHome(const QString& dir)
{
    qputenv("DOLVANE_CONFIG_DIR", (dir + QStringLiteral("/config")).toUtf8());
    qputenv("USERPROFILE", dir.toUtf8());
}

QString createEmptyDatabase(const QString& dir)
{
    const QString empty = dir + QStringLiteral("/empty.gdb");
    base::ScriptedSink sink;
    base::Messages messages(sink);
    return db::createEmptyDatabase(messages, empty) ? empty : QString();
}

testing_support::GeneratedEntries championshipEntries()
{
    return testing_support::generateEntries({});
}

QString writeEntriesFile(const QString& dir, const testing_support::GeneratedEntries& generated)
{
    const QString file = dir + QStringLiteral("/championship.csv");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(generated.csv) != generated.csv.size())
        return QString();
    return file;
}

int lastItemColumn()
{
    return GeneratedLayout::itemFirst +
           2 * (testing_support::EntryFileShape().entriesPerSwimmer - 1);
}

void openCopy(Meeting& m, const QString& empty, const QString& path)
{
    QFile::copy(empty, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    m.run = std::make_unique<base::Run>(*m.sink);
    meeting::createRunSettings(*m.run);
    db::ConnectOptions options;
    options.offerSelect = false;
    if (!db::connectTo(*m.run, path, options)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        std::exit(1);
    }
}

Meeting openMeeting(const QString& dir, const QString& empty, const QString& name,
                    const QStringList& codes)
{
    Meeting m;
    openCopy(m, empty, dir + QLatin1Char('/') + name + QStringLiteral(".gdb"));
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

Meeting importedChampionship(const QString& dir, const QString& name, int* athletes, int* entries)
{
    useScratchHome(dir);
    const auto generated = championshipEntries();
    const QString file = writeEntriesFile(dir, generated);
    const QString empty = createEmptyDatabase(dir);
    if (file.isEmpty() || empty.isEmpty()) {
        std::fprintf(stderr, "the championship could not be written\n");
        std::exit(1);
    }
    Meeting m = openMeeting(dir, empty, name, generated.itemCodes);
    importEntries(m, file, athletes, entries);
    return m;
}

double importEntries(Meeting& m, const QString& file, int* athletes, int* entries)
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
    s.itemLast = lastItemColumn();
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

void makeDrawable(Meeting& m, int lanes, const QString& settings)
{
    m.run->database()->execute(
        QStringLiteral("update MEETING set DOLVANE_LANE_COUNT = ") + db::sqlInt(lanes) +
        QStringLiteral(", DRAW_METHOD = 6, HAS_BEST_BEFORES = 1, DAY_COUNT = 2") +
        (settings.isEmpty() ? QString() : QStringLiteral(", ") + settings) +
        QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m.meetingNo));
    meeting::useMeeting(*m.run, m.meetingNo);
    if (!makeProgram(m, lanes)) {
        std::fprintf(stderr, "the program could not be made\n");
        std::exit(1);
    }
}

Meeting drawnChampionship(const QString& dir, const QString& name, int lanes,
                          const QString& settings, ChampionshipCounts* counts)
{
    Meeting m = importedChampionship(dir, name, &counts->athletes, &counts->entries);
    makeDrawable(m, lanes, settings);
    db::DmdCoreDbs& database = *m.run->database();
    counts->events = database.ZSqlCount(QStringLiteral("MYEVENT"),
                                        QStringLiteral("MEETINGNO = ") + db::sqlInt(m.meetingNo));
    draw::DrawRandom random(2026);
    draw::DrawEngine engine(database, m.run->items(), m.run->meeting(), random);
    draw::DrawAll all(engine);
    m.sink->answerYes();
    counts->drawnAthletes = all.firstRounds().drawnAthletes;
    return m;
}

bool makeProgram(Meeting& m, int lanes)
{
    db::DmdCoreDbs& database = *m.run->database();
    draw::Events events(database, m.run->items(), m.meetingNo);
    if (!events.collectSelection())
        return false;
    const QList<draw::EventRow> rows = events.list(true);
    for (const draw::EventRow& row : rows) {
        const int heats = (row.athletes + lanes - 1) / lanes;
        const QString format =
            heats > 1 ? QString::number(heats) + QStringLiteral(",0,8") : QString();
        if (!events.setFormatEdit(row.eventNo, format))
            return false;
    }
    if (!events.saveSelection())
        return false;
    for (int i = rows.size() / 2; i < rows.size(); ++i) {
        database.execute(QStringLiteral("update PROGRAM set DAY_SEQ = 2 where EVENTNO = ") +
                         db::sqlInt(rows[i].eventNo));
    }
    return true;
}

double timedTransaction(Meeting& m, const LimitWork& work)
{
    using namespace Firebird;
    IMaster* master = db::fbMaster();
    ThrowStatusWrapper status(master->getStatus());
    IAttachment* att = m.run->database()->attachment()->handle();
    QElapsedTimer timer;
    timer.start();
    try {
        ITransaction* tra = att->startTransaction(&status, 0, nullptr);
        work(status, att, tra);
        tra->commit(&status);
    } catch (const FbException& e) {
        char text[512];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        std::fprintf(stderr, "limit failed: %s\n", text);
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

Params::Params(Firebird::ThrowStatusWrapper& status, Firebird::IStatement* statement)
    : m_meta(statement->getInputMetadata(&status)), m_buffer(m_meta->getMessageLength(&status), 0)
{
    for (unsigned i = 0; i < m_meta->getCount(&status); ++i) {
        m_offsets.push_back(m_meta->getOffset(&status, i));
        m_fixed.push_back(m_meta->getType(&status, i) == SQL_TEXT ? m_meta->getLength(&status, i)
                                                                  : 0);
        *reinterpret_cast<short*>(&m_buffer[m_meta->getNullOffset(&status, i)]) = 0;
    }
}

Params::~Params()
{
    m_meta->release();
}

void Params::setInt(int i, qint64 value)
{
    *reinterpret_cast<qint32*>(&m_buffer[m_offsets[i]]) = qint32(value);
}

void Params::setText(int i, const QByteArray& utf8)
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

} // namespace bench
