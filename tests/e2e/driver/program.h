// Starting the program under test, finding its main window and seeing it end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e.h"

namespace e2e {

// The main window's title; two instances may show it at once, so a window is matched by its
// title and by the process that owns it.
extern const wchar_t kTitle[];

// One started process of the program. It is ended (and reported) if a case leaves it running.
class Program {
public:
    // Starts ProgramPath() with the given command-line arguments; check Started().
    explicit Program(const std::wstring& arguments = std::wstring());
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }

    // Waits until the process shows a visible top-level window titled kTitle; null on timeout.
    HWND WaitForMainWindow(DWORD bound = kWindowBound) const;

    bool Running() const;

    // Waits until the process has ended; false when it still runs after bound milliseconds.
    bool WaitForExit(DWORD* exitCode, DWORD bound = kExitBound) const;

private:
    PROCESS_INFORMATION info_{};
};

// The visible top-level window titled kTitle that belongs to process pid, or null.
HWND FindMainWindow(DWORD pid);

// Every visible top-level window titled kTitle, of any process.
std::vector<HWND> FindAllMainWindows();

// The process's top-level windows, e.g. "[00010050 \"TimedShutdownMain\" \"定时关机\" visible]",
// for a failure that did not find the window it waited for.
std::string DescribeTopLevelWindows(DWORD pid);

DWORD ProcessOf(HWND window);
DWORD ThreadOf(HWND window);

// Asks the window to close, as the close box would.
bool PostClose(HWND window);

// Ends every process this driver started that still runs; called after each case.
void KillLeftoverPrograms();

}  // namespace e2e
