// Reading another process's windows: texts, geometry, styles, focus and screen pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e.h"

namespace e2e {

// The window's text as its own window procedure answers WM_GETTEXT. Across processes
// GetWindowTextW only returns what Windows keeps for the window (its creation caption or
// the last text set through it), so a control that keeps its text elsewhere is read here.
// False when the window does not answer within kMessageBound.
bool ReadText(HWND window, std::wstring* text);

// GetWindowTextW, for comparison with ReadText.
std::wstring StoredText(HWND window);

std::wstring ClassNameOf(HWND window);

RECT WindowRectOf(HWND window);
RECT ClientRectOf(HWND window);
LONG StyleOf(HWND window);
LONG ExStyleOf(HWND window);

// The focus and the active window of the window's thread, as GetGUIThreadInfo reports them.
HWND FocusOf(HWND window);
HWND ActiveOf(HWND window);

// The window's icon from WM_GETICON (ICON_BIG, ICON_SMALL); null when none or no answer.
HICON IconOf(HWND window, WPARAM which);

// Waits until neither the window nor any of its descendants has anything left to paint.
bool WaitUntilPainted(HWND window, DWORD bound = kMessageBound);

// A one-line description of a window and, in order, of each of its descendants: class,
// text, rectangle, styles and control id. Two equal lists mean two windows that look and
// are built the same.
std::vector<std::string> DescribeTree(HWND window);

// Screen pixels, read back from the X server through the screen's device context.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
COLORREF ScreenPixel(int x, int y);
bool CaptureScreen(const RECT& area, Capture* capture);

}  // namespace e2e
