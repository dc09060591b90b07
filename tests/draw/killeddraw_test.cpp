// The draw of every first round, run by the command line program and killed part-way:
// the file passes the engine's validation, and each event is drawn wholly (every entry in
// a lane of its own) or not at all.

#include "drawnfield.h"
#include "support/dbvalidation.h"
#include "support/killdrill.h"

#include "db/connect.h"
#include "db/sqltext.h"
#include "db/statement.h"
#include "meeting/runservices.h"

namespace {

constexpr int kSwimmers = 240;
// Enough rows that the draw saves several times on its way through the events.
constexpr int kPerEvent = 150;
constexpr int kHeats = 19;

class KilledDrawTest : public DrawnFieldTest {
protected:
    void SetUp() override
    {
        DrawnFieldTest::SetUp();
        changeMeeting({{"DRAW_METHOD", "6"}, {"HAS_BEST_BEFORES", "1"}});
        for (int t = 1; t <= 6; ++t)
            addTeam(QStringLiteral("K") + QString::number(t));
        for (const char* stroke : {"FRE", "BRE", "BCK", "BFL"}) {
            for (const char* distance : {"_____50", "____100"}) {
                for (int age = 10; age <= 17; ++age) {
                    const qint64 e = addSelected(
                        QString::fromLatin1(stroke) + QString::fromLatin1(distance) +
                        QStringLiteral("M") + QString::number(age) + QStringLiteral("W"));
                    saveFormat(e, QString::number(kHeats) + QStringLiteral(",0,8"));
                    m_drawn << e;
                }
            }
        }
        enterEveryone();
    }

    // The swimmers and their entries in one transaction: row by row it would take minutes.
    void enterEveryone()
    {
        db::DmdCoreDbs& db = database();
        ASSERT_TRUE(db.startBatch());
        auto athlete = db.prepareBatch(
            "insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE, "
            "NUMBER) values (?, ?, ?, ?, 'Sam', 'M', 14, ?)");
        auto entry = db.prepareBatch(
            "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, "
            "BESTPERFBEFORE, PERFORMANCE, PLACE, E_PLACE, LANE, DISQ_STATUS, DID_NOT_CALL) "
            "values (?, ?, ?, ?, ?, ?, '', 0, 0, 0, 0, 0)");
        ASSERT_TRUE(athlete && entry);
        const QList<qint64> keys = db.nextKeyNumbers(kSwimmers + kPerEvent * int(m_drawn.size()));
        qsizetype key = 0;
        QList<qint64> athletes;
        for (int i = 0; i < kSwimmers; ++i) {
            athletes << keys[key++];
            ASSERT_TRUE(db.batchExecute(*athlete,
                                        {athletes.last(), m_meetingNo, m_teams[i % m_teams.size()],
                                         QStringLiteral("KILLDRILL") + QString::number(i),
                                         QString::number(1000 + i)}));
        }
        for (int e = 0; e < m_drawn.size(); ++e) {
            const QString code =
                db.selectOneValue("ITEMCODE", "MYEVENT", "EVENTNO = " + db::sqlInt(m_drawn[e]))
                    .trimmed();
            for (int i = 0; i < kPerEvent; ++i) {
                const int a = (e * 37 + i) % kSwimmers;
                // Every fifth without a best time: the draw ranks and places both kinds.
                const QString best =
                    i % 5 == 4
                        ? QString()
                        : m_items->PerfValueToText(code, 30 + (a * 7919 % 3000) / 100.0, false);
                ASSERT_TRUE(
                    db.batchExecute(*entry, {keys[key++], m_meetingNo, m_drawn[e],
                                             m_teams[a % m_teams.size()], athletes[a], best}));
            }
        }
        ASSERT_TRUE(db.commitBatch());
        db.refreshReads();
    }

    QStringList cli(const QStringList& words) const
    {
        return QStringList{"--db", m_path, "--yes"} + words +
               QStringList{"--meeting", QString::number(m_meetingNo)};
    }

