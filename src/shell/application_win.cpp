#include "shell/application_win.h"

#include <float.h>
#include <ole2.h>

#include <cfenv>

#include "platform/ui.h"
#include "window/main_window_win.h"

namespace ts {
namespace {

constexpr char16_t kHiddenOwnerClass[] = u"TimedShutdownOwner";

Application app;
MainWindow* mainWindow = nullptr;

LRESULT CALLBACK HiddenOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ui::DefaultProcedure(window, message, wParam, lParam);
}

HWND CreateHiddenOwnerWindow() {
    if (!ui::RegisterWindowClass({kHiddenOwnerClass, 0, HiddenOwnerProcedure,
                                  LoadCursor(nullptr, IDC_ARROW),
                                  static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))})) {
        return nullptr;
    }
    return ui::CreateWin(WS_EX_TOOLWINDOW, kHiddenOwnerClass, u"", 0, 0, 0, 0, 0, nullptr, nullptr,
                         nullptr);
}

// The handlers compute the timer's period in this environment: rounding to nearest, every
// exception masked, extended precision. Windows' own default for the x87 unit is double
// precision (_PC_53), so the precision is set on its own.
void ResetFloatingPointEnvironment() {
    std::fesetenv(FE_DFL_ENV);
#if defined(__i386__) || defined(_M_IX86)
    _controlfp(_PC_64 | _RC_NEAR | _MCW_EM, _MCW_PC | _MCW_RC | _MCW_EM);
#endif
}

void OnFinalDestroyOfMainWindow(void*) {
    app.mainWindow = nullptr;
    QuitIfLastWindow();
}

// The main window looks at its keys first; what it does not consume is translated and
// dispatched as usual.
void Deliver(const MSG& message) {
    HWND main = app.mainWindow;
    bool forMainWindow =
        main && mainWindow && (message.hwnd == main || IsChild(main, message.hwnd));
    if (forMainWindow && mainWindow->PreviewMessage(message)) return;
    TranslateMessage(&message);
    ui::Dispatch(&message);
}

// Takes and dispatches what already waits in the queue, leaving a WM_QUIT where it is.
void DispatchWaitingMessages() {
    MSG message;
    while (ui::PeekQueue(&message, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!ui::PeekQueue(&message, PM_REMOVE)) break;
        Deliver(message);
    }
}

void ShowStartFailure() {
    ui::ShowMessageBox(nullptr, u"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", u"错误",
                       MB_OK | MB_ICONERROR);
}

}  // namespace

int ProgramMain() {
    InitializeApplication();
    ResetFloatingPointEnvironment();
    StartupRoutine();
    SetExitRoutine(ExitRoutine);
    if (!LoadStartupWindow()) {
        ShowStartFailure();
        return kFailedStartExitCode;
    }
    RunMessageLoop();
    return 0;
}

void InitializeApplication() {
    ui::ChooseRoad();
    if (!app.oleInitialized) {
        OleInitialize(nullptr);
        app.oleInitialized = true;
    }
    app.hiddenOwner = CreateHiddenOwnerWindow();
}

void StartupRoutine() {}

void SetExitRoutine(void (*routine)()) { app.exitRoutine = routine; }

void ExitRoutine() {}

void OnMainWindowCreated() {}

bool LoadStartupWindow() {
    DispatchWaitingMessages();

    static MainWindow window(MainWindowDescription(), app.hiddenOwner,
                             {OnFinalDestroyOfMainWindow, nullptr});
    window.created = {[](void*) { OnMainWindowCreated(); }, nullptr};
    mainWindow = &window;
    if (!window.CreateMainWindow()) {
        if (window.hwnd()) DestroyWindow(window.hwnd());
        return false;
    }
    app.mainWindow = window.hwnd();

    DispatchWaitingMessages();

    // The created event runs while the window is still invisible; a handler may close it.
    window.created.Raise();
    if (!IsWindow(window.hwnd())) return true;
    window.positionChanged.Raise();
    if (!IsWindow(window.hwnd())) return true;
    window.sizeChanged.Raise();
    if (!IsWindow(window.hwnd())) return true;

    // Showing activates the window, and the activation puts the focus in the minutes field.
    ShowWindow(window.hwnd(), SW_SHOW);
    return true;
}

void RunMessageLoop() {
    app.loopRunning = true;
    if (!app.mainWindow || !IsWindow(app.mainWindow)) return;
    MSG message;
    for (;;) {
        BOOL got = ui::TakeMessage(&message);
        if (got == 0) {
            app.quitCode = message.wParam;
            return;
        }
        if (got == -1) return;
        Deliver(message);
    }
}

void QuitIfLastWindow() {
    if (!app.mainWindow && app.loopRunning) PostQuitMessage(0);
}

int EndProgram() {
    if (void (*routine)() = app.exitRoutine) {
        app.exitRoutine = nullptr;
        routine();
    }
    if (app.hiddenOwner && IsWindow(app.hiddenOwner)) DestroyWindow(app.hiddenOwner);
    app.hiddenOwner = nullptr;
    if (app.oleInitialized) {
        OleUninitialize();
        app.oleInitialized = false;
    }
    return static_cast<int>(app.quitCode);
}

}  // namespace ts
