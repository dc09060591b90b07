// A batch of results and a whole-meeting place calculation killed part-way: the file passes
// the engine's validation, every result committed before is there, and nothing of the
// killed work is, half or whole.

#include "support/capturefixture.h"
#include "support/dbvalidation.h"
#include "support/killdrill.h"

#include "db/connect.h"
#include "db/sqltext.h"
#include "meeting/runservices.h"

#include <QFile>

namespace {

constexpr int kLanes = 8;
constexpr int kHeats = 120;

class KilledCaptureTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        const QList<qint64> all = swimmers(kLanes * kHeats);
        for (int h = 0; h < kHeats; ++h)
            drawHeat(m_event, "A", h + 1, all.mid(h * kLanes, kLanes));
    }

    // A results file for heats first..last (1-based), every lane with a time.
    QString resultsFile(const QString& name, int first, int last, double base)
    {
        QStringList lines{"event,round,heat,lane,performance"};
        for (int h = first; h <= last; ++h)
            for (int lane = 1; lane <= kLanes; ++lane)
                lines << QString::number(m_event) + ",A," + QString::number(h) + "," +
                             QString::number(lane) + "," +
                             time(m_free50, base + 0.11 * ((h * 7 + lane * 13) % 97));
        const QString path = m_home->dir() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines.join("\n").toUtf8());
        return path;
    }

    QStringList cli(const QStringList& words) const
    {
        return QStringList{"--db", m_path, "--yes"} + words +
               QStringList{"--meeting", QString::number(m_meetingNo)};
    }

    void validateAndReopen()
    {
        m_run.reset();
        const testing_support::Validation validation = testing_support::validateDatabase(m_path);
        EXPECT_TRUE(validation.passed()) << validation.report.toStdString();
        reopen();
    }
    void reopen()
    {
        m_run = std::make_unique<base::Run>(m_sink);
        meeting::createRunSettings(*m_run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
    }

    int timed() { return count("HEATPART", "PERFORMANCE <> ''"); }
    int placed() { return count("HEATPART", "PLACE > 0"); }

    qint64 m_event = 0;
};

} // namespace

TEST_F(KilledCaptureTest, AResultsBatchKilledWhileWritingLeavesOnlyTheCommittedResults)
{
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli(
                  cli({"result", "import", resultsFile("first.csv", 1, 10, 30.0)}), &out, &err),
              0)
        << err.toStdString();
    ASSERT_EQ(timed(), 10 * kLanes);
    const QString before = value("select list(PERFORMANCE, '|') from (select PERFORMANCE from "
                                 "HEATPART where PERFORMANCE <> '' order by HEATPARTNO)");

    // The rest of the meeting in one batch, killed once it has written part of it.
    const QString rest = resultsFile("rest.csv", 11, kHeats, 31.0);
    m_run.reset();
    auto watcher = std::make_unique<drills::DatabaseWatcher>(m_path);
    ASSERT_TRUE(watcher->isOpen());
    auto process = drills::startCli(cli({"result", "import", rest}));
    const auto outcome = drills::killWatched(
        *process, watcher, [](drills::DatabaseWatcher& w) { return w.updatedByOthers() > 200; });
    ASSERT_EQ(outcome, drills::KillOutcome::Killed)
        << "the batch was not killed while writing: "
        << process->readAllStandardError().toStdString();

    validateAndReopen();
    EXPECT_EQ(timed(), 10 * kLanes);
    EXPECT_EQ(value("select list(PERFORMANCE, '|') from (select PERFORMANCE from HEATPART "
                    "where PERFORMANCE <> '' order by HEATPARTNO)"),
              before);

    // The same batch again runs to its end on the recovered file.
    ASSERT_EQ(testing_support::runCli(cli({"result", "import", rest}), &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(timed(), kHeats * kLanes);
}

TEST_F(KilledCaptureTest, APlaceCalculationKilledWhileWritingLeavesNoHalfPlacedMeeting)
{
    QString out;
    QString err;
    ASSERT_EQ(testing_support::runCli(
                  cli({"result", "import", resultsFile("all.csv", 1, kHeats, 30.0)}), &out, &err),
              0)
        << err.toStdString();
    ASSERT_EQ(placed(), 0);

    // The calculation writes its places together: kill it once it has begun to. It may
    // outrun the watcher on a fast machine; a few tries catch it in the act.
    drills::KillOutcome outcome = drills::KillOutcome::FinishedFirst;
    for (int attempt = 0; attempt < 5 && outcome != drills::KillOutcome::Killed; ++attempt) {
        if (!m_run)
            reopen();
        ASSERT_TRUE(database().execute("update HEATPART set PLACE = 0, E_PLACE = 0"));
        m_run.reset();
        auto watcher = std::make_unique<drills::DatabaseWatcher>(m_path);
        ASSERT_TRUE(watcher->isOpen());
        auto process = drills::startCli(cli({"places", "calc", "--all"}));
        outcome = drills::killWatched(
            *process, watcher, [](drills::DatabaseWatcher& w) { return w.updatedByOthers() > 0; });
        process->waitForFinished(10000);
    }
    ASSERT_EQ(outcome, drills::KillOutcome::Killed)
        << "the calculation always finished before it could be killed";

    validateAndReopen();
    const int afterKill = placed();
    EXPECT_TRUE(afterKill == 0 || afterKill == kHeats * kLanes)
        << afterKill << " of " << kHeats * kLanes << " rows placed";

    ASSERT_EQ(testing_support::runCli(cli({"places", "calc", "--all"}), &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(placed(), kHeats * kLanes);
    EXPECT_EQ(count("HEATPART", "PLACE between 1 and 8"), kHeats * kLanes);
}
