#pragma once

#include "base/appglobals.h"
#include "base/clock.h"
#include "shell/developermode.h"

#include <QDateTime>

#include <functional>

#include <memory>

namespace base {
class MessageSink;
class Run;
} // namespace base

namespace shell {

// What the run loop needs from the program that hosts it: the main screen. The desktop
// program shows its window; tests answer with a result of their choosing.
class MainScreenHost {
public:
    virtual ~MainScreenHost() = default;
    // Shows the main screen modally on a prepared run; kMainScreenRestart starts over.
    virtual int showMainScreen(base::Run& run) = 0;
};

struct RunLoopOptions {
    QString applicationCode = QString::fromLatin1(base::kApplicationCode);
    QString configPath; // empty: the default place of the configuration store
    base::Clock clock = base::systemClock();
    QString developerMarkerFolder = shell::developerMarkerFolder();
    // Called each time the database is open, before anything is asked.
    std::function<void()> connected;
};

// The start-up, the main screen and the end of a run, repeated while the main screen asks
// for a restart. Each pass builds a new Run (globals, connection, current meeting) and
// tears it down at the end.
class RunLoop {
public:
    RunLoop(base::MessageSink& sink, MainScreenHost& host, RunLoopOptions options = {});
    ~RunLoop();

    // Runs until the main screen ends without a restart or a start-up fails.
    void exec();

    bool running() const { return m_running; }
    int passes() const { return m_passes; }
    // The main screen's results, one per pass that reached it.
    const QList<int>& results() const { return m_results; }
    // The run of the pass in progress; null between passes.
    base::Run* run() const { return m_run.get(); }
    // The system asked the program to end: the pass in progress is the last, and it shows
    // no main screen that is not open yet and offers no backup; its run still closes the
    // database as every pass does.
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

    // Creates the run of a pass; a second one while a run exists is an internal error.
    base::Run& beginRun();
    void endRun();

private:
    // Steps from the connection to the login; false ends the pass and the program.
    bool startRun(bool firstPass);

    base::MessageSink& m_sink;
    MainScreenHost& m_host;
    RunLoopOptions m_options;
    std::unique_ptr<base::Run> m_run;
    bool m_running = false;
    bool m_stopped = false;
    int m_passes = 0;
    QList<int> m_results;
};

} // namespace shell
