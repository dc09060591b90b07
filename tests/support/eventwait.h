#pragma once

#include "db/dbevents.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace testing_support {

// Waits until the listener knows the event counts as they stood at registration, so that
// the events a test posts next are reported, however slow the machine.
inline bool waitForEventBaseline(const db::DbEventListener& listener, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!listener.hasBaseline() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return listener.hasBaseline();
}

} // namespace testing_support
