#include "results/forms/captureactions.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dbevents.h"
#include "db/dmdcoredbs.h"
#include "results/captureevents.h"
#include "results/forms/absenteeform.h"
#include "results/forms/capturedrawmenu.h"
#include "results/forms/capturepanel.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace results {

QWidget* captureActionButtons(CapturePanel* panel, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    int at = 0;
    auto add = [&](const QString& text, const QString& tip, std::function<void()> action) {
        base::addActionButton(grid, at / 6, at % 6, text, tip, std::move(action));
        ++at;
    };
    add(QStringLiteral("&Edit Performance ( F7 )"),
        QObject::tr("Types the performance of the selected athlete (F7 or Enter)"),
        [panel] { panel->editPerformance(); });
    add(QStringLiteral("Runthrough ( F8 )"),
        QObject::tr("Asks the performances of the heat one athlete after the other (F8)"),
        [panel] { panel->runthrough(); });
    add(QStringLiteral("Calculate Places( F9 )"),
        QObject::tr("Gives the athletes their places from the performances (F9)"),
        [panel] { panel->calculatePlaces(); });
    add(QStringLiteral("Edit Wind  [F5]"), QObject::tr("Types the wind of the heat (F5)"),
        [panel] { panel->editWind(); });
    add(QStringLiteral("Edit Performance History [F3]"),
        QObject::tr("Opens the attempts or heights of the selected athlete (F3)"),
        [panel] { panel->performanceHistory(); });
    add(QStringLiteral("Disquali&fy [F4]"),
        QObject::tr("Disqualifies the selected athlete with a reason (F4)"),
        [panel] { panel->disqualify(); });
    add(QStringLiteral("Clear [F6]"),
        QObject::tr("Clears the selected athlete's status, such as a disqualification (F6)"),
        [panel] { panel->clearStatus(); });
    add(QStringLiteral("Edit ThirdDigit  (Rarely used) [F10]"),
        QObject::tr("Sets the thousandths that part athletes with equal times (F10)"),
        [panel] { panel->editThirdDigit(); });
    add(QStringLiteral("Preview [F12]"),
        QObject::tr("Shows the result list of the heat before printing it (F12)"),
        [panel] { panel->printResults(true); });
    add(QStringLiteral("Directly [F11]"),
        QObject::tr("Prints the result list of the heat at once (F11)"),
        [panel] { panel->printResults(false); });

    auto* tags = new QPushButton(QStringLiteral("Tags"), box);
    tags->setAutoDefault(false);
    tags->setToolTip(QObject::tr("Sets or clears the tags of the heat: printed, queried, no "
                                 "entries, timing"));
    auto* menu = new QMenu(tags);
    menu->addAction(QStringLiteral("Clear the \"Results Printed\" tag"),
                    [panel] { panel->clearResultsPrinted(); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Queried: Indicate that this event was changed due to a query"),
                    [panel] { panel->setQueried(true); });
    menu->addAction(QStringLiteral("Clear Queried"), [panel] { panel->setQueried(false); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("No Entries"), [panel] { panel->setNoEntries(true); });
    menu->addAction(QStringLiteral("Clear No Entries"), [panel] { panel->setNoEntries(false); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Hand timed"), [panel] { panel->setTiming(2); });
    menu->addAction(QStringLiteral("Electronic timing"), [panel] { panel->setTiming(1); });
    menu->addAction(QStringLiteral("Timing as the Meeting"), [panel] { panel->setTiming(0); });
    tags->setMenu(menu);
    grid->addWidget(tags, at / 6, at % 6);
    ++at;
    auto* remove = new QPushButton(QStringLiteral("Delete"), box);
    remove->setAutoDefault(false);
    remove->setToolTip(QObject::tr("Deletes the selected athlete's entry, or the athlete"));
    auto* removeMenu = new QMenu(remove);
    removeMenu->addAction(QStringLiteral("&Delete Participation"),
                          [panel] { panel->deleteParticipation(); });
    removeMenu->addAction(QStringLiteral("Delete Athlete"), [panel] { panel->deleteAthlete(); });
    remove->setMenu(removeMenu);
    grid->addWidget(remove, at / 6, at % 6);
    ++at;
    grid->addWidget(captureDrawButton(panel, box), at / 6, at % 6);
    ++at;
    // The absentees' tagging can start from the event on the screen.
    add(QStringLiteral("Awol (Absentees)"),
        QObject::tr("Opens the absentees from the event on the screen"), [panel] {
            const auto& row = panel->programRow();
            openAbsentees(panel, panel->run(), row ? row->seq : 0);
            panel->refresh();
            emit panel->changed();
        });
    return box;
}

QHBoxLayout* captureTopBar(QWidget* screen, std::function<void()> findItem,
                           std::function<void()> goToFinal)
{
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Ctrl+number: Seek Sequence"), screen));
    top->addStretch();
    top->addWidget(base::actionButton(screen, QStringLiteral("Find &Item"),
                                      QObject::tr("Goes to the event of an item you choose"),
                                      std::move(findItem)));
    top->addWidget(base::actionButton(screen, QStringLiteral("Go to &Final"),
                                      QObject::tr("Goes to the final of the event on the screen"),
                                      std::move(goToFinal)));
    return top;
}

void finishCaptureScreen(QDialog* screen, QBoxLayout* layout, CapturePanel* panel,
                         const QList<QWidget*>& keySources)
{
    layout->addWidget(captureActionButtons(panel, screen));
    layout->addWidget(base::actionButton(screen, QStringLiteral("Close"), base::closeTip(),
                                         [screen] { screen->accept(); }));
    base::onListKey(panel->table(), Qt::Key_Return, [panel] { panel->editPerformance(); });
    for (QWidget* source : keySources)
        panel->takeKeysFrom(source);
}

bool handleCaptureKey(QKeyEvent* event, base::Run& run, CapturePanel* panel,
                      const std::function<bool(int seq)>& seekSequence)
{
    const int key = event->key();
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        QString text = QString::number(key - Qt::Key_0);
        if (run.messages().askText(QStringLiteral("Seek Sequence"), &text))
            seekSequence(text.trimmed().toInt());
        return true;
    }
    return panel->handleKey(key);
}

CaptureListener::CaptureListener(base::Run& run, std::function<void()> refresh, QObject* parent,
                                 int settleMilliseconds)
    : QObject(parent), m_run(run), m_refresh(std::move(refresh)),
      m_listener(std::make_unique<db::DbEventListener>(*run.database()))
{
    // A result comes with several events (the row, then the heat's state), and an import
    // or a calculation with many: one refresh once the burst is over is enough.
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        m_run.database()->refreshReads();
        ++m_refreshes;
        m_refresh();
    });
    connect(m_listener.get(), &db::DbEventListener::received, this, [this](const QString& name) {
        if (db::dispatchEvent(*m_run.database(), name) == db::EventTarget::CaptureViews) {
            ++m_heard;
            m_settle.start();
        }
    });
    results::registerCaptureEvents(m_run, *m_listener);
}

CaptureListener::~CaptureListener()
{
    if (m_listener->isRegistered())
        m_listener->unregisterEvents();
}

bool CaptureListener::isListening() const
{
    return m_listener->isRegistered();
}

} // namespace results
