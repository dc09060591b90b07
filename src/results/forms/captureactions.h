#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QKeyEvent;
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

// The bar both capture screens open with: the seek hint, "Find &Item" and "Go to &Final".
QHBoxLayout* captureTopBar(QWidget* screen, std::function<void()> findItem,
                           std::function<void()> goToFinal);
// What both capture screens put under their lists: the action buttons and Close; Enter on
// the athletes edits a result and the panel's keys reach it from `keySources` too.
void finishCaptureScreen(QDialog* screen, QBoxLayout* layout, CapturePanel* panel,
                         const QList<QWidget*>& keySources);
// The keys of both screens: Ctrl+number asks for a sequence and seeks it, F3 to F12 go to
// the panel. False when the key is not theirs.
bool handleCaptureKey(QKeyEvent* event, base::Run& run, CapturePanel* panel,
                      const std::function<bool(int seq)>& seekSequence);

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
