#include "window.h"

#include <cstdio>

#include "text.h"

namespace e2e {

bool ReadText(HWND window, std::wstring* text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageBound,
                             &length))
        return false;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kMessageBound, &copied))
        return false;
    text->assign(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
    return true;
}

std::wstring StoredText(HWND window) {
    wchar_t buffer[512] = L"";
    const int length = GetWindowTextW(window, buffer, 512);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring ClassNameOf(HWND window) {
    wchar_t buffer[256] = L"";
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }
LONG ExStyleOf(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

namespace {

GUITHREADINFO ThreadInfoOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

}  // namespace

HWND FocusOf(HWND window) { return ThreadInfoOf(window).hwndFocus; }
HWND ActiveOf(HWND window) { return ThreadInfoOf(window).hwndActive; }

HICON IconOf(HWND window, WPARAM which) {
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutW(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, kMessageBound, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

namespace {

BOOL CALLBACK NoteUnpainted(HWND child, LPARAM pending) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(pending) = true;
    return FALSE;
}

}  // namespace

bool WaitUntilPainted(HWND window, DWORD bound) {
    return WaitFor(bound, [&] {
        // A round trip through the window's thread first: it has then created what it was
        // going to create and queued what it has to paint.
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageBound, &ignored))
            return false;
        if (GetUpdateRect(window, nullptr, FALSE)) return false;
        bool pending = false;
        EnumChildWindows(window, NoteUnpainted, reinterpret_cast<LPARAM>(&pending));
        return !pending;
    });
}

namespace {

std::string DescribeOne(HWND window) {
    std::wstring text;
    const bool answered = ReadText(window, &text);
    char line[512];
    std::snprintf(
        line, sizeof line, "class %s text %s rect %s client %s style %08lx exstyle %08lx id %ld %s",
        Quoted(ClassNameOf(window)).c_str(), answered ? Quoted(text).c_str() : "(no answer)",
        Describe(WindowRectOf(window)).c_str(), Describe(ClientRectOf(window)).c_str(),
        static_cast<unsigned long>(StyleOf(window)), static_cast<unsigned long>(ExStyleOf(window)),
        static_cast<long>(GetWindowLongPtrW(window, GWLP_ID)),
        IsWindowVisible(window) ? "visible" : "hidden");
    return line;
}

BOOL CALLBACK AddDescription(HWND child, LPARAM lines) {
    reinterpret_cast<std::vector<std::string>*>(lines)->push_back(DescribeOne(child));
    return TRUE;
}

}  // namespace

std::vector<std::string> DescribeTree(HWND window) {
    std::vector<std::string> lines{DescribeOne(window)};
    EnumChildWindows(window, AddDescription, reinterpret_cast<LPARAM>(&lines));
    return lines;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

bool CaptureScreen(const RECT& area, Capture* capture) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, previous);
    }
    if (copied) {
        capture->width = width;
        capture->height = height;
        capture->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        const auto* source = static_cast<const DWORD*>(bits);
        // The DIB holds 0x00RRGGBB; COLORREF is 0x00BBGGRR.
        for (size_t i = 0; i < capture->pixels.size(); ++i)
            capture->pixels[i] =
                ((source[i] >> 16) & 0xFF) | (source[i] & 0xFF00) | ((source[i] & 0xFF) << 16);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied;
}

}  // namespace e2e
