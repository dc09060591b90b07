#include "db/sidereader.h"

#include "base/messages.h"
#include "base/silentsink.h"
#include "db/dmdcoredbs.h"

#include <QList>

namespace db {

// Messages made on the side thread, kept until the caller tells them; nothing else
// reaches anybody there.
class SideReader::HeldMessages : public base::SilentSink {
public:
    struct Held {
        base::MessageKind kind;
        QString title;
        QString text;
        QStringList buttons;
    };

    base::Answer show(base::MessageKind kind, const QString& title, const QString& text,
                      const QStringList& buttons) override
    {
        const std::lock_guard lock(m_mutex);
        m_held.append({kind, title, text, buttons});
        return base::Answer(base::Answer::No);
    }

    QList<Held> take()
    {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_held, {});
    }

    base::Messages messages{*this};

private:
    std::mutex m_mutex;
    QList<Held> m_held;
};

SideReader::SideReader(DmdCoreDbs& database)
    : m_database(database), m_held(std::make_unique<HeldMessages>()), m_thread([this] { run(); })
{
}

SideReader::~SideReader()
{
    wait();
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void SideReader::post(std::function<void(DmdCoreDbs&)> work)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
    }
    m_changed.notify_all();
}

void SideReader::wait()
{
    std::deque<std::function<void(DmdCoreDbs&)>> left;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_attached || (m_queue.empty() && !m_busy); });
        left.swap(m_queue);
    }
    // Without a second connection the work is done here, on the caller's.
    for (const auto& work : left)
        work(m_database);
    for (const HeldMessages::Held& h : m_held->take())
        m_database.messages().sink().show(h.kind, h.title, h.text, h.buttons);
}

void SideReader::run()
{
    const std::unique_ptr<DmdCoreDbs> side = m_database.openSibling(m_held->messages);
    std::unique_lock lock(m_mutex);
    if (!side) {
        m_attached = false;
        m_changed.notify_all();
        return;
    }
    for (;;) {
        m_changed.wait(lock, [this] { return m_closing || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        std::function<void(DmdCoreDbs&)> work = std::move(m_queue.front());
        m_queue.pop_front();
        m_busy = true;
        lock.unlock();
        work(*side);
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

} // namespace db
