// 超级链接框1: a self-drawn web link that follows the pointer and opens its target on a press.
#pragma once

#include <windows.h>

#include "platform/link_platform_win.h"
#include "window/description.h"
#include "window/window_win.h"

namespace ts {

class LinkLabel {
public:
    bool Create(HWND parent, const ControlDescription& control, int id);
    HWND hwnd() const { return hwnd_; }

private:
    template <class T>
    friend LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(POINT point);
    void OnPress();
    void Paint();
    void OnFinalDestroy() { hovering_ = visited_ = false; }

    HWND hwnd_ = nullptr;  // child: destroyed with the main window
    const HyperLinkerSettings* settings_ = nullptr;
    Win32LinkPlatform platform_;
    bool hovering_ = false;  // the pointer is over the label, which then holds the capture
    bool visited_ = false;   // the last attempt to open the target succeeded
};

}  // namespace ts
