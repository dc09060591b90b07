#include "db/dbevents.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <atomic>

using namespace Firebird;

namespace db {

// The client library's callback object. It lives as long as the listener's queue is
// registered; the listener detaches it before it goes.
class EventCallback : public IEventCallbackImpl<EventCallback, ThrowStatusWrapper> {
public:
    explicit EventCallback(DbEventListener* listener) : m_listener(listener) {}

    void addRef() override { ++m_refs; }
    int release() override
    {
        if (--m_refs == 0) {
            delete this;
            return 0;
        }
        return 1;
    }

    void eventCallbackFunction(unsigned length, const unsigned char* events) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_listener || !events)
            return;
        m_listener->deliver(std::vector<unsigned char>(events, events + length));
    }

    void detach()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_listener = nullptr;
    }

private:
    std::mutex m_mutex;
    DbEventListener* m_listener;
    std::atomic<int> m_refs{1};
};

namespace {

// An event parameter block: version 1, then per name its length, the name and a count.
std::vector<unsigned char> buildBlock(const QStringList& names)
{
    std::vector<unsigned char> block{1};
    for (const QString& name : names) {
        const QByteArray bytes = name.toLatin1();
        block.push_back(static_cast<unsigned char>(bytes.size()));
        block.insert(block.end(), bytes.begin(), bytes.end());
        block.insert(block.end(), 4, 0);
    }
    return block;
}

unsigned countAt(const std::vector<unsigned char>& block, size_t offset)
{
    return unsigned(block[offset]) | unsigned(block[offset + 1]) << 8 |
           unsigned(block[offset + 2]) << 16 | unsigned(block[offset + 3]) << 24;
}

} // namespace

QStringList capturedEventNames()
{
    return {QStringLiteral("CLRM_STATUS"), QStringLiteral("CLRM_DRAWN"),
            QStringLiteral("RACE_DONE")};
}

DbEventListener::DbEventListener(DmdCoreDbs& database, QObject* parent)
    : QObject(parent), m_database(database)
{
}

DbEventListener::~DbEventListener()
{
    unregisterEvents();
}

bool DbEventListener::registerEvents(const QStringList& names)
{
    unregisterEvents();
    m_names = names;
    m_block = buildBlock(names);
    m_firstDelivery = true;
    m_callback = new EventCallback(this);
    return queue();
}

bool DbEventListener::queue()
{
    if (!m_database.isConnected())
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    bool ok = true;
    try {
        m_events = m_database.attachment()->handle()->queEvents(
            &status, m_callback, unsigned(m_block.size()), m_block.data());
    } catch (const FbException&) {
        m_events = nullptr;
        ok = false;
    }
    status.dispose();
    return ok;
}

void DbEventListener::unregisterEvents()
{
    if (m_callback)
        m_callback->detach();
    if (m_events) {
        ThrowStatusWrapper status(fbMaster()->getStatus());
        try {
            m_events->cancel(&status);
        } catch (const FbException&) {
            m_events->release();
        }
        status.dispose();
        m_events = nullptr;
    }
    if (m_callback) {
        m_callback->release();
        m_callback = nullptr;
    }
}

void DbEventListener::deliver(const std::vector<unsigned char>& buffer)
{
    // Client thread: only hand over.
    QPointer<DbEventListener> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, buffer] {
            if (self)
                self->handOver(buffer);
        },
        Qt::QueuedConnection);
}

void DbEventListener::handOver(std::vector<unsigned char> buffer)
{
    if (!m_callback)
        return;
    if (m_events) {
        m_events->release(); // the queue fired once and is spent
        m_events = nullptr;
    }
    QStringList fired;
    size_t offset = 1;
    for (const QString& name : m_names) {
        const size_t countOffset = offset + 1 + size_t(name.toLatin1().size());
        if (countOffset + 4 > buffer.size() || countOffset + 4 > m_block.size())
            break;
        const unsigned now = countAt(buffer, countOffset);
        const unsigned before = countAt(m_block, countOffset);
        // The first delivery only tells the counts as they stand.
        if (!m_firstDelivery && now > before)
            for (unsigned i = before; i < now; ++i)
                fired << name;
        offset = countOffset + 4;
    }
    m_block = buffer;
    m_firstDelivery = false;
    queue();
    for (const QString& name : std::as_const(fired))
        emit received(name);
}

EventTarget dispatchEvent(DmdCoreDbs& database, const QString& name)
{
    if (name == QLatin1String("CLRM_STATUS"))
        return EventTarget::CallRoomViews;
    if (name == QLatin1String("RACE_DONE") || name == QLatin1String("RUN_STARTED"))
        return EventTarget::CaptureViews;
    if (name == QLatin1String("CLRM_DRAWN"))
        return EventTarget::None;
    database.messages().internalError(10501,
                                      QStringLiteral("Unkown database trigger event:\r") + name);
    return EventTarget::None;
}

} // namespace db
