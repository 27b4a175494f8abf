// The main window's controls as built, the keyboard focus and the keys, the integer field's
// typing filter and normalisation, and the label's colours.
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "controls.h"
#include "e2e.h"
#include "input.h"
#include "program.h"
#include "text.h"
#include "window.h"

using namespace e2e;

namespace {

// The control's rectangle in the main window's client coordinates.
RECT PlacementOf(HWND window, HWND control) {
    RECT rect = WindowRectOf(control);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The field's selection, from EM_GETSEL.
bool SelectionOf(HWND field, DWORD* start, DWORD* end) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(field, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kMessageBound, &result))
        return false;
    *start = LOWORD(result);
    *end = HIWORD(result);
    return true;
}

}  // namespace

// Every control as its description builds it, in Z-order from the top.
E2E_CASE(Controls, "controls") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    const LONG child = WS_CHILD | WS_CLIPSIBLINGS;
    const LONG button = child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    struct Expected {
        const char* name;
        const wchar_t* className;
        int id;
        RECT placement;
        const wchar_t* text;
        LONG style;  // without WS_VISIBLE
        LONG exStyle;
        bool visible;
    } const kExpected[] = {
        {"超级链接框1",
         L"TimedShutdownLink",
         kLinkId,
         {8, 22, 168, 38},
         L"Zelvano官方网站",
         child,
         0,
         true},
        {"按钮2", L"Button", kStartId, {288, 49, 360, 73}, L"定时开始", button, 0, true},
        {"按钮1", L"Button", kCancelId, {161, 51, 227, 74}, L"取消", button, 0, true},
        {"标签1",
         L"TimedShutdownLabel",
         kLabelId,
         {215, 16, 303, 40},
         L"定时设置：分钟",
         child,
         0,
         true},
        {"编辑框1",
         L"Edit",
         kFieldId,
         {312, 18, 360, 44},
         L"60",
         child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
         WS_EX_CLIENTEDGE,
         true},
        {"时钟1",
         L"TimedShutdownTimerHost",
         kTimerHostId,
         {400, 56, 536, 120},
         L"",
         child,
         0,
         false},
    };
    HWND control = GetWindow(window, GW_CHILD);
    for (const Expected& e : kExpected) {
        if (!ok(control != nullptr, "%s: no further child window in the Z-order", e.name)) break;
        const int id = GetDlgCtrlID(control);
        ok(id == e.id, "%s: got id %d at this Z-order place, expected %d", e.name, id, e.id);
        const std::wstring className = ClassNameOf(control);
        ok(_wcsicmp(className.c_str(), e.className) == 0, "%s: got class %s, expected %s", e.name,
           Quoted(className).c_str(), Quoted(e.className).c_str());
        const RECT got = PlacementOf(window, control);
        ok(EqualRect(&got, &e.placement), "%s: got %s, expected %s", e.name, Describe(got).c_str(),
           Describe(e.placement).c_str());
        const std::wstring text = TextOf(control);
        ok(text == e.text, "%s: got text %s, expected %s", e.name, Quoted(text).c_str(),
           Quoted(e.text).c_str());
        const LONG style = StyleOf(control) & ~WS_VISIBLE;
        ok(style == e.style, "%s: got style %#lx, expected %#lx", e.name, style, e.style);
        const LONG exStyle = ExStyleOf(control);
        ok(exStyle == e.exStyle, "%s: got extended style %#lx, expected %#lx", e.name, exStyle,
           e.exStyle);
        const bool visible = IsWindowVisible(control) != FALSE;
        ok(visible == e.visible, "%s: got %s, expected %s", e.name, visible ? "visible" : "hidden",
           e.visible ? "visible" : "hidden");
        control = GetWindow(control, GW_HWNDNEXT);
    }
    ok(control == nullptr, "a seventh child window %s",
       Quoted(control ? ClassNameOf(control) : L"").c_str());
    CloseProgram(program, window);
}

// At start the caret is in the field at the start of "60", with nothing selected.
E2E_CASE(Caret, "caret") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    ExpectFocus(window, kFieldId, "start");
    DWORD start = 99, end = 99;
    if (ok(SelectionOf(Control(window, kFieldId), &start, &end), "EM_GETSEL: no answer"))
        ok(start == 0 && end == 0, "got selection %lu..%lu, expected 0..0", start, end);
    CloseProgram(program, window);
}

