// The program's main window and its controls, seen from the driver: finding them, reading and
// setting their texts, clicking and typing as a user would, and the notice boxes.
#pragma once

#include <windows.h>

#include <string>

#include "e2e.h"
#include "program.h"

namespace e2e {

// The controls' identifiers.
constexpr int kLinkId = 150, kStartId = 140, kCancelId = 130, kLabelId = 120, kFieldId = 110,
              kTimerHostId = 100;

// The started program's main window, or null with the failure reported.
HWND StartedWindow(const Program& program);

// Expects the process to end with exit code 0 within the bound, after `how`.
void ExpectCleanExit(const Program& program, HWND window, const char* how);

HWND Control(HWND window, int id);

// The control's stored name (编辑框1, 按钮2, ...), for messages.
const char* NameOf(HWND window, HWND control);

// WM_GETTEXT, or "<no answer>".
std::wstring TextOf(HWND control);
bool SetText(HWND control, const std::wstring& text);

// SendMessageTimeoutW's result, 0 when there was no answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Waits until the focus of the window's thread is on the control with that id, and reports
// where it is otherwise.
bool ExpectFocus(HWND window, int id, const char* after);

// A character typed as a keyboard would deliver it, whatever the layout.
bool TypeCharacter(wchar_t character);

// Moves the pointer to the screen point (SendInput), and a press and release of the left
// button there.
bool MovePointer(POINT point);
bool ClickAt(POINT point);
POINT CentreOf(HWND window);

// The visible notice box (class #32770) of the process, or null.
HWND FindNoticeBox(DWORD pid);
// The box's message text: the text of its static control that has one.
std::wstring NoticeText(HWND box);
// Waits for a notice box with that text and caption; reports and returns null otherwise.
HWND ExpectNotice(DWORD pid, const std::wstring& text, const char* after);
// Presses the box's OK button and waits until the box is gone.
bool DismissNotice(HWND box);

// Posts WM_CLOSE and expects the program to end with exit code 0.
void CloseProgram(const Program& program, HWND window);

}  // namespace e2e
