#include "program.h"

#include <cstdio>

#include "text.h"

namespace e2e {

const wchar_t kTitle[] = L"定时关机";

namespace {

// Process ids of every start, so that nothing a case started outlives the driver.
std::vector<DWORD>& StartedProcesses() {
    static std::vector<DWORD> pids;
    return pids;
}

}  // namespace

Program::Program(const std::wstring& arguments) {
    // CreateProcessW may write into the command line, so it gets its own buffer.
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(ProgramPath().c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
        const DWORD error = GetLastError();
        info_ = PROCESS_INFORMATION{};
        ok(false, "CreateProcessW(%s): error %lu", Quoted(commandLine).c_str(), error);
        return;
    }
    StartedProcesses().push_back(info_.dwProcessId);
}

Program::~Program() {
    if (!Started()) return;
    if (Running()) {
        trace("process %lu still runs at the end of the case; ending it", info_.dwProcessId);
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kExitBound);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND Program::WaitForMainWindow(DWORD bound) const {
    if (!Started()) return nullptr;
    HWND window = nullptr;
    WaitFor(bound, [&] {
        window = FindMainWindow(info_.dwProcessId);
        return window != nullptr || !Running();
    });
    return window;
}

bool Program::Running() const {
    return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD* exitCode, DWORD bound) const {
    if (!Started() || WaitForSingleObject(info_.hProcess, bound) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

HWND FindMainWindow(DWORD pid) {
    for (HWND window : FindAllMainWindows())
        if (ProcessOf(window) == pid) return window;
    return nullptr;
}

std::vector<HWND> FindAllMainWindows() {
    std::vector<HWND> windows;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, kTitle)) != nullptr)
        if (IsWindowVisible(window)) windows.push_back(window);
    return windows;
}

namespace {

struct WindowList {
    DWORD pid;
    std::string text;
};

BOOL CALLBACK AddTopLevelWindow(HWND window, LPARAM list) {
    auto* windows = reinterpret_cast<WindowList*>(list);
    if (ProcessOf(window) != windows->pid) return TRUE;
    wchar_t className[128] = L"", text[128] = L"";
    GetClassNameW(window, className, 128);
    GetWindowTextW(window, text, 128);
    char line[512];
    std::snprintf(line, sizeof line, "%s[%p %s %s %s]", windows->text.empty() ? "" : " ",
                  static_cast<void*>(window), Quoted(className).c_str(), Quoted(text).c_str(),
                  IsWindowVisible(window) ? "visible" : "hidden");
    windows->text += line;
    return TRUE;
}

}  // namespace

std::string DescribeTopLevelWindows(DWORD pid) {
    WindowList windows{pid, std::string()};
    EnumWindows(AddTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.text.empty() ? "none" : windows.text;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

DWORD ThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

bool PostClose(HWND window) { return PostMessageW(window, WM_CLOSE, 0, 0) != FALSE; }

void KillLeftoverPrograms() {
    for (DWORD pid : StartedProcesses()) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) continue;
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            trace("process %lu still runs after the case; ending it", pid);
            TerminateProcess(process, 1);
            WaitForSingleObject(process, kExitBound);
        }
        CloseHandle(process);
    }
    StartedProcesses().clear();
}

}  // namespace e2e