// Tab walks 编辑框1, 按钮1, 按钮2 and around; Shift+Tab walks back; Ctrl+Tab is not the
// window's and leaves the focus where it is.
E2E_CASE(TabCycle, "tab-cycle") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    if (!ExpectFocus(window, kFieldId, "start")) return;
    struct Step {
        const char* keys;
        unsigned modifiers;
        int expected;
    } const kSteps[] = {
        {"Tab from 编辑框1", kNoModifier, kCancelId}, {"Tab from 按钮1", kNoModifier, kStartId},
        {"Tab from 按钮2", kNoModifier, kFieldId},    {"Shift+Tab from 编辑框1", kShift, kStartId},
        {"Shift+Tab from 按钮2", kShift, kCancelId},  {"Shift+Tab from 按钮1", kShift, kFieldId},
        {"Ctrl+Tab in 编辑框1", kControl, kFieldId},
    };
    for (const Step& step : kSteps) {
        ok(PressKey(VK_TAB, step.modifiers), "%s: SendInput failed", step.keys);
        if (!ExpectFocus(window, step.expected, step.keys)) break;
    }
    CloseProgram(program, window);
}

// Plain Esc closes the window from any control; Shift+Esc does not.
E2E_CASE(EscCloses, "esc-closes") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    PressKey(VK_TAB);
    if (!ExpectFocus(window, kCancelId, "Tab")) return;
    PressKey(VK_ESCAPE, kShift);
    // Shift+Esc changes nothing; a Tab afterwards shows that its keys were handled in order.
    PressKey(VK_TAB);
    ExpectFocus(window, kStartId, "Shift+Esc and Tab");
    ok(program.Running(), "Shift+Esc ended the program");
    PressKey(VK_ESCAPE);
    DWORD code = 1;
    if (ok(program.WaitForExit(&code), "Esc: still running after %lu ms", kExitBound))
        ok(code == 0, "Esc: got exit code %lu, expected 0", code);
}

// Typing lets digits, '-' and control characters through and drops everything else.
E2E_CASE(TypingFilter, "typing-filter") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    HWND field = Control(window, kFieldId);
    if (!ExpectFocus(window, kFieldId, "start")) return;
    // Typed at the caret, which is at the start of "60".
    const std::wstring typed =
        L"1a2 +.3\x3000-\xFF14"
        L"4e";
    for (wchar_t c : typed) ok(TypeCharacter(c), "SendInput of U+%04X failed", c);
    const std::wstring expected = L"123-460";
    ok(WaitFor(kInputBound, [&] { return TextOf(field) == expected; }),
       "typed %s: got %s, expected %s", Quoted(typed).c_str(), Quoted(TextOf(field)).c_str(),
       Quoted(expected).c_str());
    PressKey(VK_BACK);
    ok(WaitFor(kInputBound, [&] { return TextOf(field) == L"123-60"; }),
       "Backspace: got %s, expected \"123-60\"", Quoted(TextOf(field)).c_str());
    // What an input method delivers goes through the same filter. (Wine's edit control turns
    // WM_IME_CHAR into WM_CHAR; Windows' takes it directly, which the field filters too.)
    PostMessageW(field, WM_IME_CHAR, 0xFF15, 1);  // full-width 5
    PostMessageW(field, WM_IME_CHAR, L'5', 1);
    ok(WaitFor(kInputBound, [&] { return TextOf(field) == L"123-560"; }),
       "WM_IME_CHAR of a full-width 5 and a 5: got %s, expected \"123-560\"",
       Quoted(TextOf(field)).c_str());
    CloseProgram(program, window);
}

