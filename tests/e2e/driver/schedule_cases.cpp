// Arming and cancelling the shutdown with the two buttons, the notices, and the forced
// shutdown request at the timer's tick, checked through the program's calls in the relay log.
#include <cstdio>
#include <string>
#include <vector>

#include "controls.h"
#include "e2e.h"
#include "input.h"
#include "program.h"
#include "relay.h"
#include "text.h"
#include "window.h"

using namespace e2e;

namespace {

unsigned long Handle(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

std::string Listed(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += (text.empty() ? "" : "; ") + call;
    return text.empty() ? "none" : text;
}

// Expects exactly these calls of the function so far.
void ExpectCalls(const char* function, const std::vector<std::string>& expected,
                 const char* after) {
    const std::vector<std::string> got = RelayCalls(function);
    ok(got == expected, "after %s: got %s calls %s, expected %s", after, function,
       Listed(got).c_str(), Listed(expected).c_str());
}

// A click of the button with the real mouse: the button takes the focus first.
bool ClickButton(HWND window, int id) {
    return ok(ClickAt(CentreOf(Control(window, id))), "clicking %s: SendInput failed",
              NameOf(window, Control(window, id)));
}

// A click reported without moving the focus, so that the field keeps its text as it is.
void ClickWithoutFocus(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(window, id)));
}

bool PressAndDismiss(const Program& program, HWND window, int id, const wchar_t* notice,
                     const char* what) {
    if (!ClickButton(window, id)) return false;
    HWND box = ExpectNotice(program.ProcessId(), notice, what);
    if (!box) return false;
    ok(!IsWindowEnabled(window), "after %s: the main window is enabled under the notice", what);
    return DismissNotice(box);
}

}  // namespace

// 30 minutes arm one timer of 1800000 ms on the timer's host; pressing 定时开始 again with the
// same minutes leaves it alone; 取消 stops it, and 取消 while idle only shows its notice.
E2E_CASE(ArmAndCancel, "arm-and-cancel") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    HWND field = Control(window, kFieldId);
    if (!ExpectFocus(window, kFieldId, "start")) return;
    Ask(field, EM_SETSEL, 0, -1);
    TypeCharacter(L'3');
    TypeCharacter(L'0');
    ok(WaitFor(kInputBound, [&] { return TextOf(field) == L"30"; }), "typing 30: got %s",
       Quoted(TextOf(field)).c_str());

    const std::string host = RelayArguments({Handle(Control(window, kTimerHostId))});
    const std::string armed = host + ",000003e8,001b7740,00000000";
    const std::string stopped = host + ",000003e8";

    if (!PressAndDismiss(program, window, kStartId, L"设定成功啦！", "定时开始 with 30")) return;
    ExpectCalls("user32.SetTimer", {armed}, "定时开始 with 30");
    ExpectCalls("user32.KillTimer", {}, "定时开始 with 30");

    if (!PressAndDismiss(program, window, kStartId, L"设定成功啦！", "定时开始 with 30 again"))
        return;
    ExpectCalls("user32.SetTimer", {armed}, "定时开始 with 30 again");
    ExpectCalls("user32.KillTimer", {}, "定时开始 with 30 again");

    if (!PressAndDismiss(program, window, kCancelId, L"取消成功啦！", "取消")) return;
    ExpectCalls("user32.KillTimer", {stopped}, "取消");

    if (!PressAndDismiss(program, window, kCancelId, L"取消成功啦！", "取消 while idle")) return;
    ExpectCalls("user32.KillTimer", {stopped}, "取消 while idle");
    ExpectCalls("user32.SetTimer", {armed}, "取消 while idle");
    ExpectCalls("user32.ExitWindowsEx", {}, "取消 while idle");
    CloseProgram(program, window);
}

// Enter on a focused button raises nothing; Space raises its click.
E2E_CASE(EnterAndSpace, "enter-and-space") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window || !ok(BringToForeground(window), "the window is not foreground")) return;
    PressKey(VK_TAB);
    if (!ExpectFocus(window, kCancelId, "Tab")) return;
    PressKey(VK_RETURN);
    // The Tab after Enter shows that Enter has been handled before the box is looked for.
    PressKey(VK_TAB);
    ExpectFocus(window, kStartId, "Enter and Tab");
    ok(FindNoticeBox(program.ProcessId()) == nullptr, "Enter on 按钮1 showed a notice");
    PressKey(VK_TAB, kShift);
    ExpectFocus(window, kCancelId, "Shift+Tab");
    PressKey(VK_SPACE);
    if (HWND box = ExpectNotice(program.ProcessId(), L"取消成功啦！", "Space on 按钮1"))
        DismissNotice(box);
    CloseProgram(program, window);
}

// A raw text reaches the period rule as it is when the click does not move the focus: 0.05
// minutes arm a 3000 ms timer, whose tick asks for the forced power-off while the notice is
// still open. The shutdown ends the Wine session; the runner checks the log.
E2E_CASE(TickShutsDown, "tick-shuts-down") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    HWND field = Control(window, kFieldId);
    const wchar_t* minutes = CaseArguments().empty() ? L"0.05" : CaseArguments()[0].c_str();
    SetText(field, minutes);
    ClickWithoutFocus(window, kStartId);
    ExpectNotice(program.ProcessId(), L"设定成功啦！", "定时开始");
    const std::string host = RelayArguments({Handle(Control(window, kTimerHostId))});
    ExpectCalls("user32.SetTimer", {host + ",000003e8,00000bb8,00000000"}, "定时开始");
    trace("armed with %s; waiting for the tick to end the session", Quoted(minutes).c_str());
    // The shutdown request ends this driver too; if it does not come, the case fails here.
    WaitFor(20000, [] { return false; });
    ok(false,
       "the session did not end within 20 s of arming a 3 s shutdown; ExitWindowsEx calls: %s",
       Listed(RelayCalls("user32.ExitWindowsEx")).c_str());
}

// Closing the window while armed ends the process with 0, and no shutdown request follows.
E2E_CASE(CloseWhileArmed, "close-while-armed") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    SetText(Control(window, kFieldId), L"0.1");  // 6 seconds
    ClickWithoutFocus(window, kStartId);
    HWND box = ExpectNotice(program.ProcessId(), L"设定成功啦！", "定时开始");
    if (!box || !DismissNotice(box)) return;
    ok(RelayCalls("user32.SetTimer").size() == 1, "got SetTimer calls %s, expected one",
       Listed(RelayCalls("user32.SetTimer")).c_str());
    // The process has ended with its window, so nothing is left to ask for a shutdown; the
    // runner checks the whole log once the session is over.
    CloseProgram(program, window);
    ExpectCalls("user32.ExitWindowsEx", {}, "closing while armed");
}
