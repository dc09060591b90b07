#include "app/desktophost.h"

#include "app/screenwiring.h"
#include "shell/forms/mainscreen.h"

int DesktopHost::showMainScreen(shell::Run& run)
{
    shell::MainScreen screen(run, screenOpeners());
    screen.resize(980, 720);
    return screen.exec();
}
