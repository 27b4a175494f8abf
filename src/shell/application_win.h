// The life of the process: start-up, the message loop and the orderly end.
#pragma once

#include <windows.h>

namespace ts {

struct Application {
    bool oleInitialized = false;
    HWND hiddenOwner = nullptr;  // never shown; owns the main window so it has no taskbar button
    HWND mainWindow = nullptr;   // while it exists
    bool loopRunning = false;
    void (*exitRoutine)() = nullptr;
    WPARAM quitCode = 0;  // the wParam of the WM_QUIT that ended the loop
};

// The exit code of a start whose main window could not be created.
constexpr int kFailedStartExitCode = -1;

// The whole start-up and the loop: 0 once the loop has ended, kFailedStartExitCode after a
// failed start (its error box already shown).
int ProgramMain();
void InitializeApplication();
void StartupRoutine();
void SetExitRoutine(void (*routine)());
void ExitRoutine();
void OnMainWindowCreated();
bool LoadStartupWindow();
void RunMessageLoop();
void QuitIfLastWindow();
int EndProgram();

}  // namespace ts
