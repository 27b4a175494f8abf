#include "input.h"

#include <cstdio>

#include "window.h"

namespace e2e {

namespace {

bool SendKey(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

struct ModifierKey {
    unsigned modifier;
    WORD virtualKey;
};
constexpr ModifierKey kModifierKeys[] = {
    {kControl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};

}  // namespace

bool KeyDown(WORD virtualKey) { return SendKey(virtualKey, 0); }
bool KeyUp(WORD virtualKey) { return SendKey(virtualKey, KEYEVENTF_KEYUP); }

bool PressKey(WORD virtualKey, unsigned modifiers) {
    bool sent = true;
    for (const ModifierKey& key : kModifierKeys)
        if (modifiers & key.modifier) sent = KeyDown(key.virtualKey) && sent;
    sent = KeyDown(virtualKey) && sent;
    sent = KeyUp(virtualKey) && sent;
    for (size_t i = sizeof kModifierKeys / sizeof kModifierKeys[0]; i-- > 0;)
        if (modifiers & kModifierKeys[i].modifier)
            sent = KeyUp(kModifierKeys[i].virtualKey) && sent;
    return sent;
}

bool BringToForeground(HWND window, DWORD bound) {
    // Finished painting means the window's thread has handled its showing and activation, so
    // no late activation of its own undoes the one asked for here.
    WaitUntilPainted(window, bound);
    SetForegroundWindow(window);
    return WaitFor(bound, [&] {
        const HWND focus = FocusOf(window);
        return GetForegroundWindow() == window && ActiveOf(window) == window &&
               (focus == window || IsChild(window, focus));
    });
}

std::string DescribeInputState(HWND window) {
    char text[160];
    std::snprintf(text, sizeof text, "foreground %p, active %p, focus %p (the window is %p)",
                  static_cast<void*>(GetForegroundWindow()), static_cast<void*>(ActiveOf(window)),
                  static_cast<void*>(FocusOf(window)), static_cast<void*>(window));
    return text;
}

}  // namespace e2e
