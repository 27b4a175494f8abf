// Commands for scripts/run.sh rather than checks: they act on a program that the script
// started itself, found by its window title.
#include <cstdio>

#include "e2e.h"
#include "program.h"
#include "text.h"
#include "window.h"

using namespace e2e;

// Prints "window-rect: X Y WIDTH HEIGHT" of the main window once it is fully painted.
E2E_CASE(WindowRect, "window-rect") {
    HWND window = nullptr;
    WaitFor(kWindowBound, [&] {
        const std::vector<HWND> windows = FindAllMainWindows();
        window = windows.empty() ? nullptr : windows.front();
        return window != nullptr;
    });
    if (!ok(window != nullptr, "no visible window titled %s within %lu ms", Quoted(kTitle).c_str(),
            kWindowBound))
        return;
    ok(WaitUntilPainted(window), "the window still has parts to paint after %lu ms", kMessageBound);
    const RECT rect = WindowRectOf(window);
    std::printf("window-rect: %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    std::fflush(stdout);
}

// Closes every main window, as the close box would, and waits until they are gone.
E2E_CASE(CloseAll, "close-all") {
    for (HWND window : FindAllMainWindows()) PostClose(window);
    ok(WaitFor(kExitBound, [] { return FindAllMainWindows().empty(); }),
       "windows titled %s still shown after %lu ms", Quoted(kTitle).c_str(), kExitBound);
}
