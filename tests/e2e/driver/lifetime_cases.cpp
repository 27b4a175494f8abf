// The program's start and life: the main window it shows, how it is built and placed, and
// how the process ends.
#include <cstdio>

#include "controls.h"
#include "e2e.h"
#include "input.h"
#include "inside.h"
#include "program.h"
#include "text.h"
#include "window.h"

using namespace e2e;

namespace {

bool Has(LONG style, LONG bits) { return (style & bits) == bits; }

}  // namespace

E2E_CASE(Title, "title") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    std::wstring text;
    if (ok(ReadText(window, &text), "WM_GETTEXT: no answer within %lu ms", kMessageBound))
        ok(text == kTitle, "WM_GETTEXT: got %s, expected %s", Quoted(text).c_str(),
           Quoted(kTitle).c_str());
    const std::wstring stored = StoredText(window);
    ok(stored == kTitle, "GetWindowTextW: got %s, expected %s", Quoted(stored).c_str(),
       Quoted(kTitle).c_str());
    CloseProgram(program, window);
}

// The window is centred with integer division, and is not moved back onto a screen that is
// narrower than the window.
E2E_CASE(Geometry, "geometry") {
    struct Placement {
        const char* screen;
        int screenWidth, screenHeight;
        POINT position;
        bool fullSize;  // false where Windows itself keeps the window within the screen's size
    };
    static const Placement kPlacements[] = {
        {"1024x768", 1024, 768, {322, 328}, true},
        {"800x600", 800, 600, {210, 244}, true},
        {"320x240, narrower than the window", 320, 240, {-30, 64}, false},
    };
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const Placement* placement = nullptr;
    for (const Placement& row : kPlacements)
        if (row.screenWidth == width && row.screenHeight == height) placement = &row;
    if (!ok(placement != nullptr, "no expected placement for a %dx%d screen", width, height))
        return;

    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    const RECT rect = WindowRectOf(window);
    ok(rect.left == placement->position.x && rect.top == placement->position.y,
       "%s screen: got the window at (%ld,%ld), expected (%ld,%ld); window rect %s",
       placement->screen, rect.left, rect.top, placement->position.x, placement->position.y,
       Describe(rect).c_str());
    if (placement->fullSize)
        ok(rect.right - rect.left == 380 && rect.bottom - rect.top == 111,
           "%s screen: got an outer size of %ldx%ld, expected 380x111", placement->screen,
           rect.right - rect.left, rect.bottom - rect.top);
    CloseProgram(program, window);
}

E2E_CASE(Styles, "styles") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;

    struct StyleBit {
        const char* name;
        LONG bits;
        bool present;
    };
    static const StyleBit kStyleBits[] = {
        {"WS_CAPTION", WS_CAPTION, true},
        {"WS_SYSMENU", WS_SYSMENU, true},
        {"WS_MINIMIZEBOX", WS_MINIMIZEBOX, true},
        {"WS_CLIPCHILDREN", WS_CLIPCHILDREN, true},
        {"WS_VISIBLE", WS_VISIBLE, true},
        {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX, false},
        {"WS_THICKFRAME", WS_THICKFRAME, false},
        {"WS_POPUP", static_cast<LONG>(WS_POPUP), false},
        {"WS_CHILD", WS_CHILD, false},
        {"WS_DISABLED", WS_DISABLED, false},
        {"WS_MINIMIZE", WS_MINIMIZE, false},
        {"WS_MAXIMIZE", WS_MAXIMIZE, false},
    };
    const LONG style = StyleOf(window);
    for (const StyleBit& bit : kStyleBits)
        ok(bit.present ? Has(style, bit.bits) : (style & bit.bits) == 0,
           "style %08lx: got %s %s, expected %s", static_cast<unsigned long>(style),
           Has(style, bit.bits) ? "with" : "without", bit.name,
           bit.present ? "with it" : "without it");

    // The system adds extended bits of its own to a captioned window (WS_EX_WINDOWEDGE); a
    // window of ours with the same style and no extended style shows which.
    const LONG exStyle = ExStyleOf(window);
    WNDCLASSW referenceClass{};
    referenceClass.lpfnWndProc = DefWindowProcW;
    referenceClass.hInstance = GetModuleHandleW(nullptr);
    referenceClass.lpszClassName = L"E2EReferenceWindow";
    RegisterClassW(&referenceClass);
    HWND reference = CreateWindowExW(0, referenceClass.lpszClassName, L"",
                                     static_cast<DWORD>(style & ~WS_VISIBLE), 0, 0, 380, 111,
                                     nullptr, nullptr, referenceClass.hInstance, nullptr);
    if (ok(reference != nullptr, "reference window: CreateWindowExW failed, error %lu",
           GetLastError())) {
        const LONG expected = ExStyleOf(reference);
        ok(exStyle == expected,
           "extended style: got %08lx, expected %08lx (no extended style of its own)",
           static_cast<unsigned long>(exStyle), static_cast<unsigned long>(expected));
        DestroyWindow(reference);
    }
    static const StyleBit kAbsentExStyleBits[] = {
        {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW, false},
        {"WS_EX_APPWINDOW", WS_EX_APPWINDOW, false},
        {"WS_EX_TOPMOST", WS_EX_TOPMOST, false},
    };
    for (const StyleBit& bit : kAbsentExStyleBits)
        ok((exStyle & bit.bits) == 0, "extended style %08lx: got with %s, expected without it",
           static_cast<unsigned long>(exStyle), bit.name);

    const DWORD classStyle = GetClassLongW(window, GCL_STYLE);
    const DWORD expectedClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    ok(classStyle == expectedClassStyle,
       "class style: got %08lx, expected %08lx (CS_HREDRAW|CS_VREDRAW|CS_DBLCLKS)", classStyle,
       expectedClassStyle);
    CloseProgram(program, window);
}

