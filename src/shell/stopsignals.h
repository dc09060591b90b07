#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace shell {

// SIGTERM and SIGINT (a shutdown of the computer, a "kill", Ctrl+C in a terminal) as a call
// in the event loop instead of a process that dies or carries on: the handler only writes
// the signal's number to a socket pair, and the notifier on its other end calls `onStop`
// where Qt and the database may be used. One at a time per process.
class StopSignals : public QObject {
public:
    explicit StopSignals(std::function<void(int)> onStop);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // (Re)installs the handlers, in place of any put in since.
    bool install();
    bool installed() const { return m_notifier != nullptr; }

private:
    void readSignal();

    std::function<void(int)> m_onStop;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace shell
