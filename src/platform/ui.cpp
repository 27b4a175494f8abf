#include "platform/ui.h"

#include <vector>

namespace ts::ui {
namespace {

bool wide = false;  // until ChooseRoad has run

// The wide-character calls are looked up rather than imported, so that the program file also
// loads where user32 lacks them; the NT family has them all.
#define TS_WIDE_CALLS(X)    \
    X(RegisterClassW)       \
    X(CreateWindowExW)      \
    X(DefWindowProcW)       \
    X(SetWindowLongW)       \
    X(GetWindowLongW)       \
    X(CallWindowProcW)      \
    X(GetWindowTextLengthW) \
    X(GetWindowTextW)       \
    X(SetWindowTextW)       \
    X(MessageBoxW)          \
    X(DrawTextW)            \
    X(GetMessageW)          \
    X(PeekMessageW)         \
    X(DispatchMessageW)     \
    X(SendMessageW)

struct WideCalls {
#define TS_DECLARE(name) decltype(&::name) name = nullptr;
    TS_WIDE_CALLS(TS_DECLARE)
#undef TS_DECLARE
};

WideCalls calls;

bool LoadWideCalls() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return false;
    bool all = true;
#define TS_LOAD(name)                                            \
    calls.name = reinterpret_cast<decltype(&::name)>(            \
        reinterpret_cast<void*>(GetProcAddress(user32, #name))); \
    all = all && calls.name != nullptr;
    TS_WIDE_CALLS(TS_LOAD)
#undef TS_LOAD
    return all;
}

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// Text in the system code page, for the ANSI calls.
std::string ToAnsi(const char16_t* text) {
    if (!text || !*text) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, W(text), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, W(text), -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

std::u16string FromAnsi(const std::string& text) {
    if (text.empty()) return {};
    int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return {};
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(&result[0]), size);
    return result;
}

std::string GetWindowTextBytes(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    int got = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

}  // namespace

void ChooseRoad() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    wide = info.dwPlatformId == VER_PLATFORM_WIN32_NT && LoadWideCalls();
}

bool RegisterWindowClass(const WindowClass& c) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (wide) {
        WNDCLASSW w = {};
        w.style = c.style;
        w.lpfnWndProc = c.procedure;
        w.hInstance = instance;
        w.hCursor = c.cursor;
        w.hbrBackground = c.background;
        w.lpszClassName = W(c.name);
        return calls.RegisterClassW(&w) != 0;
    }
    std::string name = ToAnsi(c.name);
    WNDCLASSA a = {};
    a.style = c.style;
    a.lpfnWndProc = c.procedure;
    a.hInstance = instance;
    a.hCursor = c.cursor;
    a.hbrBackground = c.background;
    a.lpszClassName = name.c_str();
    return RegisterClassA(&a) != 0;
}

HWND CreateWin(DWORD exStyle, const char16_t* className, const char16_t* text, DWORD style, int x,
               int y, int width, int height, HWND parent, HMENU menuOrId, void* param) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (wide) {
        return calls.CreateWindowExW(exStyle, W(className), W(text), style, x, y, width, height,
                                     parent, menuOrId, instance, param);
    }
    return CreateWindowExA(exStyle, ToAnsi(className).c_str(), ToAnsi(text).c_str(), style, x, y,
                           width, height, parent, menuOrId, instance, param);
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return wide ? calls.DefWindowProcW(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC SubclassWindow(HWND window, WNDPROC procedure) {
    LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(wide ? calls.SetWindowLongW(window, GWLP_WNDPROC, value)
                                          : SetWindowLongA(window, GWLP_WNDPROC, value));
}

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return wide ? calls.CallWindowProcW(previous, window, message, wParam, lParam)
                : CallWindowProcA(previous, window, message, wParam, lParam);
}

std::u16string WindowText(HWND window) {
    if (!wide) return FromAnsi(GetWindowTextBytes(window));
    int length = calls.GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    int got = calls.GetWindowTextW(window, reinterpret_cast<wchar_t*>(&text[0]), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

bool SetText(HWND window, const std::u16string& text) {
    return wide ? calls.SetWindowTextW(window, W(text.c_str())) != 0
                : SetWindowTextA(window, ToAnsi(text.c_str()).c_str()) != 0;
}

MinutesText ReadMinutesText(HWND field) {
    MinutesText text;
    text.wide = wide;
    if (wide) {
        text.chars = WindowText(field);
    } else {
        text.bytes = GetWindowTextBytes(field);
    }
    return text;
}

int ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
    return wide ? calls.MessageBoxW(owner, W(text), W(caption), type)
                : MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(caption).c_str(), type);
}

int DrawTextLine(HDC dc, const std::u16string& text, RECT* rect, UINT format) {
    if (wide)
        return calls.DrawTextW(dc, W(text.c_str()), static_cast<int>(text.size()), rect, format);
    std::string ansi = ToAnsi(text.c_str());
    return DrawTextA(dc, ansi.c_str(), static_cast<int>(ansi.size()), rect, format);
}

BOOL TakeMessage(MSG* message) {
    return wide ? calls.GetMessageW(message, nullptr, 0, 0) : GetMessageA(message, nullptr, 0, 0);
}

BOOL PeekQueue(MSG* message, UINT remove) {
    return wide ? calls.PeekMessageW(message, nullptr, 0, 0, remove)
                : PeekMessageA(message, nullptr, 0, 0, remove);
}

LRESULT Dispatch(const MSG* message) {
    return wide ? calls.DispatchMessageW(message) : DispatchMessageA(message);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return wide ? calls.SendMessageW(window, message, wParam, lParam)
                : SendMessageA(window, message, wParam, lParam);
}

LONG_PTR GetUserData(HWND window) {
    return wide ? calls.GetWindowLongW(window, GWLP_USERDATA)
                : GetWindowLongA(window, GWLP_USERDATA);
}

void SetUserData(HWND window, LONG_PTR value) {
    if (wide) {
        calls.SetWindowLongW(window, GWLP_USERDATA, value);
    } else {
        SetWindowLongA(window, GWLP_USERDATA, value);
    }
}

}  // namespace ts::ui