// When Tab takes the focus from the field, its text becomes the leading integer, clamped to the
// 32-bit range, with 0 shown as nothing; a normal text is left alone.
E2E_CASE(Normalisation, "normalisation") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    HWND field = Control(window, kFieldId);
    if (!ExpectFocus(window, kFieldId, "start")) return;
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    } const kCases[] = {
        {L"007", L"7"},
        {L"0", L""},
        {L"-0", L""},
        {L"", L""},
        {L"abc", L""},
        {L"12ab", L"12"},
        {L"  8", L"8"},
        {L"5-3", L"5"},
        {L"9999999999999999999999999", L"2147483647"},
        {L"-99999999999", L"-2147483648"},
        {L"0.5", L""},
    };
    for (const Case& c : kCases) {
        if (!ok(SetText(field, c.text), "WM_SETTEXT %s: no answer", Quoted(c.text).c_str())) break;
        PressKey(VK_TAB);
        if (!ExpectFocus(window, kCancelId, "Tab")) break;
        const std::wstring got = TextOf(field);
        ok(got == c.expected, "%s left the field as %s, expected %s", Quoted(c.text).c_str(),
           Quoted(got).c_str(), Quoted(c.expected).c_str());
        PressKey(VK_TAB, kShift);
        if (!ExpectFocus(window, kFieldId, "Shift+Tab")) break;
    }

    // Setting the text clears the field's modified flag: a normal text keeps it, so it was
    // not set again.
    SetText(field, L"42");
    Ask(field, EM_SETMODIFY, TRUE);
    PressKey(VK_TAB);
    ExpectFocus(window, kCancelId, "Tab");
    ok(Ask(field, EM_GETMODIFY) != 0, "the normal text \"42\" was set again");

    // The empty selection stays at its start, clamped to the new text.
    PressKey(VK_TAB, kShift);
    ExpectFocus(window, kFieldId, "Shift+Tab");
    SetText(field, L"000123");
    Ask(field, EM_SETSEL, 4, 5);
    PressKey(VK_TAB);
    ExpectFocus(window, kCancelId, "Tab");
    DWORD start = 99, end = 99;
    SelectionOf(field, &start, &end);
    ok(TextOf(field) == L"123" && start == 3 && end == 3,
       "\"000123\" selected 4..5: got %s selected %lu..%lu, expected \"123\" selected 3..3",
       Quoted(TextOf(field)).c_str(), start, end);
    CloseProgram(program, window);
}

// The focused control is remembered while another window is active and gets the focus back.
E2E_CASE(FocusReturns, "focus-returns") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    if (!ExpectFocus(window, kStartId, "two Tabs")) return;

    HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!ok(other != nullptr, "CreateWindowExW failed: %lu", GetLastError())) return;
    SetForegroundWindow(other);
    ok(WaitFor(kInputBound, [&] { return GetForegroundWindow() == other; }),
       "another window did not become foreground");
    ok(BringToForeground(window), "the window did not come back to the foreground");
    ExpectFocus(window, kStartId, "switching away and back");
    DestroyWindow(other);
    // A click on the label does not take the focus.
    ClickAt(CentreOf(Control(window, kLabelId)));
    PressKey(VK_TAB, kShift);
    ExpectFocus(window, kCancelId, "a click on the label and Shift+Tab");
    CloseProgram(program, window);
}

// The label's text is red on the button face colour, and nothing else is drawn in it.
E2E_CASE(LabelColours, "label-colours") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    WaitUntilPainted(window);
    HWND label = Control(window, kLabelId);
    const RECT area = WindowRectOf(label);
    Capture capture;
    if (!ok(CaptureScreen(area, &capture), "could not read the label's pixels")) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), red = RGB(255, 0, 0);
    int redPixels = 0, otherPixels = 0;
    COLORREF firstOther = 0;
    for (COLORREF pixel : capture.pixels) {
        if (pixel == red) {
            ++redPixels;
        } else if (pixel != face) {
            if (otherPixels++ == 0) firstOther = pixel;
        }
    }
    ok(redPixels > 50, "got %d red pixels in the label, expected its text in red", redPixels);
    ok(otherPixels == 0, "got %d pixels neither red nor button face (the first %06lx), face %06lx",
       otherPixels, firstOther, face);
    CloseProgram(program, window);
}

// When Windows asks whether the session may end, the window agrees and does nothing of its own.
E2E_CASE(QueryEndSession, "query-end-session") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    DWORD_PTR answer = 0;
    ok(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, kMessageBound,
                           &answer) != 0,
       "WM_QUERYENDSESSION: no answer within %lu ms", kMessageBound);
    ok(answer == TRUE, "WM_QUERYENDSESSION: got %lu, expected TRUE",
       static_cast<unsigned long>(answer));
    ok(IsWindow(window) && program.Running(), "the program ended on WM_QUERYENDSESSION");
    CloseProgram(program, window);
}
