#include "shell/stopsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace shell {

namespace {

// [0] written by the handler, [1] read by the notifier; -1 while no watcher exists.
int g_pipe[2] = {-1, -1};

constexpr int kSignals[] = {SIGTERM, SIGINT};
// What handled them before the first install, put back at the end.
struct sigaction g_before[2];
bool g_saved = false;

extern "C" void onSignal(int number)
{
    // Only async-signal-safe calls here: one byte, the rest happens in the event loop.
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

} // namespace

StopSignals::StopSignals(std::function<void(int)> onStop) : m_onStop(std::move(onStop))
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readSignal(); });
    install();
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (int i = 0; g_saved && i < 2; ++i)
        ::sigaction(kSignals[i], &g_before[i], nullptr);
    g_saved = false;
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

bool StopSignals::install()
{
    if (!m_notifier)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool ok = true;
    for (int i = 0; i < 2; ++i)
        ok = ::sigaction(kSignals[i], &action, g_saved ? nullptr : &g_before[i]) == 0 && ok;
    g_saved = true;
    return ok;
}

void StopSignals::readSignal()
{
    char byte = 0;
    if (::read(g_pipe[1], &byte, 1) == 1 && m_onStop)
        m_onStop(int(byte));
}

} // namespace shell
