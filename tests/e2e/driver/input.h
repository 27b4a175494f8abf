// Keyboard input through SendInput, as a user would type it, and the foreground it needs.
#pragma once

#include <windows.h>

#include <string>

#include "e2e.h"

namespace e2e {

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// One key event for the foreground window; false when SendInput refused it.
bool KeyDown(WORD virtualKey);
bool KeyUp(WORD virtualKey);

// Presses and releases the key with the modifiers held around it (pressed Ctrl, Shift, Alt
// and released in reverse order).
bool PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);

// Makes the window the foreground window and waits until its thread has it active, with the
// keyboard focus on it or one of its controls.
bool BringToForeground(HWND window, DWORD bound = kInputBound);

// "foreground F, active A, focus C": where typed keys would go, for failure messages.
std::string DescribeInputState(HWND window);

}  // namespace e2e
