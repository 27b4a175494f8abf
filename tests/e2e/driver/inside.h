// Questions asked inside the program's process, through e2e-probe.dll.
#pragma once

#include <windows.h>

#include "probe.h"

namespace e2e {

// Hooks the probe into the window's thread, asks it the question and unhooks it again.
// False (with the reason traced) when no answer came within kMessageBound.
bool AskInside(HWND window, probe::Question question, probe::Answer* answer);

}  // namespace e2e
