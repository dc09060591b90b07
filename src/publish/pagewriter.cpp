#include "publish/pagewriter.h"

#include "publish/textfile.h"

namespace publish {

PageWriter::PageWriter() : m_thread([this] { run(); }) {}

PageWriter::~PageWriter()
{
    finish();
}

namespace {

// How many written pages are kept for their memory.
constexpr std::size_t kSparePages = 16;

} // namespace

bool PageWriter::write(QString path, QStringList lines)
{
    Page page;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_spare.empty()) {
            page = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    page.path = std::move(path);
    encodeTextFile(lines, &page.bytes);
    lines.clear();
    {
        const std::lock_guard lock(m_mutex);
        if (m_failed || m_closing)
            return false;
        m_queue.push_back(std::move(page));
        ++m_taken;
    }
    m_wake.notify_one();
    return true;
}

PageWriter::Outcome PageWriter::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    return m_outcome;
}

void PageWriter::run()
{
    for (;;) {
        Page page;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_queue.empty() || m_failed)
                return;
            page = std::move(m_queue.front());
            m_queue.pop_front();
        }
        QString error;
        const bool ok = writeBytesFile(page.path, page.bytes, &error);
        const std::lock_guard lock(m_mutex);
        if (!ok) {
            m_failed = true;
            m_outcome.failedPath = page.path;
            m_outcome.error = error;
            m_queue.clear();
            return;
        }
        ++m_outcome.written;
        if (m_spare.size() < kSparePages)
            m_spare.push_back(std::move(page));
    }
}

} // namespace publish
