#pragma once

#include <QObject>
#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

namespace Firebird {
class IEvents;
}

namespace db {

class DmdCoreDbs;
class EventCallback;

// The names this program listens for.
QStringList capturedEventNames(); // "CLRM_STATUS", "CLRM_DRAWN", "RACE_DONE"

// Listens for database event messages on the connection of a DmdCoreDbs. The client
// library calls back on a thread of its own; the callback only hands the counts over to
// the thread that owns this object through a queued call, where `received` is emitted
// once per posted event and the listener queues itself again.
class DbEventListener : public QObject {
    Q_OBJECT
public:
    explicit DbEventListener(DmdCoreDbs& database, QObject* parent = nullptr);
    ~DbEventListener() override;

    bool registerEvents(const QStringList& names);
    void unregisterEvents();
    bool isRegistered() const { return m_events != nullptr; }
    // The server has told the counts as they stood at registration: events posted from
    // now on are reported. One posted before this may go unnoticed.
    bool hasBaseline() const { return !m_firstDelivery; }

    // Called from the client library's thread.
    void deliver(const std::vector<unsigned char>& buffer);

signals:
    void received(const QString& name);

private:
    void handOver(std::vector<unsigned char> buffer);
    bool queue();

    DmdCoreDbs& m_database;
    QStringList m_names;
    std::vector<unsigned char> m_block; // the counts we know
    Firebird::IEvents* m_events = nullptr;
    EventCallback* m_callback = nullptr;
    bool m_firstDelivery = true;
};

// What an open view does with a message: "CLRM_STATUS" refreshes the call-room views,
// "RACE_DONE" and "RUN_STARTED" the capture views. Any other name is an internal error.
enum class EventTarget { None, CallRoomViews, CaptureViews };
EventTarget dispatchEvent(DmdCoreDbs& database, const QString& name);

} // namespace db