    void closeRun()
    {
        m_engine.reset();
        m_events.reset();
        m_run.reset();
    }
    void reopen()
    {
        m_run = std::make_unique<base::Run>(m_sink);
        meeting::createRunSettings(*m_run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
    }
    void validateAndReopen()
    {
        closeRun();
        const testing_support::Validation validation = testing_support::validateDatabase(m_path);
        EXPECT_TRUE(validation.passed()) << validation.report.toStdString();
        reopen();
    }

    // Events drawn whole; an event drawn in part fails the test with its numbers.
    int wholeEvents()
    {
        int whole = 0;
        for (qint64 e : m_drawn) {
            const QString event = db::sqlInt(e);
            const int rows = count("HEATPART", "EVENTNO = " + event);
            const int laned = count(
                "HEATPART", "EVENTNO = " + event + " and ROUND = 'A' and HEATNO between 1 and " +
                                db::sqlInt(kHeats) + " and LANE between 1 and 8");
            const int places =
                value("select count(distinct HEATNO * 100 + LANE) from HEATPART where EVENTNO = " +
                      event)
                    .toInt();
            const int entered =
                value("select count(distinct ATHLETENO) from HEATPART where EVENTNO = " + event)
                    .toInt();
            const QString last =
                value("select coalesce(LASTROUNDDRAWN, '') from MYEVENT where EVENTNO = " + event)
                    .trimmed();
            if (rows == 0) {
                EXPECT_EQ(last, "") << "event " << e << " marked drawn without its rows";
                continue;
            }
            EXPECT_EQ(rows, kPerEvent) << "event " << e << " half drawn";
            EXPECT_EQ(laned, rows) << "event " << e;
            EXPECT_EQ(places, rows) << "event " << e << ": two swimmers share a lane";
            EXPECT_EQ(entered, rows) << "event " << e << ": a swimmer drawn twice";
            EXPECT_EQ(last, "A") << "event " << e;
            ++whole;
        }
        return whole;
    }

    QList<qint64> m_drawn;
};

} // namespace

TEST_F(KilledDrawTest, DrawAllKilledMidRunLeavesEveryEventDrawnWhollyOrNotAtAll)
{
    ASSERT_EQ(m_drawn.size(), 64);
    const int allEvents = int(m_drawn.size());
    // Killed once it has written three fifths of the rows: the events committed on the way
    // (the draw saves a quarter second at a time) and the one being written are both
    // there to be caught half-made. A fast run may finish first, so a few tries.
    const qint64 allRows = qint64(allEvents) * kPerEvent;
    drills::KillOutcome outcome = drills::KillOutcome::FinishedFirst;
    QString said;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!m_run)
            reopen();
        ASSERT_TRUE(database().execute("delete from HEATPART"));
        ASSERT_TRUE(database().execute("update MYEVENT set LASTROUNDDRAWN = ''"));
        closeRun();
        auto watcher = std::make_unique<drills::DatabaseWatcher>(m_path);
        ASSERT_TRUE(watcher->isOpen());
        const qint64 before = watcher->insertedByOthers();
        auto process = drills::startCli(cli({"draw", "all", "--seed", "11"}));
        QByteArray printed;
        outcome = drills::killWatched(
            *process, watcher,
            [&](drills::DatabaseWatcher& w) {
                return w.insertedByOthers() - before >= allRows * 3 / 5;
            },
            60000, &printed);
        process->waitForFinished(10000);
        said = QString::fromUtf8(printed);
        if (outcome == drills::KillOutcome::Killed &&
            drills::DatabaseWatcher(m_path).number("select count(*) from HEATPART") < allRows)
            break;
    }
    ASSERT_EQ(outcome, drills::KillOutcome::Killed)
        << (outcome == drills::KillOutcome::NeverReady ? "nothing was drawn in a minute: "
                                                       : "the draw always finished first: ")
        << said.toStdString();

    validateAndReopen();
    EXPECT_LT(wholeEvents(), allEvents);

    // The same draw again on the recovered file draws every event.
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli(cli({"draw", "all", "--seed", "11"}), &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(wholeEvents(), allEvents);
    EXPECT_EQ(count("HEATPART"), allEvents * kPerEvent);
}
