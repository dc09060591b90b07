#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace db {

class DmdCoreDbs;

// Work on a second connection to the database, on a thread of its own, while the caller
// goes on reading on its own connection: the engine serves a connection one request at a
// time, and reading a whole meeting keeps it busy. On a server's database, or when the
// second connection cannot attach, the work runs on the caller's connection when it is
// waited for. What the work tells the user is held and told on the caller's thread once
// waited for; the work must not ask questions (a question is answered No). A connection
// keeps one for its runs (DmdCoreDbs::sideReader), so that the second attachment is made
// once.
class SideReader {
public:
    explicit SideReader(DmdCoreDbs& database);
    ~SideReader(); // waits for the work posted
    SideReader(const SideReader&) = delete;
    SideReader& operator=(const SideReader&) = delete;

    // Queues `work`, which reads on the connection it is given.
    void post(std::function<void(DmdCoreDbs&)> work);
    // Returns once everything posted so far is done, its messages told.
    void wait();

private:
    class HeldMessages;
    void run();

    DmdCoreDbs& m_database;
    std::unique_ptr<HeldMessages> m_held;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void(DmdCoreDbs&)>> m_queue;
    bool m_busy = false;    // the thread is on a piece of work
    bool m_closing = false; // the reader is going away
    bool m_attached = true; // false once the second connection failed: the caller does the work
    std::thread m_thread;
};

} // namespace db
