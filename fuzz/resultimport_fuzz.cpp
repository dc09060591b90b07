// Any bytes as a file of results through the result import, against a real database that
// holds one meeting: a 50 m event with two heats of four swimmers. The import refuses with
// its report or writes whole lines, and never crashes, hangs or throws. What a run wrote
// is wiped before the next input, so that every input meets the same meeting.

#include "base/messages.h"
#include "base/run.h"
#include "base/silentsink.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/programrows.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"
#include "results/resultimport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

base::SilentSink g_sink;
base::Run* g_run = nullptr;

void must(bool ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "resultimport_fuzz: %s failed\n", what);
        std::abort();
    }
}

void makeMeeting(base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    const qint64 meetingNo = database.nextKeyNumber();
    must(database.execute("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, "
                          "DAY_COUNT, DOLVANE_LANE_COUNT) values (" +
                          db::sqlInt(meetingNo) + ", 'Gala', 'Pool', '2025/03/14', 1, 8)"),
         "the meeting");
    must(meeting::setCurrentMeeting(run, int(meetingNo)), "the current meeting");
    const qint64 teamNo = database.nextKeyNumber();
    must(database.execute("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE) "
                          "values (" +
                          db::sqlInt(teamNo) + ", " + db::sqlInt(meetingNo) +
                          ", 'Sharks', 'SHA', 1)"),
         "the team");
    draw::Events events(database, run.items(), int(meetingNo));
    draw::NewEvent item;
    item.itemCode = QStringLiteral("FRE_____50M13W");
    item.selected = true;
    const qint64 eventNo = events.addEvent(item);
    must(eventNo > 0, "the event");
    draw::ProgramRows rows(database, run.messages());
    for (int heat = 1; heat <= 2; ++heat) {
        draw::HeatSlot slot;
        slot.seq = 1;
        must(rows.addHeat(eventNo, QStringLiteral("A"), heat, slot), "the heat");
        for (int lane = 1; lane <= 4; ++lane) {
            const qint64 athleteNo = database.nextKeyNumber();
            must(database.execute(
                     "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                     "GENDER, AGE, NUMBER) values (" +
                     db::sqlInt(athleteNo) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::sqlInt(teamNo) + ", 'Swimmer', 'Sam', 'M', 13, " +
                     db::quoted(QString::number(heat * 10 + lane)) + ")"),
                 "a swimmer");
            must(database.execute(
                     "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, "
                     "LANE, PLACE, E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
                     db::sqlInt(database.nextKeyNumber()) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::sqlInt(eventNo) + ", " + db::sqlInt(teamNo) + ", " +
                     db::sqlInt(athleteNo) + ", 0, 0, 0, 0, '')"),
                 "an entry");
            must(database.execute(
                     "insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                     "ATHLETENO, LANE, PLACE, E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
                     db::sqlInt(database.nextKeyNumber()) + ", " + db::sqlInt(meetingNo) + ", " +
                     db::sqlInt(eventNo) + ", 'A', " + db::sqlInt(heat) + ", " +
                     db::sqlInt(athleteNo) + ", " + db::sqlInt(lane) + ", 0, 0, 0, '')"),
                 "a lane");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir folder;
    qputenv("DOLVANE_CONFIG_DIR", (folder.path() + QStringLiteral("/config")).toUtf8());
    const QString path = folder.path() + QStringLiteral("/fuzz.gdb");
    base::Messages messages(g_sink);
    must(db::createEmptyDatabase(messages, path, false), "the database");
    g_run = new base::Run(g_sink);
    meeting::createRunSettings(*g_run);
    db::ConnectOptions options;
    options.offerSelect = false;
    options.storeLocation = false;
    must(db::connectTo(*g_run, path, options), "the connection");
    makeMeeting(*g_run);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const results::ResultImportReport report =
        results::importResultLines(*g_run, text.split(QLatin1Char('\n')));
    if (report.ok != report.errors.isEmpty() || report.written > 8)
        std::abort();
    if (report.written > 0)
        must(g_run->database()->execute(
                 "update HEATPART set PERFORMANCE = '', THIRD_DIGIT = null, PLACE = 0, "
                 "E_PLACE = 0, DISQ_STATUS = 0"),
             "the wipe");
    return 0;
}