// A hidden tool window of the same process owns the main window: that is what keeps the main
// window off the taskbar.
E2E_CASE(Owner, "owner") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    HWND owner = GetWindow(window, GW_OWNER);
    if (!ok(owner != nullptr, "GW_OWNER: got no owner, expected the hidden owner window")) return;
    ok(!IsWindowVisible(owner), "owner %p: got visible, expected hidden",
       static_cast<void*>(owner));
    ok((ExStyleOf(owner) & WS_EX_TOOLWINDOW) != 0,
       "owner extended style: got %08lx, expected WS_EX_TOOLWINDOW",
       static_cast<unsigned long>(ExStyleOf(owner)));
    ok(ProcessOf(owner) == program.ProcessId(), "owner's process: got %lu, expected %lu",
       ProcessOf(owner), program.ProcessId());
    ok(GetWindow(owner, GW_OWNER) == nullptr, "the owner has an owner itself: %p",
       static_cast<void*>(GetWindow(owner, GW_OWNER)));
    const std::wstring ownerText = StoredText(owner);
    ok(ownerText.empty(), "owner text: got %s, expected \"\"", Quoted(ownerText).c_str());
    CloseProgram(program, window);
}

// Arguments are ignored: the window built with them equals the one built without, control
// by control.
E2E_CASE(Arguments, "arguments") {
    static const wchar_t kArguments[] = L"/s 5 --foo";
    std::vector<std::string> plain, withArguments;
    {
        Program program;
        HWND window = StartedWindow(program);
        if (!window) return;
        plain = DescribeTree(window);
        CloseProgram(program, window);
    }
    {
        Program program(kArguments);
        HWND window = StartedWindow(program);
        if (!window) return;
        withArguments = DescribeTree(window);
        std::wstring text;
        ReadText(window, &text);
        ok(text == kTitle, "title with arguments %s: got %s, expected %s",
           Quoted(kArguments).c_str(), Quoted(text).c_str(), Quoted(kTitle).c_str());
        CloseProgram(program, window);
    }
    ok(withArguments.size() == plain.size(), "with arguments %s: got %zu windows, expected %zu",
       Quoted(kArguments).c_str(), withArguments.size(), plain.size());
    for (size_t i = 0; i < plain.size() && i < withArguments.size(); ++i)
        ok(withArguments[i] == plain[i], "window %zu with arguments: got %s, expected %s", i,
           withArguments[i].c_str(), plain[i].c_str());
}

E2E_CASE(Close, "close") {
    struct CloseWay {
        const char* name;
        bool (*close)(HWND window);
    };
    static const CloseWay kCloseWays[] = {
        {"WM_CLOSE posted", PostClose},
        {"Alt+F4",
         [](HWND window) {
             return ok(BringToForeground(window),
                       "Alt+F4: the window is not foreground within %lu ms", kInputBound) &&
                    ok(PressKey(VK_F4, kAlt), "Alt+F4: SendInput failed, error %lu",
                       GetLastError());
         }},
        {"Close on the system menu",
         [](HWND window) {
             return ok(PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) != 0,
                       "PostMessageW(WM_SYSCOMMAND, SC_CLOSE) failed: error %lu", GetLastError());
         }},
    };
    for (const CloseWay& way : kCloseWays) {
        Program program;
        HWND window = StartedWindow(program);
        if (!window) return;
        if (way.close(window)) ExpectCleanExit(program, window, way.name);
    }
}

// Each start is an independent process with its own window; neither knows of the other.
E2E_CASE(TwoInstances, "two-instances") {
    Program first, second;
    HWND firstWindow = StartedWindow(first);
    HWND secondWindow = StartedWindow(second);
    if (!firstWindow || !secondWindow) return;
    ok(firstWindow != secondWindow, "both processes show the same window %p",
       static_cast<void*>(firstWindow));
    ok(first.ProcessId() != second.ProcessId(), "both starts run in process %lu",
       first.ProcessId());
    const size_t shown = FindAllMainWindows().size();
    ok(shown == 2, "windows titled %s: got %zu, expected 2", Quoted(kTitle).c_str(), shown);

    ok(PostClose(firstWindow), "PostMessageW(WM_CLOSE) to the first window failed: error %lu",
       GetLastError());
    ExpectCleanExit(first, firstWindow, "first instance after WM_CLOSE");
    ok(second.Running(), "second instance: got ended with the first, expected still running");
    ok(IsWindowVisible(secondWindow),
       "second window: got hidden or gone after the first closed, expected visible");
    std::wstring text;
    ok(ReadText(secondWindow, &text) && text == kTitle,
       "second window after the first closed: got text %s, expected %s from a window that still "
       "answers",
       Quoted(text).c_str(), Quoted(kTitle).c_str());
    CloseProgram(second, secondWindow);
}

