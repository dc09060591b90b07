// The desktop program: one copy per user, then the run loop until the main screen ends.

#include "app/desktophost.h"
#include "base/appglobals.h"
#include "base/forms/wheelguard.h"
#include "base/messages.h"
#include "shell/forms/qtdialogsink.h"
#include "shell/runloop.h"
#include "shell/singleinstance.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dolvane"));
    // The run loop ends the program itself; a closed dialog between passes must not.
    QApplication::setQuitOnLastWindowClosed(false);
    base::installWheelGuard(app);
    shell::QtDialogSink sink;
    // "--edition athletics" starts the athletics edition of the family on the same data.
    shell::RunLoopOptions options;
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
    loop.exec();
    return 0;
}
