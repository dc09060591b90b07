#pragma once

#include "shell/forms/screenopeners.h"

// The screens of every area, handed to the main screen. Each area adds its lines to
// screenwiring.cpp.
shell::ScreenOpeners screenOpeners();
