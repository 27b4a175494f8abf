#include "controls.h"

#include <vector>

#include "input.h"
#include "text.h"
#include "window.h"

namespace e2e {

HWND StartedWindow(const Program& program) {
    if (!program.Started()) return nullptr;
    HWND window = program.WaitForMainWindow();
    ok(window != nullptr,
       "no visible window titled %s of process %lu within %lu ms%s; its windows: %s",
       Quoted(kTitle).c_str(), program.ProcessId(), kWindowBound,
       program.Running() ? "" : " (the process has ended)",
       DescribeTopLevelWindows(program.ProcessId()).c_str());
    return window;
}

void ExpectCleanExit(const Program& program, HWND window, const char* how) {
    DWORD exitCode = 0;
    if (!ok(program.WaitForExit(&exitCode), "%s: process %lu still runs after %lu ms; %s", how,
            program.ProcessId(), kExitBound, DescribeInputState(window).c_str()))
        return;
    ok(exitCode == 0, "%s: got exit code %ld, expected 0", how, static_cast<long>(exitCode));
}

HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

const char* NameOf(HWND window, HWND control) {
    struct Named {
        int id;
        const char* name;
    } static const kNames[] = {{kLinkId, "超级链接框1"}, {kStartId, "按钮2"},
                               {kCancelId, "按钮1"},     {kLabelId, "标签1"},
                               {kFieldId, "编辑框1"},    {kTimerHostId, "时钟1"}};
    if (control == window) return "the main window";
    if (!control) return "nothing";
    for (const Named& n : kNames)
        if (Control(window, n.id) == control) return n.name;
    return "another window";
}

std::wstring TextOf(HWND control) {
    std::wstring text;
    if (!ReadText(control, &text)) return L"<no answer>";
    return text;
}

bool SetText(HWND control, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kMessageBound, &result) != 0;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageBound, &result);
    return static_cast<LRESULT>(result);
}

bool ExpectFocus(HWND window, int id, const char* after) {
    HWND expected = Control(window, id);
    bool reached = WaitFor(kInputBound, [&] { return FocusOf(window) == expected; });
    return ok(reached, "after %s: focus on %s, expected %s", after, NameOf(window, FocusOf(window)),
              NameOf(window, expected));
}

bool TypeCharacter(wchar_t character) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = character;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

bool MovePointer(POINT point) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &input, sizeof input) != 1) return false;
    return WaitFor(kInputBound, [&] {
        POINT at;
        return GetCursorPos(&at) && at.x == point.x && at.y == point.y;
    });
}

bool ClickAt(POINT point) {
    if (!MovePointer(point)) return false;
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

POINT CentreOf(HWND window) {
    RECT rect = WindowRectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

namespace {

struct NoticeSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindNoticeOf(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<NoticeSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && IsWindowVisible(window) && ClassNameOf(window) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindNoticeBox(DWORD pid) {
    NoticeSearch search = {pid, nullptr};
    EnumWindows(FindNoticeOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring NoticeText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassNameOf(child).c_str(), L"Static") != 0) continue;
        std::wstring text = TextOf(child);
        if (!text.empty()) return text;
    }
    return L"";
}

HWND ExpectNotice(DWORD pid, const std::wstring& text, const char* after) {
    HWND box = nullptr;
    WaitFor(kWindowBound, [&] { return (box = FindNoticeBox(pid)) != nullptr; });
    if (!ok(box != nullptr, "after %s: no notice box within %lu ms, expected %s", after,
            kWindowBound, Quoted(text).c_str()))
        return nullptr;
    const std::wstring caption = TextOf(box), message = NoticeText(box);
    ok(caption == L"信息：", "after %s: got the caption %s, expected \"信息：\"", after,
       Quoted(caption).c_str());
    ok(message == text, "after %s: got the notice %s, expected %s", after, Quoted(message).c_str(),
       Quoted(text).c_str());
    ok(GetWindow(box, GW_OWNER) == nullptr, "after %s: the notice has an owner window", after);
    return box;
}

bool DismissNotice(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return ok(WaitFor(kWindowBound, [&] { return !IsWindow(box); }),
              "the notice box did not close within %lu ms", kWindowBound);
}

void CloseProgram(const Program& program, HWND window) {
    ok(PostClose(window), "PostMessageW(WM_CLOSE) failed: error %lu", GetLastError());
    ExpectCleanExit(program, window, "after WM_CLOSE");
}

}  // namespace e2e
