#include "app/desktophost.h"

#include "app/screenwiring.h"
#include "shell/forms/mainscreen.h"

#include <algorithm>

int DesktopHost::showMainScreen(shell::Run& run)
{
    shell::MainScreen screen(run, screenOpeners());
    // As tall as its buttons need, wide enough for long meeting names.
    screen.adjustSize();
    screen.resize(std::max(screen.width(), 960), screen.height());
    return screen.exec();
}
