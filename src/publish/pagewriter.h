#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace publish {

// Writes pages on a thread of its own, in the order they are handed over, so that the next
// pages are made while the last ones go to the disk. Each page is encoded as it is handed
// over (the lines are let go where they were made) and written whole through
// writeBytesFile. The first page that cannot be written stops the writing: the pages handed
// over after it are not written. A written page's memory comes back to be used for the
// next: memory is taken and given back on the thread that makes the pages, and the two
// threads do not wait on each other in the allocator.
class PageWriter {
public:
    PageWriter();
    ~PageWriter(); // finish() when not called yet
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    // Takes a page to write; false (and the page is not taken) once a page has failed.
    bool write(QString path, QStringList lines);
    // How many pages were taken so far.
    int taken() const { return m_taken; }

    struct Outcome {
        int written = 0;    // the pages written, the first ones taken
        QString failedPath; // the page that could not be written, empty when none failed
        QString error;
    };
    // Waits until every page taken is written or the writing stopped, and ends the thread.
    Outcome finish();

private:
    struct Page {
        QString path;
        QByteArray bytes;
    };
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Page> m_queue;
    std::vector<Page> m_spare; // written pages, their memory to be used again
    bool m_closing = false;
    bool m_failed = false; // read by write() without waiting for the queue
    int m_taken = 0;
    Outcome m_outcome;
    std::thread m_thread;
};

} // namespace publish
