// The desktop program: one copy per user, then the run loop until the main screen ends.

#include "app/desktophost.h"
#include "shell/appglobals.h"
#include "shell/forms/qtdialogsink.h"
#include "shell/messages.h"
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
    shell::SingleInstance instance(QString::fromLatin1(shell::kApplicationCode));
    if (!instance.acquire()) {
        shell::Messages messages(sink);
        messages.setProgramTitle(shell::AppGlobals().programTitle());
        messages.warning(QStringLiteral("The application is already running"));
        return 1;
    }
    DesktopHost host;
    shell::RunLoop loop(sink, host);
    loop.exec();
    return 0;
}
