#pragma once

#include <QObject>

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
    CaptureListener(base::Run& run, std::function<void()> refresh, QObject* parent = nullptr);
    ~CaptureListener() override;
    bool isListening() const;

private:
    base::Run& m_run;
    std::function<void()> m_refresh;
    std::unique_ptr<db::DbEventListener> m_listener;
};

} // namespace results
