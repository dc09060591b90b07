// The desktop program: one copy per user, then the run loop until the main screen ends.

#include "app/desktophost.h"
#include "base/appglobals.h"
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
    shell::QtDialogSink sink;
    shell::SingleInstance instance(QString::fromLatin1(base::kApplicationCode));
    if (!instance.acquire()) {
        base::Messages messages(sink);
        messages.setProgramTitle(base::AppGlobals().programTitle());
        messages.warning(QStringLiteral("The application is already running"));
        return 1;
    }
    DesktopHost host;
    shell::RunLoop loop(sink, host);
    loop.exec();
    return 0;
}
