#include "app/desktophost.h"

#include "app/screenwiring.h"
#include "base/forms/screensize.h"
#include "shell/forms/mainscreen.h"

#include <QEventLoop>

#include <algorithm>

int DesktopHost::showMainScreen(base::Run& run)
{
    shell::MainScreen screen(run, screenOpeners());
    // As tall as its buttons need, wide enough for long meeting names.
    screen.adjustSize();
    base::resizeWithinDesktop(&screen, QSize(std::max(screen.width(), 960), screen.height()));
    // Not exec(): the main screen hides itself while another screen is open, and hiding a
    // dialog ends its exec() loop. This loop ends only when the screen is done.
    QEventLoop loop;
    QObject::connect(&screen, &QDialog::finished, &loop, &QEventLoop::exit);
    screen.setModal(true);
    screen.show();
    return loop.exec();
}
