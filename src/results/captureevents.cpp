#include "results/captureevents.h"

#include "base/messages.h"
#include "base/run.h"
#include "base/triggersetting.h"
#include "db/dbevents.h"

#include <QCoreApplication>

namespace results {

bool registerCaptureEvents(base::Run& run, db::DbEventListener& listener)
{
    if (base::gdbTriggersActive(run.config()) != 1)
        return false;
    const QDateTime started = run.now();
    const bool registered = listener.registerEvents(db::capturedEventNames());
    // The client library settles its event thread while the queue drains.
    for (int i = 0; i < 50001; ++i)
        QCoreApplication::processEvents();
    const qint64 seconds = started.secsTo(run.now());
    if (seconds > 60) {
        run.messages().warning(
            QStringLiteral("It took ") + QString::number(seconds) +
            QStringLiteral(" seconds to prepare for Firebird database triggers.\r"
                           "If you want to, you can switch of the triggers between other apps "
                           "with the main program.\r"
                           "You can switch Database Triggers off at the menu of the main "
                           "program screen."));
    }
    return registered;
}

} // namespace results
