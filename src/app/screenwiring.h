#pragma once

#include "base/forms/screenopeners.h"

// The screens of every area, handed to the main screen. Each area adds its lines to
// screenwiring.cpp.
base::ScreenOpeners screenOpeners();
