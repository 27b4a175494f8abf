// The window calls whose form differs between the NT family and Windows 9x. On the NT family
// the wide-character calls are used, so that the Chinese texts are right whatever the system
// code page; Windows 9x lacks most of them, so there the same calls go through the ANSI forms
// with the texts converted to the system code page. The road is chosen once, at start.
#pragma once

#include <windows.h>

#include <string>

#include "schedule/handlers.h"

namespace ts::ui {

// Asks the platform family once; every call below then takes the matching road.
void ChooseRoad();

struct WindowClass {
    const char16_t* name;
    UINT style;
    WNDPROC procedure;
    HCURSOR cursor;
    HBRUSH background;
};
bool RegisterWindowClass(const WindowClass& windowClass);

HWND CreateWin(DWORD exStyle, const char16_t* className, const char16_t* text, DWORD style, int x,
               int y, int width, int height, HWND parent, HMENU menuOrId, void* param);
LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the procedure of an existing window; returns the previous one.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure);
LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::u16string WindowText(HWND window);
bool SetText(HWND window, const std::u16string& text);
// The minutes text as the schedule reads it: UTF-16, or code page bytes on the ANSI road.
MinutesText ReadMinutesText(HWND field);

int ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type);
int DrawTextLine(HDC dc, const std::u16string& text, RECT* rect, UINT format);

BOOL TakeMessage(MSG* message);
BOOL PeekQueue(MSG* message, UINT remove);
LRESULT Dispatch(const MSG* message);
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object attached to a window.
LONG_PTR GetUserData(HWND window);
void SetUserData(HWND window, LONG_PTR value);

}  // namespace ts::ui
