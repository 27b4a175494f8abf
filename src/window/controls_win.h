// The controls of the main window, one small class per kind. Each keeps the handle of its
// window, which is a child of the main window and destroyed with it.
#pragma once

#include <windows.h>

#include "schedule/timer.h"
#include "window/description.h"
#include "window/window_win.h"

namespace ts {

// 编辑框1: an "EDIT" control in integer input mode, its text line centred vertically.
class IntegerField {
public:
    IntegerField() = default;
    ~IntegerField();
    IntegerField(const IntegerField&) = delete;
    IntegerField& operator=(const IntegerField&) = delete;

    bool Create(HWND parent, const ControlDescription& control, int id);
    HWND hwnd() const { return hwnd_; }
    // WM_CTLCOLOR* for the field, passed on by the main window.
    HBRUSH OnCtlColor(HDC dc);
    // EN_KILLFOCUS, passed back by the main window.
    void OnKillFocus();

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam);
    void OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    void OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(LPARAM lParam);
    void EraseBackground(HDC dc);
    int TextHeight(bool wholeLine);

    HWND hwnd_ = nullptr;  // child: destroyed with the main window
    WNDPROC editProcedure_ = nullptr;
    HBRUSH brush_ = nullptr;  // the field's background, kept for its life
    const EditBoxSettings* settings_ = nullptr;
};

// 标签1: a self-drawn text label.
class Label {
public:
    bool Create(HWND parent, const ControlDescription& control, int id);
    HWND hwnd() const { return hwnd_; }

private:
    template <class T>
    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void OnFinalDestroy() {}

    HWND hwnd_ = nullptr;  // child: destroyed with the main window
    const LabelSettings* settings_ = nullptr;
};

// 按钮2 and 按钮1: system-drawn push buttons that raise their clicked event on BN_CLICKED.
class Button {
public:
    bool Create(HWND parent, const ControlDescription& control, int id);
    HWND hwnd() const { return hwnd_; }
    // WM_COMMAND from the button, passed back by the main window.
    void OnCommand(WORD code);
    Event clicked;

private:
    HWND hwnd_ = nullptr;  // child: destroyed with the main window
};

// 时钟1: a hidden child window that hosts the system timer and raises the periodic event.
class TimerHost : public TimerOps {
public:
    TimerHost() : timer_(*this) {}
    bool Create(HWND parent, const ControlDescription& control, int id);
    HWND hwnd() const { return hwnd_; }
    Timer& timer() { return timer_; }
    Event periodic;

    void StartTimer(std::int32_t period) override;
    void StopTimer() override;

private:
    template <class T>
    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() {}

    HWND hwnd_ = nullptr;  // child: destroyed with the main window
    Timer timer_;
    std::int32_t storedPeriod_ = 0;
};

}  // namespace ts
