#pragma once

#include "shell/runloop.h"

// The desktop program's main screen for the run loop.
class DesktopHost : public shell::MainScreenHost {
public:
    int showMainScreen(base::Run& run) override;
};
