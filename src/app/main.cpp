// The desktop program: one copy per user, then the run loop until the main screen ends.

#include "app/desktophost.h"
#include "base/appglobals.h"
#include "base/forms/wheelguard.h"
#include "base/messages.h"
#include "shell/forms/qtdialogsink.h"
#include "shell/forms/unattendedend.h"
#include "shell/runloop.h"
#include "shell/singleinstance.h"
#include "shell/stopsignals.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolvane"));
    // The run loop ends the program itself; a closed dialog between passes must not.
    QApplication::setQuitOnLastWindowClosed(false);
    base::installWheelGuard(app);
    shell::QtDialogSink sink;
    // SIGTERM and SIGINT end the program as "Exit" does, with the database closed.
    std::unique_ptr<shell::UnattendedEnd> ending;
    shell::StopSignals stopSignals([&](int) {
        if (ending)
            ending->begin();
        else
            QCoreApplication::exit(1);
    });
    // "--edition athletics" starts the athletics edition of the family on the same data.
    shell::RunLoopOptions options;
    // The database engine puts in handlers of its own for these signals when it opens a
    // file, which would shut the connection down under the program's feet.
    // Scripts that drive the program, its tests among them, wait for the line before they
    // signal it.
    options.connected = [&stopSignals] {
        if (stopSignals.install()) {
            std::fputs("Listening for stop signals\n", stdout);
            std::fflush(stdout);
        }
    };
    const QStringList arguments = QApplication::arguments();
    const qsizetype edition = arguments.indexOf(QStringLiteral("--edition"));
    if (edition > 0 && arguments.value(edition + 1) == QLatin1String("athletics"))
        options.applicationCode = QString::fromLatin1(base::kAthleticsCode);
    shell::SingleInstance instance(options.applicationCode);
    if (!instance.acquire()) {
        base::Messages messages(sink);
        messages.setProgramTitle(base::AppGlobals().programTitle());
        messages.warning(QStringLiteral("The application is already running"));
        return 1;
    }
    DesktopHost host;
    shell::RunLoop loop(sink, host, options);
    ending = std::make_unique<shell::UnattendedEnd>(sink, loop);
    loop.exec();
    return 0;
}
