#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace db {
class DbEventListener;
}
namespace base {
class Run;
}

namespace results {

class CapturePanel;

// The action buttons both capture screens show under their athletes.
QWidget* captureActionButtons(CapturePanel* panel, QWidget* parent);

// Hears the results that other programs (or other computers) write while a capture
// screen is open and has the screen refresh itself.
class CaptureListener : public QObject {
    Q_OBJECT
public:
    // The screen refreshes once no further event came for `settleMilliseconds`.
    CaptureListener(base::Run& run, std::function<void()> refresh, QObject* parent = nullptr,
                    int settleMilliseconds = 30);
    ~CaptureListener() override;
    bool isListening() const;
    // Events heard for the capture views, and refreshes made for them.
    int heard() const { return m_heard; }
    int refreshes() const { return m_refreshes; }

private:
    base::Run& m_run;
    std::function<void()> m_refresh;
    std::unique_ptr<db::DbEventListener> m_listener;
    QTimer m_settle;
    int m_heard = 0;
    int m_refreshes = 0;
};

} // namespace results
