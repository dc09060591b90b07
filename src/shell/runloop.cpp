#include "shell/runloop.h"

#include "base/processformats.h"
#include "base/run.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "meeting/itemtypes.h"
#include "meeting/runservices.h"
#include "scoring/scoredata.h"
#include "shell/backupoffers.h"
#include "shell/loginpassword.h"
#include "shell/mainscreenstate.h"
#include "shell/startupchecks.h"

namespace shell {

RunLoop::RunLoop(base::MessageSink& sink, MainScreenHost& host, RunLoopOptions options)
    : m_sink(sink), m_host(host), m_options(std::move(options))
{
}

RunLoop::~RunLoop()
{
    if (m_run)
        endRun();
}

base::Run& RunLoop::beginRun()
{
    if (m_run) {
        m_run->messages().internalError(11401, QStringLiteral("xAppGlobals already created"));
        return *m_run;
    }
    m_run = std::make_unique<base::Run>(m_sink, m_options.applicationCode, m_options.configPath);
    meeting::createRunSettings(*m_run);
    m_run->setClock(m_options.clock);
    m_run->messages().setDeveloperMode(developerModeOn(m_options.developerMarkerFolder));
    return *m_run;
}

void RunLoop::endRun()
{
    if (!m_run)
        return;
    base::Messages& messages = m_run->messages();
    if (m_run->meetingAges())
        meeting::freeMeetingAges(*m_run);
    if (m_run->translations())
        meeting::freeTranslations(*m_run);
    if (db::isConnected(*m_run)) {
        // Queries a screen forgot to free show up here while developing.
        if (messages.developerMode())
            m_run->database()->checkOpenObjects();
        messages.progress(QString(), QStringLiteral("Closing the database"));
        m_run->database()->close();
    }
    messages.progress(QString(), QStringLiteral("Freeing the database"));
    db::freeDatabaseModule(*m_run);
    messages.progressDone();
    m_run.reset();
}

bool RunLoop::startRun(bool firstPass)
{
    base::Run& run = *m_run;
    base::Messages& messages = run.messages();
    createDefaultDatabaseIfNone(run);
    db::ConnectOptions connect;
    connect.firstRun = firstPass;
    if (!db::connectDatabase(run, connect) || !db::isConnected(run))
        return false;
    if (m_options.connected)
        m_options.connected();
    // The athletics edition's score sets whose data this program holds, before the meeting
    // looks for its set.
    if (!run.items().isSwimming())
        scoring::registerScoreSets(*run.database());
    configWriteTest(run);
    preferredFolderWarning(run);
    meeting::createTranslations(run);
    meeting::createMeetingAges(run);
    base::forceProcessFormats();
    if (!base::checkProcessFormats(messages))
        return false;
    roundScoresDownWarning(run);
    if (firstPass)
        offerBackupBeforeWork(run);
    return loginPasses(run);
}

void RunLoop::exec()
{
    {
        base::Messages early(m_sink);
        base::fixCommaSeparator(early);
    }
    m_running = true;
    bool restart = true;
    for (bool firstPass = true; restart; firstPass = false) {
        restart = false;
        ++m_passes;
        beginRun();
        if (startRun(firstPass) && !m_stopped) {
            const QDateTime opened = m_run->now();
            const int result = m_host.showMainScreen(*m_run);
            m_results.append(result);
            restart = result == kMainScreenRestart && !m_stopped;
            if (!m_stopped && workedLongEnough(opened, m_run->now()))
                offerBackupAfterWork(*m_run);
        }
        endRun();
    }
    m_running = false;
}

} // namespace shell
