// The main window, built from the window description, with its six controls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

#include "platform/schedule_ops.h"
#include "schedule/handlers.h"
#include "window/controls_win.h"
#include "window/description.h"
#include "window/link_label_win.h"
#include "window/window_win.h"

namespace ts {

class MainWindow {
public:
    // finalDestroy is raised after the window's WM_NCDESTROY.
    MainWindow(const WindowDescription& description, HWND owner, Event finalDestroy);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window, hidden and centred, with its controls; false on the first failure.
    bool CreateMainWindow();
    // Tab, Shift+Tab, Esc and Enter, looked at before translation and dispatch.
    bool PreviewMessage(const MSG& message);
    HWND hwnd() const { return hwnd_; }

    Event created;
    Event positionChanged;
    Event sizeChanged;

private:
    template <class T>
    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControl(std::size_t index);
    void WireEvents();
    void SetIcons();
    void Paint();
    void OnActivate(WPARAM wParam);
    void OnSetFocus();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy();
    std::optional<std::size_t> FocusedControl() const;
    void FocusControl(std::optional<std::size_t> index);

    static constexpr std::size_t kMaxControls = 8;

    const WindowDescription& description_;
    HWND owner_;
    Event finalDestroy_;
    HWND hwnd_ = nullptr;
    HWND remembered_ = nullptr;  // the control that had the focus when the window was deactivated
    HWND windows_[kMaxControls] = {};  // children by description index: destroyed with the window
    Button* buttonAt_[kMaxControls] = {};

    IntegerField field_;
    Label label_;
    Button buttons_[2];
    std::size_t buttonCount_ = 0;
    LinkLabel link_;
    TimerHost timerHost_;
    Win32ScheduleOps scheduleOps_;
    ScheduleHandlers handlers_;
};

}  // namespace ts