// The window shows the program's icon at both sizes, sent to it with WM_SETICON; its class
// has no icon of its own.
E2E_CASE(Icons, "icons") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    probe::Answer answer{};
    if (ok(AskInside(window, probe::kIcons, &answer),
           "no answer from inside the program's process")) {
        static const struct {
            const char* name;
            probe::IconFacts probe::Answer::*facts;
            bool present;
            LONG size;
        } kIcons[] = {
            {"WM_GETICON ICON_BIG", &probe::Answer::bigIcon, true, 32},
            {"WM_GETICON ICON_SMALL", &probe::Answer::smallIcon, true, 16},
            {"class icon", &probe::Answer::classIcon, false, 0},
        };
        for (const auto& icon : kIcons) {
            const probe::IconFacts& facts = answer.*icon.facts;
            if (!icon.present) {
                ok(!facts.present, "%s: got an icon of %ldx%ld, expected none", icon.name,
                   facts.width, facts.height);
            } else if (ok(facts.present, "%s: got no icon, expected the program's icon",
                          icon.name)) {
                ok(facts.width == icon.size && facts.height == icon.size,
                   "%s: got %ldx%ld, expected %ldx%ld", icon.name, facts.width, facts.height,
                   icon.size, icon.size);
            }
        }
    }
    CloseProgram(program, window);
}

// The program computes in the default floating-point environment: rounding to nearest, every
// exception masked, extended (64-bit) precision.
E2E_CASE(FloatingPoint, "floating-point") {
    Program program;
    HWND window = StartedWindow(program);
    if (!window) return;
    probe::Answer answer{};
    if (ok(AskInside(window, probe::kFloatingPoint, &answer), "the probe did not answer")) {
        const unsigned word = static_cast<unsigned>(answer.x87ControlWord) & 0x0F3F;
        ok(word == 0x033F,
           "got the x87 control word %#06x (precision, rounding and masks), "
           "expected 0x033f",
           word);
    }
    PostClose(window);
    DWORD code = 1;
    program.WaitForExit(&code);
}

// When the main window cannot be built (here its minutes field is refused by a hook), the
// user sees one error box, and the process ends with exit code -1 without showing a window.
E2E_CASE(FailedStart, "failed-start") {
    HMODULE dll = LoadLibraryW(BesideDriver(probe::kDllName).c_str());
    auto* refuse = dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                             GetProcAddress(dll, probe::kRefuseFieldHookName)))
                       : nullptr;
    if (!ok(refuse != nullptr, "the probe's hook could not be loaded: error %lu", GetLastError()))
        return;
    HHOOK hook = SetWindowsHookExW(WH_CBT, refuse, dll, 0);
    if (!ok(hook != nullptr, "SetWindowsHookExW(WH_CBT): error %lu", GetLastError())) return;

    Program program;
    HWND box = nullptr;
    WaitFor(kWindowBound, [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
             w = FindWindowExW(nullptr, w, L"#32770", nullptr))
            if (ProcessOf(w) == program.ProcessId() && IsWindowVisible(w)) box = w;
        return box != nullptr;
    });
    UnhookWindowsHookEx(hook);
    if (ok(box != nullptr, "no error box within %lu ms", kWindowBound)) {
        std::wstring caption, message;
        ReadText(box, &caption);
        bool hasIcon = false;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            std::wstring text;
            if (_wcsicmp(ClassNameOf(child).c_str(), L"Static") != 0) continue;
            if ((StyleOf(child) & SS_TYPEMASK) == SS_ICON)
                hasIcon = true;
            else if (ReadText(child, &text) && !text.empty())
                message = text;
        }
        const std::wstring expected = L"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n";
        ok(caption == L"错误", "got the caption %s, expected \"错误\"", Quoted(caption).c_str());
        ok(message == expected, "got the message %s, expected %s", Quoted(message).c_str(),
           Quoted(expected).c_str());
        ok(hasIcon, "the error box shows no icon");
        ok(GetWindow(box, GW_OWNER) == nullptr, "the error box has an owner window");
        ok(FindMainWindow(program.ProcessId()) == nullptr,
           "a main window is visible beside the error box");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    DWORD exitCode = 0;
    if (ok(program.WaitForExit(&exitCode), "still running %lu ms after the error box", kExitBound))
        ok(exitCode == 0xFFFFFFFFu, "got exit code %ld, expected -1", static_cast<long>(exitCode));
    FreeLibrary(dll);
}
